// SPDX-License-Identifier: GPL-3.0-or-later
// The judges' views: the judge ranking of a flight, a judge's score diagram
// and the TBL profile of a flight.
#include "cli/Sortie.h"
#include "cli/Vues.h"
#include "model/Concours.h"

#include <ostream>

namespace tavo::cli {

namespace {

std::string SurLeVol(int vol)
{
    return "(sur le vol " + std::to_string(vol) + ")";
}

// The first three characters of a judge's name, as the column heads show it.
std::string Abrege(const std::string& cp1252)
{
    return U8(cp1252.substr(0, 3));
}

Tableau TableauJuges(const ClassementJuges& c)
{
    Tableau t;
    t.colonnes.push_back({"Rang", 4, Alignement::Centre});
    t.colonnes.push_back({"Nom Prénom", 36, Alignement::Gauche});
    t.colonnes.push_back({"Final", 6, Alignement::Centre});
    for (const std::string& juge : c.juges) {
        t.colonnes.push_back({Abrege(juge), 4, Alignement::Centre});
        t.colonnes.push_back({"%", 4, Alignement::Centre});
        t.colonnes.push_back({"Clt", 3, Alignement::Centre});
    }
    for (const LigneJuges& ligne : c.lignes) {
        std::vector<Cellule> cellules{Entier(ligne.rang), Texte(NomPrenom(ligne.nom, ligne.prenom)),
                                      Nombre("%6.2f ", ligne.final)};
        for (const NoteJuge& note : ligne.notes) {
            cellules.push_back(Nombre("%3.0f ", note.score));
            cellules.push_back(Nombre("%3.0f ", note.ecart));
            cellules.push_back(Entier(note.place));
        }
        t.lignes.push_back(std::move(cellules));
    }
    return t;
}

void JsonJuges(const ClassementJuges& c, std::ostream& sortie)
{
    Json json;
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
    sortie << json.FinTableau().FinObjet().Texte() << '\n';
}

// One bar character per 2 %: the 50 % top of the screen's scale is 25 characters.
std::string Barre(double pourcentage)
{
    const int longueur = pourcentage <= 0.0 ? 0 : static_cast<int>(pourcentage / 2.0 + 0.5);
    return std::string(static_cast<std::size_t>(longueur), '#');
}

Tableau TableauDiagramme(const DiagrammeJuge& d)
{
    Tableau t;
    t.colonnes.push_back({"Note", 4, Alignement::Droite});
    t.colonnes.push_back({"%", 6, Alignement::Droite});
    t.colonnes.push_back({"", 0, Alignement::Gauche, true});
    for (std::size_t note = 0; note < d.pourcentages.size(); ++note)
        t.lignes.push_back({Entier(static_cast<long long>(note)),
                            Nombre("%5.1f", d.pourcentages[note]),
                            Texte(Barre(d.pourcentages[note]))});
    return t;
}

Cellule Optionnel(const char* format, const std::optional<double>& valeur)
{
    return valeur ? Nombre(format, *valeur) : Texte("-");
}

Tableau TableauProfil(const ProfilJuges& p)
{
    Tableau t;
    t.colonnes.push_back({"", 23, Alignement::Centre});
    for (const ProfilJuge& juge : p.juges)
        t.colonnes.push_back({U8(juge.nom), 12, Alignement::Centre});
    std::vector<Cellule> acceptes{Texte("Scores acceptés %")};
    std::vector<Cellule> moyens{Texte("Ecarts au score moyen %")};
    std::vector<Cellule> stdev{Texte("Ecarts à la StDev %")};
    for (const ProfilJuge& juge : p.juges) {
        acceptes.push_back(Nombre("%3.0f", juge.acceptes));
        moyens.push_back(Optionnel("%4.0f", juge.ecartMoyen));
        stdev.push_back(Optionnel("%4.0f", juge.ecartStdev));
    }
    t.lignes = {acceptes, moyens, stdev};
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
    Json json;
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
    sortie << json.FinTableau().FinObjet().Texte() << '\n';
}

} // namespace

int VueJuges(TConcours& concours, const Commande& commande, const ParametresCalcul& parametres,
             Flux flux)
{
    const auto resultat = ClassementJugesVol(concours, parametres, commande.nombre);
    if (!resultat.statut)
        return Echec(resultat.statut, flux);
    switch (commande.format) {
    case Format::Json:
        JsonJuges(resultat.valeur, flux.sortie);
        break;
    case Format::Csv:
        EcritCsv(TableauJuges(resultat.valeur), flux.sortie);
        break;
    case Format::Texte:
        EcritEnTete(concours, "CLASSEMENT DES JUGES", SurLeVol(commande.nombre), flux.sortie);
        EcritTexte(TableauJuges(resultat.valeur), flux.sortie);
        break;
    }
    return SORTIE_OK;
}

int VueDiagramme(TConcours& concours, const Commande& commande, const ParametresCalcul& parametres,
                 Flux flux)
{
    const auto resultat = DiagrammeNotesJuge(concours, parametres, commande.nombre);
    if (!resultat.statut)
        return Echec(resultat.statut, flux);
    const DiagrammeJuge& d = resultat.valeur;
    switch (commande.format) {
    case Format::Json: {
        Json json;
        json.DebutObjet().Cle("vue").Valeur("diagramme").Cle("juge").Valeur(d.juge);
        json.Cle("nom").Valeur(U8(d.nom)).Cle("moyenne").Valeur(d.moyenne);
        json.Cle("ecart_type").Valeur(d.ecartType).Cle("pourcentages").DebutTableau();
        for (double pourcentage : d.pourcentages)
            json.Valeur(pourcentage);
        flux.sortie << json.FinTableau().FinObjet().Texte() << '\n';
        break;
    }
    case Format::Csv:
        EcritCsv(TableauDiagramme(d), flux.sortie);
        break;
    case Format::Texte:
        flux.sortie << "DIAGRAMME DES NOTES\n"
                    << U8(concours.GetLieu()) << "\n\n"
                    << U8(d.nom) << '\n'
                    << Formate("Moyenne : %4.2f", d.moyenne) << '\n'
                    << Formate("Ecart-Type : %4.2f", d.ecartType) << "\n\n";
        EcritTexte(TableauDiagramme(d), flux.sortie);
        break;
    }
    return SORTIE_OK;
}

int VueProfil(TConcours& concours, const Commande& commande, const ParametresCalcul& parametres,
              Flux flux)
{
    const auto resultat = ProfilJugesVol(concours, parametres, commande.nombre);
    if (!resultat.statut)
        return Echec(resultat.statut, flux);
    switch (commande.format) {
    case Format::Json:
        JsonProfil(resultat.valeur, flux.sortie);
        break;
    case Format::Csv:
        EcritCsv(TableauProfil(resultat.valeur), flux.sortie);
        break;
    case Format::Texte:
        EcritEnTete(concours, "PROFIL DES JUGES", SurLeVol(commande.nombre), flux.sortie);
        EcritTexte(TableauProfil(resultat.valeur), flux.sortie);
        break;
    }
    return SORTIE_OK;
}

} // namespace tavo::cli
