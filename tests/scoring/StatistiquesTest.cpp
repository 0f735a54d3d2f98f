// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Concours.h"
#include "presentation/Messages.h"
#include "scoring/Classements.h"
#include "support/Fabrique.h"
#include "support/TestUtil.h"

#include <cmath>
#include <gtest/gtest.h>

using tavo::test::AjoutePilote;
using tavo::test::Note;

namespace {

// One flight of three figures and a noise line, five judges.
struct Diagramme
{
    tavo::test::RepertoireTemporaire rep;
    TConcours c;
    Diagramme()
    {
        tavo::test::EcritOctets(rep.Fichier("P.txt"), tavo::test::TexteProgramme({1, 1, 1}, 1, 1));
        c.SetNbJuges(5);
        c.SetNbVols(1);
        c.SetProgrammeVol("P.txt", 0);
        tavo::test::AjouteJuge(c, "Blanchard");
    }
    TPilote& Pilote(std::initializer_list<short> notesJuge1, short score)
    {
        TPilote& p = AjoutePilote(c, "P", "1");
        short k = 1;
        for (short n : notesJuge1)
            p.SetNote(1, k++, 1, n);
        p.SetNote(1, 4, 1, 10); // noise line: left out
        p.SetScoreVol(1, score);
        return p;
    }
    std::string Rep() const { return rep.Chemin().string(); }
};

} // namespace

TEST(Statistiques, meanSpreadAndShareOfTheOrdinaryFigures)
{
    Diagramme d;
    d.Pilote({6, 7, 8}, 100);
    d.Pilote({8, 8, 5}, 90);
    d.Pilote({10, 10, 10}, 0).SetScoreVol(1, 0.9); // not flown
    EXPECT_DOUBLE_EQ(d.c.MoyenneNotesJuge(1, d.Rep()), 7.0);
    EXPECT_DOUBLE_EQ(d.c.EcartTypeNotesJuge(1, d.Rep()), std::sqrt(8.0 / 5.0));
    EXPECT_DOUBLE_EQ(d.c.PourcentageNoteJuge(1, 8, d.Rep()), 50.0);
    EXPECT_EQ(d.c.PourcentageNoteJuge(1, 10, d.Rep()), 0.0);
}

TEST(Statistiques, emptyOrSingleSampleGivesZero)
{
    Diagramme d;
    EXPECT_EQ(d.c.MoyenneNotesJuge(1, d.Rep()), 0.0);
    EXPECT_EQ(d.c.EcartTypeNotesJuge(1, d.Rep()), 0.0);
    EXPECT_EQ(d.c.PourcentageNoteJuge(1, 0, d.Rep()), 0.0);
    tavo::test::EcritOctets(d.rep.Fichier("P.txt"), tavo::test::TexteProgramme({1}));
    d.Pilote({7}, 5);
    EXPECT_EQ(d.c.MoyenneNotesJuge(1, d.Rep()), 7.0);
    EXPECT_EQ(d.c.EcartTypeNotesJuge(1, d.Rep()), 0.0);
}

TEST(Statistiques, marksOutsideTheScaleCountInTheSampleOnly)
{
    Diagramme d;
    d.Pilote({12, 8, 8}, 100);
    const double total = 100.0 / 3.0 * 2.0;
    EXPECT_DOUBLE_EQ(d.c.PourcentageNoteJuge(1, 8, d.Rep()), total);
}

TEST(Statistiques, diagramViewComputesTheFlightsFirst)
{
    Diagramme d;
    d.c.SetNbJuges(3);
    TPilote& p = d.Pilote({6, 7, 8}, 0);
    for (short k = 1; k <= 3; ++k)
        for (short j = 2; j <= 3; ++j)
            p.SetNote(1, k, j, 7);
    tavo::ParametresCalcul parametres;
    parametres.repProgrammes = d.Rep();
    const auto r = tavo::DiagrammeNotesJuge(d.c, parametres, 1);
    ASSERT_TRUE(r.statut);
    EXPECT_EQ(r.valeur.nom, "Blanchard");
    EXPECT_DOUBLE_EQ(r.valeur.moyenne, 7.0);
    EXPECT_NEAR(r.valeur.pourcentages[7], 100.0 / 3.0, 1e-12);

    const auto sansNom = tavo::DiagrammeNotesJuge(d.c, parametres, 3);
    EXPECT_EQ(sansNom.valeur.nom, "");
    d.c.SetProgrammeVol("Absent.txt", 0);
    EXPECT_EQ(tavo::MessageStatut(tavo::DiagrammeNotesJuge(d.c, parametres, 1).statut),
              "Au moins un programme de vol n'a pas été trouvé : le programme du vol 1, « "
              "Absent.txt », est introuvable");
}

TEST(Statistiques, diagramGivesTheThreeOperationsFiguresToTheLastBit)
{
    tavo::test::RepertoireTemporaire rep;
    TConcours c;
    tavo::test::GenereConcours(c, rep.Chemin().string(), 300, 5, 7, 11);
    // Marks off the scale, and a flight whose programme is missing (the one before gives its
    // count).
    c.GetPilotes().front().SetNote(2, 3, 2, 14);
    c.GetPilotes().back().SetNote(3, 1, 2, -4);
    tavo::ParametresCalcul parametres;
    parametres.repProgrammes = rep.Chemin().string();
    ASSERT_TRUE(c.CalculeVols(7, parametres.repProgrammes, false));
    c.SetProgrammeVol("Absent.txt", 4);
    for (short juge = 1; juge <= 5; ++juge) {
        tavo::DiagrammeJuge d;
        tavo::StatistiquesNotesJuge(c, juge, parametres.repProgrammes, d);
        EXPECT_EQ(d.moyenne, c.MoyenneNotesJuge(juge, parametres.repProgrammes));
        EXPECT_EQ(d.ecartType, c.EcartTypeNotesJuge(juge, parametres.repProgrammes));
        for (short note = 0; note <= 10; ++note)
            EXPECT_EQ(d.pourcentages[static_cast<std::size_t>(note)],
                      c.PourcentageNoteJuge(juge, note, parametres.repProgrammes));
    }
}
