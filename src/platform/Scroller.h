// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAbstractScrollArea;

namespace tavo {

/**
 * Scrolls a window's drawing in units of some pixels. The position and the
 * ranges are in units; the drawing is offset by position × unit. Positions
 * are kept within 0 and the range. The scroll bars of the window show the
 * ranges (hidden when a range is 0).
 */
class TScroller
{
public:
    TScroller(QAbstractScrollArea* fenetre, int xUnit, int yUnit, long xRange, long yRange);

    void SetUnits(int xUnit, int yUnit);
    void SetRange(long xRange, long yRange);
    void ScrollTo(long x, long y);
    void ScrollBy(long dx, long dy) { ScrollTo(XPos() + dx, YPos() + dy); }

    int XUnit() const { return m_xUnit; }
    int YUnit() const { return m_yUnit; }
    long XRange() const { return m_xRange; }
    long YRange() const { return m_yRange; }
    long XPos() const;
    long YPos() const;
    /** The drawing's offset in pixels. */
    long XOffset() const { return XPos() * m_xUnit; }
    long YOffset() const { return YPos() * m_yUnit; }

private:
    QAbstractScrollArea* m_fenetre;
    int m_xUnit;
    int m_yUnit;
    long m_xRange = 0;
    long m_yRange = 0;
};

} // namespace tavo
