// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Geometrie.h"

#include <QString>

namespace tavo {

/** Indices of `TDC::GetDeviceCaps`. */
enum CapaciteDC : int
{
    LOGPIXELSX = 88, ///< logical pixels per inch along x
    LOGPIXELSY = 90, ///< logical pixels per inch along y
    HORZRES = 8,     ///< drawable width in pixels
    VERTRES = 10,    ///< drawable height in pixels
};

/** Background modes of text output. */
enum ModeFond : int
{
    TRANSPARENT = 1,
    OPAQUE = 2,
};

/** Formats of `TDC::DrawText`; the horizontal one is combined with the others. */
enum FormatTexte : unsigned
{
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_SINGLELINE = 0x20,
};

constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
/** Variable pitch, roman family: the printouts' fonts. */
constexpr int VARIABLE_PITCH_FF_ROMAN = 0x12;

/**
 * A font as the drawings ask for it. A negative height is a character height
 * in device pixels (the usual request), a positive one a cell height, 0 the
 * device's default size.
 */
struct TFont
{
    QString Face = QStringLiteral("Times New Roman");
    int Height = 0;
    int Weight = FW_NORMAL;
    bool Italic = false;
    int PitchAndFamily = VARIABLE_PITCH_FF_ROMAN;

    /** A font of `points` points for a device of `dpi` pixels per inch. */
    static TFont Points(int points, int dpi, int weight = FW_NORMAL, bool italic = false,
                        const QString& face = QStringLiteral("Times New Roman"))
    {
        return TFont{face, -PointsEnPixels(points, dpi), weight, italic, VARIABLE_PITCH_FF_ROMAN};
    }
    friend bool operator==(const TFont&, const TFont&) = default;
};

/** A solid pen of a width in device pixels (0 or 1: one pixel). */
struct TPen
{
    TColor Color = TColor::Black;
    int Width = 1;
    friend bool operator==(const TPen&, const TPen&) = default;
};

enum class StyleBrosse
{
    Plein,
    HachureDiagonale, ///< forward diagonal hatch: lines falling from top left to bottom right
    Vide,             ///< no fill
};

struct TBrush
{
    TColor Color = TColor::White;
    StyleBrosse Style = StyleBrosse::Plein;
    friend bool operator==(const TBrush&, const TBrush&) = default;
};

/** The text metrics the layouts use: `tmHeight` is the line height (ascent + descent). */
struct TTextMetric
{
    int tmHeight = 0;
    int tmAscent = 0;
    int tmDescent = 0;
    int tmAveCharWidth = 0;
};

/**
 * A device context: what every drawing of the program (views, printouts) asks
 * of the screen, the printer or a PDF. Coordinates are device pixels, y
 * downwards; text is placed by the top of its cell. Selected objects stay
 * selected until another is selected or `RestoreObjects` is called.
 */
class TDC
{
public:
    virtual ~TDC() = default;

    virtual int GetDeviceCaps(int index) const = 0;

    virtual void SelectObject(const TFont& font) = 0;
    virtual void SelectObject(const TPen& pen) = 0;
    virtual void SelectObject(const TBrush& brush) = 0;
    /** Back to the font, pen and brush the context had when it was made. */
    virtual void RestoreObjects() = 0;

    virtual TTextMetric GetTextMetrics() const = 0;
    virtual TSize GetTextExtent(const QString& texte) const = 0;

    virtual void SetTextColor(TColor couleur) = 0;
    virtual void SetBkColor(TColor couleur) = 0;
    virtual void SetBkMode(int mode) = 0;

    /** Text with the top left of its cell at (x, y). */
    virtual void TextOut(int x, int y, const QString& texte) = 0;
    /** Single-line text aligned in a rectangle by `format` (`FormatTexte`), cut at its edges. */
    virtual void DrawText(const QString& texte, const TRect& rect, unsigned format) = 0;

    virtual void MoveTo(int x, int y) = 0;
    /** A line from the current position with the selected pen; (x, y) becomes the position. */
    virtual void LineTo(int x, int y) = 0;
    /** Outline with the selected pen, inside filled with the selected brush. */
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    /** Fills a rectangle; an empty or inverted one draws nothing. */
    virtual void FillRect(const TRect& rect, const TBrush& brush) = 0;
    /** A one-pixel outline just inside the rectangle. */
    virtual void FrameRect(const TRect& rect, const TBrush& brush) = 0;

    /** A bitmap file stretched into a rectangle; false when the file cannot be read. */
    virtual bool StretchBitmap(const QString& chemin, const TRect& dest) = 0;

    /** Fills with a solid colour. */
    void FillRect(const TRect& rect, TColor couleur) { FillRect(rect, TBrush{couleur}); }
    /** Length of x tenths of a millimetre along the vertical resolution. */
    int Mm(int dixiemes) const { return DixiemesMmEnPixels(dixiemes, GetDeviceCaps(LOGPIXELSY)); }
    /** Character height of a font of n points along the vertical resolution. */
    int Pt(int points) const { return PointsEnPixels(points, GetDeviceCaps(LOGPIXELSY)); }
};

} // namespace tavo
