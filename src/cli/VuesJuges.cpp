// SPDX-License-Identifier: GPL-3.0-or-later
// The judges' views: the judge ranking of a flight, a judge's score diagram
// and the TBL profile of a flight.
#include "cli/FonctionsVues.h"
#include "cli/Sortie.h"
#include "model/Concours.h"
#include "presentation/Messages.h"
#include "scoring/Accord.h"
#include "scoring/Regles.h"

#include <ostream>

namespace tavo::cli {

namespace {

void JsonJuges(const ClassementJuges& c, std::ostream& sortie)
{
    Json json(sortie);
    json.DebutObjet().Cle("vue").Valeur("juges").Cle("vol").Valeur(c.vol);
    json.Cle("juges").DebutTableau();
    for (const std::string& juge : c.juges)
        json.Valeur(U8(juge));
    json.FinTableau().Cle("lignes").DebutTableau();
    for (const LigneJuges& ligne : c.lignes) {
        json.DebutObjet().Cle("rang").Valeur(ligne.rang);
        json.Cle("dossard").Valeur(U8(ligne.dossard)).Cle("nom").Valeur(U8(ligne.nom));
        json.Cle("prenom").Valeur(U8(ligne.prenom)).Cle("final").Valeur(ligne.final);
        json.Cle("notes").DebutTableau();
        for (const NoteJuge& note : ligne.notes)
            json.DebutObjet()
                .Cle("score")
                .Valeur(note.score)
                .Cle("ecart")
                .Valeur(note.ecart)
                .Cle("place")
                .Valeur(note.place)
                .FinObjet();
        json.FinTableau().FinObjet();
    }
    json.FinTableau().FinObjet().Termine();
}

// One bar character per 2 %: the 50 % top of the screen's scale is 25 characters.
std::string Barre(double pourcentage)
{
    const int longueur = pourcentage <= 0.0 ? 0 : static_cast<int>(pourcentage / 2.0 + 0.5);
    return std::string(static_cast<std::size_t>(longueur), '#');
}

// "Note" and "%" of each mark, then its bar (not in the CSV form).
Tableau TableauDiagramme(const DiagrammeVue& d)
{
    Tableau t = TableauDe(d.table);
    t.colonnes.push_back({"", 0, Alignement::Gauche, true});
    for (std::size_t note = 0; note < t.lignes.size(); ++note)
        t.lignes[note].push_back(Texte(Barre(d.pourcentages[note])));
    return t;
}

void JsonOptionnel(Json& json, const std::optional<double>& valeur)
{
    if (valeur)
        json.Valeur(*valeur);
    else
        json.Nul();
}

void JsonProfil(const ProfilJuges& p, std::ostream& sortie)
{
    Json json(sortie);
    json.DebutObjet().Cle("vue").Valeur("profil").Cle("vol").Valeur(p.vol);
    json.Cle("moyenne_jury").Valeur(p.moyenneJury);
    json.Cle("ecart_type_jury").Valeur(p.ecartTypeJury).Cle("juges").DebutTableau();
    for (const ProfilJuge& juge : p.juges) {
        json.DebutObjet().Cle("nom").Valeur(U8(juge.nom)).Cle("moyenne").Valeur(juge.moyenne);
        json.Cle("ecart_type").Valeur(juge.ecartType).Cle("acceptes").Valeur(juge.acceptes);
        JsonOptionnel(json.Cle("ecart_moyen"), juge.ecartMoyen);
        JsonOptionnel(json.Cle("ecart_stdev"), juge.ecartStdev);
        json.FinObjet();
    }
    json.FinTableau().FinObjet().Termine();
}

void JsonAccord(const AccordJuges& a, std::ostream& sortie)
{
    Json json(sortie);
    json.DebutObjet().Cle("vue").Valeur("accord").Cle("vol").Valeur(a.vol);
    json.Cle("pilotes").Valeur(a.pilotes).Cle("juges").DebutTableau();
    int numero = 0;
    for (const AccordJuge& juge : a.juges) {
        json.DebutObjet().Cle("juge").Valeur(++numero).Cle("nom").Valeur(U8(juge.nom));
        JsonOptionnel(json.Cle("spearman"), juge.spearman);
        JsonOptionnel(json.Cle("kendall"), juge.kendall);
        JsonOptionnel(json.Cle("ecart_moyen"), juge.ecartMoyen);
        json.FinObjet();
    }
    json.FinTableau().FinObjet().Termine();
}

} // namespace

int VueAccord(TConcours& concours, const Commande& commande, const ParametresCalcul& parametres,
              Flux flux)
{
    const auto resultat = AccordJugesVol(concours, parametres, commande.nombre);
    if (!resultat.statut)
        return Echec(resultat.statut, concours, parametres, flux);
    if (commande.format == Format::Json)
        JsonAccord(resultat.valeur, flux.sortie);
    else
        EcritTable(PresenteAccord(concours, resultat.valeur), commande.format, flux.sortie);
    return SORTIE_OK;
}

int VueJuges(TConcours& concours, const Commande& commande, const ParametresCalcul& parametres,
             Flux flux)
{
    auto resultat = ClassementJugesVol(concours, parametres, commande.nombre);
    if (!resultat.statut)
        return Echec(resultat.statut, concours, parametres, flux);
    switch (commande.format) {
    case Format::Json:
        JsonJuges(resultat.valeur, flux.sortie);
        break;
    case Format::Csv:
    case Format::Texte:
        EcritTable(PresenteClassementJuges(concours, std::move(resultat.valeur)), commande.format,
                   flux.sortie);
        break;
    }
    return SORTIE_OK;
}

int VueDiagramme(TConcours& concours, const Commande& commande, const ParametresCalcul& parametres,
                 Flux flux)
{
    // A judge the panel does not have has no marks to show: 100 % of nothing would be a lie.
    if (const short juges = JugesEffectifs(concours.GetNbJuges()); commande.nombre > juges) {
        flux.erreurs << messages::JugesDuConcours(juges) << '\n';
        return SORTIE_ERREUR;
    }
    const auto resultat = DiagrammeNotesJuge(concours, parametres, commande.nombre);
    if (!resultat.statut)
        return Echec(resultat.statut, concours, parametres, flux);
    const DiagrammeJuge& d = resultat.valeur;
    switch (commande.format) {
    case Format::Json: {
        Json json(flux.sortie);
        json.DebutObjet().Cle("vue").Valeur("diagramme").Cle("juge").Valeur(d.juge);
        json.Cle("nom").Valeur(U8(d.nom)).Cle("moyenne").Valeur(d.moyenne);
        json.Cle("ecart_type").Valeur(d.ecartType).Cle("pourcentages").DebutTableau();
        for (double pourcentage : d.pourcentages)
            json.Valeur(pourcentage);
        json.FinTableau().FinObjet().Termine();
        break;
    }
    case Format::Csv:
        EcritCsv(TableauDiagramme(PresenteDiagramme(concours, d)), flux.sortie);
        break;
    case Format::Texte: {
        const DiagrammeVue vue = PresenteDiagramme(concours, d);
        flux.sortie << vue.titre << '\n'
                    << vue.lieu << "\n\n"
                    << vue.nom << '\n'
                    << vue.moyenne << '\n'
                    << vue.ecartType << "\n\n";
        EcritTexte(TableauDiagramme(vue), flux.sortie);
        break;
    }
    }
    return SORTIE_OK;
}

int VueProfil(TConcours& concours, const Commande& commande, const ParametresCalcul& parametres,
              Flux flux)
{
    const auto resultat = ProfilJugesVol(concours, parametres, commande.nombre);
    if (!resultat.statut)
        return Echec(resultat.statut, concours, parametres, flux);
    switch (commande.format) {
    case Format::Json:
        JsonProfil(resultat.valeur, flux.sortie);
        break;
    case Format::Csv:
    case Format::Texte:
        EcritTable(PresenteProfil(concours, resultat.valeur), commande.format, flux.sortie);
        break;
    }
    return SORTIE_OK;
}

} // namespace tavo::cli
