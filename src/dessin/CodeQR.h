// SPDX-License-Identifier: GPL-3.0-or-later
// QR codes of the judges' links, drawn on a device context for the screen and the paper.
#pragma once

#include "platform/DC.h"

#include <string>
#include <vector>

namespace tavo {

/** The modules of a QR code, row by row: true is dark. Empty when the text cannot be coded. */
struct CodeQR
{
    int cote = 0;
    std::vector<bool> modules;
    bool Sombre(int x, int y) const { return modules[static_cast<std::size_t>(y * cote + x)]; }
};

/** The QR code of a text (a link), at error correction level M. */
CodeQR EncodeQR(const std::string& texte);

/**
 * Draws the code in the square of side `cote` pixels at (x, y): dark modules on white,
 * with the four-module quiet zone a reader needs, each module a whole number of pixels.
 */
void DessineCodeQR(TDC& dc, const CodeQR& code, int x, int y, int cote);

} // namespace tavo
