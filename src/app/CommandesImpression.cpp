// SPDX-License-Identifier: GPL-3.0-or-later
// The print commands of the main window: page set-up and every printed form.
#include "app/Commandes.h"
#include "app/TTavoWindow.h"
#include "platform/Dialogues.h"
#include "print/Formulaires.h"
#include "print/PrintoutConcours.h"
#include "scoring/Regles.h"

#include <optional>

using tavo::Formulaire;

namespace {

struct Demande
{
    Formulaire formulaire;
    int nombre = 0;
};

// The form and its number (N, k, v or j) of a print command.
std::optional<Demande> DemandeDe(int id)
{
    auto dans = [id](int premier, int dernier) { return id >= premier && id <= dernier; };
    if (id == CM_IMP_LISTE_DOSSARDS)
        return Demande{Formulaire::ListeDossards, 0};
    if (id == CM_IMP_LISTE_NOMS)
        return Demande{Formulaire::ListeAlphabetique, 0};
    if (dans(CM_IMP_CLST_PILOTES_1, CM_IMP_CLST_PILOTES_1 + 3))
        return Demande{Formulaire::Classement, id - CM_IMP_CLST_PILOTES_1 + 1};
    if (dans(CM_IMP_FLYOFF_1, CM_IMP_FLYOFF_1 + 3))
        return Demande{Formulaire::FlyOff, id - CM_IMP_FLYOFF_1 + 1};
    if (dans(CM_IMP_CLST_JUGES_1, CM_IMP_CLST_JUGES_1 + 6))
        return Demande{Formulaire::Juges, id - CM_IMP_CLST_JUGES_1 + 1};
    if (dans(CM_IMP_DIAGRAMME_1, CM_IMP_DIAGRAMME_1 + 4))
        return Demande{Formulaire::Diagramme, id - CM_IMP_DIAGRAMME_1 + 1};
    if (dans(CM_IMP_PROGRAMME_1, CM_IMP_PROGRAMME_1 + 6))
        return Demande{Formulaire::Programme, id - CM_IMP_PROGRAMME_1 + 1};
    if (id == CM_IMP_PROCES_VERBAL)
        return Demande{Formulaire::ProcesVerbal, 0};
    return std::nullopt;
}

} // namespace

bool TTavoWindow::CommandeImpression(int id)
{
    if (id == CM_MISE_EN_PAGE) {
        if (!Imprimante)
            Imprimante = std::make_unique<tavo::TPrinter>();
        Imprimante->Setup(this);
        return true;
    }
    const std::optional<Demande> demande = DemandeDe(id);
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
        tavo::MessageBox(this, QString::fromStdString(statut.message), QStringLiteral("Tavo 2000"),
                         tavo::MB_OK | tavo::MB_ICONEXCLAMATION);
        return true;
    }
    const auto printout =
        tavo::CreeFormulaire(*Concours, parametres, demande->formulaire, demande->nombre,
                             tavo::MargesDe(Imprimante->GetSetup()), RepertoireDepart);
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
