// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tavo {

/**
 * Where the program finds and keeps its files. Started from a folder that
 * holds "tavo.ini", that folder is everything, as it always was. Started
 * elsewhere (from the desktop's menu, in the home folder), the user's own
 * folders take its place: the data directory ($XDG_DATA_HOME/tavo, by default
 * ~/.local/share/tavo) holds "Vols" and "Concours", and "tavo.ini" lives in
 * the configuration directory ($XDG_CONFIG_HOME/tavo, by default ~/.config/tavo).
 */
struct Emplacements
{
    std::string depart;  ///< the start-up directory: base of "Vols", "Concours" and the pictures
    std::string options; ///< the directory of "tavo.ini"
    bool utilisateur = false; ///< true when the user's own folders are used
};

/**
 * The locations for a program started in `courant`. With `prepare`, the
 * user's folders are made when missing: the data directory with a copy of
 * the installed programmes in "Vols" and an empty "Concours", and the
 * configuration directory. Nothing is ever overwritten; a folder that cannot
 * be made is left missing, the program then works as with a missing folder.
 */
Emplacements TrouveEmplacements(const std::string& courant, bool prepare);

/**
 * Where the journals of unnamed competitions are kept: $XDG_STATE_HOME/tavo,
 * by default ~/.local/state/tavo.
 */
std::string RepertoireEtat();

/**
 * The installed data directory ("share/tavo" beside the program's "bin", else
 * the first "tavo" of $XDG_DATA_DIRS, else the one of the install prefix the
 * program was built for); empty when none holds the programmes.
 */
std::string RepertoireInstalle();

/**
 * The programmes directory to read: `configure` (the options' one), except in the user's
 * folders while it holds no programme (missing, or without a readable "*.txt" file): then the
 * installed programmes, when there are some.
 */
std::string RepertoireProgrammes(const std::string& configure, const Emplacements& emplacements);

/**
 * The file `nom` of the start-up directory, or the installed one when the
 * start-up directory has none; the start-up directory's name when neither exists.
 */
std::string CheminDonnee(const std::string& depart, const std::string& nom);

} // namespace tavo
