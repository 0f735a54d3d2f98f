// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tavo::test {

/**
 * Competition files that another program could have written, built from the demo
 * competition: panels of 0 to 9 judges, 0 or 12 flights, extreme marks, control and
 * high bytes in the texts, bibs that are empty or shared, a flight whose programme is gone.
 * Each of them opens; what the views and printouts make of them must never crash.
 */
inline std::vector<std::pair<std::string, std::string>> ConcoursHostiles(const std::string& demo)
{
    std::ifstream flux(demo, std::ios::binary);
    std::ostringstream tout;
    tout << flux.rdbuf();
    const std::string base = tout.str();

    std::vector<std::string> lignes;
    std::size_t debut = 0;
    while (debut < base.size()) {
        const std::size_t fin = base.find('\n', debut);
        lignes.push_back(base.substr(debut, fin - debut + 1));
        debut = fin + 1;
    }
    auto avec = [&lignes](std::vector<std::pair<int, std::string>> changements) {
        std::vector<std::string> copie = lignes;
        for (const auto& [ligne, texte] : changements)
            copie[static_cast<std::size_t>(ligne - 1)] = texte + "\r\n";
        std::string texte;
        for (const std::string& l : copie)
            texte += l;
        return texte;
    };
    // Line 21: judges, 22: flights, 23-29: programmes, 33: first pilot's name, 40: his bib,
    // 41: his first marks line (flight 1, figure 1).
    std::string octets;
    for (int c = 1; c < 256; ++c)
        if (c != '\n' && c != '\r')
            octets += static_cast<char>(c);
    return {
        {"neuf-juges", avec({{21, "9"}})},
        {"zero-juge", avec({{21, "0"}})},
        {"un-juge", avec({{21, "1"}})},
        {"deux-juges", avec({{21, "2"}})},
        {"juges-negatifs", avec({{21, "-3"}})},
        {"zero-vol", avec({{22, "0"}})},
        {"douze-vols", avec({{22, "12"}, {29, "F3A_P27.txt"}})},
        {"notes-extremes", avec({{41, "32767 -32768 32767 -32768 0 "}})},
        {"octets", avec({{1, octets.substr(0, 50)}, {33, octets.substr(60, 20)}, {6, "\x01\xFF"}})},
        {"dossards", avec({{40, ""}, {230, "7"}})},
        {"programme-absent", avec({{27, "disparu.txt"}})},
        {"categorie-inconnue", avec({{6, "F3B"}, {7, "9"}})},
        {"serie-3-1999", avec({{7, "3"}, {30, "1/1/1999"}})},
    };
}

} // namespace tavo::test
