// SPDX-License-Identifier: GPL-3.0-or-later
// A pilot's filled-in score sheet for one flight.
#include "dessin/TableauDC.h"
#include "model/Concours.h"
#include "platform/Chaines.h"
#include "presentation/Presentation.h"
#include "print/Printouts.h"
#include "scoring/Regles.h"

#include <cmath>

namespace tavo {

namespace {

QString Nombre(double valeur, int largeur, int decimales)
{
    return QString::fromStdString(Fixe(valeur, largeur, decimales));
}

} // namespace

namespace {
// Distances of the sheet, in hundredths of a millimetre.
constexpr int LARGEUR = 16000;
constexpr int LIGNE = 500;
constexpr int LIGNE_RESULTAT = 650;
} // namespace

TTavoPrintoutNotes::TTavoPrintoutNotes(TConcours& concours, const TMarges& marges)
    : TPrintoutConcours(QStringLiteral("la feuille de note"), concours, marges)
{}

QString TTavoPrintoutNotes::GetNomFichier() const
{
    return QStringLiteral("Feuille de note - dossard %1 - vol %2")
        .arg(Texte(Competition.GetDossardCourant()).trimmed())
        .arg(Competition.GetVolCourant());
}

void TTavoPrintoutNotes::RenderPage(int)
{
    DebutPage();
    Dc().SelectObject(TBrush{TColor::White, StyleBrosse::Vide});
    const int T = Mm100(2500);
    const int X0 = W() / 2 - Mm100(LARGEUR / 2);
    const int h10 = h(Police(10));
    const int h12 = h(Police(12));
    const int h12b = h(Police(12, FW_BOLD));

    Dc().SelectObject(Stylo(1));
    Dc().Rectangle(X0, T, W() - X0, T + Mm100(2900));
    int g = h12;
    // The title in a smaller font when it is wider than the frame.
    const int h20b = SelectionneAjuste(Dc(), 20, FW_BOLD, false, Texte(Competition.GetTitre()),
                                       W() - 2 * X0 - Mm100(400));
    Centre(T + g, Texte(Competition.GetTitre()));
    g += h20b + h10;
    const int h16b = Choisit(Police(16, FW_BOLD));
    Centre(T + g, QStringLiteral("Série ") + Texte(Competition.GetSerie()));
    g += h16b + h12 + 2 + h10 + 2 + h12b;
    Identite(T, X0, g);

    const ContenuFeuille contenu =
        ContenuDeFeuille(Competition, Competition.GetPiloteCourant(), Competition.GetVolCourant());
    const int dernierCentre = Grille(T, X0, contenu);
    Resultats(X0, dernierCentre + Mm100(LIGNE / 2), contenu);
    Pied(Bas() - 2 * h10);
}

void TTavoPrintoutNotes::Identite(int T, int X0, int g)
{
    const TPilote pilote = Competition.GetPiloteCourant();
    const int h10 = h(Police(10));
    const int h12b = h(Police(12, FW_BOLD));
    // A 10-pt label and its 12-pt bold value, both standing on the base line; the value cut
    // where the next field begins.
    auto champ = [&](int x, int base, const QString& label, const QString& valeur, int fin) {
        Choisit(Police(10));
        Dc().TextOut(x, base - h10, label);
        const int apres = x + Largeur(label);
        Choisit(Police(12, FW_BOLD));
        Dc().TextOut(apres, base - h12b, Coupe(Dc(), valeur, fin - apres));
    };
    const int base = T + g;
    const int xFrequence = X0 + Mm100(7300);
    Choisit(Police(10));
    const int debutFrequence = xFrequence - Largeur(QStringLiteral("Fréquence")) / 2;
    const int finCadre = X0 + Mm100(8250);
    champ(X0, base, QStringLiteral(" Nom : "), Texte(pilote.GetNom()), debutFrequence);
    Choisit(Police(10));
    Dc().TextOut(debutFrequence, base - h10, QStringLiteral("Fréquence"));
    champ(X0, base + h12b, QStringLiteral(" Prénom : "), Texte(pilote.GetPrenom()), debutFrequence);
    champ(debutFrequence, base + h12b, QStringLiteral("1 : "), Texte(pilote.GetFrequence1()),
          finCadre);
    champ(X0, base + 2 * h12b, QStringLiteral(" Club : "), Texte(pilote.GetClub()), debutFrequence);
    champ(debutFrequence, base + 2 * h12b, QStringLiteral("2 : "), Texte(pilote.GetFrequence2()),
          finCadre);

    // The bib's cell: its head centred in the band under the split, the licence and
    // the flight beside the bib.
    const int yDossard = T + Mm100(4850) + (Mm100(450) - h10) / 2;
    Choisit(Police(10));
    CentreSur(xFrequence, yDossard, QStringLiteral("N° Dossard"));
    const int yLicence = yDossard + h10;
    Dc().TextOut(X0, yLicence, QStringLiteral(" N° Licence : ") + Texte(pilote.GetLicence()));
    Dc().TextOut(
        X0, yLicence + h10,
        QString::asprintf(" N° vol : %u", static_cast<unsigned>(Competition.GetVolCourant())));
    Choisit(Police(22));
    CentreSur(xFrequence, yLicence, Texte(pilote.GetDossard()));

    const int xDroite = X0 + Mm100(12375);
    const int h12 = h(Police(12));
    // The place in a smaller font when it is wider than its box.
    const int h14 = SelectionneAjuste(Dc(), 14, FW_NORMAL, false, Texte(Competition.GetLieu()),
                                      Mm100(LARGEUR - 8750 - 400));
    CentreSur(xDroite, base, Texte(Competition.GetLieu()));
    Choisit(Police(14));
    CentreSur(xDroite, base + h14 + 2 * h12,
              QStringLiteral("Du ") + Texte(Competition.GetDateDebut()) + QStringLiteral(" au ") +
                  Texte(Competition.GetDateFin()));

    Dc().SelectObject(Stylo(1));
    const int haut = T + Mm100(3200);
    const int bas = T + Mm100(6300);
    Dc().Rectangle(X0, haut, X0 + Mm100(8250), bas);
    Ligne(X0, T + Mm100(4850), X0 + Mm100(8250), T + Mm100(4850));
    Ligne(X0 + Mm100(6350), T + Mm100(4850), X0 + Mm100(6350), bas);
    Ligne(X0 + Mm100(6350), T + Mm100(5300), X0 + Mm100(8250), T + Mm100(5300));
    Dc().Rectangle(X0 + Mm100(8750), haut, X0 + Mm100(LARGEUR), bas);
}

void TTavoPrintoutNotes::TetesGrille(int T, int X0, const ContenuFeuille& contenu)
{
    const int n = contenu.nbJuges;
    const int xK = X0 + Mm100(15400 - 1400 * n);
    const int xJuges = X0 + Mm100(16000 - 1400 * n);
    const int h14 = Choisit(Police(14));
    const int yTete = T + Mm100(7600) - h14 / 2;
    CentreSur(X0 + Mm100((15400 - 1400 * n) / 2), yTete, QString::fromStdString(contenu.programme));
    CentreSur((xK + xJuges) / 2, yTete, QStringLiteral("K"));
    for (int j = 1; j <= n && j <= static_cast<int>(contenu.juges.size()); ++j)
        CentreSur(xJuges + Mm100(1400 * (j - 1)) + Mm100(700), yTete,
                  QString::fromStdString(contenu.juges[static_cast<std::size_t>(j - 1)]));
}

int TTavoPrintoutNotes::Grille(int T, int X0, const ContenuFeuille& contenu)
{
    const int n = contenu.nbJuges;
    const int xFigure = X0 + Mm100(700);
    const int xK = X0 + Mm100(15400 - 1400 * n);
    const int xJuges = X0 + Mm100(16000 - 1400 * n);
    auto xJuge = [&](int j) { return xJuges + Mm100(1400 * (j - 1)); };

    TetesGrille(T, X0, contenu);

    const int h12 = Choisit(Police(12));
    int centre = T + Mm100(8350);
    short ligne = 0;
    for (const LigneFeuille& l : contenu.lignes) {
        ++ligne;
        const int y = centre - h12 / 2;
        ADroite(xFigure, y, QString::asprintf("%u ", static_cast<unsigned>(ligne)));
        QString texte = QStringLiteral(" ") + QString::fromStdString(l.nom);
        while (!texte.isEmpty() && Largeur(texte) > xK - xFigure)
            texte.chop(1);
        Dc().TextOut(xFigure, y, texte);
        CentreSur((xK + xJuges) / 2, y, QString::asprintf("%u", static_cast<unsigned>(l.k)));
        for (int jj = 1; jj <= n; ++jj)
            CentreSur(xJuge(jj) + Mm100(700), y,
                      QString::asprintf("%d", l.notes[static_cast<std::size_t>(jj - 1)]));
        centre += Mm100(LIGNE);
    }

    // Heads' band, one rule under each row, the columns through the grid.
    Dc().SelectObject(Stylo(1));
    const int droite = X0 + Mm100(LARGEUR);
    const int haut = T + Mm100(7100);
    const int bas = T + Mm100(8100) + Mm100(LIGNE) * ligne;
    Ligne(X0, haut, droite, haut);
    for (int s = 0; s <= ligne; ++s)
        Ligne(X0, T + Mm100(8100) + Mm100(LIGNE) * s, droite, T + Mm100(8100) + Mm100(LIGNE) * s);
    for (int x : {X0, xFigure, xK, xJuges})
        Ligne(x, haut, x, bas);
    for (int jj = 2; jj <= n; ++jj)
        Ligne(xJuge(jj), haut, xJuge(jj), bas);
    Ligne(droite, haut, droite, bas);
    return centre - Mm100(LIGNE);
}

void TTavoPrintoutNotes::Resultats(int X0, int y, const ContenuFeuille& contenu)
{
    const int n = contenu.nbJuges;
    const double score = contenu.scoreVol;
    const int xJuges = X0 + Mm100(16000 - 1400 * n);
    const int xLibelle = X0 + Mm100((16000 - 1400 * n) / 2);
    auto xJuge = [&](int j) { return xJuges + Mm100(1400 * (j - 1)) + Mm100(700); };
    const int pas = Mm100(LIGNE_RESULTAT);
    const int h12 = Choisit(Police(12));
    int centre = y + pas / 2;

    CentreSur(xLibelle, centre - h12 / 2, QStringLiteral("SCORES DES JUGES"));
    for (int j = 1; j <= n; ++j)
        CentreSur(xJuge(j), centre - h12 / 2,
                  Nombre(contenu.scoresJuges[static_cast<std::size_t>(j - 1)], 3, 0));
    centre += pas;
    CentreSur(xLibelle, centre - h12 / 2, QStringLiteral("TOTAL DU VOL"));
    CentreSur(X0 + Mm100(16000 - 700 * n), centre - h12 / 2, Nombre(score, 6, 2));
    centre += pas;
    CentreSur(xLibelle, centre - h12 / 2, QStringLiteral("ECARTS DES JUGES EN %"));
    const bool sansScore = !AVole(score);
    for (int j = 1; j <= n; ++j)
        CentreSur(xJuge(j), centre - h12 / 2,
                  sansScore ? QStringLiteral("0.00")
                            : Nombre(contenu.ecartsJuges[static_cast<std::size_t>(j - 1)], 6, 2));

    // Three result rows under the grid; the flight's total spans the judges' columns.
    Dc().SelectObject(Stylo(1));
    const int droite = X0 + Mm100(LARGEUR);
    for (int s = 1; s <= 3; ++s)
        Ligne(X0, y + s * pas, droite, y + s * pas);
    for (int x : {X0, xJuges, droite})
        Ligne(x, y, x, y + 3 * pas);
    for (int j = 2; j <= n; ++j) {
        const int x = xJuges + Mm100(1400 * (j - 1));
        Ligne(x, y, x, y + pas);
        Ligne(x, y + 2 * pas, x, y + 3 * pas);
    }
}

} // namespace tavo
