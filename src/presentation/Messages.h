// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

/** The program's own messages, in UTF-8, shared by the views, the dialogs and tavo-cli. */
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

/** "Le programme du vol 3 n'a pas été trouvé ou n'est pas défini" for flight 3. */
inline std::string ProgrammeVolNonDefini(int vol)
{
    return "Le programme du vol " + std::to_string(vol) + " n'a pas été trouvé ou n'est pas défini";
}

/**
 * "Au moins un programme de vol n'a pas été trouvé", followed by which: "... : le concours n'a
 * que 2 vols, le vol 3 n'a pas de programme", "... : le programme du vol 2, « F3A-P.txt », est
 * introuvable". The programme's name is the competition's (Windows-1252).
 */
std::string ProgrammesManquants(int vol, const std::string& programme, int nbVols);

/** A judge asked for beyond the panel: "Le concours n'a que 3 juges", "... n'a qu'un juge". */
inline std::string JugesDuConcours(int juges)
{
    return juges <= 0   ? std::string("Le concours n'a aucun juge")
           : juges == 1 ? std::string("Le concours n'a qu'un juge")
                        : "Le concours n'a que " + std::to_string(juges) + " juges";
}

/**
 * What publishing says of a flight it publishes with sheets not all typed:
 * "Attention : vol 2 : 3 feuilles manquantes ou incomplètes".
 */
std::string AlerteFeuillesManquantes(int vol, int nombre);

} // namespace tavo::messages

class TConcours;

namespace tavo {

struct Statut;

/** What a failed preparation says (empty when it succeeded). */
std::string MessageStatut(const Statut& statut);

/**
 * Which programme file flight `vol` looks for, and where: "vol 2 : « F3A.txt » introuvable ou
 * illisible dans « Vols »", or "aucun programme n'est choisi pour le vol 2".
 */
std::string ProgrammeCherche(const TConcours& concours, int vol, const std::string& repertoire);

} // namespace tavo
