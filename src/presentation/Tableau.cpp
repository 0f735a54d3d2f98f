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

} // namespace tavo
