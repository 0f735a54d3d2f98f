// SPDX-License-Identifier: GPL-3.0-or-later
// The score sheet and the ranking views: placeholders until their drawings land.
#include "app/Vues.h"

void DessineFeuilleNotes(tavo::TDC&, TTavoWindow&) {}

void DessineClassementPilotes(tavo::TDC&, int, TConcours&, int, bool) {}

bool DessineClassementFlyOff(tavo::TDC&, int, TConcours&, int)
{
    return true;
}

void DessineClassementJuges(tavo::TDC&, int, TConcours&, int) {}

void DessineDiagramme(tavo::TDC&, TConcours&, int, const std::string&) {}

void DessineProfilTBL(tavo::TDC&, int, TConcours&, int) {}
