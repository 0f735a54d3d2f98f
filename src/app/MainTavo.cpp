// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TTavoApp.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* AIDE =
    "Usage : tavo [FICHIER.ccr]\n"
    "\n"
    "Tavo 2000 : un concours de voltige radiocommandée (F3A, F3C, VGM), de l'inscription\n"
    "des pilotes au procès-verbal : saisie des notes des juges, classements, classement\n"
    "des juges, diagrammes des notes, correction TBL et impression des formulaires.\n"
    "\n"
    "  FICHIER.ccr    ouvre ce concours au démarrage\n"
    "  -h, --help     affiche cette aide\n"
    "  --version      affiche la version\n"
    "\n"
    "Les mêmes résultats sans interface graphique : tavo-cli --help\n";

// "--help" and "--version" answer on the standard output, without a display.
bool Repond(int argc, char** argv, int& code)
{
    for (int i = 1; i < argc; ++i) {
        const bool aide = std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0;
        if (aide || std::strcmp(argv[i], "--version") == 0) {
            const int ecrit =
                aide ? std::fputs(AIDE, stdout) : std::printf("Tavo 2000 %s\n", TAVO_VERSION);
            code = ecrit < 0 || std::fflush(stdout) != 0 ? 2 : 0;
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    int code = 0;
    if (Repond(argc, argv, code))
        return code;
    TTavoApp application(argc, argv);
    return application.Run();
}
