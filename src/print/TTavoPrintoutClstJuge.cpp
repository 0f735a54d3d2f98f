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

TPrintoutDefilant::Tables TTavoPrintoutClstJuge::CalculeTables()
{
    ClassementJuges classement = CalculeClassementJuges(Competition, FlightNumber);
    std::optional<TableVue> accord;
    if (Accord)
        accord = PresenteAccord(Competition, CalculeAccord(classement));
    return {PresenteClassementJuges(Competition, std::move(classement)), std::move(accord)};
}

} // namespace tavo
