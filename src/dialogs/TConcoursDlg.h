// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialog.h"

#include <string>

class TConcours;

/**
 * "Informations": everything about the competition but its pilots, on five
 * pages (characteristics, officials, judges one at a time, the programme of
 * each flight, report texts). Edits the competition in place: judges are
 * written as the user pages through them, the rest on OK.
 */
class TConcoursDlg : public tavo::TDialog
{
    Q_OBJECT

public:
    static constexpr int IDD = 1000;
    static constexpr int NB_PAGES = 5;

    TConcoursDlg(QWidget* parent, TConcours& concours, const std::string& repProgrammes);

    /** The page selected on the tab control. */
    int Page() const;
    void SelectionnePage(int page);
    /** The position of the judge shown (1 to 5). */
    int JugeCourant() const { return m_juge; }

    void CmSuivant();
    void CmPrecedent();

protected:
    void SetupWindow() override;
    void CmOk() override;
    void MontreControle(int id) override;

private:
    void ChangePage(int page);
    void AfficheJuge();
    void LitJuge();

    TConcours& m_concours;
    std::string m_repProgrammes;
    int m_nbJuges;
    int m_juge = 1;
};
