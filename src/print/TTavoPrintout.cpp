// SPDX-License-Identifier: GPL-3.0-or-later
// The pilot ranking after N flights.
#include "model/Concours.h"
#include "presentation/Presentation.h"
#include "print/Printouts.h"
#include "scoring/Regles.h"

namespace tavo {

TTavoPrintout::TTavoPrintout(TConcours& concours, const TMarges& marges, int vols, bool rapport1000)
    : TPrintoutDefilant(Titre(vols), concours, marges)
    , RankingRule(RegleApresVols(concours.GetCategorie(), vols))
    , FlightCount(vols)
    , Rapport1000(rapport1000)
{}

QString TTavoPrintout::Titre(int vols)
{
    return vols == 1 ? QStringLiteral("classement après 1 vol")
                     : QStringLiteral("classement après %1 vols").arg(vols);
}

QString TTavoPrintout::GetNomFichier() const
{
    return FlightCount == 1 ? QStringLiteral("Classement après 1 vol")
                            : QStringLiteral("Classement après %1 vols").arg(FlightCount);
}

TPrintoutDefilant::Tables TTavoPrintout::CalculeTables()
{
    return {PresenteClassementVols(Competition,
                                   CalculeClassementVols(Competition, FlightCount, Rapport1000)),
            {}};
}

} // namespace tavo
