// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DessinVues.h"
#include "app/Menu.h"
#include "support/Fenetre.h"
#include "support/RecordingDC.h"

#include <QApplication>
#include <QImage>

using namespace tavo;

namespace {

constexpr unsigned GAUCHE = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
constexpr unsigned CENTRE = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

std::vector<std::pair<TRect, TColor>> remplissages(const TRecordingDC& dc)
{
    std::vector<std::pair<TRect, TColor>> r;
    for (const TTrace& t : dc.DeType(TTrace::Type::Remplissage))
        r.emplace_back(t.Rect, t.Brosse.Color);
    return r;
}

void attendTexte(const TRecordingDC& dc, const QString& texte, TRect rect, unsigned format,
                 TColor encre, TColor fond)
{
    const TTrace* t = dc.Cherche(texte);
    ASSERT_NE(t, nullptr) << texte.toStdString();
    EXPECT_EQ(t->Rect, rect) << texte.toStdString();
    EXPECT_EQ(t->Format, format) << texte.toStdString();
    EXPECT_EQ(t->CouleurTexte, encre) << texte.toStdString();
    EXPECT_EQ(t->CouleurFond, fond) << texte.toStdString();
}

} // namespace

class VuesTest : public FenetreTest
{
protected:
    /** Paints the current view of the window into a recording context of 800 × 600. */
    TRecordingDC Dessine()
    {
        TRecordingDC dc;
        fenetre->Paint(dc, true, TRect{0, 0, 800, 600});
        return dc;
    }
};

TEST_F(VuesTest, characteristicsViewDrawsItsBandsLabelsAndValues)
{
    fenetre->OuvreFichier(CopieDemo());
    const TRecordingDC dc = Dessine();
    // c = (800 - 10) / 4 = 197, r = (600 - 18) / 10 = 58
    const std::vector<std::pair<TRect, TColor>> attendus{
        {{5, 5, 795, 8}, TColor::Black},     {{5, 8, 795, 124}, TColor::Purple},
        {{5, 124, 795, 126}, TColor::Black}, {{5, 126, 202, 590}, TColor::LtGray},
        {{5, 590, 795, 593}, TColor::Black},
    };
    EXPECT_EQ(remplissages(dc), attendus);
    attendTexte(dc, "  Titre du concours", {5, 8, 202, 124}, GAUCHE, TColor::White, TColor::Purple);
    attendTexte(dc, "Concours de voltige F3A de Bourgogne", {202, 8, 793, 124}, CENTRE,
                TColor::White, TColor::Purple);
    attendTexte(dc, "  Lieu du concours", {5, 126, 202, 184}, GAUCHE, TColor::Black,
                TColor::LtGray);
    attendTexte(dc, "Terrain des Grands Prés, Cluny", {202, 126, 793, 184}, CENTRE, TColor::White,
                TColor::LtBlue);
    attendTexte(dc, "  Département", {5, 184, 202, 242}, GAUCHE, TColor::Black, TColor::LtGray);
    attendTexte(dc, "  Série", {5, 242, 202, 300}, GAUCHE, TColor::Black, TColor::LtGray);
    attendTexte(dc, "13/06/2026", {202, 300, 793, 358}, CENTRE, TColor::White, TColor::LtBlue);
    attendTexte(dc, "  Nombre de pilotes", {5, 416, 202, 474}, GAUCHE, TColor::Black,
                TColor::LtGray);
    attendTexte(dc, "15", {202, 416, 793, 474}, CENTRE, TColor::White, TColor::LtBlue);
    attendTexte(dc, "  Nombre de vols", {5, 532, 202, 590}, GAUCHE, TColor::Black, TColor::LtGray);
    attendTexte(dc, "6", {202, 532, 793, 590}, CENTRE, TColor::White, TColor::LtBlue);
    EXPECT_EQ(dc.Textes().size(), 18);
}

TEST_F(VuesTest, judgesViewAlwaysShowsFiveRowsAndTheJudgesOfTheList)
{
    fenetre->GetConcours().SetNbJuges(3);
    for (const char* nom : {"Arnaud", "Blanc"}) {
        fenetre->GetConcours().AjouteJuge();
        TJuge juge;
        juge.SetNom(nom);
        juge.SetPrenom("Jean");
        juge.SetClub("Club");
        juge.SetLicence("123");
        fenetre->GetConcours().SetJuge(juge, fenetre->GetConcours().NbJugesSaisis());
    }
    Execute(CM_JUGES);
    const TRecordingDC dc = Dessine();
    // c = (800 - 10) / 5 = 158, r = (600 - 18) / 6 = 97
    const std::vector<std::pair<TRect, TColor>> attendus{
        {{5, 5, 795, 8}, TColor::Black},     {{5, 8, 795, 105}, TColor::Purple},
        {{5, 105, 795, 107}, TColor::Black}, {{5, 107, 163, 592}, TColor::LtGray},
        {{5, 592, 795, 595}, TColor::Black},
    };
    EXPECT_EQ(remplissages(dc), attendus);
    for (int i = 1; i <= 5; ++i)
        attendTexte(dc, QStringLiteral("Juge %1").arg(i), {5, i * 97 + 10, 163, (i + 1) * 97 + 10},
                    CENTRE, TColor::Black, TColor::LtGray);
    attendTexte(dc, "Nom", {163, 8, 321, 105}, CENTRE, TColor::White, TColor::Purple);
    attendTexte(dc, "Prénom", {321, 8, 479, 105}, CENTRE, TColor::White, TColor::Purple);
    attendTexte(dc, "Club", {479, 8, 637, 105}, CENTRE, TColor::White, TColor::Purple);
    attendTexte(dc, "Licence", {637, 8, 795, 105}, CENTRE, TColor::White, TColor::Purple);
    attendTexte(dc, "Arnaud", {163, 107, 321, 204}, CENTRE, TColor::White, TColor::LtBlue);
    attendTexte(dc, "Blanc", {163, 204, 321, 301}, CENTRE, TColor::White, TColor::LtBlue);
    EXPECT_EQ(dc.Textes().size(), 5 + 4 + 2 * 4);
}

TEST_F(VuesTest, emptyCompetitionDrawsTheFramesAndLabelsWithEmptyValues)
{
    const TRecordingDC dc = Dessine();
    EXPECT_NE(dc.Cherche("  Nombre de juges"), nullptr);
    EXPECT_NE(dc.Cherche("0"), nullptr); // no pilot
    EXPECT_EQ(remplissages(dc).size(), 5u);
}

TEST_F(VuesTest, listAndDrawnViewsDrawNothingOfTheirOwnHere)
{
    Execute(CM_LISTE_PILOTES);
    EXPECT_TRUE(Dessine().Traces().empty());
}

TEST_F(VuesTest, windowPaintsTheCharacteristicsOnTheBlueBackground)
{
    cadre->resize(800, 600);
    QApplication::processEvents();
    const QImage image = fenetre->viewport()->grab().toImage();
    ASSERT_FALSE(image.isNull());
    const int W = image.width();
    const int H = image.height();
    const int c = (W - 10) / 4;
    const int r = (H - 18) / 10;
    EXPECT_EQ(image.pixelColor(2, 2), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(W / 2, 6), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(W - 8, r), QColor(128, 0, 128));
    EXPECT_EQ(image.pixelColor(8, 3 * r + 10), QColor(192, 192, 192));
    EXPECT_EQ(image.pixelColor(c + 8, 3 * r + 12), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(W / 2, 10 * r + 11), QColor(Qt::black));
}
