// SPDX-License-Identifier: GPL-3.0-or-later
// Flights of a whole competition: loading, thousandths, errors.
#include "model/Concours.h"
#include "support/Fabrique.h"
#include "support/TestUtil.h"

#include <gtest/gtest.h>

using tavo::test::AjoutePilote;
using tavo::test::Note;

namespace {

TConcours& TroisPilotes(TConcours& c, double a, double b, double d)
{
    for (double score : {a, b, d})
        AjoutePilote(c, "P", "1").SetScoreVol(1, score);
    return c;
}

std::vector<double> Milliemes(const TConcours& c, short vol)
{
    std::vector<double> valeurs;
    for (const TPilote& p : c.GetPilotes())
        valeurs.push_back(p.GetScoreVol1000(vol));
    return valeurs;
}

} // namespace

TEST(Vols, thousandthsGiveTheBestPilotExactly1000)
{
    TConcours c;
    TroisPilotes(c, 437.0 / 3.0, 500.25, 0.0).NormaliseVol1000(1);
    EXPECT_EQ(Milliemes(c, 1), (std::vector<double>{437.0 / 3.0 * 1000 / 500.25, 1000.0, 0.0}));
}

TEST(Vols, thousandthsWithABestBelowOneDivideByOne)
{
    TConcours zeros;
    TroisPilotes(zeros, 0.0, 0.0, 0.0).NormaliseVol1000(1);
    EXPECT_EQ(Milliemes(zeros, 1), (std::vector<double>{0.0, 0.0, 0.0}));
    TConcours petit;
    TroisPilotes(petit, 0.6, 0.2, 0.0).NormaliseVol1000(1);
    EXPECT_DOUBLE_EQ(Milliemes(petit, 1)[0], 600.0);
}

TEST(Vols, thousandthsKeepTheOrderWhenEveryScoreIsNegative)
{
    TConcours c;
    TroisPilotes(c, -10.0, -20.0, -30.0).NormaliseVol1000(1);
    const std::vector<double> m = Milliemes(c, 1);
    EXPECT_GT(m[0], m[1]);
    EXPECT_GT(m[1], m[2]);
}

TEST(Vols, calculeVolsStopsAtTheFirstMissingProgramme)
{
    tavo::test::RepertoireTemporaire rep;
    tavo::test::EcritOctets(rep.Fichier("A.txt"), tavo::test::TexteProgramme({2}));
    TConcours c;
    c.SetNbJuges(3);
    c.SetProgrammeVol("A.txt", 0);
    c.SetProgrammeVol("Absent.txt", 1);
    c.SetProgrammeVol("A.txt", 2);
    TPilote& p = AjoutePilote(c, "P", "1");
    Note(p, 1, 1, {6, 6, 6});
    Note(p, 3, 1, {9, 9, 9});
    p.SetScoreVol(3, 77.0);
    EXPECT_FALSE(c.CalculeVols(3, rep.Chemin().string(), false));
    EXPECT_EQ(p.GetScoreVol(1), 12.0);
    EXPECT_EQ(p.GetScoreVol1000(1), 1000.0);
    EXPECT_EQ(p.GetScoreVol(3), 77.0);

    c.SetProgrammeVol("A.txt", 1);
    EXPECT_TRUE(c.CalculeVols(3, rep.Chemin().string(), false));
    EXPECT_EQ(p.GetScoreVol(3), 18.0);
}

TEST(Vols, calculeVolPilotesUsesTheCompetitionsPanel)
{
    TConcours c;
    c.SetNbJuges(4);
    TPilote& p = AjoutePilote(c, "P", "1");
    Note(p, 1, 1, {5, 5, 5, 9, 10});
    c.GetProgramme().Lit(tavo::test::TexteProgramme({2}));
    c.CalculeVolPilotes(1);
    EXPECT_EQ(p.GetScoreVol(1), 10.0);
}

TEST(Vols, tblOptionCorrectsTheScoresBeforeTheThousandths)
{
    tavo::test::RepertoireTemporaire rep;
    tavo::test::EcritOctets(rep.Fichier("A.txt"), tavo::test::TexteProgramme({1}));
    TConcours c;
    c.SetNbJuges(5);
    c.SetProgrammeVol("A.txt", 0);
    TPilote& p = AjoutePilote(c, "P", "1");
    Note(p, 1, 1, {200, 201, 199, 200, 260});
    TPilote& q = AjoutePilote(c, "Q", "2");
    Note(q, 1, 1, {100, 100, 100, 100, 100});
    ASSERT_TRUE(c.CalculeVols(1, rep.Chemin().string(), false));
    EXPECT_DOUBLE_EQ(p.GetScoreVol(1), (200 + 201 + 200) / 3.0);
    ASSERT_TRUE(c.CalculeVols(1, rep.Chemin().string(), true));
    EXPECT_DOUBLE_EQ(p.GetScoreVol(1), 200.0);
    EXPECT_DOUBLE_EQ(q.GetScoreVol1000(1), 500.0);
}
