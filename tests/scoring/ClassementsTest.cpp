// SPDX-License-Identifier: GPL-3.0-or-later
// The pilot rankings after N flights and after k fly-offs.
#include "scoring/Classements.h"

#include "model/Concours.h"
#include "presentation/Messages.h"
#include "support/Fabrique.h"
#include "support/TestUtil.h"

#include <gtest/gtest.h>

using tavo::test::AjoutePilote;

namespace {

void Milliemes(TPilote& p, std::initializer_list<double> s)
{
    short v = 1;
    for (double x : s) {
        p.SetScoreVol(v, x / 2);
        p.SetScoreVol1000(v++, x);
    }
}

std::vector<std::string> Noms(const std::vector<tavo::LigneClassement>& lignes)
{
    std::vector<std::string> noms;
    for (const auto& l : lignes)
        noms.push_back(l.nom);
    return noms;
}

} // namespace

TEST(ClassementVols, ranksByTotalWithConsecutiveRanksForTies)
{
    TConcours c;
    c.SetCategorie("F3A");
    Milliemes(AjoutePilote(c, "Zero", "1"), {0, 0, 0});
    Milliemes(AjoutePilote(c, "Egal1", "2"), {900, 800, 700});
    Milliemes(AjoutePilote(c, "Premier", "3"), {1000, 1000, 600});
    Milliemes(AjoutePilote(c, "Egal2", "4"), {700, 900, 800});
    const tavo::ClassementVols r = tavo::CalculeClassementVols(c, 3, true);
    EXPECT_EQ(r.regle, 3);
    EXPECT_EQ(Noms(r.lignes), (std::vector<std::string>{"Premier", "Egal1", "Egal2", "Zero"}));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(r.lignes[static_cast<std::size_t>(i)].rang, i + 1);
    EXPECT_EQ(r.lignes[0].total, 2000);
    EXPECT_EQ(r.lignes[1].scores, (std::vector<double>{450, 400, 350}));
    EXPECT_EQ(r.lignes[1].scores1000, (std::vector<double>{900, 800, 700}));
    EXPECT_EQ(r.lignes[3].total, 0.0);
}

TEST(ClassementVols, rawScoresWhenRapport1000IsOff)
{
    TConcours c;
    Milliemes(AjoutePilote(c, "A", "1"), {800});
    EXPECT_EQ(tavo::CalculeClassementVols(c, 1, false).lignes[0].total, 400);
}

TEST(ClassementVols, unknownCategoryShowsNoTotalOfAnotherN)
{
    TConcours c;
    c.SetCategorie("F3B");
    TPilote& p = AjoutePilote(c, "A", "1");
    Milliemes(p, {800, 900});
    EXPECT_EQ(tavo::CalculeClassementVols(c, 1, true).lignes[0].total, 800);
    const tavo::ClassementVols r = tavo::CalculeClassementVols(c, 2, true);
    EXPECT_EQ(r.regle, 0);
    EXPECT_EQ(r.lignes[0].total, 0.0);
    EXPECT_EQ(p.GetTotal(), 0.0);
}

TEST(ClassementVols, missingProgrammeGivesTheMessageAndNoRow)
{
    TConcours c;
    AjoutePilote(c, "A", "1");
    tavo::ParametresCalcul parametres;
    parametres.repProgrammes = "/nonexistent";
    const auto r = tavo::ClassementApresVols(c, parametres, 2);
    EXPECT_FALSE(r.statut);
    EXPECT_EQ(tavo::MessageStatut(r.statut),
              "Au moins un programme de vol n'a pas été trouvé : le vol 1 n'a pas de programme");
    // Which flight has none, when the ranking counts more flights than the competition has.
    EXPECT_EQ(tavo::messages::ProgrammesManquants(3, "", 2),
              "Au moins un programme de vol n'a pas été trouvé : le concours n'a que 2 vols, le "
              "vol 3 n'a pas de programme");
    EXPECT_TRUE(r.valeur.lignes.empty());
}

namespace {

// F3A competition whose pilots have thousandths for flights 1 to 7.
struct FlyOff
{
    TConcours c;
    FlyOff(const char* serie, const char* date)
    {
        c.SetCategorie("F3A");
        c.SetSerie(serie);
        c.SetDateDebut(date);
    }
    FlyOff& Pilote(const char* nom, std::initializer_list<double> s)
    {
        Milliemes(AjoutePilote(c, nom, "1"), s);
        return *this;
    }
};

} // namespace

TEST(ClassementFlyOff, seriesTwoAddsTheRescaledQualification)
{
    FlyOff f("2", "13/06/2026");
    f.Pilote("Autre", {800, 850, 900, 980}).Pilote("Meilleur", {1000, 900, 950, 1000});
    const tavo::ClassementFlyOff r = tavo::CalculeClassementFlyOff(f.c, 1);
    EXPECT_EQ(r.regle, 10);
    EXPECT_EQ(r.volsQualif, 3);
    ASSERT_EQ(r.lignes.size(), 2u);
    EXPECT_EQ(r.lignes[0].nom, "Meilleur");
    EXPECT_EQ(r.lignes[0].qualif, 1000.0);
    EXPECT_EQ(r.lignes[0].total, 2000.0);
    EXPECT_NEAR(r.lignes[1].qualif, 897.44, 0.005);
    EXPECT_NEAR(r.lignes[1].total, 1877.44, 0.005);
    EXPECT_EQ(r.lignes[1].scores1000, (std::vector<double>{980}));
}

TEST(ClassementFlyOff, seriesThreeFromTwoThousandRanksFinalistsThenQualificationOrder)
{
    FlyOff f("3", "01/07/2001");
    f.Pilote("Q5", {500, 500, 500, 990}) // a fly-off score but behind the first non-finalist
        .Pilote("Q1", {1000, 1000, 0, 900})
        .Pilote("Q2", {950, 950, 0, 1000})
        .Pilote("Q3", {900, 900, 0, 950})
        .Pilote("Q4", {850, 850, 0, 0});
    const tavo::ClassementFlyOff r = tavo::CalculeClassementFlyOff(f.c, 1);
    EXPECT_EQ(r.regle, 13);
    EXPECT_EQ(Noms(r.lignes), (std::vector<std::string>{"Q2", "Q3", "Q1", "Q4", "Q5"}));
    EXPECT_EQ(r.lignes[0].total, 1000.0);
    EXPECT_EQ(r.lignes[3].total, 0.0);
    EXPECT_EQ(r.lignes[4].rang, 5);
}

TEST(ClassementFlyOff, seriesThreeBeforeTwoThousandKeepsABetterQualification)
{
    FlyOff f("3", "14/06/1998");
    f.Pilote("Meilleur", {1000, 1000, 0, 900}).Pilote("Second", {980, 980, 0, 950});
    const tavo::ClassementFlyOff r = tavo::CalculeClassementFlyOff(f.c, 1);
    EXPECT_EQ(r.regle, 17);
    EXPECT_EQ(r.lignes[0].total, 1000.0);
    EXPECT_EQ(r.lignes[1].total, 980.0);
}

TEST(ClassementFlyOff, vgmAndF3cAndNoRule)
{
    TConcours vgm;
    vgm.SetCategorie("VGM");
    Milliemes(AjoutePilote(vgm, "A", "1"), {900, 1000, 950, 600, 800});
    const auto r = tavo::CalculeClassementFlyOff(vgm, 1);
    EXPECT_EQ(r.volsQualif, 4);
    EXPECT_EQ(r.lignes[0].qualif, 1950); // not rescaled
    EXPECT_EQ(r.lignes[0].total, 2750);
    EXPECT_EQ(r.lignes[0].scores1000, (std::vector<double>{800}));

    TConcours f3c;
    f3c.SetCategorie("F3C");
    Milliemes(AjoutePilote(f3c, "A", "1"), {900, 1000, 950, 600, 1000});
    EXPECT_EQ(tavo::CalculeClassementFlyOff(f3c, 2).lignes[0].total, 2850);

    TConcours serieUn;
    serieUn.SetSerie("1");
    AjoutePilote(serieUn, "A", "1");
    tavo::ParametresCalcul parametres;
    parametres.repProgrammes = "/nonexistent";
    const auto aucun = tavo::ClassementApresFlyOff(serieUn, parametres, 1);
    EXPECT_TRUE(aucun.statut); // nothing to compute, nothing missing
    EXPECT_EQ(aucun.valeur.regle, 0);
    EXPECT_TRUE(aucun.valeur.lignes.empty());
}

TEST(ClassementFlyOff, flightsComputedDependOnTheCategory)
{
    tavo::test::RepertoireTemporaire rep;
    tavo::test::EcritOctets(rep.Fichier("A.txt"), tavo::test::TexteProgramme({1}));
    TConcours c;
    c.SetCategorie("F3C");
    for (short v = 0; v < 4; ++v)
        c.SetProgrammeVol("A.txt", v);
    AjoutePilote(c, "A", "1");
    tavo::ParametresCalcul parametres;
    parametres.repProgrammes = rep.Chemin().string();
    EXPECT_TRUE(tavo::ClassementApresFlyOff(c, parametres, 1).statut);
    // Flight 5 is computed for 2 fly-offs even if F3C does not count it.
    EXPECT_FALSE(tavo::ClassementApresFlyOff(c, parametres, 2).statut);
}
