// SPDX-License-Identifier: GPL-3.0-or-later
// The pilot rankings after N flights and after k fly-offs.
#include "cli/Sortie.h"
#include "cli/Vues.h"
#include "model/Concours.h"

#include <ostream>

namespace tavo::cli {

namespace {

// Rank and name, then the flight columns, then the total; "Qualif" for fly-offs.
Tableau TableauPilotes(const std::vector<LigneClassement>& lignes, int vols, const char* prefixe,
                       bool qualif)
{
    Tableau t;
    t.colonnes.push_back({"Rang", 4, Alignement::Centre});
    t.colonnes.push_back({"Nom Prénom", 36, Alignement::Gauche});
    if (qualif)
        t.colonnes.push_back({"Qualif", 7, Alignement::Droite});
    for (int v = 1; v <= vols; ++v) {
        const std::string numero = prefixe + std::to_string(v);
        t.colonnes.push_back({numero, 6, Alignement::Droite});
        t.colonnes.push_back({"%" + numero, 7, Alignement::Droite});
    }
    t.colonnes.push_back({"Total", 7, Alignement::Droite});
    for (const LigneClassement& ligne : lignes) {
        std::vector<Cellule> cellules{Entier(ligne.rang),
                                      Texte(NomPrenom(ligne.nom, ligne.prenom))};
        if (qualif)
            cellules.push_back(Nombre("%7.2f ", ligne.qualif));
        for (std::size_t v = 0; v < ligne.scores.size(); ++v) {
            cellules.push_back(Nombre("%6.2f ", ligne.scores[v]));
            cellules.push_back(Nombre("%7.2f ", ligne.scores1000[v]));
        }
        cellules.push_back(Nombre("%7.2f ", ligne.total));
        t.lignes.push_back(std::move(cellules));
    }
    return t;
}

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

std::string SousTitreVols(int n)
{
    return "(après " + std::to_string(n) + (n == 1 ? " vol)" : " vols)");
}

} // namespace

int VueClassement(TConcours& concours, const Commande& commande, const ParametresCalcul& parametres,
                  Flux flux)
{
    const auto resultat = ClassementApresVols(concours, parametres, commande.nombre);
    if (!resultat.statut)
        return Echec(resultat.statut, flux);
    const ClassementVols& c = resultat.valeur;
    switch (commande.format) {
    case Format::Json: {
        Json json;
        json.DebutObjet().Cle("vue").Valeur("classement").Cle("vols").Valeur(c.vols);
        json.Cle("regle").Valeur(c.regle);
        JsonLignes(json, c.lignes, false);
        flux.sortie << json.FinObjet().Texte() << '\n';
        break;
    }
    case Format::Csv:
        EcritCsv(TableauPilotes(c.lignes, c.vols, "V", false), flux.sortie);
        break;
    case Format::Texte:
        EcritEnTete(concours, "CLASSEMENT DES PILOTES", SousTitreVols(c.vols), flux.sortie);
        EcritTexte(TableauPilotes(c.lignes, c.vols, "V", false), flux.sortie);
        break;
    }
    return SORTIE_OK;
}

int VueFlyOff(TConcours& concours, const Commande& commande, const ParametresCalcul& parametres,
              Flux flux)
{
    const auto resultat = ClassementApresFlyOff(concours, parametres, commande.nombre);
    if (!resultat.statut)
        return Echec(resultat.statut, flux);
    const ClassementFlyOff& c = resultat.valeur;
    switch (commande.format) {
    case Format::Json: {
        Json json;
        json.DebutObjet().Cle("vue").Valeur("flyoff").Cle("flyoffs").Valeur(c.flyoffs);
        json.Cle("regle").Valeur(c.regle).Cle("qualif_vols").Valeur(c.volsQualif);
        JsonLignes(json, c.lignes, true);
        flux.sortie << json.FinObjet().Texte() << '\n';
        break;
    }
    case Format::Csv:
        EcritCsv(TableauPilotes(c.lignes, c.flyoffs, "F", true), flux.sortie);
        break;
    case Format::Texte:
        EcritEnTete(concours, "CLASSEMENT DES PILOTES",
                    "(après " + std::to_string(c.flyoffs) + " fly-off)", flux.sortie);
        if (c.regle == 0)
            flux.sortie << "Pas de classement après " << c.flyoffs << " fly-off pour la catégorie "
                        << U8(concours.GetCategorie()) << " en série " << U8(concours.GetSerie())
                        << ".\n";
        else
            EcritTexte(TableauPilotes(c.lignes, c.flyoffs, "F", true), flux.sortie);
        break;
    }
    return SORTIE_OK;
}

} // namespace tavo::cli
