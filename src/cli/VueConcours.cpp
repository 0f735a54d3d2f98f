// SPDX-License-Identifier: GPL-3.0-or-later
// The characteristics of the competition and its pilots, in plain text.
#include "cli/FonctionsVues.h"
#include "cli/Sortie.h"
#include "model/Concours.h"
#include "model/Cp1252.h"
#include "presentation/Messages.h"

#include <cstdio>
#include <ostream>
#include <string_view>

namespace tavo::cli {

namespace {

// A Windows-1252 text in UTF-8, padded with spaces to a width in characters.
std::string Colonne(const char* cp1252, std::size_t largeur)
{
    std::string texte = Cp1252VersUtf8(cp1252);
    const std::size_t caracteres = std::string_view(cp1252).size();
    if (caracteres < largeur)
        texte.append(largeur - caracteres, ' ');
    return texte + ' ';
}

void EcritCaracteristiques(const TConcours& c, std::ostream& s)
{
    s << "Titre du concours : " << U8(c.GetTitre()) << '\n';
    s << "Lieu du concours  : " << U8(c.GetLieu()) << '\n';
    s << "Département       : " << U8(c.GetDepartement()) << '\n';
    s << "Organisateur      : " << U8(c.GetOrganisateur()) << " (n° " << U8(c.GetNumAffiliation())
      << ")\n";
    s << "Catégorie         : " << U8(c.GetCategorie()) << "   Série : " << U8(c.GetSerie())
      << '\n';
    s << "Dates             : du " << c.GetDateDebut() << " au " << c.GetDateFin() << '\n';
    s << "Juges             : " << c.GetNbJuges() << "   Vols : " << c.GetNbVols() << '\n';
    for (short v = 0; v < c.GetNbVols() && v < MAX_VOLS; ++v)
        s << "Programme du vol " << v + 1 << " : " << U8(c.GetProgrammeVol(v)) << '\n';
}

void EcritPilotes(const TConcours& c, std::ostream& s)
{
    std::string ligne = "\n";
    for (auto [titre, largeur] : {std::pair{"Dossard", 7},
                                  {"Nom", 20},
                                  {"Pr\xE9nom", 15},
                                  {"Club", 20},
                                  {"N\xB0", 4},
                                  {"Licence", 8},
                                  {"Fr\xE9q. 1", 7},
                                  {"Fr\xE9q. 2", 7}})
        ligne += Colonne(titre, static_cast<std::size_t>(largeur));
    s << ligne << '\n';
    for (const TPilote& p : c.GetPilotes())
        s << Colonne(p.GetDossard(), 7) + Colonne(p.GetNom(), 20) + Colonne(p.GetPrenom(), 15) +
                 Colonne(p.GetClub(), 20) + Colonne(p.GetNumClub(), 4) +
                 Colonne(p.GetLicence(), 8) + Colonne(p.GetFrequence1(), 7) +
                 Colonne(p.GetFrequence2(), 7)
          << '\n';
    s << '\n' << c.NbPilotes() << " pilote(s), " << c.NbJugesSaisis() << " juge(s) saisi(s)\n";
}

} // namespace

int VueConcours(TConcours& concours, const Commande&, const ParametresCalcul&, Flux flux)
{
    EcritCaracteristiques(concours, flux.sortie);
    EcritPilotes(concours, flux.sortie);
    return SORTIE_OK;
}

std::string U8(const std::string& cp1252)
{
    return Cp1252VersUtf8(cp1252);
}

void EcritTable(const TableVue& table, Format format, std::ostream& sortie)
{
    if (format == Format::Texte)
        EcritBlocTitre(table.Bloc(), sortie);
    if (format == Format::Csv)
        EcritCsv(table, sortie);
    else
        EcritTexte(table, sortie);
}

std::string Raison(const Statut& statut, const TConcours& concours,
                   const ParametresCalcul& parametres)
{
    // The flight whose programme stopped the computation, and where it was looked for.
    if (statut.manque == Manque::Programmes && statut.vol >= 1 && statut.vol <= statut.nbVols)
        return std::string(messages::PROGRAMME_MANQUANT) + " : " +
               ProgrammeCherche(concours, statut.vol, parametres.repProgrammes);
    std::string raison = MessageStatut(statut);
    if (!statut && statut.manque != Manque::Programmes && statut.vol != 0)
        raison += " : " + ProgrammeCherche(concours, statut.vol, parametres.repProgrammes);
    return raison;
}

int Echec(const Statut& statut, const TConcours& concours, const ParametresCalcul& parametres,
          Flux flux)
{
    flux.erreurs << Raison(statut, concours, parametres) << '\n';
    return SORTIE_ERREUR;
}

} // namespace tavo::cli
