// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tavo::cli {

/**
 * Runs tavo-cli with the arguments that follow the program name, writing the
 * result on `sortie` and messages on `erreurs`; returns the exit status.
 * `repertoireCourant` is where "tavo.ini" is looked for.
 */
int Execute(const std::vector<std::string>& arguments, std::ostream& sortie, std::ostream& erreurs,
            const std::string& repertoireCourant);

} // namespace tavo::cli
