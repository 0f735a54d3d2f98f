// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/TNoteDlg.h"

#include "model/Concours.h"
#include "platform/Chaines.h"
#include "platform/DialoguesStandard.h"
#include "scoring/FeuillesManquantes.h"

#include <algorithm>

#include <QComboBox>

using namespace tavo;

namespace {

constexpr int ID_VOL = 116;
constexpr int ID_DOSSARD = 117;

using G = TGenre;

const TModeleDialogue MODELE = {
    TNoteDlg::IDD,
    "Saisie d'une feuille de note",
    330,
    104,
    {
        {118, G::LibelleDroite, "Vol :", 10, 22, 30, 8},
        {ID_VOL, G::ListeDeroulante, "", 43, 20, 56, 56, 2, true},
        {119, G::LibelleDroite, "Dossard :", 115, 22, 47, 8},
        {ID_DOSSARD, G::ListeDeroulante, "", 165, 20, 150, 120, 0, false},
        {IDOK, G::BoutonDefaut, "Ok", 96, 80, 50, 14},
        {IDCANCEL, G::Bouton, "Annuler", 184, 80, 50, 14},
    },
};

} // namespace

TNoteDlg::TNoteDlg(QWidget* parent, TConcours& concours, FeuilleSaisie saisie)
    : TDialog(parent, MODELE)
    , m_concours(concours)
    , m_saisie(std::move(saisie))
{
    if (!m_saisie)
        m_saisie = [](const TPilote& pilote, short vol) {
            // Without the programme's figures, any mark of any judge makes the sheet typed.
            return EtatDeFeuille(pilote, vol, MAX_JUGES, 0) != EtatFeuille::SansNote;
        };
}

QString TNoteDlg::Libelle(const TPilote& pilote)
{
    const QString nom =
        (Texte(pilote.GetNom()) + QLatin1Char(' ') + Texte(pilote.GetPrenom())).trimmed();
    const QString dossard = Texte(pilote.GetDossard());
    return nom.isEmpty() ? dossard : dossard + QStringLiteral(" - ") + nom;
}

void TNoteDlg::SetupWindow()
{
    for (int v = 1; v <= MAX_VOLS; ++v)
        AjouteChaine(ID_VOL, QString::number(v));
    SelectionneEgal(ID_VOL, QString::number(m_concours.GetVolCourant()));

    TPilotes pilotes = m_concours.ListePilotes();
    pilotes.sort(); // by bib value; equal values keep their order
    QComboBox* dossards = Liste(ID_DOSSARD);
    for (const TPilote& p : pilotes)
        dossards->addItem(Libelle(p), Texte(p.GetDossard()));

    // A bib no pilot wears any more (deleted or changed) is replaced like an empty one:
    // a sheet typed for it would belong to nobody.
    const int courant = Position(Texte(m_concours.GetDossardCourant()));
    if (m_concours.GetDossardCourant()[0] != '\0' && courant >= 0) {
        SetSelection(ID_DOSSARD, courant);
    } else if (!pilotes.empty()) {
        SetSelection(ID_DOSSARD, 0);
        m_concours.SetDossardCourant(pilotes.front().GetDossard());
    }
    ProposeSuivant();
    connect(Liste(ID_VOL), &QComboBox::activated, this, [this] { ProposeSuivant(); });
    CentreEcran();
    Controle(ID_VOL)->setFocus();
}

int TNoteDlg::Position(const QString& dossard) const
{
    return Liste(ID_DOSSARD)
        ->findData(dossard, Qt::UserRole, Qt::MatchFixedString | Qt::MatchCaseSensitive);
}

void TNoteDlg::ProposeSuivant()
{
    // The selected pilot while his sheet of this flight is still to be typed; otherwise the
    // next one in entry order whose sheet is, and the selected one when every sheet is typed.
    const int vol = GetSelection(ID_VOL) + 1;
    const QString choisi = Liste(ID_DOSSARD)->currentData().toString();
    const TPilotes& pilotes = m_concours.ListePilotes();
    auto depart = std::find_if(pilotes.begin(), pilotes.end(),
                               [&](const TPilote& p) { return Texte(p.GetDossard()) == choisi; });
    if (depart == pilotes.end())
        return;
    auto p = depart;
    do {
        if (!m_saisie(*p, static_cast<short>(vol))) {
            SetSelection(ID_DOSSARD, Position(Texte(p->GetDossard())));
            return;
        }
        if (++p == pilotes.end())
            p = pilotes.begin();
    } while (p != depart);
}

void TNoteDlg::CmOk()
{
    if (GetSelection(ID_VOL) >= 0)
        m_concours.SetVolCourant(static_cast<short>(GetSelection(ID_VOL) + 1));
    if (GetSelection(ID_DOSSARD) >= 0)
        m_concours.SetDossardCourant(
            VersCp1252(Liste(ID_DOSSARD)->currentData().toString()).c_str());
    CloseWindow(IDOK);
}
