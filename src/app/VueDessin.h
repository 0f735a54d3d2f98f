// SPDX-License-Identifier: GPL-3.0-or-later
// What the drawn ranking and statistics views share.
#pragma once

#include "dessin/TableauDC.h"

#include <string>

class TConcours;

namespace tavo::vues {

/** White text drawn in transparent mode, as on every drawn view. */
void PrepareEncre(TDC& dc);

/** The top margin of the views with a title block: 1 mm. */
int MargeHaut(const TDC& dc);

/**
 * The view of flight v whose programme file has gone since it was entered: its title block
 * and the message, rather than scores computed with the wrong K factors.
 */
void DessineProgrammeIntrouvable(TDC& dc, int largeur, const TConcours& concours, GenreVue genre,
                                 int v);

/**
 * A ranking view: its title block and its table centred in a drawing `largeur`
 * pixels wide, the rules and rows drawn as far as they meet `visible`; given
 * `lu`, the column heads and the rows drawn as text, one row a line.
 */
void DessineTableVue(TDC& dc, int largeur, const TableVue& table, const TRect& visible,
                     std::string* lu = nullptr);

} // namespace tavo::vues
