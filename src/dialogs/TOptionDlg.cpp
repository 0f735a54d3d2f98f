// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/TOptionDlg.h"

#include "model/Option.h"
#include "platform/Chaines.h"
#include "platform/DialoguesStandard.h"

using namespace tavo;

namespace {

constexpr int ID_SAUVEGARDE = 102;
constexpr int ID_IMPRESSION = 103;
constexpr int ID_MISE_EN_PAGE = 104;
constexpr int ID_RAPPORT1000 = 106;
constexpr int ID_TBL = 107;
constexpr int ID_CONCOURS = 111;
constexpr int ID_PROGRAMMES = 112;
constexpr int ID_PUBLICATION_AUTO = 113;
constexpr int ID_ACCORD = 114;
constexpr int ID_PUBLICATION = 116;

using G = TGenre;

const TModeleDialogue MODELE = {
    TOptionDlg::IDD,
    "Options",
    240,
    233,
    {
        {101, G::GroupBox, "Tâches automatiques", 26, 4, 188, 70},
        {ID_SAUVEGARDE, G::CaseACocher, "Sauvegarde automatique", 36, 19, 140, 13},
        {ID_IMPRESSION, G::CaseACocher, "Impression automatique après la saisie des notes", 36, 31,
         172, 14},
        {ID_MISE_EN_PAGE, G::CaseACocher, "Mise en page automatique", 36, 43, 172, 13},
        {ID_PUBLICATION_AUTO, G::CaseACocher, "Publication automatique après la saisie des notes",
         36, 55, 172, 14},
        {105, G::GroupBox, "Options de calcul", 26, 79, 188, 59},
        {ID_RAPPORT1000, G::CaseACocher, "Rapport 1000", 36, 94, 140, 13},
        {ID_TBL, G::CaseACocher, "TBL", 36, 106, 140, 13},
        {ID_ACCORD, G::CaseACocher, "Accord des juges sous le classement imprimé", 36, 118, 172,
         13},
        {108, G::GroupBox, "Repertoires de travail", 26, 142, 188, 63},
        {109, G::Libelle, "Concours :", 36, 157, 68, 8},
        {ID_CONCOURS, G::Edit, "", 106, 155, 96, 12, 255},
        {110, G::Libelle, "Programmes de vol :", 36, 173, 68, 8},
        {ID_PROGRAMMES, G::Edit, "", 106, 171, 96, 12, 255},
        {115, G::Libelle, "Publication :", 36, 189, 68, 8},
        {ID_PUBLICATION, G::Edit, "", 106, 187, 96, 12, 255},
        {IDOK, G::BoutonDefaut, "Ok", 65, 212, 50, 14},
        {IDCANCEL, G::Bouton, "Annuler", 125, 212, 50, 14},
    },
};

} // namespace

TOptionDlg::TOptionDlg(QWidget* parent, TOption& options)
    : TDialog(parent, MODELE)
    , m_options(options)
{
    for (int id : {ID_CONCOURS, ID_PROGRAMMES, ID_PUBLICATION})
        SetChemin(id);
}

void TOptionDlg::SetupWindow()
{
    SetCoche(ID_SAUVEGARDE, m_options.GetSauvegardeAuto() != 0);
    SetCoche(ID_IMPRESSION, m_options.GetImpressionAuto() != 0);
    SetCoche(ID_MISE_EN_PAGE, m_options.GetMiseEnPageAuto() != 0);
    SetCoche(ID_RAPPORT1000, m_options.GetRapport1000() != 0);
    SetCoche(ID_TBL, m_options.GetTBL() != 0);
    SetCoche(ID_PUBLICATION_AUTO, m_options.GetPublicationAuto() != 0);
    SetCoche(ID_ACCORD, m_options.GetAccordJuges() != 0);
    SetTexte(ID_PUBLICATION, CheminQt(m_options.GetRepPublication()));
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
    m_options.SetPublicationAuto(EstCoche(ID_PUBLICATION_AUTO) ? 1 : 0);
    m_options.SetAccordJuges(EstCoche(ID_ACCORD) ? 1 : 0);
    m_options.SetRepPublication(CheminNatif(GetTexte(ID_PUBLICATION)).c_str());
    m_options.SetRepProgrammes(CheminNatif(GetTexte(ID_PROGRAMMES)).c_str());
    m_options.SetRepConcours(CheminNatif(GetTexte(ID_CONCOURS)).c_str());
    CloseWindow(IDOK);
}
