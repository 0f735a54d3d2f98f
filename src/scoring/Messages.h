// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

/** The program's own messages about results, in UTF-8, shared by the views and tavo-cli. */
namespace tavo::messages {

/** The program's name: the title of its message boxes and windows. */
inline constexpr const char* TAVO = "Tavo 2000";

inline constexpr const char* PROGRAMME_MANQUANT = "Au moins un programme de vol n'a pas été trouvé";
inline constexpr const char* FICHIER_ILLISIBLE = "Incapable d'ouvrir le fichier";
inline constexpr const char* AU_MOINS_UN_PILOTE = "Vous devez saisir au moins un pilote";
/** The programme of a score sheet's flight is missing. */
inline constexpr const char* PROGRAMME_FEUILLE_INTROUVABLE =
    "Le fichier contenant le programme de vol est introuvable";

/** "Le programme de vol 3 est introuvable" for flight 3. */
inline std::string ProgrammeVolIntrouvable(int vol)
{
    return "Le programme de vol " + std::to_string(vol) + " est introuvable";
}

} // namespace tavo::messages
