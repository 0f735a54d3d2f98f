// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

/** The program's own messages about results, in UTF-8, shared by the views and tavo-cli. */
namespace tavo::messages {

inline constexpr const char* PROGRAMME_MANQUANT = "Au moins un programme de vol n'a pas été trouvé";
inline constexpr const char* FICHIER_ILLISIBLE = "Incapable d'ouvrir le fichier";

/** "Le programme de vol 3 est introuvable" for flight 3. */
inline std::string ProgrammeVolIntrouvable(int vol)
{
    return "Le programme de vol " + std::to_string(vol) + " est introuvable";
}

} // namespace tavo::messages
