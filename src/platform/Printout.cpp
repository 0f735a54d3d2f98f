// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Printout.h"

namespace tavo {

TPrintout::TPrintout(const QString& titre)
    : m_titre(titre)
{}

void TPrintout::SetPrintParams(TDC* dc, TSize taillePage, TRect imprimable)
{
    m_dc = dc;
    m_taillePage = taillePage;
    m_imprimable = imprimable.Width() > 0 && imprimable.Height() > 0
                       ? imprimable
                       : TRect{0, 0, taillePage.cx, taillePage.cy};
}

void TPrintout::GetPageRange(int& minPage, int& maxPage, int& selDe, int& selA)
{
    minPage = maxPage = selDe = selA = 0;
}

} // namespace tavo
