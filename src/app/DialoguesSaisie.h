// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

class QString;
class QWidget;
class TConcours;
class TOption;
namespace tavo {
struct ImportPilotes;
}

/**
 * The data-entry dialogs the main window opens, each shown modally over the
 * window, editing the given object in place and returning the button that
 * closed it (`tavo::IDOK` to confirm). A dialog not yet provided is null:
 * its command then says so and changes nothing.
 */
struct TDialoguesSaisie
{
    std::function<int(QWidget*, TConcours&, const std::string& repProgrammes)> Concours;
    std::function<int(QWidget*, TConcours&)> Pilotes;
    std::function<int(QWidget*, TConcours&)> Notes;
    std::function<int(QWidget*, TOption&)> Options;
    /** The preview of a spreadsheet read from `fichier`: `IDOK` to add its pilots. */
    std::function<int(QWidget*, const tavo::ImportPilotes&, const QString& fichier)> Import;
};

/** The program's own dialogs (a window starts without any: tests give it theirs). */
TDialoguesSaisie DialoguesDuProgramme();
