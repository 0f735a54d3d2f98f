// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/LectureConcours.h"

#include <string>
#include <string_view>

class TConcours;

namespace tavo {

/** Reads a whole regular file as bytes; false when it cannot be opened or is a directory. */
bool LitFichier(const std::string& chemin, std::string& contenu);

/**
 * Replaces a file without ever destroying the previous one: the bytes go to a
 * temporary file in the same directory, which is flushed to disk and then
 * renamed over the target. On failure the target is untouched, the temporary
 * file is removed, and `erreur` (when given) tells why.
 */
bool EcritFichierSur(const std::string& chemin, std::string_view contenu,
                     std::string* erreur = nullptr);

/** Opens a competition file into `concours`; on failure the competition is unchanged. */
ResultatLecture OuvreConcours(TConcours& concours, const std::string& chemin);

/** Saves a competition file safely (see `EcritFichierSur`). */
bool EnregistreConcours(const TConcours& concours, const std::string& chemin,
                        std::string* erreur = nullptr);

} // namespace tavo
