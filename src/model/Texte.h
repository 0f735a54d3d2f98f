// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace tavo {

/**
 * Copies a text into a fixed-capacity field, cutting it to capacity - 1 bytes.
 * The field is always NUL-terminated; a null source gives an empty text.
 */
template <std::size_t N> void CopieTexte(char (&champ)[N], const char* source)
{
    static_assert(N > 0);
    std::size_t n = 0;
    if (source) {
        while (n < N - 1 && source[n] != '\0')
            ++n;
        std::memcpy(champ, source, n);
    }
    champ[n] = '\0';
}

template <std::size_t N> void CopieTexte(char (&champ)[N], std::string_view source)
{
    static_assert(N > 0);
    std::size_t n = source.size() < N - 1 ? source.size() : N - 1;
    const std::size_t nul = source.substr(0, n).find('\0');
    if (nul != std::string_view::npos)
        n = nul;
    std::memcpy(champ, source.data(), n);
    champ[n] = '\0';
}

/**
 * Integer value of a text as a C decimal conversion reads it: leading blanks
 * skipped, optional sign, digits up to the first non-digit; 0 when there are none.
 * Saturates instead of overflowing.
 */
long ValeurEntiere(std::string_view texte);

/** Whether a byte is a C0 control character or DEL. */
constexpr bool EstControle(unsigned char octet)
{
    return octet < 0x20 || octet == 0x7F;
}

/** The length of the C1 control character (U+0080 to U+009F, two bytes in UTF-8) at `i`, or 0. */
std::size_t LongueurC1(std::string_view utf8, std::size_t i);

/** The text without its leading and trailing spaces. */
std::string SansEspaces(std::string_view texte);

/**
 * The UTF-8 text with every control character (C0, DEL, and C1, which the
 * Windows-1252 conversion gives for its undefined bytes) replaced by '?',
 * the line feed kept when `gardeFinsDeLigne`: texts of a file never drive a
 * terminal nor break a page.
 */
std::string SansControle(std::string_view utf8, bool gardeFinsDeLigne);

} // namespace tavo
