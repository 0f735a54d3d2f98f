// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DialoguesSaisie.h"

#include "dialogs/TConcoursDlg.h"
#include "dialogs/TImportDlg.h"
#include "dialogs/TNoteDlg.h"
#include "dialogs/TOptionDlg.h"
#include "dialogs/TPiloteDlg.h"

TDialoguesSaisie DialoguesDuProgramme()
{
    TDialoguesSaisie d;
    d.Concours = [](QWidget* parent, TConcours& concours, const std::string& repProgrammes) {
        TConcoursDlg dialogue(parent, concours, repProgrammes);
        return dialogue.Execute();
    };
    d.Pilotes = [](QWidget* parent, TConcours& concours) {
        TPiloteDlg dialogue(parent, concours);
        return dialogue.Execute();
    };
    d.Notes = [](QWidget* parent, TConcours& concours) {
        TNoteDlg dialogue(parent, concours);
        return dialogue.Execute();
    };
    d.Options = [](QWidget* parent, TOption& options) {
        TOptionDlg dialogue(parent, options);
        return dialogue.Execute();
    };
    d.Import = [](QWidget* parent, const tavo::ImportPilotes& import, const QString& fichier) {
        TImportDlg dialogue(parent, import, fichier);
        return dialogue.Execute();
    };
    return d;
}
