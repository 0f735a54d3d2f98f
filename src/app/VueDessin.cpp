// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/VueDessin.h"

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

void DessineTableVue(TDC& dc, int largeur, const TableVue& table, const TRect& visible)
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
    for (int i = debut; i < fin; ++i)
        tableau.DessineLigne(tableau.HautLigne(grille, i),
                             table.Ligne(static_cast<std::size_t>(i)));
}

} // namespace tavo::vues
