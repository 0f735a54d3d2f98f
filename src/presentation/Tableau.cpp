// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/Tableau.h"

#include "model/Texte.h"

#include <algorithm>
#include <ostream>
#include <sstream>

namespace tavo {

namespace {

std::string ChampCsv(const std::string& texte)
{
    if (texte.find_first_of(";\"\r\n") == std::string::npos)
        return texte;
    std::string champ = "\"";
    for (char c : texte) {
        if (c == '"')
            champ += '"';
        champ += c;
    }
    return champ + '"';
}

} // namespace

Cellule CelluleTexte(std::string texte)
{
    return {texte, texte};
}

Cellule CelluleNombre(const std::string& texte)
{
    Cellule cellule{SansEspaces(texte), SansEspaces(texte)};
    std::replace(cellule.csv.begin(), cellule.csv.end(), '.', ',');
    return cellule;
}

Tableau TableauDe(const TableVue& table)
{
    Tableau t;
    for (const ColonneVue& colonne : table.Colonnes())
        t.colonnes.push_back(
            {SansEspaces(colonne.titre), colonne.caracteres, colonne.alignCellule});
    t.lignes.reserve(table.NbLignes());
    for (std::size_t i = 0; i < table.NbLignes(); ++i) {
        std::vector<Cellule> cellules;
        const std::vector<std::string> textes = table.Ligne(i);
        for (std::size_t c = 0; c < textes.size() && c < table.Colonnes().size(); ++c)
            cellules.push_back(table.Colonnes()[c].nombre ? CelluleNombre(textes[c])
                                                          : CelluleTexte(SansEspaces(textes[c])));
        t.lignes.push_back(std::move(cellules));
    }
    return t;
}

void EcritCsv(const Tableau& tableau, std::ostream& sortie)
{
    auto ecrit = [&](auto texteDe) {
        std::string ligne;
        bool premier = true;
        for (std::size_t c = 0; c < tableau.colonnes.size(); ++c) {
            if (tableau.colonnes[c].texteSeulement)
                continue;
            if (!premier)
                ligne += ';';
            premier = false;
            ligne += ChampCsv(texteDe(c));
        }
        sortie << ligne << '\n';
    };
    ecrit([&](std::size_t c) { return SansEspaces(tableau.colonnes[c].titre); });
    for (const auto& cellules : tableau.lignes)
        ecrit([&](std::size_t c) { return c < cellules.size() ? cellules[c].csv : std::string(); });
}

std::string FichierCsv(const Tableau& tableau)
{
    std::ostringstream csv;
    csv << BOM_UTF8;
    EcritCsv(tableau, csv);
    return csv.str();
}

Resultat<TableVue> TableDeVue(TConcours& concours, const ParametresCalcul& parametres,
                              GenreVue genre, int numero)
{
    switch (genre) {
    case GenreVue::ClassementVols: {
        const auto r = ClassementApresVols(concours, parametres, numero);
        return {r.statut, PresenteClassementVols(concours, r.valeur)};
    }
    case GenreVue::FlyOff: {
        const auto r = ClassementApresFlyOff(concours, parametres, numero);
        return {r.statut, PresenteClassementFlyOff(concours, r.valeur)};
    }
    case GenreVue::ClassementJuges: {
        auto r = ClassementJugesVol(concours, parametres, numero);
        return {r.statut, PresenteClassementJuges(concours, std::move(r.valeur))};
    }
    case GenreVue::Diagramme: {
        const auto r = DiagrammeNotesJuge(concours, parametres, numero);
        return {r.statut, PresenteDiagramme(concours, r.valeur).table};
    }
    case GenreVue::Profil:
        break;
    }
    const auto r = ProfilJugesVol(concours, parametres, numero);
    return {r.statut, PresenteProfil(concours, r.valeur)};
}

std::string NomDeVue(GenreVue genre, int numero)
{
    const std::string n = std::to_string(numero);
    switch (genre) {
    case GenreVue::ClassementVols:
        return "Classement après " + n + (numero == 1 ? " vol" : " vols");
    case GenreVue::FlyOff:
        return "Classement après " + n + " fly-off";
    case GenreVue::ClassementJuges:
        return "Classement des juges - vol " + n;
    case GenreVue::Diagramme:
        return "Diagramme du juge " + n;
    case GenreVue::Profil:
        break;
    }
    return "Profil TBL des juges - vol " + n;
}

} // namespace tavo
