// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialog.h"

#include <string>

class TConcours;

/**
 * "Pilotes du concours": the pilots one at a time, with buttons to move
 * through the list, append (past the last one) and delete. Moving stores the
 * pilot shown; his marks are kept. A bib another pilot already wears is
 * refused, and so is an empty bib for a pilot who has a name: marks are
 * entered by bib. Pilots left wholly empty are removed when the dialog closes.
 * Deleting a pilot who has marks asks first.
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
    void CmCancel() override;

private:
    void Affiche();
    /** Writes the pilot shown back at his position; false when a field or his bib is refused. */
    bool StockePilote();
    /** Refuses (with a message) a bib that is empty for a named pilot or worn by another one. */
    bool DossardAccepte(const std::string& dossard);
    /** True when the pilot shown has no mark, or when the user agrees to lose them with him. */
    bool SuppressionConfirmee();
    /** Removes the pilots that hold nothing (the one appended and never filled, say). */
    void RetirePilotesVides();

    TConcours& m_concours;
    int m_nbPilotes;
    int m_position = 1;
    bool m_centre = false;
};
