// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace tavo {

/**
 * Shows a help document (HTML) on its contents page in the help window, which
 * is created on first use and then reused. When `fichier` cannot be read,
 * `secours` (a copy built into the program) is shown instead; when neither
 * can, the window says which file is missing. Returns the help window.
 */
QWidget* WinHelp(QWidget* parent, const QString& fichier, const QString& secours = {});

} // namespace tavo
