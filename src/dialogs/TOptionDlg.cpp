// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/TOptionDlg.h"

#include "model/Option.h"
#include "platform/Chaines.h"
#include "platform/Dialogues.h"

using namespace tavo;

namespace {

constexpr int ID_SAUVEGARDE = 102;
constexpr int ID_IMPRESSION = 103;
constexpr int ID_MISE_EN_PAGE = 104;
constexpr int ID_RAPPORT1000 = 106;
constexpr int ID_TBL = 107;
constexpr int ID_CONCOURS = 111;
constexpr int ID_PROGRAMMES = 112;

using G = TGenre;

const TModeleDialogue MODELE = {
    TOptionDlg::IDD,
    "Options",
    240,
    194,
    {
        {101, G::GroupBox, "Tâches automatiques", 26, 4, 188, 58},
        {ID_SAUVEGARDE, G::CaseACocher, "Sauvegarde automatique", 36, 19, 140, 13},
        {ID_IMPRESSION, G::CaseACocher, "Impression automatique après la saisie des notes", 36, 31,
         172, 14},
        {ID_MISE_EN_PAGE, G::CaseACocher, "Mise en page automatique", 36, 43, 172, 13},
        {105, G::GroupBox, "Options de calcul", 26, 67, 188, 47},
        {ID_RAPPORT1000, G::CaseACocher, "Rapport 1000", 36, 82, 140, 13},
        {ID_TBL, G::CaseACocher, "TBL", 36, 94, 140, 13},
        {108, G::GroupBox, "Repertoires de travail", 26, 118, 188, 47},
        {109, G::Libelle, "Concours :", 36, 133, 68, 8},
        {ID_CONCOURS, G::Edit, "", 106, 131, 96, 12, 255},
        {110, G::Libelle, "Programmes de vol :", 36, 149, 68, 8},
        {ID_PROGRAMMES, G::Edit, "", 106, 147, 96, 12, 255},
        {IDOK, G::BoutonDefaut, "Ok", 65, 172, 50, 14},
        {IDCANCEL, G::Bouton, "Annuler", 125, 172, 50, 14},
    },
};

} // namespace

TOptionDlg::TOptionDlg(QWidget* parent, TOption& options)
    : TDialog(parent, MODELE)
    , m_options(options)
{}

void TOptionDlg::SetupWindow()
{
    SetCoche(ID_SAUVEGARDE, m_options.GetSauvegardeAuto() != 0);
    SetCoche(ID_IMPRESSION, m_options.GetImpressionAuto() != 0);
    SetCoche(ID_MISE_EN_PAGE, m_options.GetMiseEnPageAuto() != 0);
    SetCoche(ID_RAPPORT1000, m_options.GetRapport1000() != 0);
    SetCoche(ID_TBL, m_options.GetTBL() != 0);
    SetTexte(ID_PROGRAMMES, CheminQt(m_options.GetRepProgrammes()));
    SetTexte(ID_CONCOURS, CheminQt(m_options.GetRepConcours()));
    CentreEcran();
}

void TOptionDlg::CmOk()
{
    m_options.SetSauvegardeAuto(EstCoche(ID_SAUVEGARDE) ? 1 : 0);
    m_options.SetImpressionAuto(EstCoche(ID_IMPRESSION) ? 1 : 0);
    m_options.SetMiseEnPageAuto(EstCoche(ID_MISE_EN_PAGE) ? 1 : 0);
    m_options.SetRapport1000(EstCoche(ID_RAPPORT1000) ? 1 : 0);
    m_options.SetTBL(EstCoche(ID_TBL) ? 1 : 0);
    m_options.SetRepProgrammes(CheminNatif(GetTexte(ID_PROGRAMMES)).c_str());
    m_options.SetRepConcours(CheminNatif(GetTexte(ID_CONCOURS)).c_str());
    CloseWindow(IDOK);
}
