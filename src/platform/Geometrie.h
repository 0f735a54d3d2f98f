// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace tavo {

/** An RGB colour, with the named colours the views and printouts use. */
struct TColor
{
    int r = 0;
    int g = 0;
    int b = 0;

    friend bool operator==(const TColor&, const TColor&) = default;

    static const TColor Black;
    static const TColor White;
    static const TColor LtBlue;  ///< red 0, green 0, blue 255: the windows' background
    static const TColor LtGray;  ///< 192, 192, 192
    static const TColor LtGreen; ///< 0, 255, 0
    static const TColor Purple;  ///< 128, 0, 128
    static const TColor LtRed;   ///< 255, 0, 0
};

inline constexpr TColor TColor::Black{0, 0, 0};
inline constexpr TColor TColor::White{255, 255, 255};
inline constexpr TColor TColor::LtBlue{0, 0, 255};
inline constexpr TColor TColor::LtGray{192, 192, 192};
inline constexpr TColor TColor::LtGreen{0, 255, 0};
inline constexpr TColor TColor::Purple{128, 0, 128};
inline constexpr TColor TColor::LtRed{255, 0, 0};

struct TPoint
{
    int x = 0;
    int y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize
{
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

/** A rectangle whose right and bottom edges are outside it, as on the device. */
struct TRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contient(const TRect& autre) const
    {
        return autre.left >= left && autre.top >= top && autre.right <= right &&
               autre.bottom <= bottom;
    }
    friend bool operator==(const TRect&, const TRect&) = default;
};

/**
 * a × b / c computed on 64 bits and rounded to the nearest integer, halves
 * away from zero; -1 when c is 0. The conversion of points and millimetres
 * into device pixels.
 */
constexpr int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t produit = static_cast<std::int64_t>(a) * b;
    const bool negatif = (produit < 0) != (c < 0);
    const std::int64_t n = produit < 0 ? -produit : produit;
    const std::int64_t d = c < 0 ? -static_cast<std::int64_t>(c) : c;
    const std::int64_t q = (n + d / 2) / d;
    return static_cast<int>(negatif ? -q : q);
}

/** Points (1/72 inch) to device pixels. */
constexpr int PointsEnPixels(int points, int dpi)
{
    return MulDiv(points, dpi, 72);
}

/** Tenths of a millimetre to device pixels. */
constexpr int DixiemesMmEnPixels(int dixiemes, int dpi)
{
    return MulDiv(dixiemes, dpi, 254);
}

/** Hundredths of a millimetre to device pixels. */
constexpr int CentiemesMmEnPixels(int centiemes, int dpi)
{
    return MulDiv(centiemes, dpi, 2540);
}

} // namespace tavo
