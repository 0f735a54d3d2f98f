// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Texte.h"

#include <climits>

namespace tavo {

namespace {
bool estBlanc(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
} // namespace

long ValeurEntiere(std::string_view texte)
{
    std::size_t i = 0;
    while (i < texte.size() && estBlanc(texte[i]))
        ++i;
    bool negatif = false;
    if (i < texte.size() && (texte[i] == '+' || texte[i] == '-')) {
        negatif = texte[i] == '-';
        ++i;
    }
    long valeur = 0;
    for (; i < texte.size() && texte[i] >= '0' && texte[i] <= '9'; ++i) {
        const int chiffre = texte[i] - '0';
        if (valeur > (LONG_MAX - chiffre) / 10)
            return negatif ? LONG_MIN : LONG_MAX;
        valeur = valeur * 10 + chiffre;
    }
    return negatif ? -valeur : valeur;
}

std::string SansEspaces(std::string_view texte)
{
    const auto debut = texte.find_first_not_of(' ');
    if (debut == std::string_view::npos)
        return {};
    return std::string(texte.substr(debut, texte.find_last_not_of(' ') - debut + 1));
}

std::size_t LongueurC1(std::string_view utf8, std::size_t i)
{
    if (i + 1 >= utf8.size() || static_cast<unsigned char>(utf8[i]) != 0xC2)
        return 0;
    const auto suivant = static_cast<unsigned char>(utf8[i + 1]);
    return suivant >= 0x80 && suivant < 0xA0 ? 2 : 0;
}

std::string SansControle(std::string_view utf8, bool gardeFinsDeLigne)
{
    std::string texte;
    texte.reserve(utf8.size());
    std::size_t garde = 0; // the start of the run of bytes kept as they are
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto octet = static_cast<unsigned char>(utf8[i]);
        if (octet >= 0x20 && octet < 0x7F)
            continue;
        if (const std::size_t c1 = LongueurC1(utf8, i); c1 > 0) {
            texte.append(utf8, garde, i - garde) += '?';
            i += c1 - 1;
            garde = i + 1;
        } else if (EstControle(octet) && !(gardeFinsDeLigne && octet == '\n')) {
            texte.append(utf8, garde, i - garde) += '?';
            garde = i + 1;
        }
    }
    return texte.append(utf8, garde, std::string_view::npos);
}

} // namespace tavo
