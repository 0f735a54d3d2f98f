// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Concours.h"
#include "scoring/Classements.h"
#include "support/Fabrique.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

using tavo::test::AjoutePilote;
using tavo::test::Note;

namespace {

// A competition whose flight 1 has one figure of K 1 (each judge's sum is his
// mark) and, when asked, a type 2 noise line of K 2.
struct Tbl
{
    TConcours c;
    explicit Tbl(short juges, bool bruit = false)
    {
        c.SetNbJuges(juges);
        c.GetProgramme().Lit(bruit ? tavo::test::TexteProgramme({1}, 2, 2)
                                   : tavo::test::TexteProgramme({1}));
    }
    TPilote& Pilote(std::initializer_list<short> notes)
    {
        TPilote& p = AjoutePilote(c, "P", "1");
        Note(p, 1, 1, notes);
        return p;
    }
    void Calcule()
    {
        c.CalculeVolPilotes(1);
        c.CalculeTBL(1);
    }
};

} // namespace

TEST(Tbl, outlierIsRejectedAndTheScoreRebuiltWithTheSpecialLines)
{
    Tbl t(5, true);
    TPilote& p = t.Pilote({200, 201, 199, 200, 260});
    Note(p, 1, 2, {-5, -5, -5, 0, 0});
    t.Calcule();
    // Fewer than three pilots: no rescaling, the adjusted scores themselves.
    EXPECT_EQ(p.GetScoreJugeTBL(5, 1), 260.0);
    EXPECT_EQ(p.GetJugeRetenu(5, 1), 0);
    for (short j = 1; j <= 4; ++j)
        EXPECT_EQ(p.GetJugeRetenu(j, 1), 1);
    EXPECT_DOUBLE_EQ(p.GetScoreVol(1), 200.0 - 10.0);
}

TEST(Tbl, threeOrFourJudgesNeverReject)
{
    std::mt19937 alea(7);
    std::uniform_int_distribution<int> note(0, 400);
    for (short juges : {short{3}, short{4}}) {
        Tbl t(juges);
        for (int p = 0; p < 200; ++p) {
            const auto n = [&] { return static_cast<short>(note(alea)); };
            t.Pilote({n(), n(), n(), n()});
        }
        t.Calcule();
        for (const TPilote& p : t.c.GetPilotes())
            for (short j = 1; j <= juges; ++j)
                EXPECT_EQ(p.GetJugeRetenu(j, 1), 1);
        const tavo::ProfilJuges profil = tavo::CalculeProfil(t.c, 1);
        for (const auto& juge : profil.juges)
            EXPECT_EQ(juge.acceptes, 100.0);
    }
}

TEST(Tbl, fiveJudgesRejectAtMostOneScorePerPilot)
{
    std::mt19937 alea(11);
    std::uniform_int_distribution<int> note(0, 400);
    Tbl t(5);
    for (int p = 0; p < 300; ++p) {
        const auto n = [&] { return static_cast<short>(note(alea)); };
        t.Pilote({n(), n(), n(), n(), n()});
    }
    t.Calcule();
    for (const TPilote& p : t.c.GetPilotes()) {
        int retenus = 0;
        for (short j = 1; j <= 5; ++j)
            retenus += p.GetJugeRetenu(j, 1);
        EXPECT_GE(retenus, 4);
    }
}

TEST(Tbl, aShiftedJudgeIsRescaledLikeTheOthers)
{
    Tbl t(3);
    TPilote& a = t.Pilote({100, 120, 100});
    TPilote& b = t.Pilote({150, 170, 150});
    TPilote& c = t.Pilote({130, 150, 130});
    t.Calcule();
    for (TPilote* p : {&a, &b, &c})
        EXPECT_NEAR(p->GetScoreJugeTBL(2, 1), p->GetScoreJugeTBL(1, 1), 1e-9);
    EXPECT_NEAR(t.c.GetMoyenneJury(), (380 + 440 + 380) / 9.0, 1e-9);
}

TEST(Tbl, pilotsWhoHaveNotFlownKeepOnlyTheSpecialLines)
{
    Tbl t(3, true);
    TPilote& absent = t.Pilote({0, 0, 0});
    Note(absent, 1, 2, {-5, -5, 0});
    t.Pilote({100, 100, 100});
    t.Calcule();
    EXPECT_EQ(absent.GetScoreJugeTBL(1, 1), 0.0);
    EXPECT_DOUBLE_EQ(absent.GetScoreVol(1), -10.0);
}

TEST(Tbl, missingJudgesAreAppendedAndTheProfileHasNoDivisionByZero)
{
    Tbl t(5);
    tavo::test::AjouteJuge(t.c, "Un");
    tavo::test::AjouteJuge(t.c, "Deux");
    tavo::test::AjouteJuge(t.c, "Trois");
    t.Pilote({0, 0, 0, 0, 0});
    t.Calcule();
    EXPECT_EQ(t.c.NbJugesSaisis(), 5);
    const tavo::ProfilJuges profil = tavo::CalculeProfil(t.c, 1);
    ASSERT_EQ(profil.juges.size(), 5u);
    EXPECT_EQ(profil.juges[0].nom, "Un");
    EXPECT_EQ(profil.juges[4].nom, "");
    for (const auto& juge : profil.juges) {
        EXPECT_EQ(juge.acceptes, 0.0);
        EXPECT_FALSE(juge.ecartMoyen);
        EXPECT_FALSE(juge.ecartStdev);
    }
}

TEST(Tbl, profileComparesEachJudgeWithThePanel)
{
    Tbl t(3);
    t.Pilote({100, 120, 110});
    t.Pilote({150, 170, 160});
    t.Pilote({130, 150, 140});
    t.Calcule();
    const tavo::ProfilJuges profil = tavo::CalculeProfil(t.c, 1);
    EXPECT_DOUBLE_EQ(profil.moyenneJury, (380.0 / 3 + 440.0 / 3 + 410.0 / 3) / 3);
    ASSERT_TRUE(profil.juges[0].ecartMoyen);
    EXPECT_NEAR(*profil.juges[0].ecartMoyen, 100.0 * 380 / 410, 1e-9);
    EXPECT_NEAR(*profil.juges[1].ecartStdev, *profil.juges[0].ecartStdev, 1e-9);
    // The view puts the plain scores back.
    EXPECT_DOUBLE_EQ(t.c.GetPilotes().front().GetScoreVol(1), 110.0);
}

TEST(Tbl, smallPanelsDoNotFail)
{
    for (short juges : {short{1}, short{2}}) {
        Tbl t(juges);
        t.Pilote({100, 140});
        t.Pilote({120, 110});
        t.Pilote({90, 95});
        t.Calcule();
        for (const TPilote& p : t.c.GetPilotes()) {
            EXPECT_TRUE(std::isfinite(p.GetScoreVol(1)));
            EXPECT_EQ(p.GetJugeRetenu(1, 1), 1);
        }
    }
}
