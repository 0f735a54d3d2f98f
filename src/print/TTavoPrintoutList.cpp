// SPDX-License-Identifier: GPL-3.0-or-later
// The list of the pilots, by bib or by name.
#include "model/Concours.h"
#include "presentation/Presentation.h"
#include "print/Printouts.h"

namespace tavo {

TTavoPrintoutList::TTavoPrintoutList(TConcours& concours, const TMarges& marges, int ordre)
    : TPrintoutDefilant(QStringLiteral("Liste des pilotes"), concours, marges)
    , ListOrder(ordre)
{}

QString TTavoPrintoutList::GetNomFichier() const
{
    return ListOrder == 1 ? QStringLiteral("Liste des pilotes")
                          : QStringLiteral("Liste des pilotes - ordre alphabétique");
}

TPrintoutDefilant::Tables TTavoPrintoutList::CalculeTables()
{
    return {PresenteListePilotes(Competition, ListOrder == 1 ? OrdrePilotes::Dossards
                                                             : OrdrePilotes::Alphabetique),
            {}};
}

} // namespace tavo
