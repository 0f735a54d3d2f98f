// SPDX-License-Identifier: GPL-3.0-or-later
// One judge's marks over the competition, as a bar chart.
#include "dessin/DiagrammeDC.h"
#include "model/Concours.h"
#include "presentation/Presentation.h"
#include "print/Printouts.h"

namespace tavo {

namespace {
constexpr int EPAIS = 4;
// Pitch of the bars' hatch drawn line by line, in hundredths of a millimetre.
constexpr int PAS_HACHURE = 150;
} // namespace

TTavoPrintoutDiagJuge::TTavoPrintoutDiagJuge(TConcours& concours, const TMarges& marges, int juge,
                                             const std::string& repProgrammes)
    : TPrintoutConcours(QStringLiteral("Diagramme des notes"), concours, marges)
    , RepProgrammes(repProgrammes)
    , JudgeNumber(juge)
{}

QString TTavoPrintoutDiagJuge::GetNomFichier() const
{
    return QStringLiteral("Diagramme du juge %1").arg(JudgeNumber);
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

    const int yTitre = cy - Mm100(8000) + Mm100(700);
    MiseEnPageDiagramme mise{};
    mise.titre = TPoint{cx, yTitre};
    mise.bloc = TPoint{cx + Mm100(7000), cy - Mm100(3000)};
    mise.origine = TPoint{cx - Mm100(8000), cy + Mm100(6500)};
    mise.barre = 1100;
    mise.dixPourcent = 2500;
    mise.trait = 300;
    mise.stylo = Stylo(EPAIS);
    mise.fond = TBrush{TColor::White, StyleBrosse::Vide};
    mise.pasHachure = PAS_HACHURE;
    mise.styloHachure = Stylo(1);
    DessineDiagramme(Dc(), diagramme, mise);
    Pied(Bas() - 2 * h(Police(10)));
}

} // namespace tavo
