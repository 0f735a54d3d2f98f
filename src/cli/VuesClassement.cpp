// SPDX-License-Identifier: GPL-3.0-or-later
// The pilot rankings after N flights and after k fly-offs.
#include "cli/FonctionsVues.h"
#include "cli/Sortie.h"
#include "model/Concours.h"

#include <ostream>

namespace tavo::cli {

namespace {

void JsonLigne(Json& json, const LigneClassement& ligne, bool qualif)
{
    json.DebutObjet()
        .Cle("rang")
        .Valeur(ligne.rang)
        .Cle("dossard")
        .Valeur(U8(ligne.dossard))
        .Cle("nom")
        .Valeur(U8(ligne.nom))
        .Cle("prenom")
        .Valeur(U8(ligne.prenom));
    if (qualif)
        json.Cle("qualif").Valeur(ligne.qualif);
    json.Cle("scores").DebutTableau();
    for (double score : ligne.scores)
        json.Valeur(score);
    json.FinTableau().Cle("scores1000").DebutTableau();
    for (double score : ligne.scores1000)
        json.Valeur(score);
    json.FinTableau().Cle("total").Valeur(ligne.total).FinObjet();
}

void JsonLignes(Json& json, const std::vector<LigneClassement>& lignes, bool qualif)
{
    json.Cle("lignes").DebutTableau();
    for (const LigneClassement& ligne : lignes)
        JsonLigne(json, ligne, qualif);
    json.FinTableau();
}

} // namespace

int VueClassement(TConcours& concours, const Commande& commande, const ParametresCalcul& parametres,
                  Flux flux)
{
    auto resultat = ClassementApresVols(concours, parametres, commande.nombre);
    if (!resultat.statut)
        return Echec(resultat.statut, concours, parametres, flux);
    ClassementVols& c = resultat.valeur;
    switch (commande.format) {
    case Format::Json: {
        Json json(flux.sortie);
        json.DebutObjet().Cle("vue").Valeur("classement").Cle("vols").Valeur(c.vols);
        json.Cle("regle").Valeur(c.regle);
        JsonLignes(json, c.lignes, false);
        json.FinObjet().Termine();
        break;
    }
    case Format::Csv:
    case Format::Texte:
        EcritTable(PresenteClassementVols(concours, std::move(c)), commande.format, flux.sortie);
        break;
    }
    return SORTIE_OK;
}

int VueFlyOff(TConcours& concours, const Commande& commande, const ParametresCalcul& parametres,
              Flux flux)
{
    auto resultat = ClassementApresFlyOff(concours, parametres, commande.nombre);
    if (!resultat.statut)
        return Echec(resultat.statut, concours, parametres, flux);
    ClassementFlyOff& c = resultat.valeur;
    switch (commande.format) {
    case Format::Json: {
        Json json(flux.sortie);
        json.DebutObjet().Cle("vue").Valeur("flyoff").Cle("flyoffs").Valeur(c.flyoffs);
        json.Cle("regle").Valeur(c.regle).Cle("qualif_vols").Valeur(c.volsQualif);
        JsonLignes(json, c.lignes, true);
        json.FinObjet().Termine();
        break;
    }
    case Format::Csv:
        EcritCsv(PresenteClassementFlyOff(concours, std::move(c)), flux.sortie);
        break;
    case Format::Texte: {
        const int regle = c.regle;
        const int flyoffs = c.flyoffs;
        const TableVue table = PresenteClassementFlyOff(concours, std::move(c));
        EcritBlocTitre(table.Bloc(), flux.sortie);
        if (regle == 0)
            flux.sortie << "Pas de classement après " << flyoffs << " fly-off pour la catégorie "
                        << U8(concours.GetCategorie()) << " en série " << U8(concours.GetSerie())
                        << ".\n";
        else
            EcritTexte(table, flux.sortie);
        break;
    }
    }
    return SORTIE_OK;
}

} // namespace tavo::cli
