// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Concours.h"
#include "model/Fichier.h"
#include "support/Fabrique.h"
#include "support/TestUtil.h"

#include <fstream>
#include <string>

namespace tavo::test {

/**
 * Writes in `rep` a competition of two judges and two pilots (bibs 7 and 12) whose flight 1 is
 * three figures (K 3, 2, 1), a noise line of -5/0/+5 (K 2) and a conformity line of -10/0 (K 1);
 * returns its file, empty when it cannot be written.
 */
inline std::string EcritConcoursTerrain(const RepertoireTemporaire& rep)
{
    std::ofstream(rep.Fichier("P.txt")) << TexteProgramme({3, 2, 1}, 2, 2, 1, 1);
    TConcours c;
    AjouteJuge(c, "Blanc");
    AjouteJuge(c, "Noir");
    c.SetNbJuges(2);
    c.SetProgrammeVol("P.txt", 0);
    AjoutePilote(c, "Durand", "7", "Paul");
    AjoutePilote(c, "Martin", "12",
                 "L\xe9"
                 "a"); // Windows-1252, as the file holds it
    const std::string chemin = rep.Fichier("concours.ccr");
    return EcritFichierSur(chemin, c.Ecrit()) ? chemin : std::string();
}

} // namespace tavo::test
