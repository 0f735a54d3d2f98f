// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/Formulaires.h"

#include "model/Concours.h"
#include "platform/Printer.h"
#include "print/Printouts.h"
#include "scoring/Regles.h"

namespace tavo {

int OrientationFormulaire(Formulaire formulaire, int nombre)
{
    switch (formulaire) {
    case Formulaire::Classement:
        return nombre >= 4 ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    case Formulaire::FlyOff:
        return nombre >= 3 ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    case Formulaire::Juges:
    case Formulaire::Diagramme:
        return DMORIENT_LANDSCAPE;
    default:
        return DMORIENT_PORTRAIT;
    }
}

bool MiseEnPageImposee(Formulaire formulaire)
{
    return formulaire == Formulaire::Programme || formulaire == Formulaire::ProcesVerbal ||
           formulaire == Formulaire::Notes;
}

Statut PrepareFormulaire(TConcours& concours, const ParametresCalcul& parametres,
                         Formulaire formulaire, int nombre)
{
    switch (formulaire) {
    case Formulaire::Classement:
        return PrepareClassementVols(concours, parametres, nombre);
    case Formulaire::FlyOff:
        return PrepareClassementFlyOff(concours, parametres, nombre);
    case Formulaire::Juges:
        return PrepareClassementJuges(concours, parametres, nombre);
    case Formulaire::Diagramme:
        return PrepareDiagramme(concours, parametres);
    case Formulaire::Programme:
        if (!concours.ChargeProgramme(static_cast<short>(nombre), parametres.repProgrammes))
            return {false, Manque::ProgrammeVolDefini, nombre};
        return {};
    default:
        return {};
    }
}

std::unique_ptr<TPrintoutConcours>
CreeFormulaire(TConcours& concours, const ParametresCalcul& parametres, Formulaire formulaire,
               int nombre, const TMarges& marges, const QString& repertoireDepart, bool accordJuges)
{
    switch (formulaire) {
    case Formulaire::ListeDossards:
        return std::make_unique<TTavoPrintoutList>(concours, marges, 1);
    case Formulaire::ListeAlphabetique:
        return std::make_unique<TTavoPrintoutList>(concours, marges, 2);
    case Formulaire::Classement:
        return std::make_unique<TTavoPrintout>(concours, marges, nombre, parametres.rapport1000);
    case Formulaire::FlyOff:
        return std::make_unique<TTavoPrintoutFly>(concours, marges, nombre);
    case Formulaire::Juges:
        return std::make_unique<TTavoPrintoutClstJuge>(concours, marges, nombre, accordJuges);
    case Formulaire::Diagramme:
        return std::make_unique<TTavoPrintoutDiagJuge>(concours, marges, nombre,
                                                       parametres.repProgrammes);
    case Formulaire::Programme:
        return std::make_unique<TTavoPrintoutPgVol>(concours, marges, nombre, repertoireDepart);
    case Formulaire::ProcesVerbal:
        return std::make_unique<TTavoPrintoutPVerbal>(concours, marges, repertoireDepart);
    case Formulaire::Notes:
        return std::make_unique<TTavoPrintoutNotes>(concours, marges);
    }
    return nullptr;
}

TMarges MargesDe(const TMiseEnPage& miseEnPage)
{
    return TMarges{miseEnPage.MargeGauche, miseEnPage.MargeHaut, miseEnPage.MargeDroite,
                   miseEnPage.MargeBas};
}

} // namespace tavo
