// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a generated competition for whole-process measurements:
//   tavo_genere PILOTES REP  ->  REP/genPILOTES.ccr and its programme REP/Gen.txt
#include "model/Concours.h"
#include "model/Fichier.h"
#include "support/Fabrique.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: tavo_genere PILOTES REP\n");
        return 2;
    }
    const int pilotes = std::atoi(argv[1]);
    const std::string rep = argv[2];
    TConcours concours;
    tavo::test::GenereConcours(concours, rep, pilotes, 5, 7);
    const std::string fichier = rep + "/gen" + std::to_string(pilotes) + ".ccr";
    if (!tavo::EnregistreConcours(concours, fichier)) {
        std::fprintf(stderr, "tavo_genere: cannot write %s\n", fichier.c_str());
        return 1;
    }
    std::printf("%s\n", fichier.c_str());
    return 0;
}
