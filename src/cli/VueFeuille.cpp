// SPDX-License-Identifier: GPL-3.0-or-later
// A pilot's score sheet of one flight: every judge's mark on every line, the judges' scores and
// the flight's total.
#include "cli/FonctionsVues.h"
#include "cli/Sortie.h"
#include "model/Concours.h"
#include "presentation/Messages.h"
#include "scoring/Regles.h"

#include <ostream>

namespace tavo::cli {

std::string PrepareFeuille(TConcours& concours, const Commande& commande,
                           const ParametresCalcul& parametres)
{
    const std::string dossard = commande.dossard;
    if (std::string(concours.GetPiloteDossard(dossard.c_str()).GetDossard()) != dossard)
        return "Aucun pilote ne porte le dossard " + dossard;
    if (commande.nombre > VolsEffectifs(concours.GetNbVols()))
        return "Le concours n'a que " + std::to_string(concours.GetNbVols()) + " vol(s)";
    const auto vol = static_cast<short>(commande.nombre);
    if (!concours.ChargeProgramme(vol, parametres.repProgrammes))
        return std::string(messages::PROGRAMME_FEUILLE_INTROUVABLE) + " : " +
               ProgrammeCherche(concours, vol, parametres.repProgrammes);
    concours.SetDossardCourant(dossard.c_str());
    concours.SetVolCourant(vol);
    concours.CalculeVolPilotes(vol);
    return {};
}

int VueFeuille(TConcours& concours, const Commande& commande, const ParametresCalcul& parametres,
               Flux flux)
{
    if (const std::string pourquoi = PrepareFeuille(concours, commande, parametres);
        !pourquoi.empty()) {
        flux.erreurs << pourquoi << '\n';
        return SORTIE_ERREUR;
    }
    const TPilote pilote = concours.GetPiloteCourant();
    const int vol = commande.nombre;
    if (commande.format == Format::Json) {
        const ContenuFeuille contenu = ContenuDeFeuille(concours, pilote, vol);
        Json json(flux.sortie);
        json.DebutObjet().Cle("vue").Valeur("feuille").Cle("vol").Valeur(vol);
        json.Cle("dossard")
            .Valeur(U8(pilote.GetDossard()))
            .Cle("programme")
            .Valeur(contenu.programme);
        json.Cle("lignes").DebutTableau();
        for (const LigneFeuille& ligne : contenu.lignes) {
            json.DebutObjet().Cle("nom").Valeur(ligne.nom).Cle("k").Valeur(
                static_cast<int>(ligne.k));
            json.Cle("notes").DebutTableau();
            for (short note : ligne.notes)
                json.Valeur(static_cast<int>(note));
            json.FinTableau().FinObjet();
        }
        json.FinTableau().Cle("scores_juges").DebutTableau();
        for (double score : contenu.scoresJuges)
            json.Valeur(score);
        json.FinTableau().Cle("score").Valeur(contenu.scoreVol);
        json.FinObjet().Termine();
        return SORTIE_OK;
    }
    const FeuilleVue feuille = PresenteFeuille(concours, pilote, vol);
    if (commande.format == Format::Texte)
        flux.sortie << feuille.titre << "\n\n";
    EcritTable(feuille.grille, commande.format, flux.sortie);
    if (commande.format == Format::Texte)
        flux.sortie << '\n' << feuille.scoreVol << '\n' << feuille.score1000 << '\n';
    return SORTIE_OK;
}

} // namespace tavo::cli
