// SPDX-License-Identifier: GPL-3.0-or-later
// The data-entry commands of the main window, help and the about box.
#include "app/DialoguesSaisie.h"
#include "app/Menu.h"
#include "app/TAProposDlg.h"
#include "app/TTavoWindow.h"
#include "document/Document.h"
#include "model/Emplacements.h"
#include "platform/Aide.h"
#include "platform/Chaines.h"
#include "presentation/Messages.h"

#include <QFileInfo>

using namespace tavo;

namespace {

const QString TITRE = NomTavo();

/** Says that a command is missing from this build; it then changes nothing. */
int indisponible(QWidget* parent)
{
    MessageBox(parent, QStringLiteral("Cette commande n'est pas disponible dans cette version."),
               TITRE, MB_OK | MB_ICONINFORMATION);
    return IDCANCEL;
}

} // namespace

bool TTavoWindow::CommandeSaisie(int id)
{
    const TDialoguesSaisie& dialogues = m_dialoguesSaisie;
    switch (id) {
    case CM_INFORMATIONS: {
        const PhotoConcours avant = Photographie(*Concours);
        const int r = dialogues.Concours
                          ? dialogues.Concours(this, *Concours, Options->GetRepProgrammes())
                          : indisponible(this);
        if (r == IDOK) {
            Invalide();
            m_document->Change(avant);
            if (Options->GetSauvegardeAuto())
                CmEnregistrer();
        } else if (m_document->ChangeSiDifferent(avant)) {
            // Judges paged through stay written even when the dialog is cancelled.
            Invalide();
        }
        return true;
    }
    case CM_PILOTES: {
        const PhotoConcours avant = Photographie(*Concours);
        const int r = dialogues.Pilotes ? dialogues.Pilotes(this, *Concours) : indisponible(this);
        if (r == IDOK) {
            if (Vue == modes::LISTE_PILOTES)
                RemplitListe();
            m_document->Change(avant);
            if (Options->GetSauvegardeAuto())
                CmEnregistrer();
        } else if (m_document->ChangeSiDifferent(avant)) {
            // Pilots stored, appended or deleted before a cancel stay so.
            if (Vue == modes::LISTE_PILOTES)
                RemplitListe();
        }
        LargeurVue = HauteurVue = 0;
        Invalide();
        return true;
    }
    case CM_NOTES:
        if (Concours->NbPilotes() == 0) {
            MessageBox(this, Message(messages::AU_MOINS_UN_PILOTE), TITRE, MB_OK);
            return true;
        }
        if ((dialogues.Notes ? dialogues.Notes(this, *Concours) : indisponible(this)) == IDOK)
            EntreFeuille();
        return true;
    case CM_OPTIONS: {
        const int r = dialogues.Options ? dialogues.Options(this, *Options) : indisponible(this);
        if (r == IDOK) {
            Invalide();
            // A directory that cannot be written keeps its old options file, silently.
            Options->Enregistre(CheminNatif(RepertoireOptions));
        }
        return true;
    }
    default:
        return false;
    }
}

bool TTavoWindow::CommandeIndisponible(int id)
{
    for (const TEntreeMenu& entree : MenuCommandes())
        if (entree.Id == id) {
            indisponible(this);
            return true;
        }
    return false;
}

void TTavoWindow::AfficheAide()
{
    // The installed help, else the copy built into the program.
    const std::string installee =
        tavo::CheminDonnee(CheminNatif(RepertoireDepart), "aide/Tavo.html");
    WinHelp(this, RepertoireDepart + QStringLiteral("/Tavo.hlp"),
            QFileInfo::exists(tavo::CheminQt(installee.c_str()))
                ? tavo::CheminQt(installee.c_str())
                : QStringLiteral(":/tavo/aide/Tavo.html"));
}

void TTavoWindow::AProposDe()
{
    TAProposDlg dialogue(this);
    dialogue.exec();
}
