// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Pilote.h"

#include "model/Juge.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <list>

TEST(Pilote, newPilotHasZeroMarksAndDefaultDerivedValues)
{
    const TPilote p;
    for (short v = 1; v <= MAX_VOLS; ++v) {
        for (short f = 1; f <= MAX_FIGURES; ++f)
            for (short j = 1; j <= MAX_JUGES; ++j)
                ASSERT_EQ(p.GetNote(v, f, j), 0);
        EXPECT_EQ(p.GetScoreVol(v), 0.0);
        EXPECT_EQ(p.GetScoreVol1000(v), 0.0);
        for (short j = 1; j <= MAX_JUGES; ++j) {
            EXPECT_EQ(p.GetScoreJuge(j, v), 0.0);
            EXPECT_EQ(p.GetScoreJugeBruitConf(j, v), 0.0);
            EXPECT_EQ(p.GetScoreJugeTBL(j, v), 0.0);
            EXPECT_EQ(p.GetJugeRetenu(j, v), 1);
            EXPECT_EQ(p.GetRangJuge(j, v), 1);
        }
    }
    EXPECT_EQ(p.GetTotal(), 0.0);
    EXPECT_EQ(p.GetTotalFlyOff(), 0.0);
    EXPECT_STREQ(p.GetNom(), "");
    EXPECT_STREQ(p.GetDossard(), "");
}

TEST(Pilote, marksAreStoredPerFlightFigureAndJudgeIncludingNegatives)
{
    TPilote p;
    p.SetNote(1, 1, 1, 8);
    p.SetNote(7, 25, 5, -10);
    p.SetNote(3, 18, 2, -5);
    EXPECT_EQ(p.GetNote(1, 1, 1), 8);
    EXPECT_EQ(p.GetNote(7, 25, 5), -10);
    EXPECT_EQ(p.GetNote(3, 18, 2), -5);
    EXPECT_EQ(p.GetNote(3, 18, 1), 0);
    EXPECT_EQ(p.GetNote(2, 18, 2), 0);
}

TEST(Pilote, indicesOutsideTheGridReadZeroAndWriteNothing)
{
    TPilote p;
    p.SetNote(0, 1, 1, 9);
    p.SetNote(8, 1, 1, 9);
    p.SetNote(1, 26, 1, 9);
    p.SetNote(1, 1, 6, 9);
    p.SetScoreVol(8, 5.0);
    p.SetRangJuge(6, 1, 3);
    EXPECT_EQ(p.GetNote(8, 1, 1), 0);
    EXPECT_EQ(p.GetNote(1, 0, 1), 0);
    EXPECT_EQ(p.GetScoreVol(0), 0.0);
    EXPECT_EQ(p.GetJugeRetenu(0, 1), 0);
    for (short v = 1; v <= MAX_VOLS; ++v)
        for (short f = 1; f <= MAX_FIGURES; ++f)
            for (short j = 1; j <= MAX_JUGES; ++j)
                ASSERT_EQ(p.GetNote(v, f, j), 0);
}

TEST(Pilote, textsLongerThanTheirFieldAreCut)
{
    TPilote p;
    p.SetNom("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    p.SetDossard("123456");
    p.SetFrequence1("35.0400");
    p.SetPrenom(nullptr);
    EXPECT_STREQ(p.GetNom(), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_STREQ(p.GetDossard(), "1234");
    EXPECT_STREQ(p.GetFrequence1(), "35.040");
    EXPECT_STREQ(p.GetPrenom(), "");

    TJuge juge;
    juge.SetPrenom("Jean-Christophe-Marie");
    juge.SetLicence("123456789");
    EXPECT_STREQ(juge.GetPrenom(), "Jean-Christophe");
    EXPECT_STREQ(juge.GetLicence(), "1234567");
}

TEST(Pilote, orderingFollowsTheBibValue)
{
    auto pilote = [](const char* dossard) {
        TPilote p;
        p.SetDossard(dossard);
        return p;
    };
    EXPECT_TRUE(pilote("7") < pilote("12"));
    EXPECT_FALSE(pilote("12") < pilote("7"));
    EXPECT_TRUE(pilote("") < pilote("1"));
    EXPECT_TRUE(pilote("A2") < pilote("1")); // not a number: 0
    EXPECT_TRUE(pilote(" 3") < pilote("4x"));
    EXPECT_FALSE(pilote("012") < pilote("12"));
    EXPECT_FALSE(pilote("12") < pilote("012"));

    TPilotes liste{pilote("12"), pilote("3"), pilote(""), pilote("7")};
    liste.sort();
    std::string ordre;
    for (const TPilote& p : liste)
        ordre += std::string(p.GetDossard()) + ",";
    EXPECT_EQ(ordre, ",3,7,12,");
}

TEST(Pilote, copyIsIndependentOfItsSource)
{
    TPilote source;
    source.SetNom("Garnier");
    source.SetNote(2, 3, 4, 9);
    source.SetScoreVol(2, 345.5);
    source.SetScoreJugeTBL(4, 2, 12.5);
    source.RejeteJuge(4, 2);
    source.SetTotal(1999.0);

    TPilote copie = source;
    EXPECT_STREQ(copie.GetNom(), "Garnier");
    EXPECT_EQ(copie.GetNote(2, 3, 4), 9);
    EXPECT_EQ(copie.GetScoreVol(2), 345.5);
    EXPECT_EQ(copie.GetScoreJugeTBL(4, 2), 12.5);
    EXPECT_EQ(copie.GetJugeRetenu(4, 2), 0);
    EXPECT_EQ(copie.GetTotal(), 1999.0);

    copie.SetNom("Autre");
    copie.SetNote(2, 3, 4, 1);
    copie.RetientJuges(2);
    EXPECT_STREQ(source.GetNom(), "Garnier");
    EXPECT_EQ(source.GetNote(2, 3, 4), 9);
    EXPECT_EQ(source.GetJugeRetenu(4, 2), 0);
    EXPECT_EQ(copie.GetJugeRetenu(4, 2), 1);
}

TEST(Pilote, judgeStatisticsUseOnlyRetainedJudges)
{
    TPilote p;
    const double scores[] = {100.0, 110.0, 90.0, 120.0, 80.0};
    for (short j = 1; j <= 5; ++j)
        p.SetScoreJugeTBL(j, 1, scores[j - 1]);
    EXPECT_DOUBLE_EQ(p.MoyenneJuges(5, 1), 100.0);
    EXPECT_DOUBLE_EQ(p.EcartTypeJuges(5, 1), std::sqrt(1000.0 / 4.0));

    p.RejeteJuge(4, 1);
    p.RejeteJuge(5, 1);
    EXPECT_DOUBLE_EQ(p.MoyenneJuges(5, 1), 100.0);
    EXPECT_DOUBLE_EQ(p.EcartTypeJuges(5, 1), 10.0);

    p.RejeteJuge(2, 1);
    p.RejeteJuge(3, 1);
    EXPECT_DOUBLE_EQ(p.MoyenneJuges(5, 1), 100.0);
    EXPECT_EQ(p.EcartTypeJuges(5, 1), 0.0); // one judge left

    p.RejeteJuge(1, 1);
    EXPECT_EQ(p.MoyenneJuges(5, 1), 0.0); // nobody left: no division by zero
    p.RetientJuges(1);
    EXPECT_EQ(p.GetJugeRetenu(5, 1), 1);
}
