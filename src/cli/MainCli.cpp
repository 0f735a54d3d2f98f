// SPDX-License-Identifier: GPL-3.0-or-later
// tavo-cli: the results of a competition file without the graphical program.

#include "cli/Cli.h"
#include "cli/CommandeTerrain.h"

#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#ifdef TAVO_CLI_AVEC_QT
#include <QGuiApplication>
#endif

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
#ifdef TAVO_CLI_AVEC_QT
    // "imprimer" paints: it needs a GUI application, offscreen without a display. Qt sees
    // the program name alone, never the arguments.
    int argcQt = 1;
    std::optional<QGuiApplication> application;
    if (argc > 1 && std::strcmp(argv[1], "imprimer") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application.emplace(argcQt, argv);
    }
#endif
    std::error_code erreur;
    const std::string courant = std::filesystem::current_path(erreur).string();
    // The field server runs until it is stopped and speaks as it goes.
    if (!arguments.empty() && arguments.front() == "terrain")
        return tavo::cli::Terrain(arguments, std::cout, std::cerr,
                                  erreur ? std::string(".") : courant);
    return tavo::cli::Execute(arguments, std::cout, std::cerr, erreur ? std::string(".") : courant);
}
