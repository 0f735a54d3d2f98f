// SPDX-License-Identifier: GPL-3.0-or-later
#include "dessin/CodeQR.h"

#include <memory>

#include <qrencode.h>

namespace tavo {

namespace {
constexpr int MARGE = 4; ///< the quiet zone, in modules
}

CodeQR EncodeQR(const std::string& texte)
{
    CodeQR code;
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> qr(
        QRcode_encodeString8bit(texte.c_str(), 0, QR_ECLEVEL_M), &QRcode_free);
    if (!qr)
        return code;
    code.cote = qr->width;
    code.modules.resize(static_cast<std::size_t>(qr->width * qr->width));
    for (std::size_t i = 0; i < code.modules.size(); ++i)
        code.modules[i] = (qr->data[i] & 1) != 0;
    return code;
}

void DessineCodeQR(TDC& dc, const CodeQR& code, int x, int y, int cote)
{
    dc.FillRect(TRect{x, y, x + cote, y + cote}, TColor::White);
    if (code.cote == 0)
        return;
    const int total = code.cote + 2 * MARGE;
    const int module = cote / total;
    if (module < 1)
        return;
    // Centred in the square: the pixels a whole module cannot use are shared out as margin.
    const int x0 = x + (cote - module * total) / 2 + MARGE * module;
    const int y0 = y + (cote - module * total) / 2 + MARGE * module;
    for (int j = 0; j < code.cote; ++j)
        for (int i = 0; i < code.cote; ++i)
            if (code.Sombre(i, j))
                dc.FillRect(TRect{x0 + i * module, y0 + j * module, x0 + (i + 1) * module,
                                  y0 + (j + 1) * module},
                            TColor::Black);
}

} // namespace tavo
