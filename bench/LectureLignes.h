// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fstream>
#include <string>

namespace tavo::bench {

/** The yardstick of the targets: a plain line-by-line read of a file, the best of three, in
 * seconds. */
inline double SecondesLectureLignes(const std::string& fichier)
{
    double meilleur = 1e9;
    for (int essai = 0; essai < 3; ++essai) {
        const auto debut = std::chrono::steady_clock::now();
        std::ifstream flux(fichier, std::ios::binary);
        std::string ligne;
        std::size_t lignes = 0;
        while (std::getline(flux, ligne))
            ++lignes;
        benchmark::DoNotOptimize(lignes);
        meilleur = std::min(
            meilleur,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count());
    }
    return meilleur;
}

} // namespace tavo::bench
