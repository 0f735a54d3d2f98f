// SPDX-License-Identifier: GPL-3.0-or-later
// A judge's score diagram: the share of each mark 0 to 10 over the competition.
#include "app/DessinVues.h"
#include "app/VueDessin.h"
#include "model/Concours.h"
#include "presentation/Presentation.h"

#include <cmath>

using namespace tavo;
using namespace tavo::vues;

namespace {

// Placement in tenths of a millimetre.
constexpr int LARGEUR = 1980;
constexpr int HAUTEUR = 1397;
constexpr int ORIGINE_X = 270;
constexpr int ORIGINE_Y = HAUTEUR - 135;
constexpr int BARRE = 99;         ///< width of a bar
constexpr int DIX_POURCENT = 225; ///< height of 10 %
constexpr int TRAIT = 27;         ///< length of a tick

} // namespace

void DessineDiagramme(TDC& dc, TConcours& concours, int j, const std::string& repProgrammes)
{
    const DiagrammeVue diagramme =
        PresenteDiagramme(concours, CalculeDiagramme(concours, j, repProgrammes));
    PrepareEncre(dc);
    const int milieu = dc.Mm(LARGEUR) / 2;

    int y = dc.Mm(20);
    const int titre = Selectionne(dc, PoliceVue(dc, 20, FW_BOLD));
    Ecrit(dc, milieu, y, diagramme.titre, Alignement::Centre);
    y += titre;
    const int quatorze = Selectionne(dc, PoliceVue(dc, 14));
    Ecrit(dc, milieu, y, diagramme.lieu, Alignement::Centre);

    const int bloc = dc.Mm(LARGEUR - 360);
    y = dc.Mm(450);
    const int seize = Selectionne(dc, PoliceVue(dc, 16));
    Ecrit(dc, bloc, y, diagramme.nom, Alignement::Centre);
    y += seize;
    Ecrit(dc, bloc, y, diagramme.moyenne, Alignement::Centre);
    y += seize;
    Ecrit(dc, bloc, y, diagramme.ecartType, Alignement::Centre);

    const int ox = dc.Mm(ORIGINE_X);
    const int oy = dc.Mm(ORIGINE_Y);
    const int dpi = dc.GetDeviceCaps(LOGPIXELSY);
    dc.SelectObject(TPen{TColor::White, 2});
    dc.SelectObject(TBrush{TColor::White, StyleBrosse::HachureDiagonale});
    for (int m = 0; m <= 10; ++m) {
        // 2.25 mm a percentage point.
        const double pourcentage = diagramme.pourcentages[static_cast<std::size_t>(m)];
        const int hauteur = static_cast<int>(std::lround(dpi * pourcentage * 22.5 / 254.0));
        if (hauteur > 0)
            dc.Rectangle(ox + dc.Mm(BARRE * m), oy - hauteur, ox + dc.Mm(BARRE * (m + 1)), oy);
    }

    // The vertical axis up to 50 %, ticked and labelled every 10 %.
    dc.SelectObject(PoliceVue(dc, 14));
    dc.MoveTo(ox, oy);
    dc.LineTo(ox, oy - dc.Mm(5 * DIX_POURCENT));
    for (int k = 0; k <= 5; ++k) {
        const int yt = oy - dc.Mm(k * DIX_POURCENT);
        dc.MoveTo(ox - dc.Mm(TRAIT), yt);
        dc.LineTo(ox, yt);
        Ecrit(dc, ox - dc.Mm(2 * TRAIT), yt - quatorze / 2,
              diagramme.graduations[static_cast<std::size_t>(k)], Alignement::Droite);
    }
    // The horizontal axis under the eleven bars, ticked at every boundary, each bar's mark below.
    dc.MoveTo(ox, oy);
    dc.LineTo(ox + dc.Mm(11 * BARRE), oy);
    for (int i = 0; i <= 11; ++i) {
        const int xt = ox + dc.Mm(BARRE * i);
        dc.MoveTo(xt, oy);
        dc.LineTo(xt, oy + dc.Mm(TRAIT));
    }
    for (int m = 0; m <= 10; ++m) {
        const int centre = ox + (dc.Mm(BARRE * m) + dc.Mm(BARRE * (m + 1))) / 2;
        Ecrit(dc, centre, oy + dc.Mm(TRAIT), diagramme.notes[static_cast<std::size_t>(m)],
              Alignement::Centre);
    }
}
