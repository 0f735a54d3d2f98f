// SPDX-License-Identifier: GPL-3.0-or-later
// The printouts drawn on a recording device context at 254 dpi (one pixel a tenth of a
// millimetre), whose fonts are h/2 wide per character and h + h/4 high.
#include "print/Printouts.h"

#include "Impression.h"
#include "model/Concours.h"
#include "presentation/Presentation.h"
#include "print/Formulaires.h"
#include "scoring/Classements.h"
#include "support/Fabrique.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

#include <QTemporaryDir>

using namespace tavo;
using namespace tavo::test;

namespace {

const TMarges MARGES{};

class Printouts : public ::testing::Test
{
protected:
    /** A generated competition whose flights 1 to `vols` are computed. */
    void Genere(int pilotes, short juges, short vols)
    {
        GenereConcours(concours, rep, pilotes, juges, vols);
        parametres.repProgrammes = rep;
        ASSERT_TRUE(PrepareClassementVols(concours, parametres, vols));
    }
    /** The widest horizontal rule of a page: a table's width. */
    static int Largeur(const std::vector<TTrace>& page)
    {
        int largeur = 0;
        for (const TRect& r : Lignes(page, true))
            largeur = std::max(largeur, r.Width());
        return largeur;
    }

    QTemporaryDir dossier;
    std::string rep = dossier.path().toStdString();
    TConcours concours;
    ParametresCalcul parametres;
};

// Texts that are whole numbers: the ranks of a ranking.
std::vector<int> Rangs(const std::vector<TTrace>& page)
{
    std::vector<int> rangs;
    for (const QString& t : Textes(page)) {
        bool ok = false;
        const int n = t.toInt(&ok);
        if (ok)
            rangs.push_back(n);
    }
    return rangs;
}

} // namespace

// The tables are as wide as the views' columns, centred on the page.
TEST_F(Printouts, rankingTablesHaveTheWidthOfTheirViewAndAreCentred)
{
    Genere(8, 5, 7);
    concours.SetSerie("3");
    auto verifie = [](TPrintout& printout, int largeur, const QString& texte) {
        const auto pages = Pages(printout, A4_PAYSAGE);
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_EQ(Largeur(pages[0]), largeur) << texte.toStdString();
        EXPECT_EQ(Lignes(pages[0], true).front().left, A4_PAYSAGE.cx / 2 - largeur / 2);
        EXPECT_TRUE(Textes(pages[0]).contains(texte)) << texte.toStdString();
    };
    for (int n = 1; n <= 4; ++n) {
        TTavoPrintout printout(concours, MARGES, n, true);
        verifie(printout, LargeurVueDixiemes(GenreVue::ClassementVols, n, 5),
                QStringLiteral("%V%1").arg(n));
        ASSERT_TRUE(PrepareClassementFlyOff(concours, parametres, n));
        TTavoPrintoutFly flyoff(concours, MARGES, n);
        verifie(flyoff, LargeurVueDixiemes(GenreVue::FlyOff, n, 5),
                QStringLiteral("(après %1 fly-off)").arg(n));
    }
    for (short n = 3; n <= 5; ++n) {
        concours.SetNbJuges(n);
        ASSERT_TRUE(PrepareClassementJuges(concours, parametres, 2));
        TTavoPrintoutClstJuge printout(concours, MARGES, 2);
        verifie(printout, LargeurVueDixiemes(GenreVue::ClassementJuges, 2, n),
                QStringLiteral("(sur le vol 2)"));
    }
    TTavoPrintoutList liste(concours, MARGES, 1);
    EXPECT_EQ(Largeur(Pages(liste, A4_PORTRAIT)[0]),
              PresenteListePilotes(concours, OrdrePilotes::Dossards).Largeur());
}

TEST_F(Printouts, aRankingThatFitsPrintsOnePage)
{
    Genere(15, 3, 1);
    TTavoPrintout printout(concours, MARGES, 1, true);
    const auto pages = Pages(printout, A4_PORTRAIT);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_FALSE(printout.HasPage(2));
    EXPECT_LT(printout.GetContentHeight(), A4_PORTRAIT.cy - 500);
    EXPECT_EQ(printout.GetTopMarginDev(), 250);
    const QStringList textes = Textes(pages[0]);
    EXPECT_TRUE(textes.contains(QStringLiteral("Concours généré")));
    EXPECT_TRUE(textes.contains(QStringLiteral("Série 2")));
    EXPECT_TRUE(textes.contains(QStringLiteral("CLASSEMENT DES PILOTES")));
    EXPECT_TRUE(textes.contains(QStringLiteral("(après 1 vol)")));
    EXPECT_TRUE(textes.contains(QStringLiteral("Total ")));
    EXPECT_TRUE(textes.last().startsWith(QStringLiteral("Tavo 2000 version ")));
}

TEST_F(Printouts, aLongRankingContinuesWithTheHeadsAtTheTopMarginAndTheRanksGoingOn)
{
    Genere(80, 3, 2);
    TTavoPrintout printout(concours, MARGES, 2, true);
    const auto pages = Pages(printout, A4_PORTRAIT);
    ASSERT_GE(pages.size(), 2u);
    EXPECT_TRUE(Textes(pages[0]).contains(QStringLiteral("(après 2 vols)")));
    EXPECT_FALSE(Textes(pages[1]).contains(QStringLiteral("CLASSEMENT DES PILOTES")));
    const TTrace* rang = Cherche(pages[1], QStringLiteral("Rang"));
    ASSERT_NE(rang, nullptr);
    EXPECT_EQ(rang->Rect.top, 250);
    // Every rank once, in order, over the pages; the footer, with "page n/m", on every page.
    std::vector<int> rangs;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const std::vector<int> r = Rangs(pages[p]);
        rangs.insert(rangs.end(), r.begin(), r.end());
        const QString pied = Textes(pages[p]).last();
        EXPECT_TRUE(pied.startsWith(QStringLiteral("Tavo 2000")));
        EXPECT_TRUE(pied.endsWith(QStringLiteral(" - page %1/%2").arg(p + 1).arg(pages.size())))
            << pied.toStdString();
    }
    ASSERT_EQ(rangs.size(), 80u);
    for (int i = 0; i < 80; ++i)
        EXPECT_EQ(rangs[static_cast<std::size_t>(i)], i + 1);
    EXPECT_EQ(printout.GetNextRow(), 80);
}

TEST_F(Printouts, everyRowPrintsOnceAndNoPageIsLeftWithoutRows)
{
    // The content height only estimates the pages (page 2 and later repeat the column
    // heads): pages follow the rows actually left.
    int ecarts = 0;
    for (int pilotes = 100; pilotes <= 400; pilotes += 9) {
        Genere(pilotes, 3, 1);
        TTavoPrintout printout(concours, MARGES, 1, true);
        const auto pages = Pages(printout, A4_PORTRAIT);
        std::size_t rangs = 0;
        for (const auto& page : pages) {
            EXPECT_FALSE(Rangs(page).empty()) << pilotes << " pilotes";
            rangs += Rangs(page).size();
        }
        EXPECT_EQ(rangs, static_cast<std::size_t>(pilotes));
        // The footer counts the pages there are.
        EXPECT_TRUE(Textes(pages.back()).last().endsWith(QStringLiteral("/%1").arg(pages.size())))
            << pilotes << " pilotes";
        const int utile = A4_PORTRAIT.cy - 500;
        const auto estimees = static_cast<std::size_t>(printout.GetContentHeight() / utile + 1);
        ecarts += estimees != pages.size();
    }
    EXPECT_GT(ecarts, 0) << "the estimate alone would lose rows or add pages";
}

TEST_F(Printouts, theJudgeRankingLeavesOutThePilotsWithoutAScore)
{
    Genere(6, 3, 1);
    AjoutePilote(concours, "Absent", "77");
    ASSERT_TRUE(PrepareClassementJuges(concours, parametres, 1));
    TTavoPrintoutClstJuge printout(concours, MARGES, 1);
    const QStringList textes = Textes(Pages(printout, A4_PAYSAGE)[0]);
    EXPECT_FALSE(textes.contains(QStringLiteral(" Absent ")));
    EXPECT_TRUE(textes.contains(QStringLiteral("CLASSEMENT DES JUGES")));
    EXPECT_TRUE(textes.contains(QStringLiteral("Jug")));
}

TEST_F(Printouts, theJudgeAgreementGoesAtTheFootOfTheJudgeRankingOnlyWhenAsked)
{
    Genere(12, 3, 1);
    ASSERT_TRUE(PrepareClassementJuges(concours, parametres, 1));
    TTavoPrintoutClstJuge sans(concours, MARGES, 1);
    const auto pages = Pages(sans, A4_PAYSAGE);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_FALSE(Textes(pages[0]).contains(QStringLiteral("ACCORD DES JUGES")));

    // However many rows, the figures come once, under the last row, on a page of their own
    // when that one is full, and the pages are numbered accordingly.
    std::set<std::size_t> nombresDePages;
    for (int pilotes = 20; pilotes <= 60; pilotes += 2) {
        Genere(pilotes, 3, 1);
        ASSERT_TRUE(PrepareClassementJuges(concours, parametres, 1));
        TTavoPrintoutClstJuge avec(concours, MARGES, 1, true);
        const auto feuilles = Pages(avec, A4_PAYSAGE);
        nombresDePages.insert(feuilles.size());
        for (std::size_t p = 0; p < feuilles.size(); ++p) {
            const QStringList textes = Textes(feuilles[p]);
            EXPECT_EQ(textes.contains(QStringLiteral("ACCORD DES JUGES")), p + 1 == feuilles.size())
                << pilotes << " pilotes, page " << p + 1;
            if (feuilles.size() > 1) {
                EXPECT_TRUE(textes.last().endsWith(QStringLiteral("/%1").arg(feuilles.size())));
            }
        }
        EXPECT_TRUE(Textes(feuilles.back()).contains(QStringLiteral("Spearman")));
    }
    EXPECT_GE(nombresDePages.size(), 2u);
}

TEST_F(Printouts, thePilotListSortsByBibOrBySurname)
{
    AjoutePilote(concours, "Martin", "12", "Luc");
    AjoutePilote(concours, "Bernard", "3", "Zoé");
    AjoutePilote(concours, "Dupont", "100", "Anne");
    TTavoPrintoutList dossards(concours, MARGES, 1);
    QStringList textes = Textes(Pages(dossards, A4_PORTRAIT)[0]);
    EXPECT_TRUE(textes.contains(QStringLiteral("(ordre des dossards)")));
    EXPECT_LT(textes.indexOf(QStringLiteral(" Bernard Zoé")),
              textes.indexOf(QStringLiteral(" Martin Luc")));
    EXPECT_LT(textes.indexOf(QStringLiteral(" Martin Luc")),
              textes.indexOf(QStringLiteral(" Dupont Anne")));
    // Each rendering (the preview's, then the print's) lists the pilots as they are then.
    AjoutePilote(concours, "Aubry", "1", "Lea");
    EXPECT_TRUE(Textes(Pages(dossards, A4_PORTRAIT)[0]).contains(QStringLiteral(" Aubry Lea")));
    TTavoPrintoutList noms(concours, MARGES, 2);
    textes = Textes(Pages(noms, A4_PORTRAIT)[0]);
    EXPECT_TRUE(textes.contains(QStringLiteral("(ordre alphabétique)")));
    EXPECT_LT(textes.indexOf(QStringLiteral(" Bernard Zoé")),
              textes.indexOf(QStringLiteral(" Dupont Anne")));
    EXPECT_LT(textes.indexOf(QStringLiteral(" Dupont Anne")),
              textes.indexOf(QStringLiteral(" Martin Luc")));
}

// Score sheet

TEST_F(Printouts, theScoreSheetFigureColumnNarrowsWithTheJudges)
{
    for (short n : {3, 5}) {
        Genere(3, n, 1);
        concours.SetDossardCourant("1");
        concours.SetVolCourant(1);
        TTavoPrintoutNotes printout(concours, MARGES);
        const auto page = Pages(printout, A4_PORTRAIT)[0];
        const int x0 = A4_PORTRAIT.cx / 2 - 800;
        const int largeur = n == 3 ? 1050 : 770;
        const auto verticales = Lignes(page, false);
        auto a = [&](int x) {
            return std::any_of(verticales.begin(), verticales.end(),
                               [x](const TRect& r) { return r.left == x; });
        };
        EXPECT_TRUE(a(x0 + 70 + largeur)) << n << " juges";
        EXPECT_TRUE(a(x0 + 1600));
        const QStringList textes = Textes(page);
        EXPECT_TRUE(textes.contains(QStringLiteral(" Bruit")));
        EXPECT_TRUE(textes.contains(QStringLiteral(" Conformité avec la documentation")));
        EXPECT_TRUE(textes.contains(QStringLiteral("TOTAL DU VOL")));
        EXPECT_TRUE(textes.contains(QStringLiteral(" N° vol : 1")));
    }
}

TEST_F(Printouts, aSheetWithoutScorePrintsZeroDeviationsAndLongNamesAreCut)
{
    Genere(2, 3, 1);
    EcritProgramme(rep + "/Long.txt", {{"Figure", 2}, {std::string(90, 'x'), 3}}, 0, 0);
    concours.SetProgrammeVol("Long.txt", 0);
    ASSERT_TRUE(concours.ChargeProgramme(1, rep));
    AjoutePilote(concours, "Absent", "77");
    concours.CalculeVolPilotes(1);
    concours.SetDossardCourant("77");
    concours.SetVolCourant(1);
    TTavoPrintoutNotes printout(concours, MARGES);
    const QStringList textes = Textes(Pages(printout, A4_PORTRAIT)[0]);
    EXPECT_EQ(textes.count(QStringLiteral("0.00")), 3);
    EXPECT_TRUE(textes.contains(QStringLiteral(" Figure")));
    EXPECT_FALSE(textes.contains(QStringLiteral(" Bruit")));
    // 12 pt: 21 pixels a character; the figure column is 1050 wide.
    const auto coupe = std::find_if(textes.begin(), textes.end(),
                                    [](const QString& t) { return t.startsWith(" xxx"); });
    ASSERT_NE(coupe, textes.end());
    EXPECT_EQ(coupe->size(), 1050 / 21);
}

// Judges' programme sheet

TEST_F(Printouts, theProgrammeSheetNamesCategoryAndSeriesAndNoise)
{
    struct Cas
    {
        const char* categorie;
        const char* serie;
        int bruit;
        QString voltige, serieTexte, bruitTexte;
    };
    const Cas cas[] = {
        {"F3A", "1", 1, "VOLTIGE F3A", "SERIE 1 - INITIATION", "BRUIT :  0 A 10 "},
        {"VGM", "1 1/2", 2, "VOLTIGE GM", "SERIE 1 1/2 ESPOIR", "BRUIT :  -5 / 0 / +5"},
        {"F3C", "2", 3, "VOLTIGE F3C", "SERIE 2 NATIONALE", "BRUIT :  -10 OU 0 "},
        {"F3A", "3", 3, "VOLTIGE F3A", "SERIE 3 INTERNATIONALE", "BRUIT :  -10 OU 0 "},
    };
    for (const Cas& c : cas) {
        EcritProgramme(rep + "/P.txt", {{"Boucle", 2}}, c.bruit, 1);
        concours.SetCategorie(c.categorie);
        concours.SetSerie(c.serie);
        concours.SetProgrammeVol("P.txt", 0);
        ASSERT_TRUE(concours.ChargeProgramme(1, rep));
        TTavoPrintoutPgVol printout(concours, MARGES, 1, dossier.path());
        EXPECT_EQ(printout.GetTitle(), QStringLiteral("Programme de vol 1"));
        const QStringList textes = Textes(Pages(printout, A4_PORTRAIT)[0]);
        EXPECT_TRUE(textes.contains(c.voltige)) << c.categorie;
        EXPECT_TRUE(textes.contains(c.serieTexte)) << c.serie;
        EXPECT_TRUE(textes.contains(c.bruitTexte)) << c.bruit;
        EXPECT_TRUE(textes.contains(QStringLiteral("CONFORMITE AVEC LA DOCUMENTATION")));
        EXPECT_TRUE(textes.contains(QStringLiteral("       TOTAL : ")));
    }
    EXPECT_EQ(TTavoPrintoutPgVol::Titre(3), QStringLiteral("Programme du vol 3"));
}

TEST_F(Printouts, longFigureNamesWrapAt133mmAndTheMissingBitmapLeavesAFrame)
{
    // 9 pt: 16 pixels a character, so a line holds at most 83 characters.
    std::string nom;
    for (int i = 0; i < 30; ++i)
        nom += "abcd ";
    EcritProgramme(rep + "/P.txt", {{nom, 4}, {"Fin", 1}}, 0, 0);
    concours.SetProgrammeVol("P.txt", 0);
    ASSERT_TRUE(concours.ChargeProgramme(1, rep));
    TTavoPrintoutPgVol printout(concours, MARGES, 1, dossier.path());
    const auto page = Pages(printout, A4_PORTRAIT)[0];
    std::vector<TTrace> lignes;
    for (const TTrace& t : page)
        if (t.Genre == TTrace::Type::Texte && t.Texte.startsWith(QStringLiteral("abcd")))
            lignes.push_back(t);
    ASSERT_EQ(lignes.size(), 2u);
    EXPECT_LT(lignes[0].Rect.Width(), 1330);
    EXPECT_GE(lignes[0].Rect.Width() + 5 * 16, 1330);
    EXPECT_EQ(lignes[1].Rect.top - lignes[0].Rect.top, 13 + 40);
    EXPECT_EQ(lignes[0].Rect.left, A4_PORTRAIT.cx / 2 - 895 + 90);
    EXPECT_FALSE(Textes(page).contains(QStringLiteral("BRUIT : ")));
    // No ffam.bmp in the start directory: its place is outlined and the sheet goes on.
    const auto bitmaps = std::count_if(
        page.begin(), page.end(), [](const TTrace& t) { return t.Genre == TTrace::Type::Bitmap; });
    EXPECT_EQ(bitmaps, 0);
    EXPECT_TRUE(Textes(page).contains(QStringLiteral("N° Dossard")));
}

// Competition report

// 23 figures, every other name on two lines, with noise and conformity: the rows come closer
// so that every figure, the total and the footer stay on the sheet, never closer than the text.
TEST_F(Printouts, aLongProgrammeSheetKeepsItsTotalAndFooterOnThePage)
{
    std::vector<std::pair<std::string, int>> figures;
    for (int f = 1; f <= 23; ++f)
        figures.push_back({"Figure " + std::to_string(f) + " " + std::string(60, 'x') + " " +
                               std::string(f % 2 == 0 ? 10 : 40, 'y'),
                           3});
    EcritProgramme(rep + "/Long.txt", figures, 1, 1);
    concours.SetProgrammeVol("Long.txt", 0);
    ASSERT_TRUE(concours.ChargeProgramme(1, rep));
    TTavoPrintoutPgVol printout(concours, MARGES, 1, dossier.path());
    const auto pages = Pages(printout, A4_PORTRAIT);
    ASSERT_EQ(pages.size(), 1u);
    const QStringList textes = Textes(pages[0]);
    EXPECT_EQ(textes.filter(QStringLiteral("yyyy")).size(), 23);
    int bas = 0;
    int precedent = 0;
    for (const TTrace& t : pages[0]) {
        if (t.Genre != TTrace::Type::Texte)
            continue;
        bas = std::max(bas, t.Rect.bottom);
        if (t.Texte.startsWith(QStringLiteral("Figure"))) {
            EXPECT_GE(t.Rect.top - precedent, t.Rect.Height()); // lines never overlap
            precedent = t.Rect.top;
        }
    }
    EXPECT_TRUE(textes.contains(QStringLiteral("       TOTAL : ")));
    EXPECT_LE(bas, A4_PORTRAIT.cy);
}

// The report's lists: ", " between names, none after the last nor for an empty jury member.
TEST_F(Printouts, theReportListsNamesWithoutATrailingCommaAndUnderlinesEmptyFields)
{
    concours.SetJury1("Dupont");
    concours.SetJury3("Durand");
    for (auto [nom, grade] : {std::pair{"Blanc", 1}, {"Noir", 2}, {"Vert", 1}}) {
        TJuge juge;
        juge.SetNom(nom);
        juge.SetPrenom("Paul");
        juge.SetGrade(grade);
        concours.AjouteJuge();
        concours.SetJuge(juge, concours.NbJugesSaisis());
    }
    concours.SetDirecteur("Martin");
    std::string long_;
    for (int i = 0; i < 40; ++i)
        long_ += "mot ";
    concours.SetObservations(long_.c_str());
    TTavoPrintoutPVerbal printout(concours, MARGES, dossier.path());
    const auto page = Pages(printout, A4_PORTRAIT)[0];
    const QStringList textes = Textes(page);
    EXPECT_TRUE(textes.contains(QStringLiteral(" Dupont, Durand ")))
        << textes.join('|').toStdString();
    EXPECT_TRUE(textes.contains(QStringLiteral(" Blanc Paul, Vert Paul ")));
    EXPECT_TRUE(textes.contains(QStringLiteral(" Noir Paul ")));
    EXPECT_TRUE(textes.contains(QStringLiteral("- Autres :")));
    EXPECT_TRUE(textes.contains(QStringLiteral(" 0")));
    // An empty field: its label and one underlined empty line.
    const TTrace* autres = Cherche(page, QStringLiteral("- Autres :"));
    ASSERT_NE(autres, nullptr);
    const auto vide = std::find_if(page.begin(), page.end(), [&](const TTrace& t) {
        return t.Genre == TTrace::Type::Texte && t.Texte == QStringLiteral(" ") &&
               t.Rect.top == autres->Rect.top;
    });
    ASSERT_NE(vide, page.end());
    const auto regles = Lignes(page, true);
    EXPECT_TRUE(std::any_of(regles.begin(), regles.end(), [&](const TRect& r) {
        return r.left == autres->Rect.right && r.right == A4_PORTRAIT.cx / 2 - 895 + 1785;
    }));
    // 160 characters of 12 pt (21 pixels) need three lines of at most 1635 pixels.
    const auto mots = std::count_if(textes.begin(), textes.end(),
                                    [](const QString& t) { return t.contains("mot mot"); });
    EXPECT_EQ(mots, 3);
    EXPECT_TRUE(textes.contains(QStringLiteral("Nom, Prénom, Date et Signature :")));
    // The federation's name and the line under it keep apart.
    const TTrace* federation =
        Cherche(page, QStringLiteral("Fédération Française d'Aéro-Modélisme"));
    ASSERT_NE(federation, nullptr);
    const auto agreee = std::find_if(page.begin(), page.end(), [](const TTrace& t) {
        return t.Texte.startsWith(QStringLiteral("Agréée"));
    });
    ASSERT_NE(agreee, page.end());
    EXPECT_LE(federation->Rect.bottom, agreee->Rect.top);
}

// Diagram

// Every text at its full length: the report stays on one page, signatures included, in a
// smaller font; longer still, the signatures go on a second page.
TEST_F(Printouts, aLongReportKeepsItsSignaturesInsideThePage)
{
    std::string texte;
    while (texte.size() + 9 <= 254)
        texte += "remarque ";
    for (auto champ :
         {&TConcours::SetHoraires, &TConcours::SetConditionsMeteo, &TConcours::SetControles,
          &TConcours::SetIncidents, &TConcours::SetReclamations, &TConcours::SetObservations})
        (concours.*champ)(texte.c_str());
    auto signatures = [&](TTavoPrintoutPVerbal& printout, TSize papier = A4_PORTRAIT) {
        const auto pages = Pages(printout, papier);
        const TTrace* pied = nullptr;
        const TTrace* signature = nullptr;
        for (const auto& page : pages)
            for (const TTrace& t : page) {
                if (t.Texte.startsWith(QStringLiteral("Tavo 2000 version")))
                    pied = &t;
                if (t.Texte == QStringLiteral("Nom, Prénom, Date et Signature :")) {
                    signature = &t;
                    EXPECT_LE(t.Rect.bottom, pied ? pied->Rect.top : papier.cy);
                }
            }
        EXPECT_NE(signature, nullptr);
        return pages.size();
    };
    TTavoPrintoutPVerbal rapport(concours, MARGES, dossier.path());
    EXPECT_EQ(signatures(rapport), 1u);
    const auto page = Pages(rapport, A4_PORTRAIT)[0];
    EXPECT_EQ(Textes(page).filter(QStringLiteral("remarque")).join(QString()).count("remarque"),
              6 * 28);

    // On A5 paper even 7 pt is too large.
    TTavoPrintoutPVerbal a5(concours, MARGES, dossier.path());
    EXPECT_EQ(signatures(a5, TSize{1480, 2100}), 2u);
}

// The forms' pen widths are pixels at 300 dpi: a 1200 dpi printer draws them four times as wide.
TEST_F(Printouts, penWidthsKeepTheirThicknessOnAFinePrinter)
{
    Genere(4, 3, 1);
    TTavoPrintoutDiagJuge printout(concours, MARGES, 1, rep);
    int plusLarge = 0;
    int plusFin = 1000;
    const auto pages = Pages(printout, TSize{14031, 9921}, 1200);
    for (const TTrace& t : pages[0])
        if (t.Genre == TTrace::Type::Ligne || t.Genre == TTrace::Type::Rectangle) {
            plusLarge = std::max(plusLarge, t.Stylo.Width);
            plusFin = std::min(plusFin, t.Stylo.Width);
        }
    EXPECT_EQ(plusLarge, 16);
    EXPECT_EQ(plusFin, 4);
}

TEST_F(Printouts, theDiagramBarsAreTwoAndAHalfMillimetresAPercent)
{
    Genere(10, 3, 2);
    ASSERT_TRUE(PrepareDiagramme(concours, parametres));
    const DiagrammeJuge attendu = CalculeDiagramme(concours, 2, rep);
    TTavoPrintoutDiagJuge printout(concours, MARGES, 2, rep);
    const auto page = Pages(printout, A4_PAYSAGE)[0];
    const int ox = A4_PAYSAGE.cx / 2 - 800;
    const int oy = A4_PAYSAGE.cy / 2 + 650;
    std::vector<TTrace> barres;
    for (const TTrace& t : page)
        if (t.Genre == TTrace::Type::Rectangle && t.Rect.bottom == oy)
            barres.push_back(t);
    int vides = 0;
    for (int v = 0; v <= 10; ++v) {
        const int hauteur =
            static_cast<int>(std::lround(attendu.pourcentages[static_cast<std::size_t>(v)] * 25.0));
        const auto barre = std::find_if(barres.begin(), barres.end(), [&](const TTrace& t) {
            return t.Rect.left == ox + 110 * v;
        });
        if (hauteur == 0) {
            EXPECT_EQ(barre, barres.end()) << v;
            ++vides;
            continue;
        }
        ASSERT_NE(barre, barres.end()) << v;
        EXPECT_EQ(barre->Rect.Height(), hauteur) << v;
        EXPECT_EQ(barre->Rect.Width(), 110);
        EXPECT_EQ(barre->Stylo.Width, MulDiv(4, DPI, 300)); // 4 pixels at 300 dpi
    }
    EXPECT_GT(vides, 0);
    const QStringList textes = Textes(page);
    for (int j = 0; j <= 5; ++j)
        EXPECT_TRUE(textes.contains(QStringLiteral("%1%").arg(10 * j)));
    for (int v = 0; v <= 10; ++v)
        EXPECT_TRUE(textes.contains(QString::number(v)));
    EXPECT_TRUE(textes.contains(QStringLiteral("DIAGRAMME DES NOTES")));
    EXPECT_TRUE(
        textes.contains(QString::fromStdString("Moyenne : " + Fixe(attendu.moyenne, 4, 2))));
    EXPECT_TRUE(textes.contains(QStringLiteral("Juge2")));
    // The vertical axis is 125 mm: a 50 % bar reaches its top.
    const auto verticales = Lignes(page, false);
    EXPECT_TRUE(std::any_of(verticales.begin(), verticales.end(), [&](const TRect& r) {
        return r.left == ox && std::abs(r.bottom - r.top) == 1250;
    }));
}
