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
constexpr int ID_CLAVIER = 118;

using G = TGenre;

const TModeleDialogue MODELE = {
    TOptionDlg::IDD,
    "Options",
    330,
    262,
    {
        {101, G::GroupBox, "Tâches automatiques", 26, 4, 278, 70},
        {ID_SAUVEGARDE, G::CaseACocher, "Sauvegarde automatique", 36, 19, 140, 13},
        {ID_IMPRESSION, G::CaseACocher, "Impression automatique après la saisie des notes", 36, 31,
         262, 14},
        {ID_MISE_EN_PAGE, G::CaseACocher, "Mise en page automatique", 36, 43, 262, 13},
        {ID_PUBLICATION_AUTO, G::CaseACocher, "Publication automatique après la saisie des notes",
         36, 55, 262, 14},
        {105, G::GroupBox, "Options de calcul", 26, 79, 278, 59},
        {ID_RAPPORT1000, G::CaseACocher, "Rapport 1000", 36, 94, 140, 13},
        {ID_TBL, G::CaseACocher, "TBL", 36, 106, 140, 13},
        {ID_ACCORD, G::CaseACocher, "Accord des juges sous le classement imprimé", 36, 118, 262,
         13},
        {117, G::GroupBox, "Saisie des notes", 26, 142, 278, 29},
        {ID_CLAVIER, G::CaseACocher,
         "Clavier sans pavé numérique : les chiffres du clavier principal donnent 0 à 9", 36, 155,
         262, 13},
        {108, G::GroupBox, "Repertoires de travail", 26, 175, 278, 63},
        {109, G::Libelle, "Concours :", 36, 190, 68, 8},
        {ID_CONCOURS, G::Edit, "", 106, 188, 186, 12, 255},
        {110, G::Libelle, "Programmes de vol :", 36, 206, 68, 8},
        {ID_PROGRAMMES, G::Edit, "", 106, 204, 186, 12, 255},
        {115, G::Libelle, "Publication :", 36, 222, 68, 8},
        {ID_PUBLICATION, G::Edit, "", 106, 220, 186, 12, 255},
        {IDOK, G::BoutonDefaut, "Ok", 110, 243, 50, 14},
        {IDCANCEL, G::Bouton, "Annuler", 170, 243, 50, 14},
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
    SetCoche(ID_CLAVIER, m_options.GetClavierSansPave() != 0);
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
    m_options.SetClavierSansPave(EstCoche(ID_CLAVIER) ? 1 : 0);
    m_options.SetRepPublication(CheminNatif(GetTexte(ID_PUBLICATION)).c_str());
    m_options.SetRepProgrammes(CheminNatif(GetTexte(ID_PROGRAMMES)).c_str());
    m_options.SetRepConcours(CheminNatif(GetTexte(ID_CONCOURS)).c_str());
    CloseWindow(IDOK);
}
