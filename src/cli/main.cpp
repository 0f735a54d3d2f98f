// SPDX-License-Identifier: GPL-3.0-or-later
// tavo-cli: the results of a competition file without the graphical program.

#include "cli/Cli.h"

#include <filesystem>
#include <iostream>
#include <system_error>

int main(int argc, char** argv)
{
    std::error_code erreur;
    const std::string courant = std::filesystem::current_path(erreur).string();
    return tavo::cli::Execute({argv + 1, argv + argc}, std::cout, std::cerr,
                              erreur ? std::string(".") : courant);
}
