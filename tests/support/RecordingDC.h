// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DC.h"

#include <vector>

#include <QString>

namespace tavo {

/** One drawing operation recorded by `TRecordingDC`, with the state it was drawn in. */
struct TTrace
{
    enum class Type
    {
        Texte,      ///< TextOut: `Rect` is the text cell
        TexteCadre, ///< DrawText: `Rect` is the rectangle given
        Ligne,      ///< from (Rect.left, Rect.top) to (Rect.right, Rect.bottom)
        Rectangle,
        Remplissage,
        Cadre,
        Bitmap,
    };
    Type Genre = Type::Texte;
    TRect Rect;
    QString Texte;
    unsigned Format = 0;
    TColor CouleurTexte;
    TColor CouleurFond;
    int ModeFond = OPAQUE;
    TFont Police;
    TPen Stylo;
    TBrush Brosse;
};

/**
 * A device context that draws nothing and records every operation, for
 * tests. Its fonts have fixed metrics: for a character height h (the default
 * font: 16), each character is h / 2 wide, the ascent is h and the line height
 * h + h / 4.
 */
class TRecordingDC : public TDC
{
public:
    explicit TRecordingDC(int dpi = 96, int largeur = 800, int hauteur = 600);

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

    const std::vector<TTrace>& Traces() const { return m_traces; }
    /** Texts drawn by TextOut and DrawText, in drawing order. */
    QStringList Textes() const;
    /** The first text operation that drew exactly `texte`, or null. */
    const TTrace* Cherche(const QString& texte) const;
    /** Every recorded operation of one kind. */
    std::vector<TTrace> DeType(TTrace::Type genre) const;
    void Efface() { m_traces.clear(); }

private:
    int HauteurCaractere() const;
    TTrace Nouvelle(TTrace::Type genre, const TRect& rect) const;

    int m_dpi;
    int m_largeur;
    int m_hauteur;
    std::vector<TTrace> m_traces;
    TFont m_police;
    TPen m_stylo;
    TBrush m_brosse;
    TColor m_couleurTexte = TColor::Black;
    TColor m_couleurFond = TColor::White;
    int m_modeFond = OPAQUE;
    TPoint m_position;
};

} // namespace tavo
