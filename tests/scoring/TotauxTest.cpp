// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Concours.h"
#include "scoring/Regles.h"
#include "support/Fabrique.h"

#include <gtest/gtest.h>

namespace {

// One pilot whose thousandths of flights 1..7 are 100 x the flight + the given offsets.
TPilote& PiloteMilliemes(TConcours& c, std::initializer_list<double> milliemes, double q = 0.0)
{
    TPilote& p = tavo::test::AjoutePilote(c, "P", "1");
    short v = 1;
    for (double s : milliemes) {
        p.SetScoreVol1000(v, s);
        p.SetScoreVol(v, s / 2);
        ++v;
    }
    p.SetTotalFlyOff(q);
    return p;
}

double Total(int regle, std::initializer_list<double> s, double q = 0.0, int rapport = 1)
{
    TConcours c;
    TPilote& p = PiloteMilliemes(c, s, q);
    c.CalculeTotaux(regle, rapport);
    return p.GetTotal();
}

} // namespace

TEST(Totaux, everyCountingRule)
{
    // s1..s7 distinct so that each rule's choice shows.
    const std::initializer_list<double> s{900, 700, 950, 600, 800, 650, 990};
    const double q = 1000;
    EXPECT_EQ(Total(1, s, q), 900);
    EXPECT_EQ(Total(2, s, q), 900);
    EXPECT_EQ(Total(3, s, q), 1850);
    EXPECT_EQ(Total(4, s, q), 900 + 700 + 950);
    EXPECT_EQ(Total(5, s, q), 1600);
    EXPECT_EQ(Total(6, s, q), 700 + 950);
    EXPECT_EQ(Total(7, s, q), 950 + 700);
    EXPECT_EQ(Total(8, s, q), 800 + q);
    EXPECT_EQ(Total(9, s, q), 800 + 650 + q);
    EXPECT_EQ(Total(10, s, q), 600 + q);
    EXPECT_EQ(Total(11, s, q), 800 + q);
    EXPECT_EQ(Total(12, s, q), 800 + 650 + q);
    EXPECT_EQ(Total(13, s, q), 600);
    EXPECT_EQ(Total(14, s, q), 1400);
    EXPECT_EQ(Total(15, s, q), 650 + 800);
    EXPECT_EQ(Total(16, s, q), 650 + 990);
    EXPECT_EQ(Total(17, s, q), 1000);
    EXPECT_EQ(Total(18, s, q), 1000 + 800);
    EXPECT_EQ(Total(19, s, q), 1000 + 800 + 650);
    EXPECT_EQ(Total(17, s, 500), 600);
}

TEST(Totaux, examplesOfTheCategories)
{
    EXPECT_EQ(Total(3, {1000, 800, 950}), 1950);
    EXPECT_EQ(Total(2, {700, 1000}), 1000);
    EXPECT_EQ(Total(6, {900, 1000, 950}), 1950);
    EXPECT_EQ(Total(7, {900, 1000, 950, 600}), 1950);
    // A single smallest value is removed even when several are equal.
    EXPECT_EQ(Total(3, {800, 800, 800}), 1600);
}

TEST(Totaux, rulesThreeAndSevenAlsoSetTheQualificationTotal)
{
    TConcours c;
    TPilote& p = PiloteMilliemes(c, {1000, 800, 950, 900});
    c.CalculeTotaux(3, 1);
    EXPECT_EQ(p.GetTotalFlyOff(), 1950);
    c.CalculeTotaux(7, 1);
    EXPECT_EQ(p.GetTotalFlyOff(), 1000 + 900);
    c.CalculeTotaux(4, 1);
    EXPECT_EQ(p.GetTotalFlyOff(), 1900);
}

TEST(Totaux, rawScoresWithoutRapport1000ExceptForFlyOffRules)
{
    EXPECT_EQ(Total(1, {800}, 0, 0), 400);
    EXPECT_EQ(Total(3, {1000, 800, 950}, 0, 0), 975);
    EXPECT_EQ(Total(13, {0, 0, 0, 800}, 0, 0), 800);
}

TEST(Totaux, ruleZeroOrUnknownChangesNothing)
{
    TConcours c;
    TPilote& p = PiloteMilliemes(c, {800});
    p.SetTotal(42);
    c.CalculeTotaux(0, 1);
    c.CalculeTotaux(20, 1);
    EXPECT_EQ(p.GetTotal(), 42);
}

TEST(Totaux, ruleAfterNFlights)
{
    using tavo::RegleApresVols;
    for (const char* categorie : {"F3A", "F3C"})
        for (int n = 1; n <= 4; ++n)
            EXPECT_EQ(RegleApresVols(categorie, n), n);
    EXPECT_EQ(RegleApresVols("VGM", 1), 1);
    EXPECT_EQ(RegleApresVols("VGM", 2), 5);
    EXPECT_EQ(RegleApresVols("VGM", 3), 6);
    EXPECT_EQ(RegleApresVols("VGM", 4), 7);
    EXPECT_EQ(RegleApresVols("F3B", 1), 1);
    EXPECT_EQ(RegleApresVols("F3B", 2), 0);
    EXPECT_EQ(RegleApresVols("f3a", 3), 0);
    EXPECT_EQ(RegleApresVols("F3A", 5), 0);
}

TEST(Totaux, ruleAfterKFlyOffs)
{
    using tavo::RegleFlyOff;
    const int attendu[][4] = {{10, 11, 12, 0}, {13, 14, 15, 16}, {17, 18, 19, 16},
                              {8, 9, 0, 0},    {4, 4, 4, 0},     {0, 0, 0, 0}};
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(RegleFlyOff("F3A", "2", true, k), attendu[0][k - 1]);
        EXPECT_EQ(RegleFlyOff("F3A", "3", true, k), attendu[1][k - 1]);
        EXPECT_EQ(RegleFlyOff("F3A", "3", false, k), attendu[2][k - 1]);
        EXPECT_EQ(RegleFlyOff("VGM", "2", true, k), attendu[3][k - 1]);
        EXPECT_EQ(RegleFlyOff("F3C", "1", false, k), attendu[4][k - 1]);
        EXPECT_EQ(RegleFlyOff("F3A", "1 1/2", true, k), attendu[5][k - 1]);
        EXPECT_EQ(RegleFlyOff("F3A", "1", true, k), 0);
        EXPECT_EQ(RegleFlyOff("XYZ", "2", true, k), 0);
    }
    EXPECT_EQ(tavo::VolsFlyOff("VGM", 1), 5);
    EXPECT_EQ(tavo::VolsFlyOff("VGM", 2), 6);
    EXPECT_EQ(tavo::VolsFlyOff("F3A", 2), 5);
    EXPECT_EQ(tavo::VolsFlyOff("F3A", 3), 6);
    EXPECT_EQ(tavo::VolsFlyOff("F3A", 4), 7);
}

TEST(Totaux, qualificationTotalsRescaledToTheBest)
{
    TConcours c;
    TPilote& a = PiloteMilliemes(c, {}, 1950);
    TPilote& b = PiloteMilliemes(c, {}, 1750);
    c.NormaliseQualif1000();
    EXPECT_EQ(a.GetTotalFlyOff(), 1000.0);
    EXPECT_NEAR(b.GetTotalFlyOff(), 897.44, 0.005);
}

TEST(Totaux, qualificationTotalsBelowOneAreNotDivided)
{
    TConcours c;
    c.NormaliseQualif1000(); // no pilot: nothing happens
    TPilote& a = PiloteMilliemes(c, {}, 0.5);
    TPilote& b = PiloteMilliemes(c, {}, -3);
    c.NormaliseQualif1000();
    EXPECT_EQ(a.GetTotalFlyOff(), 500.0);
    EXPECT_EQ(b.GetTotalFlyOff(), -3000.0);
}

TEST(Totaux, flyOffCommandsOffered)
{
    using tavo::FlyOffPropose;
    for (int k = 1; k <= 4; ++k) {
        EXPECT_FALSE(FlyOffPropose("F3A", "1 1/2", k));
        EXPECT_FALSE(FlyOffPropose("F3A", "1", k));
        EXPECT_TRUE(FlyOffPropose("F3A", "3", k));
        EXPECT_EQ(FlyOffPropose("F3A", "2", k), k <= 3);
        EXPECT_EQ(FlyOffPropose("VGM", "2", k), k <= 2);
        EXPECT_EQ(FlyOffPropose("F3C", "1", k), k <= 3);
    }
    EXPECT_FALSE(FlyOffPropose("F3A", "3", 5));
}
