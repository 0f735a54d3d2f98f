// SPDX-License-Identifier: GPL-3.0-or-later
// The pilot ranking after the fly-offs.
#include "model/Concours.h"
#include "presentation/Presentation.h"
#include "print/Printouts.h"
#include "scoring/Regles.h"

namespace tavo {

TTavoPrintoutFly::TTavoPrintoutFly(TConcours& concours, const TMarges& marges, int flyoffs)
    : TPrintoutDefilant(Titre(flyoffs), concours, marges)
    , RankingRule(RegleFlyOff(concours.GetCategorie(), concours.GetSerie(), concours.DepuisAn2000(),
                              flyoffs))
    , FlyOffNumber(flyoffs)
{}

QString TTavoPrintoutFly::Titre(int flyoffs)
{
    return QStringLiteral("classement après %1 fly-off").arg(flyoffs);
}

QString TTavoPrintoutFly::GetNomFichier() const
{
    return QStringLiteral("Classement après %1 fly-off").arg(FlyOffNumber);
}

TPrintoutDefilant::Tables TTavoPrintoutFly::CalculeTables()
{
    return {
        PresenteClassementFlyOff(Competition, CalculeClassementFlyOff(Competition, FlyOffNumber)),
        {}};
}

} // namespace tavo
