// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scoring/Classements.h"

#include <optional>
#include <string>
#include <vector>

/**
 * How well each judge agrees with the panel on one flight, from the judge
 * ranking as it stands (no second computation): the judge's own order of the
 * pilots who have flown against the panel's order of the same pilots.
 */
namespace tavo {

/** The agreement figures of one judge; none (shown "-") when they have no meaning. */
struct AccordJuge
{
    std::string nom;                  ///< the judge's `Nom` (Windows-1252)
    std::optional<double> spearman;   ///< Spearman's rank correlation
    std::optional<double> kendall;    ///< Kendall's tau-b
    std::optional<double> ecartMoyen; ///< mean signed deviation from the flight score, in percent
};

struct AccordJuges
{
    int vol = 0;
    int pilotes = 0; ///< the pilots who have flown, compared
    std::vector<AccordJuge> juges;
};

/**
 * Ranks 1..n of the values, highest first; equal values share the mean of the
 * ranks they cover (two values tied for 2nd and 3rd are both 2.5).
 */
std::vector<double> RangsMoyens(const std::vector<double>& valeurs);

/** Pearson's correlation of two rank lists; none when fewer than 2 or one list is constant. */
std::optional<double> CorrelationRangs(const std::vector<double>& a, const std::vector<double>& b);

/**
 * Kendall's tau-b of two rank lists: (concordant - discordant pairs) over
 * sqrt((n0 - ties of a) (n0 - ties of b)); tau-b rather than tau-a because
 * ties are common (equal sums of marks) and tau-b still reaches 1 for the
 * same order. None when fewer than 2 or one list is constant.
 */
std::optional<double> KendallTauB(const std::vector<double>& a, const std::vector<double>& b);

/**
 * Every judge's figures on the flight of a judge ranking: the ranks are the
 * average ranks of the judge's scores and of the flight scores; the deviation
 * is the mean of the ranking's own deviations. Fewer than 2 pilots give no
 * figure at all.
 */
AccordJuges CalculeAccord(const ClassementJuges& classement);

/** The judge ranking of flight v (1 to 7), then its agreement figures. */
Resultat<AccordJuges> AccordJugesVol(TConcours& concours, const ParametresCalcul& parametres,
                                     int v);

} // namespace tavo
