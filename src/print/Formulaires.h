// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/PrintoutConcours.h"
#include "scoring/Classements.h"

#include <memory>

#include <QString>

class TConcours;

namespace tavo {

struct TMiseEnPage;

/** The printed forms, as the print commands and tavo-cli ask for them. */
enum class Formulaire
{
    ListeDossards,     ///< pilot list in bib order
    ListeAlphabetique, ///< pilot list in name order
    Classement,        ///< ranking after N flights (1 to 4)
    FlyOff,            ///< ranking after k fly-offs (1 to 4)
    Juges,             ///< judge ranking of flight v (1 to 7)
    Diagramme,         ///< score diagram of judge j (1 to 5)
    Programme,         ///< judges' sheet of flight v (1 to 7)
    ProcesVerbal,      ///< competition report
    Notes,             ///< score sheet of the current pilot and flight
};

/** Orientation of a form under the automatic page set-up (`DMORIENT_...`). */
int OrientationFormulaire(Formulaire formulaire, int nombre);

/** Whether a form takes the automatic page set-up whatever the option says. */
bool MiseEnPageImposee(Formulaire formulaire);

/**
 * What a print command does before building its printout: loads the
 * programmes and computes the flight scores the form needs. Fails with the
 * message to show when a programme is missing.
 */
Statut PrepareFormulaire(TConcours& concours, const ParametresCalcul& parametres,
                         Formulaire formulaire, int nombre);

/**
 * The printout of a form, with its title and members; `accordJuges` adds the judges'
 * agreement at the foot of the judge ranking.
 */
std::unique_ptr<TPrintoutConcours>
CreeFormulaire(TConcours& concours, const ParametresCalcul& parametres, Formulaire formulaire,
               int nombre, const TMarges& marges, const QString& repertoireDepart,
               bool accordJuges = false);

/** The margins of a page set-up. */
TMarges MargesDe(const TMiseEnPage& miseEnPage);

} // namespace tavo
