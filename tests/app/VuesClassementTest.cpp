// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DessinVues.h"
#include "app/Menu.h"
#include "platform/Chaines.h"
#include "presentation/Presentation.h"
#include "scoring/Classements.h"
#include "support/Fabrique.h"
#include "support/Fenetre.h"
#include "support/RecordingDC.h"

#include <cmath>

#include <QImage>

using namespace tavo;

namespace {

/** Everything: the tables draw all their rows. */
constexpr TRect TOUT{0, 0, 100000, 10000000};

/** mm(x) at the recording context's 96 dpi. */
int mm(int dixiemes)
{
    return DixiemesMmEnPixels(dixiemes, 96);
}

std::vector<TRect> horizontales(const TRecordingDC& dc)
{
    std::vector<TRect> lignes;
    for (const TTrace& t : dc.DeType(TTrace::Type::Ligne))
        if (t.Rect.top == t.Rect.bottom)
            lignes.push_back(t.Rect);
    return lignes;
}

std::vector<TRect> verticales(const TRecordingDC& dc)
{
    std::vector<TRect> lignes;
    for (const TTrace& t : dc.DeType(TTrace::Type::Ligne))
        if (t.Rect.left == t.Rect.right)
            lignes.push_back(t.Rect);
    return lignes;
}

int y(const TRecordingDC& dc, const QString& texte)
{
    const TTrace* t = dc.Cherche(texte);
    return t ? t->Rect.top : -1;
}

} // namespace

class VuesClassementTest : public FenetreTest
{
protected:
    VuesClassementTest()
    {
        fenetre->OuvreFichier(CopieDemo());
        fenetre->GetOptions().SetRepProgrammes(TAVO_DATA_DIR "/Vols");
        repondeur.Oublie();
    }
    TConcours& Concours() { return fenetre->GetConcours(); }
    std::string Rep() const { return fenetre->GetOptions().GetRepProgrammes(); }
    /** Runs a view command and paints the view whole at 96 dpi. */
    TRecordingDC Vue(int commande)
    {
        EXPECT_TRUE(Execute(commande));
        TRecordingDC dc;
        fenetre->Paint(dc, true, TRect{0, 0, 2000, 100000});
        return dc;
    }
    QStringList Messages() const
    {
        QStringList textes;
        for (const auto& m : repondeur.Messages())
            textes << m.Texte;
        return textes;
    }
    int Dpi() const { return fenetre->viewport()->logicalDpiY(); }
};

TEST_F(VuesClassementTest, titleBlockLinesAndSubtitlesOfEachView)
{
    const TRecordingDC dc = Vue(CM_CLST_PILOTES_1);
    // Margin 3, then 20 pt bold (33) and 10 pt (16), 16 pt bold (26), 14 pt italic (23),
    // 14 pt bold (23), 12 pt (20) as the recording context measures them.
    EXPECT_EQ(y(dc, "Concours de voltige F3A de Bourgogne"), 3);
    EXPECT_EQ(y(dc, "Série 2"), 52);
    EXPECT_EQ(y(dc, "Terrain des Grands Prés, Cluny"), 94);
    EXPECT_EQ(y(dc, "13/06/2026 au 14/06/2026"), 156);
    EXPECT_EQ(y(dc, "CLASSEMENT DES PILOTES"), 195);
    EXPECT_EQ(y(dc, "(après 1 vol)"), 234);
    EXPECT_EQ(y(dc, "Rang"), 302);
    // Centred on half the drawing's width.
    const TTrace* entete = dc.Cherche("CLASSEMENT DES PILOTES");
    ASSERT_NE(entete, nullptr);
    EXPECT_EQ(entete->Rect.left + entete->Rect.Width() / 2, fenetre->GetLargeurVue() / 2);
    EXPECT_EQ(entete->Police.Weight, FW_BOLD);
    EXPECT_EQ(entete->CouleurTexte, TColor::White);
    EXPECT_EQ(entete->ModeFond, TRANSPARENT);

    EXPECT_NE(Vue(CM_CLST_PILOTES_1 + 1).Cherche("(après 2 vols)"), nullptr);
    EXPECT_NE(Vue(CM_CLST_PILOTES_1 + 3).Cherche("(après 4 vols)"), nullptr);
    EXPECT_NE(Vue(CM_FLYOFF_1).Cherche("(après 1 fly-off)"), nullptr);
    EXPECT_NE(Vue(CM_FLYOFF_1 + 2).Cherche("(après 3 fly-off)"), nullptr);
    const TRecordingDC juges = Vue(CM_CLST_JUGES_1 + 2);
    EXPECT_NE(juges.Cherche("CLASSEMENT DES JUGES"), nullptr);
    EXPECT_NE(juges.Cherche("(sur le vol 3)"), nullptr);
    const TRecordingDC profil = Vue(CM_TBL_1 + 2);
    EXPECT_NE(profil.Cherche("PROFIL DES JUGES"), nullptr);
    EXPECT_NE(profil.Cherche("(sur le vol 3)"), nullptr);
}

// The longest title in the narrowest view: a smaller font keeps it inside the drawing, and
// the lines below it stay where they were.
TEST_F(VuesClassementTest, aLongTitleFitsTheNarrowestView)
{
    const int serie = y(Vue(CM_CLST_PILOTES_1), "Série 2");
    Concours().SetTitre("GRAND CHAMPIONNAT DE FRANCE DE VOLTIGE RADIOCOMMAN");
    const TRecordingDC dc = Vue(CM_CLST_PILOTES_1);
    const TTrace* titre = dc.Cherche("GRAND CHAMPIONNAT DE FRANCE DE VOLTIGE RADIOCOMMAN");
    ASSERT_NE(titre, nullptr);
    EXPECT_GE(titre->Rect.left, 0);
    EXPECT_LE(titre->Rect.right, fenetre->GetLargeurVue());
    EXPECT_EQ(y(dc, "Série 2"), serie);
}

TEST_F(VuesClassementTest, pilotRankingsAreAsWideAsTheirColumnsAndListEveryPilot)
{
    for (int n = 1; n <= 4; ++n) {
        const TRecordingDC dc = Vue(CM_CLST_PILOTES_1 + n - 1);
        const std::vector<TRect> h = horizontales(dc);
        ASSERT_EQ(h.size(), 15u + 2) << n; // the band and every pilot
        const int largeur = LargeurVueDixiemes(GenreVue::ClassementVols, n, 5);
        EXPECT_EQ(h[0].right - h[0].left, mm(largeur)) << n;
        EXPECT_EQ(fenetre->GetLargeurVue(), DixiemesMmEnPixels(largeur, Dpi()) + 10);
        EXPECT_EQ(fenetre->GetHauteurVue(), 17 * 15 + 321);
        // Rank, name, two columns a flight and the total: one rule at each edge.
        EXPECT_EQ(verticales(dc).size(), std::size_t(2 + 2 * n + 2)) << n;
        EXPECT_NE(dc.Cherche(QStringLiteral("%V%1").arg(n)), nullptr);
        EXPECT_NE(dc.Cherche("15"), nullptr);
    }
    for (int k = 1; k <= 3; ++k) {
        const TRecordingDC dc = Vue(CM_FLYOFF_1 + k - 1);
        const std::vector<TRect> h = horizontales(dc);
        ASSERT_EQ(h.size(), 17u) << k;
        EXPECT_EQ(h[0].right - h[0].left, mm(LargeurVueDixiemes(GenreVue::FlyOff, k, 5))) << k;
        EXPECT_NE(dc.Cherche("Qualif"), nullptr);
        EXPECT_NE(dc.Cherche(QStringLiteral("%F%1").arg(k)), nullptr);
    }
}

TEST_F(VuesClassementTest, pilotRankingRowsShowTheComputedRanking)
{
    const TRecordingDC dc = Vue(CM_CLST_PILOTES_1 + 2);
    ParametresCalcul parametres(fenetre->GetOptions());
    const ClassementVols attendu = ClassementApresVols(Concours(), parametres, 3).valeur;
    const LigneClassement& premier = attendu.lignes.front();
    const QString nom = QStringLiteral(" ") + Texte(premier.nom.c_str()) + QStringLiteral(" ") +
                        Texte(premier.prenom.c_str());
    const TTrace* ligne = dc.Cherche(nom);
    ASSERT_NE(ligne, nullptr);
    const TTrace* total = dc.Cherche(QString::fromStdString(Fixe(premier.total, 7, 2) + " "));
    ASSERT_NE(total, nullptr);
    EXPECT_EQ(total->Rect.top, ligne->Rect.top);
    EXPECT_EQ(total->Police.Height, -13); // 10 pt
    // The first row is under the band: grid top 324, rows of 18 pixels.
    EXPECT_EQ(ligne->Rect.top, 324 + 18);
}

TEST_F(VuesClassementTest, emptyCompetitionRulesOnlyAroundTheBand)
{
    Concours().GetPilotes().clear();
    const TRecordingDC dc = Vue(CM_CLST_PILOTES_1);
    EXPECT_EQ(horizontales(dc).size(), 2u);
    EXPECT_TRUE(verticales(dc).empty());
    EXPECT_EQ(fenetre->GetHauteurVue(), 321);
    EXPECT_NE(dc.Cherche("Total "), nullptr);
}

TEST_F(VuesClassementTest, judgeRankingListsOnlyThoseWhoFlewUnderEachJudgesBlock)
{
    const TRecordingDC dc = Vue(CM_CLST_JUGES_1 + 1); // bib 10 missed flight 2
    EXPECT_EQ(horizontales(dc).size(), 14u + 2);
    EXPECT_EQ(fenetre->GetHauteurVue(), 17 * 14 + 321);
    EXPECT_EQ(horizontales(dc)[0].right - horizontales(dc)[0].left,
              mm(LargeurVueDixiemes(GenreVue::ClassementJuges, 2, 5)));
    // Left edge, after rank, name and final, after each of the five blocks.
    EXPECT_EQ(verticales(dc).size(), 4u + 5);
    const QString juge = Texte(Concours().GetJuge(2).GetNom()).left(3);
    EXPECT_NE(dc.Cherche(juge), nullptr);
    EXPECT_NE(dc.Cherche("Clt"), nullptr);
    EXPECT_NE(dc.Cherche("Final"), nullptr);

    const TRecordingDC flyoff = Vue(CM_CLST_JUGES_1 + 3); // five finalists
    EXPECT_EQ(horizontales(flyoff).size(), 5u + 2);

    for (short juges : {3, 4}) {
        Concours().SetNbJuges(juges);
        const TRecordingDC panel = Vue(CM_CLST_JUGES_1);
        const int largeur = LargeurVueDixiemes(GenreVue::ClassementJuges, 1, juges);
        EXPECT_EQ(horizontales(panel)[0].right - horizontales(panel)[0].left, mm(largeur));
        EXPECT_EQ(fenetre->GetLargeurVue(), DixiemesMmEnPixels(largeur, Dpi()) + 10);
    }
}

TEST_F(VuesClassementTest, judgeRankingOfAFlightNobodyFlewShowsTheHeaderOnly)
{
    for (TPilote& pilote : Concours().GetPilotes())
        for (short j = 1; j <= 5; ++j)
            for (short l = 1; l <= 25; ++l)
                pilote.SetNote(3, l, j, 0);
    const TRecordingDC dc = Vue(CM_CLST_JUGES_1 + 2);
    EXPECT_EQ(horizontales(dc).size(), 2u);
    EXPECT_EQ(fenetre->GetHauteurVue(), 321);
    EXPECT_NE(dc.Cherche("Rang"), nullptr);
}

TEST_F(VuesClassementTest, judgeNamesBeyondThoseEnteredAreEmpty)
{
    while (Concours().NbJugesSaisis() > 3)
        Concours().GetJuges().pop_back();
    const TRecordingDC dc = Vue(CM_CLST_JUGES_1);
    // Five blocks, the last two under an empty name.
    int vides = 0;
    for (const TTrace& t : dc.Traces())
        vides += t.Rect.top == y(dc, "Rang") && t.Texte.isEmpty() ? 1 : 0;
    EXPECT_EQ(vides, 2);
    EXPECT_EQ(dc.Textes().count("Clt"), 5);
    const TRecordingDC profil = Vue(CM_TBL_1);
    EXPECT_NE(profil.Cherche("Scores acceptés %"), nullptr);
}

TEST_F(VuesClassementTest, judgeRankingReloadsItsProgrammeAtEachPaint)
{
    const TRecordingDC avant = Vue(CM_CLST_JUGES_1);
    // A printout of a fly-off has loaded another programme meanwhile.
    ASSERT_TRUE(Concours().ChargeProgramme(4, Rep()));
    TRecordingDC apres;
    fenetre->Paint(apres, true, TRect{0, 0, 2000, 100000});
    EXPECT_EQ(apres.Textes(), avant.Textes());

    // Its file gone, the view says so instead of showing scores of other K factors.
    fenetre->GetOptions().SetRepProgrammes(CheminNatif(depart.path()).c_str());
    TRecordingDC sans;
    fenetre->Paint(sans, true, TRect{0, 0, 2000, 100000});
    EXPECT_NE(sans.Cherche("Le programme de vol 1 est introuvable"), nullptr);
    EXPECT_TRUE(horizontales(sans).empty());
}

TEST_F(VuesClassementTest, judgeRankingFollowsItsProgrammeAndTheMarksBetweenPaints)
{
    // The flight's programme in a directory of the test's, so that it can change on disk.
    const QString vols = depart.filePath(QStringLiteral("Vols"));
    QDir().mkpath(vols);
    const QString programme = vols + QStringLiteral("/F3A_P27.txt");
    QFile::copy(QStringLiteral(TAVO_DATA_DIR "/Vols/F3A_P27.txt"), programme);
    fenetre->GetOptions().SetRepProgrammes(CheminNatif(vols).c_str());
    const TRecordingDC avant = Vue(CM_CLST_JUGES_1);

    // The first figure's K doubled on disk: the next paint shows other scores.
    QFile fichier(programme);
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
    QByteArray texte = fichier.readAll();
    fichier.close();
    const qsizetype k = texte.indexOf("\r\n3\r\n", texte.indexOf("Triangle"));
    ASSERT_GT(k, 0);
    texte.replace(k, 5, "\r\n6\r\n");
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly | QIODevice::Truncate));
    fichier.write(texte);
    fichier.close();
    TRecordingDC change;
    fenetre->Paint(change, true, TRect{0, 0, 2000, 100000});
    EXPECT_NE(change.Textes(), avant.Textes());

    // A mark typed through a command shows at the next paint too.
    TPilote pilote = Concours().GetPilote(1);
    pilote.SetNote(1, 2, 1, 0);
    Concours().SetPilote(pilote, 1);
    const TRecordingDC apresCommande = Vue(CM_CLST_JUGES_1);
    EXPECT_NE(apresCommande.Textes(), change.Textes());
}

TEST_F(VuesClassementTest, aRankingShownFollowsMarksStoredThroughTheDocumentAtTheNextPaint)
{
    // As a judge's phone does: marks stored and the sheet finished, no command run.
    auto change = [this] {
        const TPilote premier = Concours().GetPilote(1);
        for (short juge = 1; juge <= Concours().GetNbJuges(); ++juge)
            fenetre->GetDocument().StockeNote(
                {1, 1, juge, static_cast<short>(premier.GetNote(1, 1, juge) == 0 ? 10 : 0),
                 premier.GetDossard()});
        ASSERT_TRUE(Concours().ChargeProgramme(1, Rep()));
        fenetre->GetDocument().TermineVol(premier.GetDossard(), 1, Concours().GetProgramme());
    };
    auto peint = [this] {
        TRecordingDC dc;
        fenetre->Paint(dc, true, TRect{0, 0, 2000, 100000});
        return dc.Textes();
    };
    for (const int commande : {CM_CLST_PILOTES_1, CM_CLST_JUGES_1}) {
        const auto avant = Vue(commande).Textes();
        EXPECT_EQ(peint(), avant) << commande;
        change();
        EXPECT_NE(peint(), avant) << commande;
    }
}

TEST_F(VuesClassementTest, diagramBarsAreTwoAndAQuarterMillimetresAPoint)
{
    const TRecordingDC dc = Vue(CM_DIAGRAMME_1 + 1);
    EXPECT_EQ(fenetre->GetLargeurVue(), DixiemesMmEnPixels(1980, Dpi()));
    EXPECT_EQ(fenetre->GetHauteurVue(), DixiemesMmEnPixels(1348, Dpi()));
    const DiagrammeJuge attendu = CalculeDiagramme(Concours(), 2, Rep());
    const int ox = mm(270);
    const int oy = mm(1262);
    int barres = 0;
    for (const TTrace& t : dc.DeType(TTrace::Type::Rectangle)) {
        const int m = (t.Rect.left - ox) / mm(99);
        ASSERT_GE(m, 0);
        ASSERT_LE(m, 10);
        EXPECT_EQ(t.Rect.left, ox + mm(99 * m));
        EXPECT_EQ(t.Rect.right, ox + mm(99 * (m + 1)));
        EXPECT_EQ(t.Rect.bottom, oy);
        EXPECT_EQ(oy - t.Rect.top,
                  std::lround(96 * attendu.pourcentages[static_cast<std::size_t>(m)] * 22.5 / 254))
            << m;
        EXPECT_EQ(t.Brosse.Style, StyleBrosse::HachureDiagonale);
        EXPECT_EQ(t.Stylo.Width, 2);
        ++barres;
    }
    EXPECT_GT(barres, 3);
    EXPECT_NE(dc.Cherche("DIAGRAMME DES NOTES"), nullptr);
    EXPECT_NE(dc.Cherche(QString::fromStdString("Moyenne : " + Fixe(attendu.moyenne, 4, 2))),
              nullptr);
    EXPECT_NE(dc.Cherche(QString::fromStdString("Ecart-Type : " + Fixe(attendu.ecartType, 4, 2))),
              nullptr);
    EXPECT_NE(dc.Cherche("50%"), nullptr);
    EXPECT_NE(dc.Cherche("10"), nullptr);
    // Axes: up to 50 % and over the eleven bars, with 6 + 12 ticks.
    int lignes = 0;
    for (const TTrace& t : dc.DeType(TTrace::Type::Ligne)) {
        EXPECT_EQ(t.Stylo.Width, 2);
        ++lignes;
    }
    EXPECT_EQ(lignes, 2 + 6 + 12);
}

TEST_F(VuesClassementTest, profileOfThreeJudgesWithNobodyFlownShowsZerosAndDashes)
{
    TConcours& c = Concours();
    c.SetNbJuges(3);
    for (TPilote& pilote : c.GetPilotes())
        for (short j = 1; j <= 5; ++j)
            for (short l = 1; l <= 25; ++l)
                pilote.SetNote(2, l, j, 0);
    const TRecordingDC dc = Vue(CM_TBL_1 + 1);
    const int largeur = LargeurVueDixiemes(GenreVue::Profil, 2, 3);
    EXPECT_EQ(fenetre->GetLargeurVue(), DixiemesMmEnPixels(largeur, Dpi()) + 10);
    EXPECT_EQ(fenetre->GetHauteurVue(), 450);
    // The rule under the header spans the table.
    const std::vector<TRect> h = horizontales(dc);
    ASSERT_EQ(h.size(), 1u + 1 + 3);
    EXPECT_EQ(h[1].right - h[1].left, mm(largeur));
    // The vertical rules: left edge, label column, five judge columns whatever the panel.
    EXPECT_EQ(verticales(dc).size(), 7u);
    EXPECT_EQ(dc.Textes().count("  0"), 3);
    EXPECT_EQ(dc.Textes().count("-"), 6);
    for (const char* libelle :
         {"Scores acceptés %", "Ecarts au score moyen %", "Ecarts à la StDev %"})
        EXPECT_NE(dc.Cherche(QString::fromUtf8(libelle)), nullptr) << libelle;
    EXPECT_NE(dc.Cherche(Texte(c.GetJuge(1).GetNom())), nullptr);
}

TEST_F(VuesClassementTest, missingProgrammesKeepThePreviousViewWithTheirMessage)
{
    Execute(CM_JUGES);
    fenetre->GetOptions().SetRepProgrammes(CheminNatif(depart.path()).c_str());
    for (int commande : {CM_CLST_PILOTES_1, CM_FLYOFF_1, CM_DIAGRAMME_1})
        EXPECT_TRUE(Execute(commande));
    Execute(CM_CLST_JUGES_1 + 2);
    Execute(CM_TBL_1 + 6);
    // Each message names the first flight whose programme is missing.
    const QString manque = QStringLiteral("Au moins un programme de vol n'a pas été trouvé : le "
                                          "programme du vol 1, « F3A_P27.txt », est introuvable");
    EXPECT_EQ(Messages(), (QStringList{manque, manque, manque,
                                       QStringLiteral("Le programme de vol 3 est introuvable"),
                                       QStringLiteral("Le programme de vol 7 est introuvable")}));
    for (const auto& m : repondeur.Messages()) {
        EXPECT_EQ(m.Titre, QStringLiteral("Tavo 2000"));
        EXPECT_EQ(m.Type, unsigned(MB_OK | MB_ICONEXCLAMATION));
    }
    EXPECT_EQ(fenetre->GetVue(), 1);
    EXPECT_EQ(fenetre->GetLargeurVue(), 0);
}

TEST_F(VuesClassementTest, enteringAViewScrollsInUnitsOf17FromTheOrigin)
{
    cadre->resize(400, 300);
    QApplication::processEvents();
    Execute(CM_CLST_PILOTES_1 + 3);
    fenetre->GetScroller().ScrollTo(3, 5);
    Execute(CM_CLST_JUGES_1);
    EXPECT_EQ(fenetre->GetVue(), 12);
    EXPECT_EQ(fenetre->GetScroller().XPos(), 0);
    EXPECT_EQ(fenetre->GetScroller().YPos(), 0);
    EXPECT_EQ(fenetre->GetScroller().YUnit(), 17);
    const TRect client = fenetre->GetClientRect();
    EXPECT_EQ(fenetre->GetScroller().YRange(),
              (fenetre->GetHauteurVue() - client.Height() + 16) / 17);
    Execute(CM_LISTE_PILOTES);
    Execute(CM_TBL_1);
    EXPECT_EQ(fenetre->GetVue(), 24);
    EXPECT_EQ(fenetre->GetListeVue(), nullptr);
}

TEST_F(VuesClassementTest, flyOffViewWithoutRuleFallsBackToTheCharacteristics)
{
    Concours().SetCategorie("F3B");
    ASSERT_TRUE(Execute(CM_FLYOFF_1));
    EXPECT_EQ(fenetre->GetVue(), 8);
    TRecordingDC dc;
    fenetre->Paint(dc, true, fenetre->GetClientRect());
    EXPECT_EQ(fenetre->GetVue(), 0);
    EXPECT_EQ(dc.Cherche("CLASSEMENT DES PILOTES"), nullptr);
}

TEST_F(VuesClassementTest, aLongRankingDrawsOnlyTheRowsInView)
{
    QDir(depart.path()).mkdir(QStringLiteral("Gen"));
    const std::string rep = CheminNatif(depart.filePath("Gen"));
    test::GenereConcours(Concours(), rep, 10000, 5, 4);
    fenetre->GetOptions().SetRepProgrammes(rep.c_str());
    ASSERT_TRUE(Execute(CM_CLST_PILOTES_1 + 3));
    EXPECT_EQ(fenetre->GetHauteurVue(), 17 * 10000 + 321);
    fenetre->GetScroller().ScrollTo(0, 5000);
    ASSERT_EQ(fenetre->GetScroller().YOffset(), 85000);
    TRecordingDC dc;
    fenetre->Paint(dc, true, TRect{0, 0, 800, 540});
    // Rows of 18 pixels under a grid top of 324: 30 rows fill 540 pixels.
    const std::vector<TRect> h = horizontales(dc);
    EXPECT_LE(h.size(), 36u);
    EXPECT_GE(h.size(), 30u);
    for (const TRect& r : h) {
        EXPECT_GE(r.top, 85000 - 40);
        EXPECT_LE(r.top, 85540 + 40);
    }
    const int rang = (85000 - 324) / 18;
    EXPECT_NE(dc.Cherche(QString::number(rang + 5)), nullptr);
    EXPECT_EQ(dc.Cherche(QString::number(rang - 10)), nullptr);
    for (const TRect& v : verticales(dc)) {
        EXPECT_GE(v.top, 85000 - 1);
        EXPECT_LE(v.bottom, 85540 + 1);
    }
}

TEST_F(VuesClassementTest, windowDrawsTheRankingInWhiteOnBlue)
{
    Execute(CM_CLST_PILOTES_1);
    QApplication::processEvents();
    const QImage image = fenetre->viewport()->grab().toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelColor(image.width() - 3, image.height() - 3), QColor(0, 0, 255));
    // The table's rules: white lines as wide as the table.
    const int table = DixiemesMmEnPixels(LargeurVueDixiemes(GenreVue::ClassementVols, 1, 5), Dpi());
    int regles = 0;
    for (int y = 0; y < image.height(); ++y) {
        int blancs = 0;
        for (int x = 0; x < image.width(); ++x)
            blancs += image.pixelColor(x, y) == QColor(Qt::white) ? 1 : 0;
        regles += blancs >= table - 2 ? 1 : 0;
    }
    EXPECT_GE(regles, 3);
}

// Screen readers get the view's heading and the rows in view, as text.
TEST_F(VuesClassementTest, rankingViewsTellScreenReadersTheirHeadingAndRows)
{
    Vue(CM_CLST_PILOTES_1);
    EXPECT_EQ(fenetre->viewport()->accessibleName(),
              QStringLiteral("CLASSEMENT DES PILOTES (après 1 vol)"));
    const QStringList lignes = fenetre->viewport()->accessibleDescription().split('\n');
    ASSERT_GE(lignes.size(), 16);
    EXPECT_EQ(lignes[0], QStringLiteral("Rang, Nom Prénom, V1, %V1, Total"));
    EXPECT_TRUE(lignes[1].startsWith(QStringLiteral("1, "))) << lignes[1].toStdString();
    Vue(CM_CLST_JUGES_1 + 2);
    EXPECT_EQ(fenetre->viewport()->accessibleName(),
              QStringLiteral("CLASSEMENT DES JUGES (sur le vol 3)"));
}
