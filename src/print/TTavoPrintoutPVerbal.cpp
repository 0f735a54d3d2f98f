// SPDX-License-Identifier: GPL-3.0-or-later
// The competition report on the federation's form.
#include "model/Concours.h"
#include "platform/Chaines.h"
#include "print/Printouts.h"

#include <algorithm>
#include <string>

#include <QStringList>

namespace tavo {

namespace {
constexpr int LOURD = 3;

// Names one after the other, ", " between them and none after the last; the empty ones left
// out ("Dupont, Durand", never "Dupont, , ").
QString Liste(const QStringList& noms)
{
    QStringList presents;
    for (const QString& nom : noms)
        if (!nom.trimmed().isEmpty())
            presents << nom.trimmed();
    return presents.join(QStringLiteral(", "));
}

// A list of judges as the competition gives it, each name followed by ", ".
QString ListeJuges(const std::string& juges)
{
    return Liste(Texte(juges.c_str()).split(QStringLiteral(", ")));
}
} // namespace

TTavoPrintoutPVerbal::TTavoPrintoutPVerbal(TConcours& concours, const TMarges& marges,
                                           const QString& repertoireDepart)
    : TPrintoutConcours(QStringLiteral("Procès-verbal de concours"), concours, marges)
    , RepertoireDepart(repertoireDepart)
{}

void TTavoPrintoutPVerbal::Soulignee(int T, int x, int y, const QString& texte, int fin)
{
    if (m_mesure)
        return;
    const int hauteur = Dc().GetTextMetrics().tmHeight;
    const int haut = T + y - hauteur / 2;
    Dc().TextOut(x, haut, texte);
    Dc().SelectObject(Stylo(1));
    Ligne(x, haut + hauteur, fin, haut + hauteur);
}

int TTavoPrintoutPVerbal::ChampLigne(int T, int X0, int y, const QString& label,
                                     const QString& valeur)
{
    if (m_mesure)
        return y + Mm(80);
    const int hauteur = Choisit(Police(12));
    const int x = X0 + MmX(150);
    Dc().TextOut(x, T + y - hauteur / 2, label);
    const int apres = x + Largeur(label);
    Dc().TextOut(apres, T + y - hauteur / 2, QStringLiteral(" ") + valeur);
    Dc().SelectObject(Stylo(1));
    Ligne(apres, T + y - hauteur / 2 + hauteur, X0 + MmX(1785), T + y - hauteur / 2 + hauteur);
    return y + Mm(80);
}

int TTavoPrintoutPVerbal::Champ(int T, int X0, int y, const QString& label, const QString& valeur)
{
    const int hauteur = Choisit(Police(m_points));
    const int gauche = X0 + MmX(150);
    const int fin = X0 + MmX(1785);
    if (!m_mesure)
        Dc().TextOut(gauche, T + y - hauteur / 2, label);
    int x = gauche + Largeur(label);
    int disponible = MmX(1635) - Largeur(label);
    QString ligne = QStringLiteral(" ");
    for (const QString& mot : valeur.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString avecEspace = mot + QLatin1Char(' ');
        if (Largeur(ligne) + Largeur(avecEspace) < disponible) {
            ligne += avecEspace;
            continue;
        }
        Soulignee(T, x, y, ligne, fin);
        Choisit(Police(m_points));
        // 6 mm between the lines of 12 pt, closer for a smaller font.
        y += Mm(60 * m_points / 12);
        x = gauche;
        disponible = MmX(1635);
        ligne = avecEspace;
    }
    Soulignee(T, x, y, ligne, fin);
    return y + Mm(80);
}

bool TTavoPrintoutPVerbal::HasPage(int page)
{
    return page == 1 || (page == 2 && !m_tientSurUnePage);
}

void TTavoPrintoutPVerbal::RenderPage(int page)
{
    DebutPage();
    const int T = Mm(100);
    const int X0 = W() / 2 - MmX(895);
    const int pied = Bas() - h(Police(10));
    if (page > 1) {
        // What did not fit: the signatures, at the top of the second page.
        Signatures(T, X0, Mm(80) - Mm(70));
        Pied(pied);
        return;
    }
    DessineFfam(Dc(), CheminFfam(RepertoireDepart), X0, T, MmX(250));
    EnTeteRapport(T, X0);
    Identification(T, X0);
    // Long texts: the wrapped fields in a smaller font, down to 7 pt, so that the signatures
    // stay on the page; below that they go on a second page.
    m_mesure = true;
    for (m_points = 12; m_points > 7; --m_points)
        if (T + FinSignatures(Rubriques(T, X0)) <= pied)
            break;
    m_mesure = false;
    const int y = Rubriques(T, X0);
    m_tientSurUnePage = T + FinSignatures(y) <= pied;
    if (m_tientSurUnePage)
        Signatures(T, X0, y);
    Pied(pied);
}

int TTavoPrintoutPVerbal::FinSignatures(int y)
{
    // The signature lines, and 2 cm under them to sign.
    return y + Mm(70) + Mm(50) + h(Police(12)) / 2 + Mm(200);
}

void TTavoPrintoutPVerbal::EnTeteRapport(int T, int X0)
{
    const QString arial = QStringLiteral("Arial");
    Choisit(Police(18, FW_BOLD, false, arial));
    CentreSurPoint(X0 + MmX(1050), T + Mm(100),
                   QStringLiteral("Fédération Française d'Aéro-Modélisme"));
    Choisit(Police(8, FW_NORMAL, false, arial));
    // 16 mm rather than 14.5: the cedilla of "Française" would touch this line.
    CentreSurPoint(X0 + MmX(1050), T + Mm(160),
                   QStringLiteral("Agréée par le Ministère des Transports, D.G.A.C. S.F.A.C.T. et "
                                  "par le Ministère de la Jeunesse et des Sports"));
    const int h14b = Choisit(Police(14, FW_BOLD));
    const QString titre = QStringLiteral("PROCES-VERBAL DE CONCOURS");
    const int xTitre = X0 + MmX(893) - Largeur(titre) / 2;
    Dc().TextOut(xTitre, T + Mm(300) - h14b / 2, titre);
    Dc().SelectObject(Stylo(LOURD));
    Ligne(xTitre, T + Mm(300) - h14b / 2 + h14b, xTitre + Largeur(titre),
          T + Mm(300) - h14b / 2 + h14b);
}

void TTavoPrintoutPVerbal::Identification(int T, int X0)
{
    const TConcours& c = Competition;
    // Identification: labels and values in 12 pt bold on three lines.
    const int h12b = Choisit(Police(12, FW_BOLD));
    auto texte = [&](int x, int y, const QString& t) {
        Dc().TextOut(x, T + Mm(y) - h12b / 2, t);
        return x + Largeur(t);
    };
    const int finOrganise = texte(X0, 400, QStringLiteral("ORGANISE :"));
    const int XL = finOrganise + MmX(70);
    const int finLe = texte(XL, 400, QStringLiteral("LE :"));
    const int finDate = texte(finLe, 400, QStringLiteral(" ") + Texte(c.GetDateDebut()));
    // A long value pushes the next label on rather than running into it.
    const int ecart = Largeur(QStringLiteral("  "));
    const int finA = texte(std::max(finLe + MmX(310), finDate + ecart), 400, QStringLiteral("A :"));
    texte(finA, 400, QStringLiteral(" ") + Texte(c.GetLieu()));
    const int finPar = texte(XL, 480, QStringLiteral("PAR :"));
    const int finOrganisateur =
        texte(finPar, 480, QStringLiteral(" ") + Texte(c.GetOrganisateur()));
    const int finAffiliation = texte(std::max(finPar + MmX(500), finOrganisateur + ecart), 480,
                                     QStringLiteral("N° d'Affiliation :"));
    texte(finAffiliation, 480, QStringLiteral(" ") + Texte(c.GetNumAffiliation()));
    const int finCategorie = texte(X0, 560, QStringLiteral("CATEGORIE :"));
    Soulignee(T, finCategorie, Mm(560), QStringLiteral(" ") + Texte(c.GetCategorie()),
              X0 + MmX(1785));
}

int TTavoPrintoutPVerbal::Rubriques(int T, int X0)
{
    const TConcours& c = Competition;
    const int h12b = h(Police(12, FW_BOLD));
    int y = Mm(640);
    auto section = [&](const QString& titreSection) {
        Choisit(Police(12, FW_BOLD));
        if (!m_mesure)
            Dc().TextOut(X0, T + y - h12b / 2, titreSection);
        y += Mm(80);
    };
    auto champ = [&](const QString& label, const char* valeur) {
        y = Champ(T, X0, y, label, Texte(valeur));
    };
    section(QStringLiteral("OFFICIELS :"));
    y = ChampLigne(T, X0, y, QStringLiteral("- Directeur de la Manifestation :"),
                   Texte(c.GetDirecteur()));
    y = Champ(T, X0, y, QStringLiteral("- Jury :"),
              Liste({Texte(c.GetJury1()), Texte(c.GetJury2()), Texte(c.GetJury3())}));
    y = Champ(T, X0, y, QStringLiteral("- Juges stagiaires :"), ListeJuges(c.JugesStagiaires()));
    y = Champ(T, X0, y, QStringLiteral("- Juges Agréés :"), ListeJuges(c.JugesAgrees()));
    y = Champ(T, X0, y, QStringLiteral("- Juges Nationaux :"), ListeJuges(c.JugesNationaux()));
    champ(QStringLiteral("- Commissaires :"), c.GetCommissaires());
    champ(QStringLiteral("- Chronométreurs :"), c.GetChronometreurs());
    champ(QStringLiteral("- Autres :"), c.GetAutres());
    section(QStringLiteral("PARTICIPANTS :"));
    y = ChampLigne(T, X0, y, QStringLiteral("- Nombre de concurrents :"),
                   QString::number(c.NbPilotes()));
    section(QStringLiteral("DEROULEMENT :"));
    champ(QStringLiteral("- Horaires :"), c.GetHoraires());
    champ(QStringLiteral("- Conditions Météorologiques :"), c.GetConditionsMeteo());
    champ(QStringLiteral("- Contrôles effectués :"), c.GetControles());
    champ(QStringLiteral("- Incidents ou accidents :"), c.GetIncidents());
    champ(QStringLiteral("- Réclamations éventuelles :"), c.GetReclamations());
    champ(QStringLiteral("- Observations :"), c.GetObservations());

    return y;
}

void TTavoPrintoutPVerbal::Signatures(int T, int X0, int y)
{
    // 15 mm below the last field.
    y += Mm(150) - Mm(80);
    const int h12 = Choisit(Police(12));
    CentreSur(X0 + MmX(1300), T + y - h12 / 2,
              QStringLiteral("Le Directeur de la Manifestation :"));
    y += Mm(50);
    CentreSur(X0 + MmX(1300), T + y - h12 / 2, QStringLiteral("Nom, Prénom, Date et Signature :"));
}

} // namespace tavo
