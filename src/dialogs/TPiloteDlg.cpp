// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/TPiloteDlg.h"

#include "model/Concours.h"
#include "model/Texte.h"
#include "platform/Chaines.h"
#include "platform/DialoguesStandard.h"
#include "presentation/Messages.h"

#include <cstring>

#include <QLineEdit>

using namespace tavo;

namespace {

constexpr int ID_PREMIER = 101;
constexpr int ID_PRECEDENT = 102;
constexpr int ID_SUIVANT = 103;
constexpr int ID_DERNIER = 104;
constexpr int ID_SUPPRIMER = 105;
constexpr int ID_NOM = 106;
constexpr int ID_LICENCE = 107;
constexpr int ID_CLUB = 108;
constexpr int ID_FREQUENCE1 = 109;
constexpr int ID_FREQUENCE2 = 110;
constexpr int ID_PRENOM = 111;
constexpr int ID_DOSSARD = 112;
constexpr int ID_PILOTE = 113;
constexpr int ID_NUM_CLUB = 115;

using G = TGenre;

const TModeleDialogue MODELE = {
    TPiloteDlg::IDD,
    "Pilotes du concours",
    348,
    180,
    {
        {ID_PILOTE, G::GroupBox, "Pilote 1", 20, 19, 248, 150},
        {114, G::Libelle, "Nom :", 30, 54, 36, 8},
        {ID_NOM, G::Edit, "", 67, 52, 73, 12, 21},
        {116, G::Libelle, "Prénom :", 30, 78, 36, 8},
        {ID_PRENOM, G::Edit, "", 67, 76, 73, 12, 16},
        {117, G::Libelle, "Club :", 30, 102, 36, 8},
        {ID_CLUB, G::Edit, "", 67, 100, 73, 12, 21},
        {118, G::Libelle, "N° Club :", 30, 126, 36, 8},
        {ID_NUM_CLUB, G::Edit, "", 67, 124, 73, 12, 4},
        {119, G::Libelle, "Licence :", 146, 54, 48, 8},
        {ID_LICENCE, G::Edit, "", 196, 52, 60, 12, 8},
        {120, G::Libelle, "Fréquence 1 :", 146, 78, 48, 8},
        {ID_FREQUENCE1, G::Edit, "", 196, 76, 60, 12, 7},
        {121, G::Libelle, "Fréquence 2 :", 146, 102, 48, 8},
        {ID_FREQUENCE2, G::Edit, "", 196, 100, 60, 12, 7},
        {122, G::Libelle, "Dossard :", 146, 126, 48, 8},
        {ID_DOSSARD, G::Edit, "", 196, 124, 60, 12, 5},
        {ID_PREMIER, G::Bouton, "Premier", 284, 19, 50, 14},
        {ID_PRECEDENT, G::Bouton, "Précedent", 284, 39, 50, 14},
        {ID_SUIVANT, G::Bouton, "Suivant", 284, 59, 50, 14},
        {ID_DERNIER, G::Bouton, "Dernier", 284, 79, 50, 14},
        {ID_SUPPRIMER, G::Bouton, "Supprimer", 284, 99, 50, 14},
        {IDOK, G::BoutonDefaut, "Ok", 284, 135, 50, 14},
        {IDCANCEL, G::Bouton, "Annuler", 284, 155, 50, 14},
    },
};

const QString TITRE = NomTavo();

/** Two bibs name the same pilot when their texts or their numbers are equal. */
bool MemeDossard(const char* a, const char* b)
{
    if (std::strcmp(a, b) == 0)
        return true;
    const auto nombre = [](const char* t) {
        if (*t == '\0')
            return false;
        for (; *t; ++t)
            if (*t < '0' || *t > '9')
                return false;
        return true;
    };
    return nombre(a) && nombre(b) && ValeurEntiere(a) == ValeurEntiere(b);
}

} // namespace

TPiloteDlg::TPiloteDlg(QWidget* parent, TConcours& concours)
    : TDialog(parent, MODELE)
    , m_concours(concours)
    , m_nbPilotes(concours.NbPilotes())
{
    const auto filtre = [this](int id, const QString& caracteres) {
        SetValidator(id, std::make_unique<TFilterValidator>(caracteres));
    };
    const QString lettres = QString::fromUtf8(LETTRES_CP1252);
    filtre(ID_NOM, lettres + QStringLiteral(" '.-"));
    filtre(ID_PRENOM, lettres + QStringLiteral(" ()'.-"));
    filtre(ID_CLUB, lettres + QStringLiteral("0-9 '.-"));
    filtre(ID_NUM_CLUB, QStringLiteral("0-9"));
    filtre(ID_LICENCE, QStringLiteral("0-9"));
    filtre(ID_DOSSARD, QStringLiteral("0-9"));
    SetValidator(ID_FREQUENCE1, std::make_unique<TFrequenceValidator>());
    SetValidator(ID_FREQUENCE2, std::make_unique<TFrequenceValidator>());

    SurBouton(ID_PREMIER, [this] { CmPremier(); });
    SurBouton(ID_PRECEDENT, [this] { CmPrecedent(); });
    SurBouton(ID_SUIVANT, [this] { CmSuivant(); });
    SurBouton(ID_DERNIER, [this] { CmDernier(); });
    SurBouton(ID_SUPPRIMER, [this] { CmSupprimer(); });
}

void TPiloteDlg::SetupWindow()
{
    Affiche();
}

void TPiloteDlg::Affiche()
{
    if (m_nbPilotes == 0) {
        m_concours.AjoutePilote();
        m_nbPilotes = 1;
    } else {
        SetTexte(ID_PILOTE, QStringLiteral("Pilote %1").arg(m_position));
        const TPilote pilote = m_concours.GetPilote(m_position);
        SetTexte(ID_NOM, Texte(pilote.GetNom()));
        SetTexte(ID_PRENOM, Texte(pilote.GetPrenom()));
        SetTexte(ID_LICENCE, Texte(pilote.GetLicence()));
        SetTexte(ID_CLUB, Texte(pilote.GetClub()));
        SetTexte(ID_NUM_CLUB, Texte(pilote.GetNumClub()));
        SetTexte(ID_FREQUENCE1, Texte(pilote.GetFrequence1()));
        SetTexte(ID_FREQUENCE2, Texte(pilote.GetFrequence2()));
        SetTexte(ID_DOSSARD, Texte(pilote.GetDossard()));
    }
    if (!m_centre) {
        CentreEcran();
        m_centre = true;
    }
    Controle(ID_NOM)->setFocus();
}

bool TPiloteDlg::DossardAccepte(const std::string& dossard)
{
    auto refuse = [this](const QString& texte) {
        MessageBox(this, texte, TITRE, MB_OK | MB_ICONEXCLAMATION);
        Edit(ID_DOSSARD)->setFocus();
        Edit(ID_DOSSARD)->selectAll();
        return false;
    };
    if (dossard.empty()) {
        if (GetTexte(ID_NOM).trimmed().isEmpty() && GetTexte(ID_PRENOM).trimmed().isEmpty())
            return true;
        return refuse(
            QStringLiteral("Ce pilote n'a pas de dossard.\n"
                           "Donnez-lui un dossard : ses notes sont saisies par dossard."));
    }
    int position = 0;
    for (const TPilote& autre : m_concours.GetPilotes()) {
        ++position;
        if (position != m_position && MemeDossard(autre.GetDossard(), dossard.c_str())) {
            const QString qui = (Texte(autre.GetNom()) + u' ' + Texte(autre.GetPrenom())).trimmed();
            return refuse(QStringLiteral("Le dossard %1 est déjà celui du pilote %2 (%3).\n"
                                         "Donnez un autre dossard à ce pilote.")
                              .arg(GetTexte(ID_DOSSARD))
                              .arg(position)
                              .arg(qui));
        }
    }
    return true;
}

bool TPiloteDlg::StockePilote()
{
    // An unfinished frequency is refused on the way to another pilot as well as on OK.
    if (!CanClose())
        return false;
    const std::string dossard = VersCp1252(GetTexte(ID_DOSSARD));
    if (!DossardAccepte(dossard))
        return false;
    // A copy of the stored pilot, so that his marks stay with him.
    TPilote pilote = m_concours.GetPilote(m_position);
    pilote.SetNom(VersCp1252(GetTexte(ID_NOM)).c_str());
    pilote.SetPrenom(VersCp1252(GetTexte(ID_PRENOM)).c_str());
    pilote.SetLicence(VersCp1252(GetTexte(ID_LICENCE)).c_str());
    pilote.SetClub(VersCp1252(GetTexte(ID_CLUB)).c_str());
    pilote.SetNumClub(VersCp1252(GetTexte(ID_NUM_CLUB)).c_str());
    pilote.SetFrequence1(VersCp1252(GetTexte(ID_FREQUENCE1)).c_str());
    pilote.SetFrequence2(VersCp1252(GetTexte(ID_FREQUENCE2)).c_str());
    pilote.SetDossard(dossard.c_str());
    m_concours.SetPilote(pilote, m_position);
    return true;
}

void TPiloteDlg::CmPremier()
{
    if (!StockePilote())
        return;
    m_position = 1;
    Affiche();
}

void TPiloteDlg::CmPrecedent()
{
    if (!StockePilote())
        return;
    if (m_position < 2)
        MessageBox(this, QStringLiteral("Vous êtes sur le premier pilote !"), TITRE, MB_OK);
    else
        --m_position;
    Affiche();
}

void TPiloteDlg::CmSuivant()
{
    if (!StockePilote())
        return;
    if (m_position == m_nbPilotes) {
        m_concours.AjoutePilote();
        ++m_nbPilotes;
        ++m_position;
        Affiche();
    } else if (m_position < m_nbPilotes) {
        ++m_position;
        Affiche();
    }
}

void TPiloteDlg::CmDernier()
{
    if (!StockePilote())
        return;
    m_position = m_nbPilotes;
    Affiche();
}

bool TPiloteDlg::SuppressionConfirmee()
{
    const TPilote pilote = m_concours.GetPilote(m_position);
    if (pilote.GetNotesPilote().SansNote())
        return true;
    QStringList noms;
    for (const char* nom : {pilote.GetNom(), pilote.GetPrenom()})
        if (const QString n = Texte(nom).trimmed(); !n.isEmpty())
            noms << n;
    const QString qui = noms.isEmpty() ? QString() : QStringLiteral(", %1,").arg(noms.join(u' '));
    const QString question =
        QStringLiteral("Supprimer le pilote %1%2 et toutes ses notes ?").arg(m_position).arg(qui);
    return MessageBox(this, question, TITRE, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TPiloteDlg::CmSupprimer()
{
    if (m_position <= m_nbPilotes && m_nbPilotes > 1 && !SuppressionConfirmee())
        return; // the fields stay as they are, typed changes included
    if (m_position < m_nbPilotes) {
        m_concours.SupprimePilote(m_position);
        --m_nbPilotes;
    } else if (m_position == m_nbPilotes && m_position > 1) {
        m_concours.SupprimePilote(m_position);
        --m_nbPilotes;
        --m_position;
    } else {
        MessageBox(this, Message(messages::AU_MOINS_UN_PILOTE), TITRE, MB_OK);
    }
    Affiche();
}

void TPiloteDlg::RetirePilotesVides()
{
    m_concours.GetPilotes().remove_if([](const TPilote& pilote) { return pilote.EstVide(); });
}

void TPiloteDlg::CmOk()
{
    if (!StockePilote())
        return;
    RetirePilotesVides();
    CloseWindow(IDOK);
}

void TPiloteDlg::CmCancel()
{
    RetirePilotesVides();
    CloseWindow(IDCANCEL);
}
