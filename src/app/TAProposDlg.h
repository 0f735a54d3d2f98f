// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

/** The about box: the program's title picture, its version and an "Ok" button. */
class TAProposDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TAProposDlg(QWidget* parent);
};
