// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "presentation/Presentation.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

/** The pieces of the results site's pages: UTF-8 HTML5, every text escaped. */
namespace tavo::html {

/** The text safe inside an element or a quoted attribute; control characters become '?'. */
std::string Echappe(std::string_view utf8);
/** Appends `utf8` escaped as `Echappe` does. */
void AjouteEchappe(std::string& html, std::string_view utf8);

/** What a page adds to its head and its header (already HTML). */
struct Ajouts
{
    std::string tete;        ///< more of <head>: the live pages' script
    std::string banniere;    ///< after the competition's dates: the live pages' time of update
    std::string classeCorps; ///< the class of <body>
};

/**
 * The page from <!DOCTYPE> to </html> around the parts of `corps` (already HTML), in `html`,
 * whose room is kept from one page to the next; `titre` is plain text.
 */
void Page(std::string& html, const BlocTitre& bloc, std::string_view titre,
          std::initializer_list<std::string_view> corps, std::string_view pied,
          const Ajouts& ajouts = {});

/** The title block of a view: the competition's lines, then the view's heading as <h1>. */
std::string EnteteVue(const BlocTitre& bloc);

/** Where a cell links to ("" for none): row i, column c. */
using Lien = std::function<std::string(std::size_t, std::size_t)>;

/**
 * A table view as a real table: its caption, the column heads (<th scope=col>),
 * the rows with the name column as their row head. Cells hold the view's texts
 * without their padding. `lien` may make a cell a link. The table sits in a
 * region that scrolls sideways, can be reached by the keyboard and is named by
 * the caption.
 */
std::string Table(const TableVue& table, std::string_view legende, const Lien& lien = {});

/**
 * A ranking: a table whose rank, name and `total` columns stay on one line on a
 * phone while the other columns fold below the name, each with its head.
 */
std::string Classement(const TableVue& table, std::string_view legende, std::size_t total,
                       const Lien& lien = {});

/** A heading of the program as French typography writes it: "Écart-type", "Écarts". */
std::string Typographie(std::string texte);

/** The site's icon (SVG); its first line names it as ours. */
std::string_view Icone();

/** A judge's score diagram drawn in SVG, as the screen draws it, with its numbers as a table. */
std::string Diagramme(const DiagrammeVue& vue, int juge);

/** The site's style sheet; its first line names it as ours. */
std::string_view FeuilleDeStyle();

} // namespace tavo::html
