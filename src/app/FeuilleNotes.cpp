// SPDX-License-Identifier: GPL-3.0-or-later
// The score sheet's drawing: the programme's lines, the judges' columns, the pilot and the marks.
#include "app/DessinVues.h"
#include "app/Menu.h"
#include "app/TTavoWindow.h"
#include "document/FeuilleSaisie.h"
#include "platform/Chaines.h"
#include "platform/Clavier.h"
#include "platform/DC.h"
#include "presentation/Messages.h"
#include "presentation/Presentation.h"
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

constexpr short MAX_NOTE_FIGURE = TFeuilleSaisie::MAX_NOTE_FIGURE;

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
    const short vol = fenetre.GetConcours().GetVolCourant();
    const TPilote pilote = fenetre.GetFeuille().Pilote();
    dc.FillRect(CelluleFeuille(colonne, ancienne), TColor::LtBlue);
    DessineNote(dc, pilote.GetNote(vol, ancienne, colonne), colonne, ancienne, false);
    if (surbrillance)
        DessineNote(dc, pilote.GetNote(vol, nouvelle, colonne), colonne, nouvelle, true);
}

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
    const TConcours& concours = fenetre.GetConcours();
    const TPilote pilote = fenetre.GetFeuille().Pilote();
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
    const short colonne = fenetre.GetFeuille().Colonne();
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

    if (fenetre.GetFeuille().EnSaisie())
        DessineSurbrillance(dc, fenetre, colonne, fenetre.GetFeuille().Ligne(),
                            fenetre.GetFeuille().Ligne(), true);
}
