// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/VueDessin.h"

#include "presentation/Messages.h"

namespace tavo::vues {

void PrepareEncre(TDC& dc)
{
    dc.SetTextColor(TColor::White);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(TPen{TColor::White, 1});
}

int MargeHaut(const TDC& dc)
{
    return dc.GetDeviceCaps(LOGPIXELSY) * 100 / 2540;
}

namespace {

// Cells of a row as a screen reader says them: trimmed, apart by ", ".
std::string Phrase(const std::vector<std::string>& cellules)
{
    std::string phrase;
    for (const std::string& cellule : cellules) {
        const auto debut = cellule.find_first_not_of(' ');
        if (debut == std::string::npos)
            continue;
        if (!phrase.empty())
            phrase += ", ";
        phrase += cellule.substr(debut, cellule.find_last_not_of(' ') - debut + 1);
    }
    return phrase;
}

} // namespace

void DessineProgrammeIntrouvable(TDC& dc, int largeur, const TConcours& concours, GenreVue genre,
                                 int v)
{
    PrepareEncre(dc);
    const BlocTitre bloc = BlocTitreVue(concours, EnteteVue(genre), SousTitreVue(genre, v));
    const int y = DessineBlocTitre(dc, largeur / 2, MargeHaut(dc), bloc, largeur);
    dc.SelectObject(PoliceVue(dc, 12));
    Ecrit(dc, largeur / 2, y, messages::ProgrammeVolIntrouvable(v), Alignement::Centre);
}

void DessineTableVue(TDC& dc, int largeur, const TableVue& table, const TRect& visible,
                     std::string* lu)
{
    PrepareEncre(dc);
    const int y = DessineBlocTitre(dc, largeur / 2, MargeHaut(dc), table.Bloc(), largeur);
    TTableauDC tableau(dc, largeur, table.Colonnes());
    const int grille = tableau.DessineEntete(y);
    const int lignes = static_cast<int>(table.NbLignes());
    // On screen the rules run one pixel above the grid top.
    tableau.DessineFilets(grille - 1, lignes, visible.top, visible.bottom);
    tableau.PoliceLignes();
    const auto [debut, fin] = tableau.LignesVisibles(grille, lignes, visible.top, visible.bottom);
    if (lu != nullptr) {
        std::vector<std::string> titres;
        for (const ColonneVue& colonne : table.Colonnes())
            titres.push_back(colonne.titre);
        *lu = Phrase(titres) + '\n';
    }
    for (int i = debut; i < fin; ++i) {
        const std::vector<std::string> cellules = table.Ligne(static_cast<std::size_t>(i));
        tableau.DessineLigne(tableau.HautLigne(grille, i), cellules);
        if (lu != nullptr)
            *lu += Phrase(cellules) + '\n';
    }
}

} // namespace tavo::vues
