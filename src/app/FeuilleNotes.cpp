// SPDX-License-Identifier: GPL-3.0-or-later
// The score sheet: one pilot, one flight, every judge's marks typed in with
// the keyboard and written into the competition as they are typed.
#include "app/DessinVues.h"
#include "app/Menu.h"
#include "app/TTavoWindow.h"
#include "document/Document.h"
#include "platform/Chaines.h"
#include "platform/Clavier.h"
#include "platform/DC.h"
#include "scoring/Messages.h"
#include "scoring/Presentation.h"
#include "scoring/Regles.h"

#include <algorithm>
#include <cstdio>

using namespace tavo;

namespace {

constexpr unsigned GAUCHE = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
constexpr unsigned CENTRE = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr unsigned DROITE = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;

const QString TITRE = NomTavo();

void Texte(TDC& dc, const QString& texte, const TRect& rect, unsigned format,
           TColor encre = TColor::White, TColor fond = TColor::LtBlue)
{
    dc.SetTextColor(encre);
    dc.SetBkColor(fond);
    dc.DrawText(texte, rect, format);
}

void Cadre(TDC& dc, const TRect& rect)
{
    dc.FrameRect(rect, TBrush{TColor::White});
}

/** Top of the band of figure line l. */
int HautLigne(int ligne)
{
    return 89 + 16 * ligne;
}

/** The first three characters of a judge's surname. */
QString Initiales(const TJuge& juge)
{
    return tavo::Texte(juge.GetNom()).left(3);
}

/** The highest mark of a figure on the paper sheets. */
constexpr short MAX_NOTE_FIGURE = 10;

short NbJuges(const TConcours& concours)
{
    return JugesEffectifs(concours.GetNbJuges());
}

} // namespace

TRect CelluleFeuille(int colonne, int ligne)
{
    return TRect{389 + 40 * (colonne - 1), HautLigne(ligne), 429 + 40 * (colonne - 1),
                 HautLigne(ligne) + 16};
}

TRect EnteteFeuille(int colonne)
{
    return TRect{389 + 40 * (colonne - 1), 87, 429 + 40 * (colonne - 1), 103};
}

namespace {

void DessineNote(TDC& dc, short note, int colonne, int ligne, bool surbrillance)
{
    // A mark above 10 is one of the main keyboard's digits: shown in red, to be checked.
    const bool suspecte = note > MAX_NOTE_FIGURE;
    TColor encre = TColor::White;
    TColor fond = TColor::LtBlue;
    if (surbrillance) {
        encre = suspecte ? TColor::LtRed : TColor::LtBlue;
        fond = TColor::LtGreen;
    } else if (suspecte) {
        fond = TColor::LtRed;
    }
    TRect rect = CelluleFeuille(colonne, ligne);
    if (surbrillance || suspecte)
        dc.FillRect(rect, fond);
    rect.right -= 8;
    Texte(dc, QString::number(note), rect, DROITE, encre, fond);
}

} // namespace

void DessineSurbrillance(TDC& dc, const TTavoWindow& fenetre, short colonne, short ancienne,
                         short nouvelle, bool surbrillance)
{
    const short vol = fenetre.Concours->GetVolCourant();
    const TPilote& pilote = *fenetre.PiloteSaisi;
    dc.FillRect(CelluleFeuille(colonne, ancienne), TColor::LtBlue);
    DessineNote(dc, pilote.GetNote(vol, ancienne, colonne), colonne, ancienne, false);
    if (surbrillance)
        DessineNote(dc, pilote.GetNote(vol, nouvelle, colonne), colonne, nouvelle, true);
}

namespace {

int NotesSuperieuresA10(const TPilote& pilote, short vol, short lignes, short juges)
{
    int n = 0;
    for (short l = 1; l <= lignes; ++l)
        for (short j = 1; j <= juges; ++j)
            n += pilote.GetNote(vol, l, j) > MAX_NOTE_FIGURE ? 1 : 0;
    return n;
}

} // namespace

namespace {

// The programme: number, name and K of each figure, then the noise and conformity lines.
void DessineProgramme(TDC& dc, const TProgramme& programme)
{
    const int figures = programme.NbFigures();
    const int basGrille = 138 + 16 * figures;
    Cadre(dc, TRect{3, 103, 22, basGrille});
    Cadre(dc, TRect{3, 103, 389, basGrille});
    Cadre(dc, TRect{388, 103, 590, basGrille});
    auto ligneProgramme = [&](int ligne, const QString& numero, const QString& nom, short k) {
        const int haut = HautLigne(ligne);
        if (!numero.isEmpty())
            Texte(dc, numero, TRect{5, haut, 20, haut + 16}, DROITE);
        Texte(dc, nom, TRect{29, haut, 349, haut + 16}, GAUCHE);
        Texte(dc, QStringLiteral("K%1").arg(k), TRect{358, haut, 373, haut + 16}, CENTRE);
    };
    for (int i = 1; i <= figures; ++i) {
        const TFigure figure = programme.GetFigure(static_cast<short>(i));
        ligneProgramme(i, QString::number(i), tavo::Texte(figure.GetNom()), figure.GetK());
    }
    int ligne = figures + 1;
    if (programme.GetTypeBruit() != 0)
        ligneProgramme(ligne++, {}, QStringLiteral("Bruit"), programme.GetKBruit());
    if (programme.GetTypeConformite() != 0)
        ligneProgramme(ligne, {}, QStringLiteral("Conformité avec la documentation"),
                       programme.GetKConformite());
}

} // namespace

void DessineFeuilleNotes(TDC& dc, TTavoWindow& fenetre)
{
    const TConcours& concours = *fenetre.Concours;
    *fenetre.PiloteSaisi = concours.GetPiloteCourant();
    const TPilote& pilote = *fenetre.PiloteSaisi;
    const TProgramme& programme = concours.GetProgramme();
    const short vol = concours.GetVolCourant();
    dc.RestoreObjects();
    dc.SetBkMode(OPAQUE);

    DessineProgramme(dc, programme);

    // The competition.
    Cadre(dc, TRect{202, 5, 590, 76});
    Texte(dc, tavo::Texte(concours.GetTitre()), TRect{202, 24, 590, 40}, CENTRE);
    Texte(dc, tavo::Texte(concours.GetLieu()), TRect{202, 41, 590, 60}, CENTRE);

    // The judges, the selected column in grey.
    Cadre(dc, TRect{388, 86, 590, 104});
    dc.FillRect(TRect{389, 87, 589, 103}, TColor::LtBlue);
    int j = 1;
    for (const TJuge& juge : concours.GetJuges()) {
        if (j > MAX_JUGES)
            break;
        Texte(dc, Initiales(juge), EnteteFeuille(j++), CENTRE);
    }
    const short colonne = fenetre.ColonneJuge;
    dc.FillRect(EnteteFeuille(colonne), TColor::LtGray);
    if (colonne >= 1 && concours.NbJugesSaisis() >= colonne)
        Texte(dc, Initiales(concours.GetJuge(colonne)), EnteteFeuille(colonne), CENTRE,
              TColor::Black, TColor::LtGray);

    // The pilot.
    Cadre(dc, TRect{3, 5, 200, 76});
    const QString etiquettes[4] = {QStringLiteral("NOM :"), QStringLiteral("PRENOM :"),
                                   QStringLiteral("DOSSARD :"), QStringLiteral("VOL :")};
    const QString valeurs[4] = {tavo::Texte(pilote.GetNom()), tavo::Texte(pilote.GetPrenom()),
                                tavo::Texte(pilote.GetDossard()), QString::number(vol)};
    for (int b = 0; b < 4; ++b) {
        const int haut = 7 + 17 * b;
        Texte(dc, etiquettes[b], TRect{7, haut, 80, haut + 16}, DROITE);
        Texte(dc, valeurs[b], TRect{89, haut, 196, haut + 16}, GAUCHE);
    }

    // The marks.
    const short lignes = programme.NbLignes();
    const short juges = NbJuges(concours);
    for (short l = 1; l <= lignes; ++l)
        for (short jj = 1; jj <= juges; ++jj)
            DessineNote(dc, pilote.GetNote(vol, l, jj), jj, l, false);

    if (fenetre.SaisieEnCours)
        DessineSurbrillance(dc, fenetre, colonne, fenetre.LigneFigure, fenetre.LigneFigure, true);
}

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
    ColonneJuge = 1;
    SaisieEnCours = false;
    *PiloteSaisi = Concours->GetPiloteCourant();
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
    const TRect cellule =
        SaisieEnCours ? CelluleFeuille(ColonneJuge, LigneFigure) : EnteteFeuille(ColonneJuge);
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

void TTavoWindow::StockeNote(short note)
{
    const short lignes = Concours->GetProgramme().NbLignes();
    m_document->StockeNote(
        {Concours->GetVolCourant(), LigneFigure, ColonneJuge, note, Concours->GetDossardCourant()});
    *PiloteSaisi = Concours->GetPiloteCourant();
    LigneFigure = LigneFigure < lignes ? static_cast<short>(LigneFigure + 1) : short{1};
    MontreCurseur();
    Invalide();
}

namespace {

// The mark a key types: the keypad's digits 0 to 9 and "+" 10, the main digits 1 to 9
// give 11 to 19 and 0 gives 20; -1 for any other key.
short ValeurTouche(int code)
{
    if (code >= VK_NUMPAD0 && code <= VK_NUMPAD0 + 9)
        return static_cast<short>(code - VK_NUMPAD0);
    if (code == VK_ADD)
        return 10;
    if (code >= VK_0 + 1 && code <= VK_0 + 9)
        return static_cast<short>(10 + code - VK_0);
    return code == VK_0 ? short{20} : short{-1};
}

} // namespace

void TTavoWindow::ToucheFeuille(int code)
{
    const TProgramme& programme = Concours->GetProgramme();
    const short lignes = programme.NbLignes();
    const short juges = JugesEffectifs(Concours->GetNbJuges());
    if (code == VK_RETURN || (code == VK_ESCAPE && SaisieEnCours)) {
        if (SaisieEnCours) {
            SaisieEnCours = false;
        } else if (lignes > 0) {
            // A programme without a line has no cell to type into.
            LigneFigure = 1;
            SaisieEnCours = true;
        }
        MontreCurseur();
        Invalide();
        return;
    }
    if (code == VK_ESCAPE) {
        TermineFeuille();
        return;
    }
    if (!SaisieEnCours) {
        if (code == VK_LEFT)
            ColonneJuge = ColonneJuge <= 1 ? juges : static_cast<short>(ColonneJuge - 1);
        else if (code == VK_RIGHT)
            ColonneJuge = ColonneJuge < juges ? static_cast<short>(ColonneJuge + 1) : short{1};
        else
            return;
        MontreCurseur();
        Invalide();
        return;
    }
    if (code == VK_UP || code == VK_DOWN) {
        if (code == VK_UP)
            LigneFigure = LigneFigure <= 1 ? lignes : static_cast<short>(LigneFigure - 1);
        else
            LigneFigure = LigneFigure < lignes ? static_cast<short>(LigneFigure + 1) : short{1};
        MontreCurseur();
        Invalide();
        return;
    }
    ToucheNote(code);
}

void TTavoWindow::ToucheNote(int code)
{
    const TProgramme& programme = Concours->GetProgramme();
    const short lignes = programme.NbLignes();
    const short figures = programme.NbFigures();
    const bool bruit = programme.GetTypeBruit() != 0 && LigneFigure == figures + 1;
    const bool conformite = programme.GetTypeConformite() != 0 && LigneFigure == lignes;
    if (code == VK_SUBTRACT) {
        if (bruit && programme.BruitValide(-1))
            StockeNote(programme.NoteNegativeBruit());
        else if (conformite && programme.ConformiteValide(-1))
            StockeNote(programme.NoteNegativeConformite());
        return;
    }
    const short valeur = ValeurTouche(code);
    if (valeur < 0)
        return;
    if ((bruit && !programme.BruitValide(valeur)) ||
        (conformite && !programme.ConformiteValide(valeur)))
        return;
    StockeNote(valeur);
}

void TTavoWindow::TermineFeuille()
{
    const short vol = Concours->GetVolCourant();
    PiloteSaisi->CalculeVol(vol, Concours->GetNbJuges(), Concours->GetProgramme());
    QString message =
        QStringLiteral("Total du vol %1 : %2")
            .arg(vol)
            .arg(QString::fromStdString(tavo::Fixe(PiloteSaisi->GetScoreVol(vol), 7, 2)));
    const int suspectes =
        NotesSuperieuresA10(*PiloteSaisi, vol, Concours->GetProgramme().NbLignes(),
                            JugesEffectifs(Concours->GetNbJuges()));
    if (suspectes == 1)
        message += QStringLiteral("\n\nAttention : 1 note est supérieure à 10.");
    else if (suspectes > 1)
        message += QStringLiteral("\n\nAttention : %1 notes sont supérieures à 10.").arg(suspectes);
    MessageBox(this, message, TITRE, MB_OK);
    m_document->Synchronise(); // the sheet is on the disk before anything else happens
    Concours->SetPiloteCourant(*PiloteSaisi);
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
