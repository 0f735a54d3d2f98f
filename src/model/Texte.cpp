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

} // namespace tavo
