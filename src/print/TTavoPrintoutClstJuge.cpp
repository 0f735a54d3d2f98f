// SPDX-License-Identifier: GPL-3.0-or-later
// The judges' ranking on one flight.
#include "model/Concours.h"
#include "presentation/Presentation.h"
#include "print/Printouts.h"
#include "scoring/Accord.h"

namespace tavo {

TTavoPrintoutClstJuge::TTavoPrintoutClstJuge(TConcours& concours, const TMarges& marges, int vol,
                                             bool accord)
    : TPrintoutDefilant(QStringLiteral("classement des juges"), concours, marges)
    , FlightNumber(vol)
    , Accord(accord)
{}

QString TTavoPrintoutClstJuge::GetNomFichier() const
{
    return QStringLiteral("Classement des juges - vol %1").arg(FlightNumber);
}

void TTavoPrintoutClstJuge::RenderPage(int page)
{
    DebutPage();
    ClassementJuges classement = CalculeClassementJuges(Competition, FlightNumber);
    if (!Accord) {
        RendTable(page, PresenteClassementJuges(Competition, std::move(classement)));
        return;
    }
    const TableVue accord = PresenteAccord(Competition, CalculeAccord(classement));
    RendTable(page, PresenteClassementJuges(Competition, std::move(classement)), &accord);
}

} // namespace tavo
