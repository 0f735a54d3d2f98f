// SPDX-License-Identifier: GPL-3.0-or-later
// The score sheets still missing or incomplete, flight by flight.
#include "cli/FonctionsVues.h"
#include "cli/Sortie.h"
#include "model/Concours.h"
#include "presentation/PresentationManquantes.h"

#include <ostream>

namespace tavo::cli {

namespace {

void JsonManquantes(const FeuillesManquantes& feuilles, std::ostream& sortie)
{
    Json json(sortie);
    json.DebutObjet().Cle("vue").Valeur("manquantes").Cle("vols").DebutTableau();
    for (const FeuillesManquantesVol& vol : feuilles.vols) {
        json.DebutObjet().Cle("vol").Valeur(vol.vol).Cle("programme").Valeur(U8(vol.programme));
        json.Cle("nom_programme").Valeur(U8(vol.nomProgramme));
        json.Cle("programme_lu").Booleen(vol.programmeLu);
        json.Cle("sans_note").Valeur(vol.SansNote()).Cle("incompletes").Valeur(vol.Incompletes());
        json.Cle("pilotes").DebutTableau();
        for (const FeuilleManquante& f : vol.pilotes) {
            json.DebutObjet().Cle("position").Valeur(f.position);
            json.Cle("dossard").Valeur(U8(f.dossard)).Cle("nom").Valeur(U8(f.nom));
            json.Cle("prenom").Valeur(U8(f.prenom)).Cle("sans_note").Booleen(f.sansNote);
            json.Cle("lignes").DebutTableau();
            for (const LignesNonSaisies& l : f.lignes)
                json.DebutObjet()
                    .Cle("juge")
                    .Valeur(static_cast<int>(l.juge))
                    .Cle("premiere")
                    .Valeur(static_cast<int>(l.premiere))
                    .Cle("derniere")
                    .Valeur(static_cast<int>(l.derniere))
                    .FinObjet();
            json.FinTableau().FinObjet();
        }
        json.FinTableau().FinObjet();
    }
    json.FinTableau().Cle("total").Valeur(feuilles.Total());
    json.FinObjet().Termine();
}

// Under the title block, each flight's heading, then its pilots without the flight's column.
void TexteManquantes(const FeuillesManquantes& feuilles, const TableVue& table,
                     std::ostream& sortie)
{
    EcritBlocTitre(table.Bloc(), sortie);
    const Tableau tout = TableauDe(table);
    std::size_t ligne = 0;
    for (const FeuillesManquantesVol& vol : feuilles.vols) {
        sortie << TitreVolManquantes(vol) << '\n';
        if (vol.pilotes.empty()) {
            sortie << TOUTES_FEUILLES_SAISIES << "\n\n";
            continue;
        }
        Tableau t;
        t.colonnes.assign(tout.colonnes.begin() + 1, tout.colonnes.end());
        for (std::size_t fin = ligne + vol.pilotes.size(); ligne < fin; ++ligne)
            t.lignes.emplace_back(tout.lignes[ligne].begin() + 1, tout.lignes[ligne].end());
        EcritTexte(t, sortie);
        sortie << '\n';
    }
    const int total = feuilles.Total();
    sortie << total
           << (total > 1 ? " feuilles manquantes ou incomplètes\n"
                         : " feuille manquante ou incomplète\n");
}

} // namespace

int VueManquantes(TConcours& concours, const Commande& commande, const ParametresCalcul& parametres,
                  Flux flux)
{
    const FeuillesManquantes feuilles = CalculeFeuillesManquantes(concours, parametres);
    switch (commande.format) {
    case Format::Json:
        JsonManquantes(feuilles, flux.sortie);
        break;
    case Format::Csv:
        EcritCsv(PresenteFeuillesManquantes(concours, feuilles), flux.sortie);
        break;
    case Format::Texte:
        TexteManquantes(feuilles, PresenteFeuillesManquantes(concours, feuilles), flux.sortie);
        break;
    }
    return SORTIE_OK;
}

} // namespace tavo::cli
