// SPDX-License-Identifier: GPL-3.0-or-later
// A judge's score diagram drawn on a device context, the same drawing on the screen and on paper.
#pragma once

#include "platform/DC.h"
#include "presentation/Presentation.h"

namespace tavo {

/**
 * Where the diagram stands and how it is inked. Points are device pixels; distances are
 * hundredths of a millimetre.
 */
struct MiseEnPageDiagramme
{
    TPoint titre;    ///< top centre of the title, the place under it
    TPoint bloc;     ///< top centre of the judge's name, mean and standard deviation
    TPoint origine;  ///< where the axes meet
    int barre;       ///< width of a bar
    int dixPourcent; ///< height of 10 %, ticked up to 50 %
    int trait;       ///< length of a tick
    TPen stylo;      ///< the axes and the bars' outline
    TBrush fond;     ///< the bars' fill
    /**
     * When not 0, the bars' forward-diagonal hatch is drawn line by line at this pitch with
     * `styloHachure`: a printer's own hatch keeps a pitch of a few pixels, a grey smear on paper.
     */
    int pasHachure = 0;
    TPen styloHachure{};
};

/** The diagram: title and place, the judge's block, the eleven bars and both axes. */
void DessineDiagramme(TDC& dc, const DiagrammeVue& diagramme, const MiseEnPageDiagramme& mise);

} // namespace tavo
