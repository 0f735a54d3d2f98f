// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Geometrie.h"

#include <string>

namespace tavo {
class TDC;
}
class TConcours;
class TTavoWindow;

/** Characteristics of the competition, laid out on the whole client rectangle. */
void DessineCaracteristiques(tavo::TDC& dc, const tavo::TRect& client, const TConcours& concours);

/** The five judge rows and the judges of the competition, on the whole client rectangle. */
void DessineJuges(tavo::TDC& dc, const tavo::TRect& client, const TConcours& concours);

// The score sheet (mode 3): pixel coordinates in the sheet's own space.

/** The whole sheet of the window's current pilot and flight. */
void DessineFeuilleNotes(tavo::TDC& dc, TTavoWindow& fenetre);
/**
 * Moves the highlight within judge column `colonne` from line `ancienne` to
 * line `nouvelle`: the old cell drawn plain, the new one in light green when
 * `surbrillance` is set.
 */
void DessineSurbrillance(tavo::TDC& dc, const TTavoWindow& fenetre, short colonne, short ancienne,
                         short nouvelle, bool surbrillance);
/** The sheet's cell of judge column c and line l (both from 1). */
tavo::TRect CelluleFeuille(int colonne, int ligne);
/** The sheet's header cell of judge column c. */
tavo::TRect EnteteFeuille(int colonne);

// The ranking and statistics views. Each recomputes what it shows at every
// paint and draws into a width of `largeur` pixels from the origin; the
// tables draw only the rows that meet `visible` (drawing coordinates).

/** Pilot ranking after n flights (1 to 4). */
void DessineClassementPilotes(tavo::TDC& dc, int largeur, TConcours& concours, int n,
                              bool rapport1000, const tavo::TRect& visible);
/** Fly-off ranking after k fly-offs (1 to 4); false when the category has no rule for it. */
bool DessineClassementFlyOff(tavo::TDC& dc, int largeur, TConcours& concours, int k,
                             const tavo::TRect& visible);
/** Forgets the rows the drawn views keep between paints: a command or a key may change them. */
void OublieClassementsAffiches();
/**
 * Judge ranking of flight v (1 to 7), its programme loaded again from `repProgrammes` at
 * each paint; its rows are recomputed when that programme, the competition or the flight
 * differ from the last paint's, or after `OublieClassementsAffiches`.
 */
void DessineClassementJuges(tavo::TDC& dc, int largeur, TConcours& concours, int v,
                            const std::string& repProgrammes, const tavo::TRect& visible);
/** Score diagram of judge j (1 to 5). */
void DessineDiagramme(tavo::TDC& dc, TConcours& concours, int j, const std::string& repProgrammes);
/** TBL profile of the judges on flight v (1 to 7), its programme loaded again. */
void DessineProfilTBL(tavo::TDC& dc, int largeur, TConcours& concours, int v,
                      const std::string& repProgrammes);
