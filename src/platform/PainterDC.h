// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DC.h"

#include <QFont>
#include <QPoint>

class QPainter;
class QPaintDevice;

namespace tavo {

/**
 * The device context of a window, a printer or a PDF: draws with a QPainter
 * that is already open on its device. Fonts are measured for that device, so
 * a printer's metrics are the printer's. The painter's state is restored when
 * the context is destroyed.
 */
class TPainterDC : public TDC
{
public:
    /** `dpiX`/`dpiY` 0: the painter device's logical resolution. */
    explicit TPainterDC(QPainter& painter, int dpiX = 0, int dpiY = 0);
    ~TPainterDC() override;
    TPainterDC(const TPainterDC&) = delete;
    TPainterDC& operator=(const TPainterDC&) = delete;

    int GetDeviceCaps(int index) const override;
    void SelectObject(const TFont& font) override;
    void SelectObject(const TPen& pen) override;
    void SelectObject(const TBrush& brush) override;
    void RestoreObjects() override;
    TTextMetric GetTextMetrics() const override;
    TSize GetTextExtent(const QString& texte) const override;
    void SetTextColor(TColor couleur) override;
    void SetBkColor(TColor couleur) override;
    void SetBkMode(int mode) override;
    void TextOut(int x, int y, const QString& texte) override;
    void DrawText(const QString& texte, const TRect& rect, unsigned format) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void FillRect(const TRect& rect, const TBrush& brush) override;
    void FrameRect(const TRect& rect, const TBrush& brush) override;
    bool StretchBitmap(const QString& chemin, const TRect& dest) override;
    using TDC::FillRect;

    /** The Qt font for a requested font on this device. */
    QFont PoliceQt(const TFont& font) const;

private:
    void PrepareTexte();

    QPainter& m_painter;
    QPaintDevice* m_device;
    int m_dpiX;
    int m_dpiY;
    QFont m_policeInitiale;
    TColor m_couleurTexte = TColor::Black;
    TColor m_couleurFond = TColor::White;
    int m_modeFond = OPAQUE;
    TPen m_stylo;
    TBrush m_brosse;
    QPoint m_position;
};

} // namespace tavo
