// SPDX-License-Identifier: GPL-3.0-or-later
// The score sheet in the window: the window turns its keys into the sheet's and shows what
// they did; finishing a sheet tells its total, then saves, prints and publishes as the options say.
#include "app/DessinVues.h"
#include "app/Menu.h"
#include "app/TTavoWindow.h"
#include "document/FeuilleSaisie.h"
#include "platform/Chaines.h"
#include "platform/Clavier.h"
#include "presentation/Messages.h"
#include "presentation/Presentation.h"

using namespace tavo;

namespace {

const QString TITRE = NomTavo();

/** The sheet's key of a virtual-key code. */
ToucheFeuille ToucheDe(int code)
{
    switch (code) {
    case VK_RETURN:
        return {GenreTouche::Entree};
    case VK_ESCAPE:
        return {GenreTouche::Echap};
    case VK_LEFT:
        return {GenreTouche::Gauche};
    case VK_RIGHT:
        return {GenreTouche::Droite};
    case VK_UP:
        return {GenreTouche::Haut};
    case VK_DOWN:
        return {GenreTouche::Bas};
    case VK_ADD:
        return {GenreTouche::PavePlus};
    case VK_SUBTRACT:
        return {GenreTouche::PaveMoins};
    default:
        break;
    }
    if (code >= VK_NUMPAD0 && code <= VK_NUMPAD0 + 9)
        return {GenreTouche::Pave, code - VK_NUMPAD0};
    if (code >= VK_0 && code <= VK_0 + 9)
        return {GenreTouche::Principal, code - VK_0};
    return {};
}

} // namespace

void TTavoWindow::EntreFeuille()
{
    if (!Concours->ChargeProgramme(Concours->GetVolCourant(), Options->GetRepProgrammes())) {
        MessageBox(this, Message(messages::PROGRAMME_FEUILLE_INTROUVABLE), TITRE, MB_OK);
        return;
    }
    if (Vue == modes::LISTE_PILOTES)
        QuitteListe();
    VuePrecedente = Vue;
    Vue = modes::FEUILLE;
    m_feuille->Commence();
    LargeurVue = 600;
    HauteurVue = 16 * Concours->GetProgramme().NbLignes() + 116;
    Scroller->SetUnits(1, 1);
    Invalide();
    RecalculeDefilement();
    Scroller->ScrollTo(0, 0);
    setFocus();
    EtatModifie();
}

TRect TTavoWindow::RectCurseur() const
{
    const TRect cellule = m_feuille->EnSaisie()
                              ? CelluleFeuille(m_feuille->Colonne(), m_feuille->Ligne())
                              : EnteteFeuille(m_feuille->Colonne());
    const int x = static_cast<int>(Scroller->XOffset());
    const int y = static_cast<int>(Scroller->YOffset());
    return TRect{cellule.left - x, cellule.top - y, cellule.right - x, cellule.bottom - y};
}

void TTavoWindow::MontreCurseur()
{
    const TRect curseur = RectCurseur();
    const TRect client = GetClientRect();
    if (curseur.right - client.Width() > 0)
        Scroller->ScrollBy(curseur.right - client.Width(), 0);
    if (curseur.left < 0)
        Scroller->ScrollBy(curseur.left, 0);
    if (curseur.bottom - client.Height() > 0)
        Scroller->ScrollBy(0, curseur.bottom - client.Height());
    if (curseur.top < 0)
        Scroller->ScrollBy(0, curseur.top);
}

void TTavoWindow::ToucheFeuille(int code)
{
    switch (m_feuille->Touche(ToucheDe(code))) {
    case EffetTouche::Rien:
        return;
    case EffetTouche::Fin:
        TermineFeuille();
        return;
    case EffetTouche::Curseur:
    case EffetTouche::Note:
        MontreCurseur();
        Invalide();
        return;
    }
}

void TTavoWindow::TermineFeuille()
{
    const ResultatFeuille resultat = m_feuille->Termine();
    QString message = QStringLiteral("Total du vol %1 : %2")
                          .arg(resultat.vol)
                          .arg(QString::fromStdString(tavo::Fixe(resultat.score, 7, 2)));
    if (resultat.suspectes == 1)
        message += QStringLiteral("\n\nAttention : 1 note est supérieure à 10.");
    else if (resultat.suspectes > 1)
        message += QStringLiteral("\n\nAttention : %1 notes sont supérieures à 10.")
                       .arg(resultat.suspectes);
    MessageBox(this, message, TITRE, MB_OK);
    if (Options->GetSauvegardeAuto())
        CmEnregistrer();
    if (Options->GetImpressionAuto())
        ImpressionAutoFeuille();
    if (Options->GetPublicationAuto())
        PublieResultats(false);
    Commande(CommandeVuePrecedente());
    EtatModifie();
}

int TTavoWindow::CommandeVuePrecedente() const
{
    if (VuePrecedente == modes::JUGES)
        return CM_JUGES;
    if (VuePrecedente == modes::LISTE_PILOTES)
        return CM_LISTE_PILOTES;
    if (const auto vue = DecodeVue(VuePrecedente))
        return CommandeDeVue(*vue);
    return CM_CARACTERISTIQUES;
}
