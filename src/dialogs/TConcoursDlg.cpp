// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/TConcoursDlg.h"

#include "model/Concours.h"
#include "platform/Chaines.h"
#include "platform/DialoguesStandard.h"

#include <array>
#include <cstring>

#include <QAbstractButton>
#include <QDir>
#include <QGroupBox>
#include <QKeySequence>
#include <QShortcut>
#include <QTabBar>

using namespace tavo;

namespace {

// Every letter of Windows-1252; commas, parentheses and "/" where places and people are listed.
const QString LETTRES = QString::fromUtf8(LETTRES_CP1252) + QStringLiteral(" '.-");
const QString LETTRES_PONCTUATION = QString::fromUtf8(LETTRES_CP1252) + QStringLiteral(" '.,()/-");
const QString TEXTE_CHIFFRES = QString::fromUtf8(LETTRES_CP1252) + QStringLiteral("0-9 '.,()/-");
const QString CHIFFRES = QStringLiteral("0-9");

constexpr int ID_ONGLETS = 101;
constexpr int ID_JUGE = 146;
constexpr int ID_PRECEDENT = 152;
constexpr int ID_SUIVANT = 153;
constexpr std::array<int, 7> ID_PROGRAMMES = {126, 133, 134, 135, 136, 137, 138};

using G = TGenre;

const TModeleDialogue MODELE = {
    TConcoursDlg::IDD,
    "Informations",
    296,
    202,
    {
        {ID_ONGLETS, G::Onglets, "", 6, 6, 284, 172},
        // Caractéristiques
        {102, G::Cadre, "", 12, 22, 272, 88},
        {105, G::Libelle, "Titre du concours :", 18, 30, 66, 8},
        {103, G::Edit, "", 87, 28, 188, 12, 51},
        {106, G::Libelle, "Lieu du concours :", 18, 46, 66, 8},
        {104, G::Edit, "", 87, 44, 188, 12, 31},
        {109, G::Libelle, "Département :", 18, 62, 66, 8},
        {107, G::Edit, "", 87, 60, 188, 12, 31},
        {120, G::Libelle, "Organisateur :", 18, 78, 66, 8},
        {119, G::Edit, "", 87, 76, 84, 12, 31},
        {110, G::LibelleDroite, "N° d'affiliation :", 174, 78, 62, 8},
        {108, G::Edit, "", 239, 76, 36, 12, 4},
        {113, G::Libelle, "Date de début :", 18, 94, 66, 8},
        {111, G::Edit, "", 87, 92, 48, 12, 11},
        {114, G::LibelleDroite, "Date de fin :", 150, 94, 74, 8},
        {112, G::Edit, "", 227, 92, 48, 12, 11},
        {154, G::Cadre, "", 12, 116, 272, 50},
        {124, G::Libelle, "Catégorie :", 18, 126, 66, 8},
        {123, G::ListeDeroulante, "", 87, 124, 48, 60, 4, true},
        {122, G::Libelle, "Série :", 18, 148, 66, 8},
        {121, G::ListeDeroulante, "", 87, 146, 48, 60, 6, true},
        {118, G::LibelleDroite, "Nombre de juges :", 150, 126, 74, 8},
        {117, G::ListeDeroulante, "", 227, 124, 48, 60, 2, true},
        {115, G::LibelleDroite, "Nombre de vols :", 150, 148, 74, 8},
        {116, G::ListeDeroulante, "", 227, 146, 48, 60, 2, true},
        // Officiels
        {155, G::Cadre, "", 12, 38, 272, 110},
        {161, G::Libelle, "Directeur :", 18, 53, 56, 8},
        {156, G::Edit, "", 75, 51, 76, 12, 31},
        {162, G::Libelle, "Commissaires :", 18, 77, 56, 8},
        {180, G::Edit, "", 75, 75, 76, 12, 51},
        {163, G::Libelle, "Chronométreurs :", 18, 101, 56, 8},
        {181, G::Edit, "", 75, 99, 76, 12, 51},
        {164, G::LibelleDroite, "Jury 1 :", 153, 53, 28, 8},
        {157, G::Edit, "", 183, 51, 92, 12, 31},
        {165, G::LibelleDroite, "Jury 2 :", 153, 77, 28, 8},
        {158, G::Edit, "", 183, 75, 92, 12, 31},
        {182, G::LibelleDroite, "Jury 3 :", 153, 101, 28, 8},
        {159, G::Edit, "", 183, 99, 92, 12, 31},
        {183, G::LibelleDroite, "Autres :", 83, 128, 34, 8},
        {160, G::Edit, "", 119, 126, 92, 12, 51},
        // Juges
        {ID_JUGE, G::GroupBox, "Juge 1", 22, 30, 252, 114},
        {139, G::Libelle, "Nom :", 32, 52, 34, 8},
        {141, G::Edit, "", 68, 50, 92, 12, 21},
        {145, G::Libelle, "Prénom :", 32, 76, 34, 8},
        {142, G::Edit, "", 68, 74, 92, 12, 16},
        {147, G::Libelle, "Licence :", 32, 100, 34, 8},
        {143, G::Edit, "", 68, 98, 92, 12, 8},
        {148, G::Libelle, "Club :", 32, 124, 34, 8},
        {144, G::Edit, "", 68, 122, 92, 12, 21},
        {149, G::BoutonRadio, "Juge Stagiaire", 196, 60, 68, 12},
        {150, G::BoutonRadio, "Juge Agréé", 196, 84, 68, 12},
        {151, G::BoutonRadio, "Juge National", 196, 108, 68, 12},
        {ID_PRECEDENT, G::Bouton, "Précédent", 93, 156, 50, 14},
        {ID_SUIVANT, G::Bouton, "Suivant", 151, 156, 50, 14},
        // Programmes de vol
        {140, G::Cadre, "", 40, 30, 206, 124},
        {125, G::LibelleDroite, "Programme vol 1 :", 46, 42, 74, 8},
        {126, G::ListeDeroulante, "", 124, 40, 104, 60, 255, true},
        {127, G::LibelleDroite, "Programme vol 2 :", 46, 58, 74, 8},
        {133, G::ListeDeroulante, "", 124, 56, 104, 60, 255, true},
        {128, G::LibelleDroite, "Programme vol 3 :", 46, 74, 74, 8},
        {134, G::ListeDeroulante, "", 124, 72, 104, 60, 255, true},
        {129, G::LibelleDroite, "Programme vol 4 :", 46, 90, 74, 8},
        {135, G::ListeDeroulante, "", 124, 88, 104, 60, 255, true},
        {130, G::LibelleDroite, "Programme vol 5 :", 46, 106, 74, 8},
        {136, G::ListeDeroulante, "", 124, 104, 104, 60, 255, true},
        {131, G::LibelleDroite, "Programme vol 6 :", 46, 122, 74, 8},
        {137, G::ListeDeroulante, "", 124, 120, 104, 60, 255, true},
        {132, G::LibelleDroite, "Programme vol 7 :", 46, 138, 74, 8},
        {138, G::ListeDeroulante, "", 124, 136, 104, 60, 255, true},
        // Déroulement
        {178, G::Cadre, "", 12, 22, 272, 146},
        {166, G::LibelleDroite, "Horaires :", 16, 30, 110, 8},
        {167, G::Edit, "", 130, 28, 137, 12, 255},
        {168, G::LibelleDroite, "Conditions météorologiques :", 16, 54, 110, 8},
        {169, G::Edit, "", 130, 52, 137, 12, 255},
        {170, G::LibelleDroite, "Contrôles effectués :", 16, 78, 110, 8},
        {171, G::Edit, "", 130, 76, 137, 12, 255},
        {172, G::LibelleDroite, "Incidents ou accidents :", 16, 102, 110, 8},
        {173, G::Edit, "", 130, 100, 137, 12, 255},
        {174, G::LibelleDroite, "Réclamations éventuelles :", 16, 126, 110, 8},
        {175, G::Edit, "", 130, 124, 137, 12, 255},
        {176, G::LibelleDroite, "Observations :", 16, 150, 110, 8},
        {177, G::Edit, "", 130, 148, 137, 12, 255},
        {IDOK, G::BoutonDefaut, "Ok", 90, 182, 50, 14},
        {IDCANCEL, G::Bouton, "Annuler", 156, 182, 50, 14},
    },
};

/** The controls shown together on each page, labels and frames included. */
const std::array<std::vector<int>, TConcoursDlg::NB_PAGES> PAGES = {{
    {102, 105, 106, 109, 110, 113, 114, 115, 118, 120, 103, 104,
     107, 108, 111, 112, 119, 154, 116, 117, 121, 123, 122, 124},
    {161, 162, 163, 164, 165, 182, 183, 156, 157, 158, 159, 160, 180, 181, 155},
    {139, 145, 147, 148, 141, 142, 143, 144, 149, 150, 151, 152, 153, 146},
    {125, 127, 128, 129, 130, 131, 132, 126, 133, 134, 135, 136, 137, 138, 140},
    {166, 168, 170, 172, 174, 176, 167, 169, 171, 173, 175, 177, 178},
}};

const char* const TITRES_PAGES[TConcoursDlg::NB_PAGES] = {"Caractéristiques", "Officiels", "Juges",
                                                          "Programmes de vol", "Déroulement"};

/** Edits filled from and written to the competition: id, getter, setter. */
struct ChampTexte
{
    int Id;
    const char* (TConcours::*Lit)() const;
    void (TConcours::*Ecrit)(const char*);
};

const ChampTexte CARACTERISTIQUES[] = {
    {103, &TConcours::GetTitre, &TConcours::SetTitre},
    {104, &TConcours::GetLieu, &TConcours::SetLieu},
    {107, &TConcours::GetDepartement, &TConcours::SetDepartement},
    {119, &TConcours::GetOrganisateur, &TConcours::SetOrganisateur},
    {108, &TConcours::GetNumAffiliation, &TConcours::SetNumAffiliation},
    {111, &TConcours::GetDateDebut, &TConcours::SetDateDebut},
    {112, &TConcours::GetDateFin, &TConcours::SetDateFin},
};

const ChampTexte OFFICIELS_DEROULEMENT[] = {
    {156, &TConcours::GetDirecteur, &TConcours::SetDirecteur},
    {180, &TConcours::GetCommissaires, &TConcours::SetCommissaires},
    {181, &TConcours::GetChronometreurs, &TConcours::SetChronometreurs},
    {157, &TConcours::GetJury1, &TConcours::SetJury1},
    {158, &TConcours::GetJury2, &TConcours::SetJury2},
    {159, &TConcours::GetJury3, &TConcours::SetJury3},
    {160, &TConcours::GetAutres, &TConcours::SetAutres},
    {167, &TConcours::GetHoraires, &TConcours::SetHoraires},
    {169, &TConcours::GetConditionsMeteo, &TConcours::SetConditionsMeteo},
    {171, &TConcours::GetControles, &TConcours::SetControles},
    {173, &TConcours::GetIncidents, &TConcours::SetIncidents},
    {175, &TConcours::GetReclamations, &TConcours::SetReclamations},
    {177, &TConcours::GetObservations, &TConcours::SetObservations},
};

/** Position of a stored choice among sorted items: how many of `suivants` it reaches. */
int Rang(const char* valeur, std::initializer_list<const char*> suivants)
{
    int rang = 0;
    for (const char* s : suivants)
        if (std::strcmp(valeur, s) >= 0)
            ++rang;
    return rang;
}

const QString INFORMATION = QStringLiteral("Information");

} // namespace

TConcoursDlg::TConcoursDlg(QWidget* parent, TConcours& concours, const std::string& repProgrammes)
    : TDialog(parent, MODELE)
    , m_concours(concours)
    , m_repProgrammes(repProgrammes.substr(0, 255))
    , m_nbJuges(concours.NbJugesSaisis())
{
    for (int id : {103, 104, 107, 119})
        SetValidator(id, std::make_unique<TFilterValidator>(TEXTE_CHIFFRES));
    SetValidator(108, std::make_unique<TFilterValidator>(CHIFFRES));
    SetValidator(111, std::make_unique<TDateValidator>());
    SetValidator(112, std::make_unique<TDateValidator>());
    for (int id : {156, 180, 181, 157, 158, 159, 160})
        SetValidator(id, std::make_unique<TFilterValidator>(LETTRES_PONCTUATION));
    for (int id : {141, 142, 144})
        SetValidator(id, std::make_unique<TFilterValidator>(LETTRES));
    SetValidator(143, std::make_unique<TFilterValidator>(CHIFFRES));

    connect(Onglets(ID_ONGLETS), &QTabBar::currentChanged, this, [this](int p) { ChangePage(p); });
    SurBouton(ID_SUIVANT, [this] { CmSuivant(); });
    SurBouton(ID_PRECEDENT, [this] { CmPrecedent(); });
    // Ctrl+Tab and Ctrl+Shift+Tab turn the pages from the keyboard.
    auto* suivante = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(suivante, &QShortcut::activated, this,
            [this] { SelectionnePage((Page() + 1) % NB_PAGES); });
    auto* precedente = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this);
    connect(precedente, &QShortcut::activated, this,
            [this] { SelectionnePage((Page() + NB_PAGES - 1) % NB_PAGES); });
}

int TConcoursDlg::Page() const
{
    return Onglets(ID_ONGLETS)->currentIndex();
}

void TConcoursDlg::SelectionnePage(int page)
{
    Onglets(ID_ONGLETS)->setCurrentIndex(page);
}

void TConcoursDlg::SetupWindow()
{
    QTabBar* onglets = Onglets(ID_ONGLETS);
    for (const char* titre : TITRES_PAGES)
        onglets->addTab(QString::fromUtf8(titre));
    onglets->setCurrentIndex(0);
    ChangePage(0);

    for (const ChampTexte& c : CARACTERISTIQUES)
        SetTexte(c.Id, Texte((m_concours.*c.Lit)()));
    for (const ChampTexte& c : OFFICIELS_DEROULEMENT)
        SetTexte(c.Id, Texte((m_concours.*c.Lit)()));

    for (const char* c : {"F3A", "F3C", "VGM"})
        AjouteChaine(123, QString::fromLatin1(c));
    SetSelection(123, Rang(m_concours.GetCategorie(), {"F3C", "VGM"}));
    for (const char* s : {"1", "1 1/2", "2", "3"})
        AjouteChaine(121, QString::fromLatin1(s));
    SetSelection(121, Rang(m_concours.GetSerie(), {"1 1/2", "2", "3"}));
    for (int n = 3; n <= 5; ++n)
        AjouteChaine(117, QString::number(n));
    SelectionneDebut(117, QString::number(m_concours.GetNbJuges()));
    for (int n = 1; n <= 7; ++n)
        AjouteChaine(116, QString::number(n));
    SelectionneDebut(116, QString::number(m_concours.GetNbVols()));

    const QStringList fichiers =
        QDir(CheminQt(m_repProgrammes.c_str()))
            .entryList({QStringLiteral("*.txt")}, QDir::Files | QDir::Readable, QDir::Name);
    for (std::size_t v = 0; v < ID_PROGRAMMES.size(); ++v) {
        for (const QString& f : fichiers)
            AjouteChaine(ID_PROGRAMMES[v], f);
        SelectionneEgal(ID_PROGRAMMES[v],
                        CheminQt(m_concours.GetProgrammeVol(static_cast<short>(v))));
    }

    AfficheJuge();
    CentreEcran();
    Controle(103)->setFocus();
}

void TConcoursDlg::ChangePage(int page)
{
    for (int p = 0; p < NB_PAGES; ++p)
        for (int id : PAGES[static_cast<std::size_t>(p)])
            if (QWidget* w = Controle(id)) {
                w->setVisible(p == page);
                w->setEnabled(p == page);
            }
}

void TConcoursDlg::MontreControle(int id)
{
    for (int p = 0; p < NB_PAGES; ++p)
        for (int autre : PAGES[static_cast<std::size_t>(p)])
            if (autre == id && p != Page())
                SelectionnePage(p);
}

void TConcoursDlg::AfficheJuge()
{
    if (m_nbJuges == 0) {
        m_concours.AjouteJuge();
        m_nbJuges = 1;
        return;
    }
    SetTexte(ID_JUGE, QStringLiteral("Juge %1").arg(m_juge));
    const TJuge juge = m_concours.GetJuge(m_juge);
    SetTexte(141, Texte(juge.GetNom()));
    SetTexte(142, Texte(juge.GetPrenom()));
    SetTexte(143, Texte(juge.GetLicence()));
    SetTexte(144, Texte(juge.GetClub()));
    for (int id : {149, 150, 151})
        SetCoche(id, false);
    if (juge.GetGrade() >= 1 && juge.GetGrade() <= 3)
        SetCoche(148 + juge.GetGrade(), true);
}

void TConcoursDlg::LitJuge()
{
    TJuge juge;
    juge.SetNom(VersCp1252(GetTexte(141)).c_str());
    juge.SetPrenom(VersCp1252(GetTexte(142)).c_str());
    juge.SetLicence(VersCp1252(GetTexte(143)).c_str());
    juge.SetClub(VersCp1252(GetTexte(144)).c_str());
    int grade = 0;
    for (int g = 1; g <= 3; ++g)
        if (EstCoche(148 + g))
            grade = g;
    juge.SetGrade(grade);
    m_concours.SetJuge(juge, m_juge);
}

void TConcoursDlg::CmSuivant()
{
    LitJuge();
    if (m_juge == m_nbJuges && m_juge < MAX_JUGES) {
        m_concours.AjouteJuge();
        ++m_nbJuges;
        ++m_juge;
    } else if (m_juge < m_nbJuges) {
        ++m_juge;
    } else {
        MessageBox(this, QStringLiteral("Vous ne pouvez saisir que cinq juges !"), INFORMATION,
                   MB_OK | MB_ICONINFORMATION);
    }
    AfficheJuge();
}

void TConcoursDlg::CmPrecedent()
{
    LitJuge();
    if (m_juge < 2)
        MessageBox(this, QStringLiteral("Vous êtes sur le premier juge !"), INFORMATION,
                   MB_OK | MB_ICONINFORMATION);
    else
        --m_juge;
    AfficheJuge();
}

void TConcoursDlg::CmOk()
{
    if (!CanClose())
        return;
    for (const ChampTexte& c : CARACTERISTIQUES)
        (m_concours.*c.Ecrit)(VersCp1252(GetTexte(c.Id)).c_str());
    if (GetSelection(123) >= 0)
        m_concours.SetCategorie(VersCp1252(GetTexte(123)).c_str());
    if (GetSelection(121) >= 0)
        m_concours.SetSerie(VersCp1252(GetTexte(121)).c_str());
    if (GetSelection(117) >= 0)
        m_concours.SetNbJuges(static_cast<short>(GetSelection(117) + 3));
    if (GetSelection(116) >= 0)
        m_concours.SetNbVols(static_cast<short>(GetSelection(116) + 1));
    for (std::size_t v = 0; v < ID_PROGRAMMES.size(); ++v)
        if (GetSelection(ID_PROGRAMMES[v]) >= 0)
            m_concours.SetProgrammeVol(CheminNatif(GetTexte(ID_PROGRAMMES[v])).c_str(),
                                       static_cast<short>(v));
    LitJuge();
    for (const ChampTexte& c : OFFICIELS_DEROULEMENT)
        (m_concours.*c.Ecrit)(VersCp1252(GetTexte(c.Id)).c_str());
    CloseWindow(IDOK);
}
