// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Pilote.h"
#include "model/Programme.h"
#include "support/Fabrique.h"

#include <cmath>
#include <gtest/gtest.h>

using tavo::test::Note;
using tavo::test::Programme;

TEST(CalculVol, fiveJudgesDropOneLowestAndOneHighestMark)
{
    TPilote p;
    Note(p, 1, 1, {8, 7, 9, 6, 8});
    p.CalculeVol(1, 5, Programme({3}));
    EXPECT_EQ(p.GetScoreVol(1), 23.0);
    const double sommes[] = {24, 21, 27, 18, 24};
    for (short j = 1; j <= 5; ++j)
        EXPECT_EQ(p.GetScoreJuge(j, 1), sommes[j - 1]);
    EXPECT_EQ(p.NoteMin(1, 1, 5), 6);
    EXPECT_EQ(p.NoteMax(1, 1, 5), 9);
}

TEST(CalculVol, fourJudgesDropOneExtremeEachEvenWhenShared)
{
    TPilote p;
    Note(p, 2, 1, {5, 5, 5, 9});
    p.CalculeVol(2, 4, Programme({2}));
    EXPECT_EQ(p.GetScoreVol(2), 10.0);
}

TEST(CalculVol, threeJudgesAverageEveryMark)
{
    TPilote p;
    Note(p, 1, 1, {6, 7, 9});
    Note(p, 1, 2, {10, 2, 3});
    p.CalculeVol(1, 3, Programme({1, 2}));
    // (6 + 7 + 9) + 2 x (10 + 2 + 3) = 52, divided by 3.
    EXPECT_DOUBLE_EQ(p.GetScoreVol(1), 52.0 / 3.0);
    EXPECT_EQ(p.GetScoreJuge(2, 1), 7.0 + 2 * 2);
}

TEST(CalculVol, emptySheetScoresZeroAndMarksOfOtherJudgesAreIgnored)
{
    TPilote p;
    p.CalculeVol(1, 5, Programme({3, 4}, 2, 1, 1, 1));
    EXPECT_EQ(p.GetScoreVol(1), 0.0);
    Note(p, 1, 1, {0, 0, 0, 10}); // a fourth judge in a panel of three
    p.CalculeVol(1, 3, Programme({3}));
    EXPECT_EQ(p.GetScoreVol(1), 0.0);
    EXPECT_EQ(p.GetScoreJuge(4, 1), 0.0);
}

TEST(CalculVol, typeTwoNoiseLineNeedsAMajority)
{
    const TProgramme programme = Programme({1}, 2, 1);
    TPilote p;
    Note(p, 1, 1, {6, 6, 6, 6, 6});
    Note(p, 1, 2, {-5, -5, -5, 5, 0});
    p.CalculeVol(1, 5, programme);
    EXPECT_DOUBLE_EQ(p.GetScoreVol(1), 18.0 / 3.0 - 5.0);
    EXPECT_EQ(p.GetScoreJugeBruitConf(4, 1), 5.0);
    EXPECT_EQ(p.ScoreBruitConf(1, 5, programme), -5.0);

    Note(p, 1, 2, {-5, -5, 5, 5, 0});
    p.CalculeVol(1, 5, programme);
    EXPECT_DOUBLE_EQ(p.GetScoreVol(1), 6.0);
    EXPECT_EQ(p.ScoreBruitConf(1, 5, programme), 0.0);

    Note(p, 1, 2, {5, 5, 0, 5, 0}); // a bonus by majority
    p.CalculeVol(1, 5, programme);
    EXPECT_DOUBLE_EQ(p.GetScoreVol(1), 11.0);
}

TEST(CalculVol, typeThreeNoiseAndConformityPenaliseTenTimesK)
{
    TPilote p;
    const TProgramme programme = Programme({2}, 3, 2, 1, 3);
    Note(p, 1, 1, {9, 9, 9});
    Note(p, 1, 2, {-10, -10, 0});
    Note(p, 1, 3, {-10, 0, 0});
    p.CalculeVol(1, 3, programme);
    EXPECT_DOUBLE_EQ(p.GetScoreVol(1), 18.0 - 20.0);
    EXPECT_EQ(p.ScoreBruitConf(1, 3, programme), -20.0);
    EXPECT_EQ(p.GetScoreJuge(1, 1), 18.0 - 20.0 - 30.0);
    EXPECT_EQ(p.GetScoreJugeBruitConf(1, 1), -50.0);
}

TEST(CalculVol, conformityNeedsTwoOfThreeOrThreeOfFourOrFive)
{
    TPilote p;
    const TProgramme programme = Programme({1}, 0, 0, 1, 2);
    Note(p, 1, 2, {-10, -10, 0, 0});
    p.CalculeVol(1, 4, programme);
    EXPECT_EQ(p.GetScoreVol(1), 0.0);
    Note(p, 1, 2, {-10, -10, -10, 0});
    p.CalculeVol(1, 4, programme);
    EXPECT_EQ(p.GetScoreVol(1), -20.0);
    Note(p, 1, 2, {-10, -10, 0});
    p.CalculeVol(1, 3, programme);
    EXPECT_EQ(p.GetScoreVol(1), -20.0);
    Note(p, 1, 2, {-10, -10, 0, 0, 0});
    p.CalculeVol(1, 5, programme);
    EXPECT_EQ(p.GetScoreVol(1), 0.0);
    Note(p, 1, 2, {-10, -10, -10, 0, 0});
    p.CalculeVol(1, 5, programme);
    EXPECT_EQ(p.GetScoreVol(1), -20.0);
}

TEST(CalculVol, typeOneNoiseLineIsMarkedLikeAFigure)
{
    TPilote p;
    const TProgramme programme = Programme({1}, 1, 2);
    Note(p, 1, 1, {5, 5, 5, 5, 5});
    Note(p, 1, 2, {10, 8, 8, 8, 0});
    p.CalculeVol(1, 5, programme);
    EXPECT_DOUBLE_EQ(p.GetScoreVol(1), 5.0 + 2.0 * 8.0);
    EXPECT_EQ(p.GetScoreJugeBruitConf(1, 1), 0.0);
    EXPECT_EQ(p.ScoreBruitConf(1, 5, programme), 0.0);
}

TEST(CalculVol, smallPanelsAverageTheirMarksWithoutFailing)
{
    const TProgramme programme = Programme({2}, 2, 1);
    TPilote p;
    Note(p, 1, 1, {8, 6});
    Note(p, 1, 2, {-5, -5});
    p.CalculeVol(1, 2, programme);
    EXPECT_DOUBLE_EQ(p.GetScoreVol(1), 14.0 - 5.0);
    Note(p, 1, 2, {-5, 0});
    p.CalculeVol(1, 2, programme);
    EXPECT_DOUBLE_EQ(p.GetScoreVol(1), 14.0);
    p.CalculeVol(1, 1, programme);
    EXPECT_DOUBLE_EQ(p.GetScoreVol(1), 16.0 - 5.0);
    p.CalculeVol(1, 0, programme);
    EXPECT_EQ(p.GetScoreVol(1), 0.0);
    p.CalculeVol(1, 9, programme); // more than five: the five of the grid
    EXPECT_TRUE(std::isfinite(p.GetScoreVol(1)));
}

TEST(CalculVol, leavesTheOtherDerivedScoresAlone)
{
    TPilote p;
    p.SetScoreVol1000(1, 321.0);
    p.SetScoreJugeTBL(1, 1, 5.0);
    p.RejeteJuge(2, 1);
    Note(p, 1, 1, {8, 7, 9, 6, 8});
    p.CalculeVol(1, 5, Programme({3}));
    EXPECT_EQ(p.GetScoreVol1000(1), 321.0);
    EXPECT_EQ(p.GetScoreJugeTBL(1, 1), 5.0);
    EXPECT_EQ(p.GetJugeRetenu(2, 1), 0);
}
