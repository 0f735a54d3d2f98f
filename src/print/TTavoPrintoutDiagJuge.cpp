// SPDX-License-Identifier: GPL-3.0-or-later
// One judge's marks over the competition, as a bar chart.
#include "model/Concours.h"
#include "presentation/Presentation.h"
#include "print/Printouts.h"

#include <algorithm>
#include <cmath>

namespace tavo {

namespace {
constexpr int EPAIS = 4;
// Pitch of the bars' hatch, in hundredths of a millimetre.
constexpr int PAS_HACHURE = 150;
} // namespace

TTavoPrintoutDiagJuge::TTavoPrintoutDiagJuge(TConcours& concours, const TMarges& marges, int juge,
                                             const std::string& repProgrammes)
    : TPrintoutConcours(QStringLiteral("Diagramme des notes"), concours, marges)
    , RepProgrammes(repProgrammes)
    , JudgeNumber(juge)
{}

void TTavoPrintoutDiagJuge::Barre(const TRect& r)
{
    if (r.Height() <= 0)
        return;
    // The forward-diagonal hatch, drawn line by line inside the bar: a device's own
    // hatch keeps a pitch of a few pixels, a grey smear on a printer.
    Dc().SelectObject(Stylo(1));
    const int pas = std::max(1, Mm100(PAS_HACHURE));
    for (int c = r.top - r.right + pas; c < r.bottom - r.left; c += pas) {
        // Points of y = x + c inside the bar.
        const int x1 = std::max(r.left, r.top - c);
        const int x2 = std::min(r.right, r.bottom - c);
        if (x1 < x2)
            Ligne(x1, x1 + c, x2, x2 + c);
    }
    Dc().SelectObject(Stylo(EPAIS));
    Dc().SelectObject(TBrush{TColor::White, StyleBrosse::Vide});
    Dc().Rectangle(r.left, r.top, r.right, r.bottom);
}

void TTavoPrintoutDiagJuge::RenderPage(int)
{
    DebutPage();
    const DiagrammeVue diagramme =
        PresenteDiagramme(Competition, CalculeDiagramme(Competition, JudgeNumber, RepProgrammes));
    const int cx = W() / 2;
    const int cy = H() / 2;

    Dc().SelectObject(Stylo(EPAIS));
    Dc().SelectObject(TBrush{TColor::White, StyleBrosse::Vide});
    Dc().Rectangle(cx - Mm100(11000), cy - Mm100(8000), cx + Mm100(11000), cy + Mm100(8000));

    const int h20b = Choisit(Police(20, FW_BOLD));
    const int yTitre = cy - Mm100(8000) + Mm100(700);
    Centre(yTitre, QString::fromStdString(diagramme.titre));
    Choisit(Police(14));
    Centre(yTitre + h20b, QString::fromStdString(diagramme.lieu));

    const int h16 = Choisit(Police(16));
    const int xBloc = cx + Mm100(7000);
    CentreSur(xBloc, cy - Mm100(3000), QString::fromStdString(diagramme.nom));
    CentreSur(xBloc, cy - Mm100(3000) + h16, QString::fromStdString(diagramme.moyenne));
    CentreSur(xBloc, cy - Mm100(3000) + 2 * h16, QString::fromStdString(diagramme.ecartType));

    const int ox = cx - Mm100(8000);
    const int oy = cy + Mm100(6500);
    const int dpi = Dc().GetDeviceCaps(LOGPIXELSY);
    for (int v = 0; v <= 10; ++v) {
        const double p = diagramme.pourcentages[static_cast<std::size_t>(v)];
        const int hauteur = static_cast<int>(std::lround(p * 250.0 * dpi / 2540.0));
        Barre(TRect{ox + Mm100(1100 * v), oy - hauteur, ox + Mm100(1100 * (v + 1)), oy});
    }

    Dc().SelectObject(Stylo(EPAIS));
    Ligne(ox, oy, ox, oy - Mm100(12500));
    Ligne(ox, oy, ox + Mm100(12100), oy);
    const int h14 = Choisit(Police(14));
    for (int j = 0; j <= 5; ++j) {
        const int y = oy - Mm100(2500 * j);
        Ligne(ox, y, ox - Mm100(300), y);
        ADroite(ox - Mm100(600), y - h14 / 2,
                QString::fromStdString(diagramme.graduations[static_cast<std::size_t>(j)]));
    }
    for (int l = 0; l <= 11; ++l)
        Ligne(ox + Mm100(1100 * l), oy, ox + Mm100(1100 * l), oy + Mm100(300));
    for (int v = 0; v <= 10; ++v)
        CentreSur(ox + Mm100(1100 * v + 550), oy + Mm100(300),
                  QString::fromStdString(diagramme.notes[static_cast<std::size_t>(v)]));
    Pied(Bas() - 2 * h(Police(10)));
}

} // namespace tavo
