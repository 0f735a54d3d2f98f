// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tavo {

/** The writer of the program's text files: Windows-1252 lines ended by CR LF. */

/** Appends a decimal integer. */
void AjouteEntier(std::string& sortie, long long valeur);

/** Ends the current line: the one place the files' line end is written. */
void FinLigne(std::string& sortie);

/**
 * Appends a text and a line end. A CR or LF inside the text is written
 * as a space: a text always stays on its one line.
 */
void AjouteLigne(std::string& sortie, std::string_view texte);

/** Appends a line holding one decimal integer. */
void AjouteLigneEntier(std::string& sortie, long long valeur);

} // namespace tavo
