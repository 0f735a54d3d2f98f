// SPDX-License-Identifier: GPL-3.0-or-later
// Which sheets are missing or incomplete: untyped marks told from real zeros.
#include "scoring/FeuillesManquantes.h"

#include "model/Concours.h"
#include "support/Fabrique.h"
#include "support/TestUtil.h"

#include <gtest/gtest.h>

using tavo::EtatFeuille;
using tavo::LignesNonSaisies;
using tavo::test::AjoutePilote;
using tavo::test::Note;

namespace {

// Judges 1 to 3 mark figures 1 to n of flight 1 with 7.
void Marque(TPilote& pilote, short n, std::initializer_list<short> notes = {7, 7, 7})
{
    for (short ligne = 1; ligne <= n; ++ligne)
        Note(pilote, 1, ligne, notes);
}

} // namespace

TEST(FeuillesManquantes, untypedCellsAreThoseBeyondAJudgesLastMark)
{
    TConcours c;
    TPilote& p = AjoutePilote(c, "P", "1");
    EXPECT_EQ(tavo::EtatDeFeuille(p, 1, 3, 20), EtatFeuille::SansNote);

    // Judge 2 stopped after figure 14 while the others went to 20.
    Marque(p, 20);
    for (short ligne = 15; ligne <= 20; ++ligne)
        p.SetNote(1, ligne, 2, 0);
    EXPECT_EQ(tavo::LignesManquantes(p, 1, 3, 20), (std::vector<LignesNonSaisies>{{2, 15, 20}}));
    EXPECT_TRUE(tavo::FeuilleIncomplete(p, 1, 3, 20));

    // A judge with no mark at all while the others have some misses every line they marked.
    TPilote absent;
    Marque(absent, 20, {7, 0, 7});
    EXPECT_EQ(tavo::LignesManquantes(absent, 1, 3, 20),
              (std::vector<LignesNonSaisies>{{2, 1, 20}}));
    // Judges beyond the panel are not read.
    EXPECT_TRUE(tavo::FeuilleSaisie(absent, 1, 1, 20));
}

TEST(FeuillesManquantes, realZerosAreNotUntyped)
{
    // A crash after figure 10 (zeros on 11 to 20 for everyone), a zero among typed marks, and
    // the noise line typed.
    TPilote p;
    Marque(p, 10);
    p.SetNote(1, 4, 1, 0);
    Note(p, 1, 21, {-5, -5, 0});
    EXPECT_TRUE(tavo::LignesManquantes(p, 1, 3, 20).empty());
    EXPECT_TRUE(tavo::FeuilleSaisie(p, 1, 3, 20));
    // The noise and conformity lines never make a sheet incomplete, yet count as marks.
    TPilote bruit;
    Note(bruit, 1, 21, {-5, 0, 0});
    EXPECT_EQ(tavo::EtatDeFeuille(bruit, 1, 3, 20), EtatFeuille::Saisie);

    // Four judges of five gave 0 on the last figure: zeros given, not a column left.
    TPilote zeros;
    for (short ligne = 1; ligne <= 17; ++ligne)
        Note(zeros, 1, ligne, {7, 7, 7, 7, 7});
    Note(zeros, 1, 17, {0, 0, 0, 0, 6});
    EXPECT_TRUE(tavo::FeuilleSaisie(zeros, 1, 5, 17));
    // Typed judge by judge and left in judge 2's column: judge 2 from figure 11, 3 wholly.
    TPilote coupee;
    Marque(coupee, 17, {7, 0, 0});
    Marque(coupee, 10, {7, 7, 0});
    EXPECT_EQ(tavo::LignesManquantes(coupee, 1, 3, 17),
              (std::vector<LignesNonSaisies>{{2, 11, 17}, {3, 1, 17}}));
}

TEST(FeuillesManquantes, flightsListThePilotsInEntryOrderAndKeepAFlightWithoutProgramme)
{
    tavo::test::RepertoireTemporaire rep;
    tavo::test::EcritOctets(rep.Fichier("P20.txt"),
                            tavo::test::TexteProgramme(std::vector<short>(20, 2), 2, 1, 1, 1));
    TConcours c;
    c.SetNbJuges(3);
    c.SetNbVols(2);
    c.SetProgrammeVol("P20.txt", 0);
    c.SetProgrammeVol("Absent.txt", 1);
    TPilote& complet = AjoutePilote(c, "COMPLET", "7");
    TPilote& partiel = AjoutePilote(c, "PARTIEL", "3", "Luc");
    AjoutePilote(c, "ABSENT", "12");
    Marque(complet, 20);
    Marque(partiel, 20, {7, 7, 0});
    for (short ligne = 1; ligne <= 5; ++ligne)
        partiel.SetNote(1, ligne, 3, 8);
    Note(complet, 2, 1, {7, 0, 0});

    tavo::ParametresCalcul parametres;
    parametres.repProgrammes = rep.Chemin().string();
    const tavo::FeuillesManquantes f = tavo::CalculeFeuillesManquantes(c, parametres);
    ASSERT_EQ(f.vols.size(), 2u);
    const tavo::FeuillesManquantesVol& vol1 = f.vols[0];
    EXPECT_TRUE(vol1.programmeLu);
    EXPECT_EQ(vol1.programme, "P20.txt");
    EXPECT_EQ(vol1.nbFigures, 20);
    ASSERT_EQ(vol1.pilotes.size(), 2u);
    EXPECT_EQ(vol1.pilotes[0].position, 2);
    EXPECT_EQ(vol1.pilotes[0].prenom, "Luc");
    EXPECT_FALSE(vol1.pilotes[0].sansNote);
    EXPECT_EQ(vol1.pilotes[0].lignes, (std::vector<LignesNonSaisies>{{3, 6, 20}}));
    EXPECT_EQ(vol1.pilotes[1].dossard, "12");
    EXPECT_TRUE(vol1.pilotes[1].sansNote);
    EXPECT_EQ(vol1.SansNote(), 1);
    EXPECT_EQ(vol1.Incompletes(), 1);

    // Flight 2's programme is missing: reported, and the sheets without any mark still found,
    // while the one begun cannot be judged.
    const tavo::FeuillesManquantesVol& vol2 = f.vols[1];
    EXPECT_FALSE(vol2.programmeLu);
    EXPECT_EQ(vol2.programme, "Absent.txt");
    ASSERT_EQ(vol2.pilotes.size(), 2u);
    EXPECT_EQ(vol2.pilotes[0].nom, "PARTIEL");
    EXPECT_EQ(f.Total(), 4);
    // The competition's loaded programme is left alone.
    EXPECT_EQ(c.GetProgramme().NbFigures(), 0);
}
