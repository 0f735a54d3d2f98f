// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Concours.h"
#include "scoring/Classements.h"

#include <cmath>
#include <cstdlib>

namespace tavo::fuzz {

inline void verifieFini(double valeur)
{
    if (std::isnan(valeur))
        std::abort();
}

/** Every ranking and statistic on what is loaded, as the views and printouts compute them. */
inline void CalculeToutesLesVues(TConcours& concours, bool tbl)
{
    ParametresCalcul parametres;
    parametres.repProgrammes = TAVO_DATA_DIR "/Vols";
    parametres.tbl = tbl;
    for (int n = 1; n <= 4; ++n)
        for (const auto& ligne : ClassementApresVols(concours, parametres, n).valeur.lignes)
            verifieFini(ligne.total);
    for (int k = 1; k <= MAX_FLYOFFS; ++k)
        (void)ClassementApresFlyOff(concours, parametres, k);
    for (int v = 1; v <= MAX_VOLS; ++v) {
        (void)ClassementJugesVol(concours, parametres, v);
        (void)ProfilJugesVol(concours, parametres, v);
    }
    for (int j = 1; j <= MAX_JUGES; ++j)
        (void)DiagrammeNotesJuge(concours, parametres, j);
}

} // namespace tavo::fuzz
