// SPDX-License-Identifier: GPL-3.0-or-later
// A judge's score diagram: the share of each mark 0 to 10 over the competition.
#include "app/DessinVues.h"
#include "app/VueDessin.h"
#include "dessin/DiagrammeDC.h"
#include "model/Concours.h"
#include "presentation/Presentation.h"

using namespace tavo;
using namespace tavo::vues;

namespace {

// Placement in hundredths of a millimetre.
constexpr int LARGEUR = 19800;
constexpr int HAUTEUR = 13970;

} // namespace

void DessineDiagramme(TDC& dc, TConcours& concours, int j, const std::string& repProgrammes)
{
    DessineDiagramme(dc, PresenteDiagramme(concours, CalculeDiagramme(concours, j, repProgrammes)));
}

void DessineDiagramme(TDC& dc, const DiagrammeVue& diagramme)
{
    PrepareEncre(dc);
    const int dpi = dc.GetDeviceCaps(LOGPIXELSY);
    const auto mm = [dpi](int centiemes) { return CentiemesMmEnPixels(centiemes, dpi); };
    MiseEnPageDiagramme mise{};
    mise.titre = TPoint{mm(LARGEUR) / 2, mm(200)};
    mise.bloc = TPoint{mm(LARGEUR - 3600), mm(4500)};
    mise.origine = TPoint{mm(2700), mm(HAUTEUR - 1350)};
    mise.barre = 990;
    mise.dixPourcent = 2250;
    mise.trait = 270;
    mise.stylo = TPen{TColor::White, 2};
    mise.fond = TBrush{TColor::White, StyleBrosse::HachureDiagonale};
    tavo::DessineDiagramme(dc, diagramme, mise);
}
