// SPDX-License-Identifier: GPL-3.0-or-later
// Programme files from anywhere: reading never fails, never exceeds the marks grid, and the
// flight computations of every view run on what was read.

#include "Vues.h"
#include "model/Constantes.h"
#include "model/Fichier.h"
#include "model/Programme.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TConcours concours;
    static const bool ouvert =
        bool(tavo::OuvreConcours(concours, TAVO_DATA_DIR "/Concours/demo.ccr"));
    if (!ouvert)
        std::abort();

    TProgramme& programme = concours.GetProgramme();
    programme.Reinitialise();
    programme.Lit(std::string_view(reinterpret_cast<const char*>(data), size));
    if (programme.NbLignes() > MAX_FIGURES || programme.NbFigures() > MAX_FIGURES_FICHIER)
        std::abort();
    for (short k = -1; k <= programme.NbLignes() + 1; ++k)
        (void)programme.GetK(k);
    for (short p = 0; p <= programme.NbFigures() + 1; ++p)
        (void)programme.GetFigure(p);

    const short vol = static_cast<short>(1 + size % 3);
    concours.CalculeVolPilotes(vol);
    concours.NormaliseVol1000(vol);
    (void)tavo::CalculeClassementJuges(concours, vol);
    concours.CalculeTBL(vol);
    (void)tavo::CalculeProfil(concours, vol);
    for (const auto& ligne : tavo::CalculeClassementVols(concours, vol, true).lignes)
        tavo::fuzz::verifieFini(ligne.total);
    return 0;
}
