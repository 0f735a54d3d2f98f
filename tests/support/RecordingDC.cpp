// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/RecordingDC.h"

#include <QFileInfo>
#include <QStringList>

namespace tavo {

namespace {
constexpr int HAUTEUR_DEFAUT = 16;
}

TRecordingDC::TRecordingDC(int dpi, int largeur, int hauteur)
    : m_dpi(dpi)
    , m_largeur(largeur)
    , m_hauteur(hauteur)
{
    m_police.Height = 0;
}

int TRecordingDC::GetDeviceCaps(int index) const
{
    switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY:
        return m_dpi;
    case HORZRES:
        return m_largeur;
    case VERTRES:
        return m_hauteur;
    default:
        return 0;
    }
}

void TRecordingDC::SelectObject(const TFont& font)
{
    m_police = font;
}

void TRecordingDC::SelectObject(const TPen& pen)
{
    m_stylo = pen;
}

void TRecordingDC::SelectObject(const TBrush& brush)
{
    m_brosse = brush;
}

void TRecordingDC::RestoreObjects()
{
    m_police = TFont{};
    m_police.Height = 0;
    m_stylo = TPen{};
    m_brosse = TBrush{};
}

int TRecordingDC::HauteurCaractere() const
{
    if (m_police.Height < 0)
        return -m_police.Height;
    if (m_police.Height > 0)
        return m_police.Height * 4 / 5;
    return HAUTEUR_DEFAUT;
}

TTextMetric TRecordingDC::GetTextMetrics() const
{
    const int h = HauteurCaractere();
    return TTextMetric{h + h / 4, h, h / 4, h / 2};
}

TSize TRecordingDC::GetTextExtent(const QString& texte) const
{
    const int h = HauteurCaractere();
    return TSize{static_cast<int>(texte.size()) * (h / 2), h + h / 4};
}

void TRecordingDC::SetTextColor(TColor couleur)
{
    m_couleurTexte = couleur;
}

void TRecordingDC::SetBkColor(TColor couleur)
{
    m_couleurFond = couleur;
}

void TRecordingDC::SetBkMode(int mode)
{
    m_modeFond = mode;
}

TTrace TRecordingDC::Nouvelle(TTrace::Type genre, const TRect& rect) const
{
    TTrace t;
    t.Genre = genre;
    t.Rect = rect;
    t.CouleurTexte = m_couleurTexte;
    t.CouleurFond = m_couleurFond;
    t.ModeFond = m_modeFond;
    t.Police = m_police;
    t.Stylo = m_stylo;
    t.Brosse = m_brosse;
    return t;
}

void TRecordingDC::TextOut(int x, int y, const QString& texte)
{
    const TSize taille = GetTextExtent(texte);
    TTrace t = Nouvelle(TTrace::Type::Texte, TRect{x, y, x + taille.cx, y + taille.cy});
    t.Texte = texte;
    m_traces.push_back(t);
}

void TRecordingDC::DrawText(const QString& texte, const TRect& rect, unsigned format)
{
    TTrace t = Nouvelle(TTrace::Type::TexteCadre, rect);
    t.Texte = texte;
    t.Format = format;
    m_traces.push_back(t);
}

void TRecordingDC::MoveTo(int x, int y)
{
    m_position = TPoint{x, y};
}

void TRecordingDC::LineTo(int x, int y)
{
    m_traces.push_back(Nouvelle(TTrace::Type::Ligne, TRect{m_position.x, m_position.y, x, y}));
    m_position = TPoint{x, y};
}

void TRecordingDC::Rectangle(int left, int top, int right, int bottom)
{
    m_traces.push_back(Nouvelle(TTrace::Type::Rectangle, TRect{left, top, right, bottom}));
}

void TRecordingDC::FillRect(const TRect& rect, const TBrush& brush)
{
    TTrace t = Nouvelle(TTrace::Type::Remplissage, rect);
    t.Brosse = brush;
    m_traces.push_back(t);
}

void TRecordingDC::FrameRect(const TRect& rect, const TBrush& brush)
{
    TTrace t = Nouvelle(TTrace::Type::Cadre, rect);
    t.Brosse = brush;
    m_traces.push_back(t);
}

bool TRecordingDC::StretchBitmap(const QString& chemin, const TRect& dest)
{
    TTrace t = Nouvelle(TTrace::Type::Bitmap, dest);
    t.Texte = chemin;
    m_traces.push_back(t);
    return QFileInfo(chemin).isReadable();
}

QStringList TRecordingDC::Textes() const
{
    QStringList textes;
    for (const TTrace& t : m_traces)
        if (t.Genre == TTrace::Type::Texte || t.Genre == TTrace::Type::TexteCadre)
            textes << t.Texte;
    return textes;
}

const TTrace* TRecordingDC::Cherche(const QString& texte) const
{
    for (const TTrace& t : m_traces)
        if ((t.Genre == TTrace::Type::Texte || t.Genre == TTrace::Type::TexteCadre) &&
            t.Texte == texte)
            return &t;
    return nullptr;
}

std::vector<TTrace> TRecordingDC::DeType(TTrace::Type genre) const
{
    std::vector<TTrace> resultat;
    for (const TTrace& t : m_traces)
        if (t.Genre == genre)
            resultat.push_back(t);
    return resultat;
}

} // namespace tavo
