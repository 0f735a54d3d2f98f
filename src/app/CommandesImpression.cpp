// SPDX-License-Identifier: GPL-3.0-or-later
// The print commands of the main window: placeholders until the printouts land.
#include "app/TTavoWindow.h"

bool TTavoWindow::CommandeImpression(int)
{
    return false;
}

void TTavoWindow::ImpressionAutoFeuille() {}
