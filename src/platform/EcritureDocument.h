// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

/** Writing a finished document (a PDF) to the name the user gave. No Qt here. */
namespace tavo {

/**
 * Writes a whole document to `chemin`. A file (new or not) is replaced
 * atomically (`EcritFichierSur`): on failure no part of the document is
 * left and a previous file keeps its content. A device, a pipe or a name
 * standing for an open descriptor (/dev/stdout) is written in place, every
 * write checked. False, with the reason in `erreur`, when it was not
 * written whole.
 */
bool EcritDocument(const std::string& chemin, std::string_view contenu, std::string* erreur);

} // namespace tavo
