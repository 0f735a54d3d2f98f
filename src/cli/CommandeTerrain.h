// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tavo::cli {

/**
 * `tavo-cli terrain FICHIER.ccr [--port P] [--programmes REP]`: the judges' field server
 * without a window, holding the file's lock, until SIGINT or SIGTERM. Every sheet the judges
 * finish is saved at once. Prints the address and every judge's link.
 */
int Terrain(const std::vector<std::string>& arguments, std::ostream& sortie, std::ostream& erreurs,
            const std::string& repertoireCourant);

} // namespace tavo::cli
