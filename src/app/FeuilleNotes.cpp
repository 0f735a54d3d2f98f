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

constexpr short MAX_NOTE_FIGURE = TFeuilleSaisie::MAX_NOTE_FIGURE;

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
void DessineProgramme(TDC& dc, const ContenuFeuille& contenu)
{
    const auto figures =
        static_cast<int>(std::count_if(contenu.lignes.begin(), contenu.lignes.end(),
                                       [](const LigneFeuille& l) { return l.figure; }));
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
    int ligne = 0;
    for (const LigneFeuille& l : contenu.lignes) {
        ++ligne;
        // The noise and conformity lines carry no number.
        ligneProgramme(ligne, l.figure ? QString::number(ligne) : QString(),
                       QString::fromStdString(l.nom), l.k);
    }
}

} // namespace

void DessineFeuilleNotes(TDC& dc, TTavoWindow& fenetre)
{
    const TConcours& concours = fenetre.GetConcours();
    const TPilote pilote = fenetre.GetFeuille().Pilote();
    const short vol = concours.GetVolCourant();
    const ContenuFeuille contenu = ContenuDeFeuille(concours, pilote, vol);
    dc.RestoreObjects();
    dc.SetBkMode(OPAQUE);

    DessineProgramme(dc, contenu);

    // The competition.
    Cadre(dc, TRect{202, 5, 590, 76});
    Texte(dc, tavo::Texte(concours.GetTitre()), TRect{202, 24, 590, 40}, CENTRE);
    Texte(dc, tavo::Texte(concours.GetLieu()), TRect{202, 41, 590, 60}, CENTRE);

    // The judges, the selected column in grey.
    Cadre(dc, TRect{388, 86, 590, 104});
    dc.FillRect(TRect{389, 87, 589, 103}, TColor::LtBlue);
    const auto initiales = [&](int j) {
        return QString::fromStdString(contenu.juges[static_cast<std::size_t>(j - 1)]);
    };
    const auto nbInitiales = static_cast<int>(contenu.juges.size());
    for (int j = 1; j <= nbInitiales; ++j)
        Texte(dc, initiales(j), EnteteFeuille(j), CENTRE);
    const short colonne = fenetre.GetFeuille().Colonne();
    dc.FillRect(EnteteFeuille(colonne), TColor::LtGray);
    if (colonne >= 1 && nbInitiales >= colonne)
        Texte(dc, initiales(colonne), EnteteFeuille(colonne), CENTRE, TColor::Black,
              TColor::LtGray);

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
    int l = 0;
    for (const LigneFeuille& ligne : contenu.lignes) {
        ++l;
        int jj = 0;
        for (short note : ligne.notes)
            DessineNote(dc, note, ++jj, l, false);
    }

    if (fenetre.GetFeuille().EnSaisie())
        DessineSurbrillance(dc, fenetre, colonne, fenetre.GetFeuille().Ligne(),
                            fenetre.GetFeuille().Ligne(), true);
}
