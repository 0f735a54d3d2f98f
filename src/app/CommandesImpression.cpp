// SPDX-License-Identifier: GPL-3.0-or-later
// The print commands of the main window: page set-up and every printed form.
#include "app/Menu.h"
#include "app/ModesVue.h"
#include "app/TTavoWindow.h"
#include "platform/Chaines.h"
#include "platform/DialoguesStandard.h"
#include "presentation/Messages.h"
#include "print/Formulaires.h"
#include "print/PrintoutConcours.h"
#include "scoring/Regles.h"

#include <optional>

using tavo::Formulaire;

bool TTavoWindow::CommandeImpression(int id)
{
    if (id == CM_PUBLIER) {
        PublieResultats(true);
        return true;
    }
    if (id == CM_MISE_EN_PAGE) {
        if (!Imprimante)
            Imprimante = std::make_unique<tavo::TPrinter>();
        Imprimante->Setup(this);
        return true;
    }
    const std::optional<DemandeImpression> demande = DemandeDe(id);
    if (!demande)
        return false;
    // A diagram of a judge the panel does not have does nothing at all.
    if (demande->formulaire == Formulaire::Diagramme && demande->nombre > Concours->GetNbJuges())
        return true;
    // The fly-off commands the category and series do not offer (greyed in the menu).
    if (demande->formulaire == Formulaire::FlyOff &&
        !tavo::FlyOffPropose(Concours->GetCategorie(), Concours->GetSerie(), demande->nombre))
        return true;

    if (!Imprimante)
        Imprimante = std::make_unique<tavo::TPrinter>();
    const tavo::ParametresCalcul parametres(*Options);
    if (Options->GetMiseEnPageAuto() || tavo::MiseEnPageImposee(demande->formulaire))
        Imprimante->MiseEnPageAutomatique(
            tavo::OrientationFormulaire(demande->formulaire, demande->nombre));
    const tavo::Statut statut =
        tavo::PrepareFormulaire(*Concours, parametres, demande->formulaire, demande->nombre);
    if (!statut) {
        tavo::MessageBox(this, QString::fromStdString(tavo::MessageStatut(statut)), tavo::NomTavo(),
                         tavo::MB_OK | tavo::MB_ICONEXCLAMATION);
        return true;
    }
    const auto printout = tavo::CreeFormulaire(
        *Concours, parametres, demande->formulaire, demande->nombre,
        tavo::MargesDe(Imprimante->GetSetup()), RepertoireDepart, Options->GetAccordJuges() != 0);
    Imprimante->Print(this, *printout, true);
    return true;
}

void TTavoWindow::ImpressionAutoFeuille()
{
    if (!Imprimante)
        Imprimante = std::make_unique<tavo::TPrinter>();
    Imprimante->MiseEnPageAutomatique(tavo::DMORIENT_PORTRAIT);
    const tavo::ParametresCalcul parametres(*Options);
    const auto printout =
        tavo::CreeFormulaire(*Concours, parametres, Formulaire::Notes, 0,
                             tavo::MargesDe(Imprimante->GetSetup()), RepertoireDepart);
    Imprimante->Print(this, *printout, true);
}
