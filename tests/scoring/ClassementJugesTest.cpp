// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Concours.h"
#include "presentation/Messages.h"
#include "scoring/Classements.h"
#include "support/Fabrique.h"
#include "support/TestUtil.h"

#include <gtest/gtest.h>

using tavo::test::AjoutePilote;
using tavo::test::Note;

namespace {

// Three judges, one figure of K 1 on flight 1: each judge's sum is his mark.
struct Jury
{
    TConcours c;
    Jury()
    {
        c.SetNbJuges(3);
        c.GetProgramme().Lit(tavo::test::TexteProgramme({1}));
        tavo::test::AjouteJuge(c, "Blanchard");
    }
    Jury& Pilote(const char* nom, std::initializer_list<short> notes)
    {
        Note(AjoutePilote(c, nom, "1"), 1, 1, notes);
        return *this;
    }
};

} // namespace

TEST(ClassementJuges, onlyPilotsWhoHaveFlownAreListedByFlightScore)
{
    Jury j;
    j.Pilote("Zero", {0, 0, 0})
        .Pilote("Second", {240, 241, 240})
        .Pilote("Premier", {250, 250, 250});
    const tavo::ClassementJuges r = tavo::CalculeClassementJuges(j.c, 1);
    ASSERT_EQ(r.lignes.size(), 2u);
    EXPECT_EQ(r.lignes[0].nom, "Premier");
    EXPECT_EQ(r.lignes[1].rang, 2);
    EXPECT_NEAR(r.lignes[1].final, 240.33, 0.005);
    EXPECT_EQ(r.juges, (std::vector<std::string>{"Blanchard", "", ""}));
}

TEST(ClassementJuges, deviationAndPlacesOfEachJudge)
{
    Jury j;
    j.Pilote("A", {260, 245, 245}).Pilote("B", {260, 250, 240}).Pilote("C", {100, 300, 200});
    const tavo::ClassementJuges r = tavo::CalculeClassementJuges(j.c, 1);
    ASSERT_EQ(r.lignes.size(), 3u);
    const tavo::LigneJuges& a = r.lignes[0];
    EXPECT_EQ(a.nom, "A");
    EXPECT_EQ(a.final, 250.0);
    EXPECT_EQ(a.notes[0].score, 260.0);
    EXPECT_DOUBLE_EQ(a.notes[0].ecart, 4.0);
    // Judge 1 gave 260 to A and B: consecutive places 1 and 2, C third.
    EXPECT_EQ(a.notes[0].place + r.lignes[1].notes[0].place, 3);
    EXPECT_EQ(r.lignes[2].notes[0].place, 3);
    EXPECT_EQ(r.lignes[2].notes[1].place, 1);
    // The places live in the rows only.
    for (const TPilote& p : j.c.GetPilotes())
        EXPECT_EQ(p.GetRangJuge(2, 1), 1);
}

TEST(ClassementJuges, aScoreBelowOneIsNotFlown)
{
    Jury j;
    j.Pilote("Presque", {1, 1, 0}).Pilote("Vole", {3, 3, 3});
    const auto r = tavo::CalculeClassementJuges(j.c, 1);
    ASSERT_EQ(r.lignes.size(), 1u);
    EXPECT_EQ(r.lignes[0].nom, "Vole");
}

TEST(ClassementJuges, negativeScoresAreListedAfterTheOthers)
{
    Jury j;
    j.Pilote("Negatif", {-30, -30, -30}).Pilote("Zero", {0, 0, 0}).Pilote("Positif", {5, 5, 5});
    const auto r = tavo::CalculeClassementJuges(j.c, 1);
    ASSERT_EQ(r.lignes.size(), 2u);
    EXPECT_EQ(r.lignes[1].nom, "Negatif");
    EXPECT_EQ(r.lignes[1].rang, 2);
    EXPECT_EQ(r.lignes[1].notes[0].ecart, 0.0);
}

TEST(ClassementJuges, plainScoresAndTheProgrammeLoadedAgain)
{
    tavo::test::RepertoireTemporaire rep;
    tavo::test::EcritOctets(rep.Fichier("K2.txt"), tavo::test::TexteProgramme({2}));
    tavo::test::EcritOctets(rep.Fichier("K5.txt"), tavo::test::TexteProgramme({5}));
    Jury j;
    j.c.SetProgrammeVol("K2.txt", 0);
    j.Pilote("A", {10, 10, 10});
    tavo::ParametresCalcul parametres;
    parametres.repProgrammes = rep.Chemin().string();
    j.c.GetProgramme().Lit(tavo::test::TexteProgramme({5})); // another flight's programme
    j.c.GetPilotes().front().SetScoreVol(1, 999.0);          // a TBL score left behind
    const auto r = tavo::ClassementJugesVol(j.c, parametres, 1);
    ASSERT_TRUE(r.statut);
    EXPECT_EQ(r.valeur.lignes[0].final, 20.0);

    const auto absent = tavo::ClassementJugesVol(j.c, parametres, 3);
    EXPECT_EQ(tavo::MessageStatut(absent.statut), "Le programme de vol 3 est introuvable");
}
