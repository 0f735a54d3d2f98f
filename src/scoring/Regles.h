// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Constantes.h"

#include <cmath>

namespace tavo {

/** Judges whose marks count: the competition's number, within 0 to MAX_JUGES. */
inline short JugesEffectifs(short nbJuges)
{
    return nbJuges < 0 ? short{0} : (nbJuges > MAX_JUGES ? short{MAX_JUGES} : nbJuges);
}

/** Flights that exist: the competition's number, within 0 to MAX_VOLS. */
inline short VolsEffectifs(short nbVols)
{
    return nbVols < 0 ? short{0} : (nbVols > MAX_VOLS ? short{MAX_VOLS} : nbVols);
}

/** A pilot has flown when his flight score, truncated toward zero, is not 0. */
inline bool AVole(double scoreVol)
{
    return std::fabs(std::trunc(scoreVol)) >= 1.0;
}

/** Divisor of a thousandths scale: the best value when it is at least 1, else 1. */
inline double DiviseurMille(double meilleur)
{
    return std::trunc(meilleur) >= 1.0 ? meilleur : 1.0;
}

/** Counting rule of the ranking after n flights (1 to 4); 0 when the category has none. */
int RegleApresVols(const char* categorie, int n);

/** Counting rule of the ranking after k fly-offs (1 to 4); 0 when none applies. */
int RegleFlyOff(const char* categorie, const char* serie, bool depuisAn2000, int k);

/**
 * Whether the fly-off commands for k fly-offs are offered (view and print):
 * 1 and 2 except for "F3A" in series "1" or "1 1/2"; 3 except for those and
 * "VGM"; 4 only for "F3A" in series "3". A command offered may still find no
 * rule (another category): its view then shows the characteristics.
 */
bool FlyOffPropose(const char* categorie, const char* serie, int k);

/** Qualifying flights before the fly-offs: 4 for "VGM", 3 otherwise. */
int VolsQualification(const char* categorie);

/** Flights computed for the ranking after k fly-offs: q + k for k 1 and 2, then 6 and 7. */
int VolsFlyOff(const char* categorie, int k);

/** Whether the qualification totals are rescaled to 1000 before the fly-offs. */
bool QualifRapporteeA1000(const char* categorie, const char* serie, bool depuisAn2000);

} // namespace tavo
