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

// The drawn views of the score sheet and the rankings. Each recomputes what it shows
// and draws into a width of `largeur` pixels from the origin.

/** The score sheet being typed in (mode 3). */
void DessineFeuilleNotes(tavo::TDC& dc, TTavoWindow& fenetre);
/** Pilot ranking after n flights (1 to 4). */
void DessineClassementPilotes(tavo::TDC& dc, int largeur, TConcours& concours, int n,
                              bool rapport1000);
/** Fly-off ranking after k fly-offs (1 to 4); false when the category has no rule for it. */
bool DessineClassementFlyOff(tavo::TDC& dc, int largeur, TConcours& concours, int k);
/** Judge ranking of flight v (1 to 7). */
void DessineClassementJuges(tavo::TDC& dc, int largeur, TConcours& concours, int v);
/** Score diagram of judge j (1 to 5). */
void DessineDiagramme(tavo::TDC& dc, TConcours& concours, int j, const std::string& repProgrammes);
/** TBL profile of the judges on flight v (1 to 7). */
void DessineProfilTBL(tavo::TDC& dc, int largeur, TConcours& concours, int v);
