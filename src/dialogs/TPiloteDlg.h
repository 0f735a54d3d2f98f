// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialog.h"

class TConcours;

/**
 * "Pilotes du concours": the pilots one at a time, with buttons to move
 * through the list, append (past the last one) and delete. Moving stores the
 * pilot shown; his marks are kept. A bib another pilot already wears is
 * refused.
 */
class TPiloteDlg : public tavo::TDialog
{
    Q_OBJECT

public:
    static constexpr int IDD = 4000;

    TPiloteDlg(QWidget* parent, TConcours& concours);

    /** The position of the pilot shown, from 1. */
    int Position() const { return m_position; }
    int NbPilotes() const { return m_nbPilotes; }

    void CmPremier();
    void CmPrecedent();
    void CmSuivant();
    void CmDernier();
    void CmSupprimer();

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    void Affiche();
    /** Writes the pilot shown back at his position; false when a field or his bib is refused. */
    bool StockePilote();

    TConcours& m_concours;
    int m_nbPilotes;
    int m_position = 1;
    bool m_centre = false;
};
