// SPDX-License-Identifier: GPL-3.0-or-later
#include "dessin/DiagrammeDC.h"

#include "dessin/TableauDC.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace tavo {

namespace {

// A bar from its rectangle: the hatch drawn line by line when asked, then the outlined fill.
void Barre(TDC& dc, const TRect& r, const MiseEnPageDiagramme& mise)
{
    if (r.Height() <= 0)
        return;
    if (mise.pasHachure > 0) {
        dc.SelectObject(mise.styloHachure);
        const int pas =
            std::max(1, CentiemesMmEnPixels(mise.pasHachure, dc.GetDeviceCaps(LOGPIXELSY)));
        for (int c = r.top - r.right + pas; c < r.bottom - r.left; c += pas) {
            // Points of y = x + c inside the bar.
            const int x1 = std::max(r.left, r.top - c);
            const int x2 = std::min(r.right, r.bottom - c);
            if (x1 < x2) {
                dc.MoveTo(x1, x1 + c);
                dc.LineTo(x2, x2 + c);
            }
        }
    }
    dc.SelectObject(mise.stylo);
    dc.SelectObject(mise.fond);
    dc.Rectangle(r.left, r.top, r.right, r.bottom);
}

void Ligne(TDC& dc, int x1, int y1, int x2, int y2)
{
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

} // namespace

void DessineDiagramme(TDC& dc, const DiagrammeVue& diagramme, const MiseEnPageDiagramme& mise)
{
    const int dpi = dc.GetDeviceCaps(LOGPIXELSY);
    const auto mm = [dpi](int centiemes) { return CentiemesMmEnPixels(centiemes, dpi); };

    const int titre = Selectionne(dc, PoliceVue(dc, 20, FW_BOLD));
    Ecrit(dc, mise.titre.x, mise.titre.y, diagramme.titre, Alignement::Centre);
    const int quatorze = Selectionne(dc, PoliceVue(dc, 14));
    Ecrit(dc, mise.titre.x, mise.titre.y + titre, diagramme.lieu, Alignement::Centre);

    const int seize = Selectionne(dc, PoliceVue(dc, 16));
    Ecrit(dc, mise.bloc.x, mise.bloc.y, diagramme.nom, Alignement::Centre);
    Ecrit(dc, mise.bloc.x, mise.bloc.y + seize, diagramme.moyenne, Alignement::Centre);
    Ecrit(dc, mise.bloc.x, mise.bloc.y + 2 * seize, diagramme.ecartType, Alignement::Centre);

    const int ox = mise.origine.x;
    const int oy = mise.origine.y;
    const auto bord = [&](int m) { return ox + mm(mise.barre * m); };
    for (std::size_t m = 0; m <= 10; ++m) {
        const double pourcentage = diagramme.pourcentages[m];
        const int hauteur =
            static_cast<int>(std::lround(pourcentage * (mise.dixPourcent / 10.0) * dpi / 2540.0));
        const int v = static_cast<int>(m);
        Barre(dc, TRect{bord(v), oy - hauteur, bord(v + 1), oy}, mise);
    }

    // The vertical axis up to 50 %, ticked and labelled every 10 %.
    dc.SelectObject(mise.stylo);
    dc.SelectObject(PoliceVue(dc, 14));
    Ligne(dc, ox, oy, ox, oy - mm(5 * mise.dixPourcent));
    for (std::size_t k = 0; k <= 5; ++k) {
        const int yt = oy - mm(static_cast<int>(k) * mise.dixPourcent);
        Ligne(dc, ox - mm(mise.trait), yt, ox, yt);
        Ecrit(dc, ox - mm(2 * mise.trait), yt - quatorze / 2, diagramme.graduations[k],
              Alignement::Droite);
    }
    // The horizontal axis under the eleven bars, ticked at every boundary, each bar's mark
    // centred under the bar as drawn.
    Ligne(dc, ox, oy, bord(11), oy);
    for (int i = 0; i <= 11; ++i)
        Ligne(dc, bord(i), oy, bord(i), oy + mm(mise.trait));
    for (std::size_t m = 0; m <= 10; ++m) {
        const int v = static_cast<int>(m);
        Ecrit(dc, (bord(v) + bord(v + 1)) / 2, oy + mm(mise.trait), diagramme.notes[m],
              Alignement::Centre);
    }
}

} // namespace tavo
