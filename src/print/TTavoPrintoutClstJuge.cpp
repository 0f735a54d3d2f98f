// SPDX-License-Identifier: GPL-3.0-or-later
// The judges' ranking on one flight.
#include "model/Concours.h"
#include "print/Printouts.h"
#include "scoring/Presentation.h"

namespace tavo {

TTavoPrintoutClstJuge::TTavoPrintoutClstJuge(TConcours& concours, const TMarges& marges, int vol)
    : TPrintoutDefilant(QStringLiteral("classement des juges"), concours, marges)
    , FlightNumber(vol)
{}

void TTavoPrintoutClstJuge::RenderPage(int page)
{
    DebutPage();
    RendTable(page, PresenteClassementJuges(Competition,
                                            CalculeClassementJuges(Competition, FlightNumber)));
}

} // namespace tavo
