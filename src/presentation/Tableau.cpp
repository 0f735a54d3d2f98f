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

std::vector<Colonne> ColonnesDe(const TableVue& table)
{
    std::vector<Colonne> colonnes;
    colonnes.reserve(table.Colonnes().size());
    for (const ColonneVue& colonne : table.Colonnes())
        colonnes.push_back({SansEspaces(colonne.titre), colonne.caracteres, colonne.alignCellule});
    return colonnes;
}

std::vector<Cellule> CellulesDe(const TableVue& table, std::size_t i)
{
    const std::vector<std::string> textes = table.Ligne(i);
    const std::size_t n = std::min(textes.size(), table.Colonnes().size());
    std::vector<Cellule> cellules;
    cellules.reserve(n);
    for (std::size_t c = 0; c < n; ++c)
        cellules.push_back(table.Colonnes()[c].nombre ? CelluleNombre(textes[c])
                                                      : CelluleTexte(SansEspaces(textes[c])));
    return cellules;
}

Tableau TableauDe(const TableVue& table)
{
    Tableau t;
    t.colonnes = ColonnesDe(table);
    t.lignes.reserve(table.NbLignes());
    for (std::size_t i = 0; i < table.NbLignes(); ++i)
        t.lignes.push_back(CellulesDe(table, i));
    return t;
}

namespace {

// The CSV form of columns and of `n` rows, `ligne(i)` giving the cells of row i.
template <typename Ligne>
void EcritCsvDe(const std::vector<Colonne>& colonnes, std::size_t n, Ligne ligne,
                std::ostream& sortie)
{
    std::string texte;
    auto ecrit = [&](auto texteDe) {
        texte.clear();
        bool premier = true;
        for (std::size_t c = 0; c < colonnes.size(); ++c) {
            if (colonnes[c].texteSeulement)
                continue;
            if (!premier)
                texte += ';';
            premier = false;
            texte += ChampCsv(texteDe(c));
        }
        texte += '\n';
        sortie << texte;
    };
    ecrit([&](std::size_t c) { return SansEspaces(colonnes[c].titre); });
    for (std::size_t i = 0; i < n; ++i) {
        const auto& cellules = ligne(i);
        ecrit([&](std::size_t c) { return c < cellules.size() ? cellules[c].csv : std::string(); });
    }
}

} // namespace

void EcritCsv(const Tableau& tableau, std::ostream& sortie)
{
    EcritCsvDe(
        tableau.colonnes, tableau.lignes.size(),
        [&](std::size_t i) -> const std::vector<Cellule>& { return tableau.lignes[i]; }, sortie);
}

void EcritCsv(const TableVue& table, std::ostream& sortie)
{
    EcritCsvDe(
        ColonnesDe(table), table.NbLignes(), [&](std::size_t i) { return CellulesDe(table, i); },
        sortie);
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
