// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Scroller.h"

#include <algorithm>

#include <QAbstractScrollArea>
#include <QScrollBar>

namespace tavo {

namespace {
int borne(long v)
{
    return static_cast<int>(std::clamp(v, 0L, 0x3FFFFFFFL));
}
} // namespace

TScroller::TScroller(QAbstractScrollArea* fenetre, int xUnit, int yUnit, long xRange, long yRange)
    : m_fenetre(fenetre)
    , m_xUnit(xUnit)
    , m_yUnit(yUnit)
{
    m_fenetre->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_fenetre->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    SetRange(xRange, yRange);
}

void TScroller::SetUnits(int xUnit, int yUnit)
{
    m_xUnit = std::max(1, xUnit);
    m_yUnit = std::max(1, yUnit);
    m_fenetre->horizontalScrollBar()->setSingleStep(1);
    m_fenetre->verticalScrollBar()->setSingleStep(1);
}

void TScroller::SetRange(long xRange, long yRange)
{
    m_xRange = std::max(0L, xRange);
    m_yRange = std::max(0L, yRange);
    QScrollBar* h = m_fenetre->horizontalScrollBar();
    QScrollBar* v = m_fenetre->verticalScrollBar();
    h->setRange(0, borne(m_xRange));
    v->setRange(0, borne(m_yRange));
    // A page of the scroll bar is what the window shows, in units.
    h->setPageStep(std::max(1, m_fenetre->viewport()->width() / std::max(1, m_xUnit)));
    v->setPageStep(std::max(1, m_fenetre->viewport()->height() / std::max(1, m_yUnit)));
}

void TScroller::ScrollTo(long x, long y)
{
    m_fenetre->horizontalScrollBar()->setValue(borne(std::min(x, m_xRange)));
    m_fenetre->verticalScrollBar()->setValue(borne(std::min(y, m_yRange)));
}

long TScroller::XPos() const
{
    return m_fenetre->horizontalScrollBar()->value();
}

long TScroller::YPos() const
{
    return m_fenetre->verticalScrollBar()->value();
}

} // namespace tavo
