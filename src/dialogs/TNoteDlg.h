// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialog.h"

#include <functional>

class TConcours;
class TPilote;

/**
 * "Saisie d'une feuille de note": the flight and the bib of the score sheet
 * about to be typed, stored in the competition on OK. The pilots are listed
 * "bib - NOM Prénom" in bib order, and the dialog proposes the next pilot in
 * entry order whose sheet of the chosen flight is still to be typed.
 */
class TNoteDlg : public tavo::TDialog
{
    Q_OBJECT

public:
    static constexpr int IDD = 5000;

    /** Whether a pilot's sheet of a flight is typed; by default, whether it has a mark. */
    using FeuilleSaisie = std::function<bool(const TPilote&, short vol)>;

    TNoteDlg(QWidget* parent, TConcours& concours, FeuilleSaisie saisie = {});

    /** "7 - DUPONT Jean": how the list names a pilot. */
    static QString Libelle(const TPilote& pilote);

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    int Position(const QString& dossard) const;
    void ProposeSuivant();

    TConcours& m_concours;
    FeuilleSaisie m_saisie;
};
