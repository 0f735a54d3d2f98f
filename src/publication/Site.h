// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scoring/Classements.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TConcours;

namespace tavo {

/** Outcome of a publication: ok, or why it failed (French, UTF-8); the files written. */
struct ResultatPublication
{
    bool ok = true;
    std::string message;
    int fichiers = 0;
};

/** A file of the site: its name in the site's folder and its content. */
struct PageSite
{
    std::string nom;
    std::string contenu;
};

/** How the site is made: for a folder or a zip, or served live on the field. */
struct ModeSite
{
    /**
     * Live: each page has the time of its update and the site's version where
     * `MARQUE_HEURE` and `MARQUE_VERSION` stand, a script (direct.js) that
     * follows new versions, and tableau.html shows the latest ranking for a big
     * screen.
     */
    bool direct = false;
};

/** Where a live page says the time of its update and the site's version. */
inline constexpr std::string_view MARQUE_HEURE = "<!--heure-->";
inline constexpr std::string_view MARQUE_VERSION = "<!--version-->";

/**
 * Whether a file, seen by its first and last bytes, is a page or the style
 * sheet of a results site this program wrote (version 2.01's included): a
 * publication replaces these and refuses any other file.
 */
bool EstFichierDuSite(std::string_view debut, std::string_view fin);

/**
 * Writes the competition's results site into `repertoire` (created with its
 * parents): index.html, style.css, the ranking after each flight flown
 * (vol-N.html) and after each fly-off offered and flown (flyoff-K.html), the
 * judge ranking of each flight flown with the judges' agreement
 * (juges-vol-V.html), its TBL profile (profil-vol-V.html), each judge's
 * diagram (juge-J.html), each pilot's place and sheets (pilote-P.html, P his
 * position in the list) and the site's icon (favicon.svg). UTF-8 HTML5, no script, no resource from
 * outside. Each file is replaced whole or not at all; other files of the directory are left alone.
 * A page name that is a link, not a regular file, not a file of the site (`EstFichierDuSite`) or
 * one of the `proteges` under another name stops the publication before any file changes. The
 * competition is not changed: the results are computed on a copy, as the views compute them.
 */
/**
 * The flights the site publishes: those some pilot has flown, before the first whose programme
 * cannot be read. The competition is not changed.
 */
std::vector<int> VolsPublies(const TConcours& concours, const ParametresCalcul& parametres);

/**
 * What publishing says of the flights it publishes with sheets still to type, one line each:
 * "Attention : vol 2 : 3 feuilles manquantes ou incomplètes".
 */
std::vector<std::string> AlertesPublication(const TConcours& concours,
                                            const ParametresCalcul& parametres);

/**
 * Receives each file of the site (its name, its content) as soon as it is made, in the site's
 * order; the content is valid during the call only. False stops the build.
 */
using SortieSite = std::function<bool(const std::string& nom, std::string_view contenu)>;

/**
 * Makes the site's files (see `PublieSite`) one at a time, no more than one page's text held at
 * once besides the competition; false when `sortie` stopped it.
 */
bool ConstruitSite(const TConcours& concours, const ParametresCalcul& parametres, ModeSite mode,
                   const SortieSite& sortie);

/** The site's files (see `PublieSite`), in memory. */
std::vector<PageSite> ConstruitSite(const TConcours& concours, const ParametresCalcul& parametres,
                                    ModeSite mode = {});

ResultatPublication PublieSite(const TConcours& concours, const ParametresCalcul& parametres,
                               const std::string& repertoire,
                               const std::vector<std::string>& proteges = {});

} // namespace tavo
