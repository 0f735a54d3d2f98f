// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Cp1252.h"

#include <array>

namespace tavo {

namespace {

// Code points of the bytes 0x80 to 0x9F; undefined bytes keep their C1 value.
constexpr std::array<char32_t, 32> bloc80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void ajouteUtf8(std::string& sortie, char32_t cp)
{
    if (cp < 0x80) {
        sortie += static_cast<char>(cp);
    } else if (cp < 0x800) {
        sortie += static_cast<char>(0xC0 | (cp >> 6));
        sortie += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        sortie += static_cast<char>(0xE0 | (cp >> 12));
        sortie += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        sortie += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The byte of a code point, or -1 when the code page has none.
int octetDe(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (std::size_t i = 0; i < bloc80.size(); ++i)
        if (bloc80[i] == cp)
            return static_cast<int>(0x80 + i);
    return -1;
}

char octetPour(char32_t cp)
{
    const int octet = octetDe(cp);
    return octet < 0 ? '?' : static_cast<char>(octet);
}

// Decodes one UTF-8 sequence at position i; returns false on an invalid one.
bool decodeUtf8(std::string_view s, std::size_t& i, char32_t& cp)
{
    const auto c = static_cast<unsigned char>(s[i]);
    int suite = 0;
    if (c < 0x80) {
        cp = c;
    } else if ((c & 0xE0) == 0xC0) {
        cp = c & 0x1F;
        suite = 1;
    } else if ((c & 0xF0) == 0xE0) {
        cp = c & 0x0F;
        suite = 2;
    } else if ((c & 0xF8) == 0xF0) {
        cp = c & 0x07;
        suite = 3;
    } else {
        ++i;
        return false;
    }
    if (suite > 0 && i + suite >= s.size()) {
        ++i;
        return false;
    }
    for (int k = 1; k <= suite; ++k) {
        const auto t = static_cast<unsigned char>(s[i + k]);
        if ((t & 0xC0) != 0x80) {
            ++i;
            return false;
        }
        cp = (cp << 6) | (t & 0x3F);
    }
    static constexpr char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
    i += suite + 1;
    return cp >= minimum[suite] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
}

} // namespace

bool DansCp1252(char32_t cp)
{
    return octetDe(cp) >= 0;
}

char32_t CodePointCp1252(unsigned char octet)
{
    if (octet >= 0x80 && octet < 0xA0)
        return bloc80[octet - 0x80];
    return octet;
}

std::string Cp1252VersUtf8(std::string_view cp1252)
{
    std::string sortie;
    sortie.reserve(cp1252.size() + cp1252.size() / 4);
    for (char c : cp1252)
        ajouteUtf8(sortie, CodePointCp1252(static_cast<unsigned char>(c)));
    return sortie;
}

std::string Utf8VersCp1252(std::string_view utf8)
{
    std::string sortie;
    sortie.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        sortie += decodeUtf8(utf8, i, cp) ? octetPour(cp) : '?';
    }
    return sortie;
}

} // namespace tavo
