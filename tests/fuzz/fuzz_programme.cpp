// SPDX-License-Identifier: GPL-3.0-or-later
// Programme files from anywhere: reading never fails and never exceeds the marks grid.

#include "model/Constantes.h"
#include "model/Programme.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TProgramme programme;
    programme.Reinitialise();
    programme.Lit(std::string_view(reinterpret_cast<const char*>(data), size));
    if (programme.NbLignes() > MAX_FIGURES || programme.NbFigures() > MAX_FIGURES_FICHIER)
        std::abort();
    for (short k = -1; k <= programme.NbLignes() + 1; ++k)
        (void)programme.GetK(k);
    for (short p = 0; p <= programme.NbFigures() + 1; ++p)
        (void)programme.GetFigure(p);
    return 0;
}
