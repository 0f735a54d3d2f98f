// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DialoguesSaisie.h"

#include "app/TTavoWindow.h"
#include "dialogs/TConcoursDlg.h"
#include "dialogs/TImportDlg.h"
#include "dialogs/TNoteDlg.h"
#include "dialogs/TOptionDlg.h"
#include "dialogs/TPiloteDlg.h"
#include "model/Concours.h"
#include "model/Option.h"
#include "model/Programme.h"
#include "scoring/FeuillesManquantes.h"

#include <array>

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
        // A sheet is typed when its marks say so on its programme's figures; a flight whose
        // programme cannot be read counts any mark.
        std::array<int, MAX_VOLS + 1> figures{};
        if (auto* fenetre = qobject_cast<TTavoWindow*>(parent))
            for (short v = 1; v <= MAX_VOLS; ++v)
                if (TProgramme programme;
                    concours.LitProgramme(v, fenetre->GetOptions().GetRepProgrammes(), programme))
                    figures[static_cast<std::size_t>(v)] = programme.NbFigures();
        TNoteDlg dialogue(parent, concours, [&concours, figures](const TPilote& pilote, short vol) {
            return tavo::EtatDeFeuille(pilote, vol, concours.GetNbJuges(),
                                       figures[static_cast<std::size_t>(vol)]) ==
                   tavo::EtatFeuille::Saisie;
        });
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
