// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialog.h"

class TOption;

/** "Options": the automatic tasks, the calculation options and the working directories. */
class TOptionDlg : public tavo::TDialog
{
    Q_OBJECT

public:
    static constexpr int IDD = 3000;

    TOptionDlg(QWidget* parent, TOption& options);

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    TOption& m_options;
};
