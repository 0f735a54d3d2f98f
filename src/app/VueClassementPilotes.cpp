// SPDX-License-Identifier: GPL-3.0-or-later
// The pilot rankings after N flights and after k fly-offs.
#include "app/DessinVues.h"
#include "app/VueDessin.h"
#include "presentation/Presentation.h"

using namespace tavo;

void DessineClassementPilotes(TDC& dc, int largeur, TConcours& concours, int n, bool rapport1000,
                              const TRect& visible, std::string* lu)
{
    vues::DessineTableVue(
        dc, largeur,
        PresenteClassementVols(concours, CalculeClassementVols(concours, n, rapport1000)), visible,
        lu);
}

bool DessineClassementFlyOff(TDC& dc, int largeur, TConcours& concours, int k, const TRect& visible,
                             std::string* lu)
{
    ClassementFlyOff classement = CalculeClassementFlyOff(concours, k);
    if (classement.regle == 0)
        return false;
    vues::DessineTableVue(dc, largeur, PresenteClassementFlyOff(concours, std::move(classement)),
                          visible, lu);
    return true;
}
