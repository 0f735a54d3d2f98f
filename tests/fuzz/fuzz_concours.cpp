// SPDX-License-Identifier: GPL-3.0-or-later
// Competition files from anywhere: the reader either refuses them and keeps the open
// competition, or loads them; what it loads is saved and read back identically, and every
// view computes on it.

#include "Vues.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view texte(reinterpret_cast<const char*>(data), size);
    TConcours concours;
    concours.SetTitre("avant");
    const std::string avant = concours.Ecrit();
    if (!concours.Lit(texte)) {
        if (concours.Ecrit() != avant)
            std::abort();
        return 0;
    }
    const std::string ecrit = concours.Ecrit();
    TConcours relu;
    if (!relu.Lit(ecrit) || relu.Ecrit() != ecrit)
        std::abort();
    tavo::fuzz::CalculeToutesLesVues(concours, size % 2 == 0);
    return 0;
}
