// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PainterDC.h"

#include "platform/Lecture.h"

#include <algorithm>

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>

namespace tavo {

namespace {

QColor versQt(TColor c)
{
    return QColor(c.r, c.g, c.b);
}

QBrush brosseQt(const TBrush& brush)
{
    switch (brush.Style) {
    case StyleBrosse::Plein:
        return QBrush(versQt(brush.Color));
    case StyleBrosse::HachureDiagonale:
        return QBrush(versQt(brush.Color), Qt::FDiagPattern);
    case StyleBrosse::Vide:
        break;
    }
    return QBrush(Qt::NoBrush);
}

Qt::Alignment alignement(unsigned format)
{
    Qt::Alignment a = Qt::AlignLeft;
    if (format & DT_CENTER)
        a = Qt::AlignHCenter;
    else if (format & DT_RIGHT)
        a = Qt::AlignRight;
    return a | ((format & DT_VCENTER) ? Qt::AlignVCenter : Qt::AlignTop);
}

} // namespace

TPainterDC::TPainterDC(QPainter& painter, int dpiX, int dpiY)
    : m_painter(painter)
    , m_device(painter.device())
    , m_dpiX(dpiX > 0 ? dpiX : m_device->logicalDpiX())
    , m_dpiY(dpiY > 0 ? dpiY : m_device->logicalDpiY())
    , m_policeInitiale(painter.font())
{
    m_painter.save();
    m_painter.setRenderHint(QPainter::TextAntialiasing);
    m_painter.setPen(QPen(Qt::black, 1));
    m_painter.setBrush(Qt::white);
}

TPainterDC::~TPainterDC()
{
    m_painter.restore();
}

int TPainterDC::GetDeviceCaps(int index) const
{
    switch (index) {
    case LOGPIXELSX:
        return m_dpiX;
    case LOGPIXELSY:
        return m_dpiY;
    case HORZRES:
        return m_device->width();
    case VERTRES:
        return m_device->height();
    default:
        return 0;
    }
}

QFont TPainterDC::PoliceQt(const TFont& font) const
{
    QFont f(m_policeInitiale);
    f.setFamily(font.Face);
    f.setWeight(font.Weight >= FW_BOLD ? QFont::Bold : QFont::Normal);
    f.setItalic(font.Italic);
    if (font.Height < 0) {
        f.setPixelSize(-font.Height);
    } else if (font.Height > 0) {
        // A cell height: take off the leading the face adds around its characters.
        QFont essai(f);
        essai.setPixelSize(font.Height);
        const int cellule = QFontMetrics(essai, m_device).height();
        f.setPixelSize(std::max(1, font.Height * font.Height / std::max(1, cellule)));
    }
    return f;
}

void TPainterDC::SelectObject(const TFont& font)
{
    m_painter.setFont(PoliceQt(font));
}

void TPainterDC::SelectObject(const TPen& pen)
{
    m_stylo = pen;
    QPen p(versQt(pen.Color), std::max(1, pen.Width));
    p.setCapStyle(Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
    m_painter.setPen(p);
}

void TPainterDC::SelectObject(const TBrush& brush)
{
    m_brosse = brush;
    m_painter.setBrush(brosseQt(brush));
}

void TPainterDC::RestoreObjects()
{
    m_painter.setFont(m_policeInitiale);
    SelectObject(TPen{});
    SelectObject(TBrush{});
}

TTextMetric TPainterDC::GetTextMetrics() const
{
    const QFontMetrics m(m_painter.font(), m_device);
    return TTextMetric{m.height(), m.ascent(), m.descent(), m.averageCharWidth()};
}

TSize TPainterDC::GetTextExtent(const QString& texte) const
{
    const QFontMetrics m(m_painter.font(), m_device);
    return TSize{m.horizontalAdvance(texte), m.height()};
}

void TPainterDC::SetTextColor(TColor couleur)
{
    m_couleurTexte = couleur;
}

void TPainterDC::SetBkColor(TColor couleur)
{
    m_couleurFond = couleur;
}

void TPainterDC::SetBkMode(int mode)
{
    m_modeFond = mode;
}

void TPainterDC::PrepareTexte()
{
    m_painter.setPen(versQt(m_couleurTexte));
    m_painter.setBackground(QBrush(versQt(m_couleurFond)));
    m_painter.setBackgroundMode(m_modeFond == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
}

void TPainterDC::TextOut(int x, int y, const QString& texte)
{
    PrepareTexte();
    const QFontMetrics m(m_painter.font(), m_device);
    if (m_modeFond == OPAQUE)
        m_painter.fillRect(QRect(x, y, m.horizontalAdvance(texte), m.height()),
                           versQt(m_couleurFond));
    m_painter.drawText(QPoint(x, y + m.ascent()), texte);
    SelectObject(m_stylo);
}

void TPainterDC::DrawText(const QString& texte, const TRect& rect, unsigned format)
{
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return;
    PrepareTexte();
    m_painter.setBackgroundMode(Qt::TransparentMode);
    const QRect r(rect.left, rect.top, rect.Width(), rect.Height());
    if (m_modeFond == OPAQUE) {
        const QRect cadre = m_painter.boundingRect(r, int(alignement(format)), texte) & r;
        m_painter.fillRect(cadre, versQt(m_couleurFond));
    }
    // Text that does not fit is cut at the rectangle's edges.
    m_painter.save();
    m_painter.setClipRect(r, Qt::IntersectClip);
    m_painter.drawText(r, int(alignement(format) | Qt::TextSingleLine), texte);
    m_painter.restore();
    SelectObject(m_stylo);
}

void TPainterDC::MoveTo(int x, int y)
{
    m_position = QPoint(x, y);
}

void TPainterDC::LineTo(int x, int y)
{
    const QPoint fin(x, y);
    m_painter.drawLine(m_position, fin);
    m_position = fin;
}

void TPainterDC::Rectangle(int left, int top, int right, int bottom)
{
    // The outline lies inside the rectangle, as on the device.
    const int w = std::max(1, m_stylo.Width);
    const QRectF r(left + w / 2.0, top + w / 2.0, right - left - w, bottom - top - w);
    m_painter.drawRect(r);
}

void TPainterDC::FillRect(const TRect& rect, const TBrush& brush)
{
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return;
    m_painter.fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), brosseQt(brush));
}

void TPainterDC::FrameRect(const TRect& rect, const TBrush& brush)
{
    const QColor c = versQt(brush.Color);
    const int w = rect.Width();
    const int h = rect.Height();
    if (w <= 0 || h <= 0)
        return;
    m_painter.fillRect(QRect(rect.left, rect.top, w, 1), c);
    m_painter.fillRect(QRect(rect.left, rect.bottom - 1, w, 1), c);
    m_painter.fillRect(QRect(rect.left, rect.top, 1, h), c);
    m_painter.fillRect(QRect(rect.right - 1, rect.top, 1, h), c);
}

bool TPainterDC::StretchBitmap(const QString& chemin, const TRect& dest)
{
    const QImage image = LitImage(chemin);
    if (image.isNull())
        return false;
    m_painter.drawImage(QRect(dest.left, dest.top, dest.Width(), dest.Height()), image);
    return true;
}

} // namespace tavo
