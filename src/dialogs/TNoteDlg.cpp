// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/TNoteDlg.h"

#include "model/Concours.h"
#include "platform/Chaines.h"
#include "platform/DialoguesStandard.h"

#include <QComboBox>

using namespace tavo;

namespace {

constexpr int ID_VOL = 116;
constexpr int ID_DOSSARD = 117;

using G = TGenre;

const TModeleDialogue MODELE = {
    TNoteDlg::IDD,
    "Saisie d'une feuille de note",
    240,
    104,
    {
        {118, G::LibelleDroite, "Vol :", 10, 22, 30, 8},
        {ID_VOL, G::ListeDeroulante, "", 43, 20, 56, 56, 2, true},
        {119, G::LibelleDroite, "Dossard :", 115, 22, 47, 8},
        {ID_DOSSARD, G::ListeDeroulante, "", 165, 20, 56, 56, 5, false},
        {IDOK, G::BoutonDefaut, "Ok", 51, 80, 50, 14},
        {IDCANCEL, G::Bouton, "Annuler", 139, 80, 50, 14},
    },
};

} // namespace

TNoteDlg::TNoteDlg(QWidget* parent, TConcours& concours)
    : TDialog(parent, MODELE)
    , m_concours(concours)
{}

void TNoteDlg::SetupWindow()
{
    for (int v = 1; v <= MAX_VOLS; ++v)
        AjouteChaine(ID_VOL, QString::number(v));
    SelectionneEgal(ID_VOL, QString::number(m_concours.GetVolCourant()));

    std::list<TPilote> pilotes = m_concours.ListePilotes();
    pilotes.sort(); // by bib value; equal values keep their order
    for (const TPilote& p : pilotes)
        AjouteChaine(ID_DOSSARD, Texte(p.GetDossard()));

    // A bib no pilot wears any more (deleted or changed) is replaced like an empty one:
    // a sheet typed for it would belong to nobody.
    QComboBox* dossards = Liste(ID_DOSSARD);
    const int courant = dossards->findText(Texte(m_concours.GetDossardCourant()),
                                           Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (m_concours.GetDossardCourant()[0] != '\0' && courant >= 0) {
        SetSelection(ID_DOSSARD, courant);
    } else if (!pilotes.empty()) {
        SetSelection(ID_DOSSARD, 0);
        m_concours.SetDossardCourant(pilotes.front().GetDossard());
    }
    CentreEcran();
    Controle(ID_VOL)->setFocus();
}

void TNoteDlg::CmOk()
{
    if (GetSelection(ID_VOL) >= 0)
        m_concours.SetVolCourant(static_cast<short>(GetSelection(ID_VOL) + 1));
    if (GetSelection(ID_DOSSARD) >= 0)
        m_concours.SetDossardCourant(VersCp1252(GetTexte(ID_DOSSARD)).c_str());
    CloseWindow(IDOK);
}
