// SPDX-License-Identifier: GPL-3.0-or-later
// The judges' blank sheet of one flight, on the federation's form.
#include "model/Concours.h"
#include "platform/Chaines.h"
#include "print/Printouts.h"

#include <algorithm>
#include <cstring>

#include <QStringList>

namespace tavo {

namespace {

QString Categorie(const char* categorie)
{
    if (std::strcmp(categorie, "F3A") == 0)
        return QStringLiteral("F3A");
    if (std::strcmp(categorie, "VGM") == 0)
        return QStringLiteral("GM");
    return QStringLiteral("F3C");
}

QString Serie(const char* serie)
{
    if (std::strcmp(serie, "1") == 0)
        return QStringLiteral("1 - INITIATION");
    if (std::strcmp(serie, "1 1/2") == 0)
        return QStringLiteral("1 1/2 ESPOIR");
    if (std::strcmp(serie, "2") == 0)
        return QStringLiteral("2 NATIONALE");
    return QStringLiteral("3 INTERNATIONALE");
}

QString Bruit(short type)
{
    if (type == 1)
        return QStringLiteral(" 0 A 10 ");
    if (type == 2)
        return QStringLiteral(" -5 / 0 / +5");
    return QStringLiteral(" -10 OU 0 ");
}

constexpr int LOURD = 3;
/** The space above and below a figure's name, in hundredths of a millimetre. */
constexpr int ECART = 130;

} // namespace

TTavoPrintoutPgVol::TTavoPrintoutPgVol(TConcours& concours, const TMarges& marges, int vol,
                                       const QString& repertoireDepart)
    : TPrintoutConcours(Titre(vol), concours, marges)
    , RepertoireDepart(repertoireDepart)
    , m_vol(vol)
{}

QString TTavoPrintoutPgVol::GetNomFichier() const
{
    return QStringLiteral("Programme du vol %1").arg(m_vol);
}

QString TTavoPrintoutPgVol::Titre(int vol)
{
    return vol == 1 ? QStringLiteral("Programme de vol 1")
                    : QStringLiteral("Programme du vol %1").arg(vol);
}

void TTavoPrintoutPgVol::EnTeteFormulaire(int T, int X0)
{
    DessineFfam(Dc(), CheminFfam(RepertoireDepart), X0, T, MmX(310));
    auto x = [&](int dixiemes) { return X0 + MmX(dixiemes); };
    auto y = [&](int dixiemes) { return T + Mm(dixiemes); };

    Dc().SelectObject(Stylo(LOURD));
    Dc().MoveTo(x(155), y(0));
    Dc().LineTo(x(955), y(0));
    Dc().LineTo(x(955), y(310));
    Dc().LineTo(x(155), y(310));
    auto cadre = [&](int gauche, int haut, int droite, int bas) {
        Dc().MoveTo(x(gauche), y(haut));
        Dc().LineTo(x(droite), y(haut));
        Dc().LineTo(x(droite), y(bas));
        Dc().LineTo(x(gauche), y(bas));
        Dc().LineTo(x(gauche), y(haut));
    };
    cadre(1005, 0, 1785, 310);
    cadre(0, 360, 955, 670);
    cadre(1005, 360, 1785, 670);

    Dc().SelectObject(Stylo(1));
    for (int gauche : {705, 1535}) {
        Ligne(x(gauche), y(530), x(gauche + 250), y(530));
        Ligne(x(gauche), y(580), x(gauche + 250), y(580));
        Ligne(x(gauche), y(530), x(gauche), y(670));
    }

    Choisit(Police(10, FW_BOLD));
    CentreSurPoint(x(615), y(50), QStringLiteral("F.F.A.M. 108 rue St-Maur PARIS"));
    Choisit(Police(8));
    CentreSurPoint(x(615), y(140), QStringLiteral("VOL RADIOCOMMANDE"));
    Choisit(Police(12));
    CentreSurPoint(x(615), y(200),
                   QStringLiteral("VOLTIGE ") + Categorie(Competition.GetCategorie()));
    Choisit(Police(12, FW_BOLD));
    CentreSurPoint(x(615), y(270), QStringLiteral("SERIE ") + Serie(Competition.GetSerie()));
    Choisit(Police(14));
    CentreSurPoint(x(1395), y(80), Texte(Competition.GetLieu()));
    CentreSurPoint(x(1395), y(235),
                   QStringLiteral("du ") + Texte(Competition.GetDateDebut()) +
                       QStringLiteral(" au ") + Texte(Competition.GetDateFin()));

    // Labels with their fill-in rule, left at x and centred on y.
    const int h12 = Choisit(Police(12));
    auto label = [&](int gauche, int haut, const QString& texte, int finRegle) {
        Dc().TextOut(x(gauche), y(haut) - h12 / 2, texte);
        if (finRegle > 0) {
            Dc().SelectObject(Stylo(1));
            const int bas = y(haut) - h12 / 2 + h12;
            Ligne(x(gauche) + Largeur(texte), bas, x(finRegle), bas);
        }
    };
    label(25, 450, QStringLiteral("Nom :"), 655);
    label(25, 580, QStringLiteral("Prénom :"), 655);
    label(1030, 450, QStringLiteral("Juge :"), 1485);
    label(1030, 580, QStringLiteral("Signature"), 0);
    Choisit(Police(9));
    CentreSurPoint(x(830), y(555), QStringLiteral("N° Dossard"));
    CentreSurPoint(x(1660), y(555), QStringLiteral("N° Juge"));
}

int TTavoPrintoutPgVol::LigneFigure(int X0, int y, const QString& numero, const QString& nom, int k)
{
    const int h9 = Choisit(Police(9));
    const int ecart = Mm100(m_ecart);
    if (!numero.isEmpty() && !m_mesure)
        ADroite(X0 + Mm(90), y, numero);
    if (!m_mesure)
        CentreSur(X0 + Mm100(14925), y, QString::number(k));
    const int largeur = Mm(1330);
    // The figures' names wrap at spaces; the noise and conformity lines are drawn as they are.
    QString ligne = numero.isEmpty() ? nom : QString();
    const QStringList mots =
        numero.isEmpty() ? QStringList() : nom.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& mot : mots) {
        const QString essai = ligne.isEmpty() ? mot : ligne + QLatin1Char(' ') + mot;
        if (ligne.isEmpty() || Largeur(essai) < largeur) {
            ligne = essai;
            continue;
        }
        if (!m_mesure)
            Dc().TextOut(X0 + Mm(90), y, ligne);
        y += ecart + h9;
        ligne = mot;
    }
    y += 2 * ecart + h9;
    if (!m_mesure) {
        Dc().TextOut(X0 + Mm(90), y - 2 * ecart - h9, ligne);
        Dc().SelectObject(Stylo(1));
        Ligne(X0, y - ecart, X0 + Mm(1785), y - ecart);
    }
    return y;
}

int TTavoPrintoutPgVol::Figures(int X0, int y)
{
    const TProgramme& programme = Competition.GetProgramme();
    for (short f = 1; f <= programme.NbFigures(); ++f) {
        const TFigure figure = programme.GetFigure(f);
        y = LigneFigure(X0, y, QString::number(f) + QStringLiteral(" - "), Texte(figure.GetNom()),
                        figure.GetK());
    }
    if (programme.GetTypeBruit() != 0)
        y = LigneFigure(X0, y, {}, QStringLiteral("BRUIT : ") + Bruit(programme.GetTypeBruit()),
                        programme.GetKBruit());
    if (programme.GetTypeConformite() != 0)
        y = LigneFigure(X0, y, {}, QStringLiteral("CONFORMITE AVEC LA DOCUMENTATION"),
                        programme.GetKConformite());
    return y;
}

void TTavoPrintoutPgVol::RenderPage(int)
{
    DebutPage();
    const int T = Mm(100);
    const int X0 = W() / 2 - MmX(895);
    EnTeteFormulaire(T, X0);

    const TProgramme& programme = Competition.GetProgramme();
    const int droite = X0 + Mm(1785);
    const int h12b = Choisit(Police(12, FW_BOLD));
    int y = T + Mm(800);
    CentreSur(X0 + Mm(710), y, Texte(programme.GetNom()));
    CentreSur(X0 + Mm100(14925), y, QStringLiteral("K"));
    CentreSur(X0 + Mm(1675), y, QStringLiteral("NOTES/10"));
    const int haut = y - Mm(26);
    Dc().SelectObject(Stylo(LOURD));
    Ligne(X0, haut, droite, haut);
    Ligne(X0, y + Mm(26) + h12b, droite, y + Mm(26) + h12b);

    y += Mm(39) + h12b;
    // A long programme: the rows closer together, down to the text's own height, so that the
    // total and the footer stay on the page.
    const int h10 = h(Police(10));
    m_mesure = true;
    for (m_ecart = ECART; m_ecart > 0; m_ecart -= 10)
        if (Figures(X0, y) + Mm(13) + Mm(26) + h12b + 3 * h10 <= Bas())
            break;
    m_mesure = false;
    y = Figures(X0, y);

    // The total row: its upper rule falls on the last line's rule.
    y += Mm(13);
    Choisit(Police(12, FW_BOLD));
    Dc().TextOut(X0 + Mm(90), y, QStringLiteral("       TOTAL : "));
    const int dessus = y - Mm(26);
    const int dessous = y + Mm(26) + h12b;
    Dc().SelectObject(Stylo(LOURD));
    Ligne(X0, dessus, droite, dessus);
    Ligne(X0, dessous, droite, dessous);
    Ligne(X0, haut, X0, dessous);
    Ligne(droite, haut, droite, dessous);
    Ligne(X0 + Mm(1565), dessus, X0 + Mm(1565), dessous);
    Pied(std::min(dessous + 2 * h10, Bas() - h10));
}

} // namespace tavo
