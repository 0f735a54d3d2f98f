// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialog.h"

class TConcours;

/**
 * "Saisie d'une feuille de note": the flight and the bib of the score sheet
 * about to be typed, stored in the competition on OK.
 */
class TNoteDlg : public tavo::TDialog
{
    Q_OBJECT

public:
    static constexpr int IDD = 5000;

    TNoteDlg(QWidget* parent, TConcours& concours);

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    TConcours& m_concours;
};
