// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/EcritureTexte.h"

#include <charconv>

namespace tavo {

void AjouteEntier(std::string& sortie, long long valeur)
{
    char tampon[24];
    const auto [ptr, ec] = std::to_chars(tampon, tampon + sizeof tampon, valeur);
    (void)ec;
    sortie.append(tampon, ptr);
}

void FinLigne(std::string& sortie)
{
    sortie.append("\r\n");
}

void AjouteLigne(std::string& sortie, std::string_view texte)
{
    const std::size_t debut = sortie.size();
    sortie.append(texte);
    for (std::size_t i = sortie.find_first_of("\r\n", debut); i != std::string::npos;
         i = sortie.find_first_of("\r\n", i + 1))
        sortie[i] = ' ';
    FinLigne(sortie);
}

void AjouteLigneEntier(std::string& sortie, long long valeur)
{
    AjouteEntier(sortie, valeur);
    FinLigne(sortie);
}

} // namespace tavo
