// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Programme.h"

#include "model/Concours.h"
#include "support/TestUtil.h"

#include <climits>
#include <gtest/gtest.h>
#include <sstream>

namespace {

std::string programme(const std::string& entete, int nbFigures, int nbAnnonces = INT_MIN)
{
    std::string texte = entete;
    texte += std::to_string(nbAnnonces == INT_MIN ? nbFigures : nbAnnonces) + "\r\n";
    for (int i = 1; i <= nbFigures; ++i)
        texte += "Figure " + std::to_string(i) + "\r\n" + std::to_string(1 + i % 5) + "\r\n";
    return texte;
}

TProgramme lit(const std::string& texte)
{
    TProgramme p;
    p.Reinitialise();
    p.Lit(texte);
    return p;
}

const std::string enteteF3A = "F3A P-27\r\n1/9/1999\r\n2\r\n1\r\n1\r\n2\r\n\r\n";

} // namespace

TEST(Programme, readsTheCanonicalLayoutWithNoiseAndConformity)
{
    const TProgramme p = lit(programme(enteteF3A, 17));
    EXPECT_STREQ(p.GetNom(), "F3A P-27");
    EXPECT_STREQ(p.GetIdent().DateProgramme.GetTexte(), "01/09/1999");
    EXPECT_EQ(p.GetTypeBruit(), 2);
    EXPECT_EQ(p.GetKBruit(), 1);
    EXPECT_EQ(p.GetTypeConformite(), 1);
    EXPECT_EQ(p.GetKConformite(), 2);
    EXPECT_EQ(p.NbFigures(), 17);
    EXPECT_EQ(p.NbLignes(), 19);
    EXPECT_EQ(p.GetK(0), 2);  // figure 1: 1 + 1 % 5
    EXPECT_EQ(p.GetK(16), 3); // figure 17: 1 + 17 % 5
    EXPECT_EQ(p.GetK(17), 1); // noise
    EXPECT_EQ(p.GetK(18), 2); // conformity
    EXPECT_STREQ(p.GetFigure(1).GetNom(), "Figure 1");
    EXPECT_STREQ(p.GetFigure(0).GetNom(), "Figure 1");
    EXPECT_STREQ(p.GetFigure(17).GetNom(), "Figure 17");
    EXPECT_STREQ(p.GetFigure(18).GetNom(), "");
}

TEST(Programme, noNoiseNoConformityHasNoKLines)
{
    const TProgramme p = lit(programme("Sans\r\n01/01/2001\r\n0\r\n0\r\n\r\n", 3));
    EXPECT_EQ(p.NbFigures(), 3);
    EXPECT_EQ(p.NbLignes(), 3);
    EXPECT_EQ(p.GetTypeBruit(), 0);
    EXPECT_EQ(p.GetTypeConformite(), 0);
    EXPECT_STREQ(p.GetFigure(3).GetNom(), "Figure 3");
}

TEST(Programme, conformityWithoutNoiseTakesTheLineAfterTheFigures)
{
    const TProgramme p = lit(programme("C\r\n1/1/2001\r\n0\r\n1\r\n4\r\n\r\n", 5));
    EXPECT_EQ(p.NbLignes(), 6);
    EXPECT_EQ(p.GetK(p.NbFigures()), 4);
}

TEST(Programme, keepsAtMost24FiguresAnd25Lines)
{
    const TProgramme trente = lit(programme("X\r\n1/1/2001\r\n1\r\n1\r\n0\r\n\r\n", 30));
    EXPECT_EQ(trente.NbFigures(), 24);
    EXPECT_EQ(trente.NbLignes(), 25);

    // 24 figures with both extra lines would need 26 lines: the last figure is dropped.
    const TProgramme plein = lit(programme(enteteF3A, 24));
    EXPECT_EQ(plein.NbFigures(), 23);
    EXPECT_EQ(plein.NbLignes(), MAX_FIGURES);
    EXPECT_EQ(plein.GetK(23), 1); // noise
    EXPECT_EQ(plein.GetK(24), 2); // conformity

    const TProgramme sansExtras = lit(programme("X\r\n1/1/2001\r\n0\r\n0\r\n\r\n", 26));
    EXPECT_EQ(sansExtras.NbFigures(), 24);
}

TEST(Programme, toleratesDamagedFiles)
{
    EXPECT_EQ(lit(programme(enteteF3A, 3, -3)).NbFigures(), 0);
    EXPECT_EQ(lit(programme(enteteF3A, 5, 1000000)).NbFigures(), 5); // announced more than present
    const TProgramme texte = lit("Nom\r\n1/1/2001\r\ndeux\r\n");
    EXPECT_EQ(texte.GetTypeBruit(), 0);
    EXPECT_EQ(texte.NbFigures(), 0);
    const TProgramme kManquant = lit(enteteF3A + "2\r\nBoucle\r\nx\r\nTonneau\r\n3\r\n");
    EXPECT_EQ(kManquant.NbFigures(), 1);
    EXPECT_EQ(kManquant.GetK(0), 0);
    EXPECT_EQ(lit("").NbLignes(), 0);
    const TProgramme longNom = lit(std::string(300, 'N') + "\r\n1/1/2001\r\n0\r\n0\r\n\r\n0\r\n");
    EXPECT_EQ(std::string(longNom.GetNom()), std::string(24, 'N'));
}

TEST(Programme, readsBareLineFeedsToo)
{
    const TProgramme p = lit("Lf\n1/9/1999\n2\n1\n1\n2\n\n2\nBoucle\n3\nVrille\n4\n");
    EXPECT_EQ(p.NbFigures(), 2);
    EXPECT_STREQ(p.GetFigure(2).GetNom(), "Vrille");
    EXPECT_EQ(p.GetK(1), 4);
}

TEST(Programme, whichMarksTheSpecialLinesAccept)
{
    auto avec = [](int bruit, int conformite) {
        std::string entete = "P\r\n1/1/2001\r\n" + std::to_string(bruit) + "\r\n";
        if (bruit)
            entete += "1\r\n";
        entete += std::to_string(conformite) + "\r\n";
        if (conformite)
            entete += "1\r\n";
        return lit(programme(entete + "\r\n", 2));
    };
    const TProgramme type2 = avec(2, 1);
    EXPECT_TRUE(type2.BruitValide(5));
    EXPECT_TRUE(type2.BruitValide(0));
    EXPECT_TRUE(type2.BruitValide(-1));
    EXPECT_FALSE(type2.BruitValide(3));
    EXPECT_FALSE(type2.BruitValide(10));
    EXPECT_EQ(type2.NoteNegativeBruit(), -5);
    EXPECT_TRUE(type2.ConformiteValide(0));
    EXPECT_TRUE(type2.ConformiteValide(-1));
    EXPECT_FALSE(type2.ConformiteValide(5));
    EXPECT_EQ(type2.NoteNegativeConformite(), -10);

    const TProgramme type1 = avec(1, 0);
    EXPECT_TRUE(type1.BruitValide(10));
    EXPECT_TRUE(type1.BruitValide(20));
    EXPECT_FALSE(type1.BruitValide(-1));
    EXPECT_EQ(type1.NoteNegativeBruit(), 0);
    EXPECT_FALSE(type1.ConformiteValide(0));
    EXPECT_EQ(type1.NoteNegativeConformite(), 0);

    const TProgramme type3 = avec(3, 0);
    EXPECT_TRUE(type3.BruitValide(0));
    EXPECT_TRUE(type3.BruitValide(-1));
    EXPECT_FALSE(type3.BruitValide(5));
    EXPECT_EQ(type3.NoteNegativeBruit(), -10);

    EXPECT_FALSE(avec(0, 0).BruitValide(0));
}

TEST(Programme, reinitialiseEmptiesAndDates1990)
{
    TProgramme p = lit(programme(enteteF3A, 4));
    p.Reinitialise();
    EXPECT_EQ(p.NbFigures(), 0);
    EXPECT_STREQ(p.GetNom(), "");
    EXPECT_STREQ(p.GetIdent().DateProgramme.GetTexte(), "01/01/1990");
    EXPECT_EQ(p.GetTypeBruit(), 0);
    EXPECT_EQ(p.GetKConformite(), 0);

    std::istringstream flux(programme(enteteF3A, 2));
    flux >> p;
    EXPECT_EQ(p.NbFigures(), 2);
}

TEST(Programme, chargeProgrammeReadsTheFlightsFileFromTheDirectory)
{
    tavo::test::RepertoireTemporaire rep;
    tavo::test::EcritOctets(rep.Fichier("P27.txt"), programme(enteteF3A, 17));
    TConcours c;
    c.SetProgrammeVol("P27.txt", 1);
    ASSERT_TRUE(c.ChargeProgramme(2, rep.Chemin().string()));
    EXPECT_EQ(c.GetProgramme().NbFigures(), 17);

    // Failures leave the loaded programme as it was.
    EXPECT_FALSE(c.ChargeProgramme(1, rep.Chemin().string())); // none chosen
    c.SetProgrammeVol("absent.txt", 2);
    EXPECT_FALSE(c.ChargeProgramme(3, rep.Chemin().string()));
    std::filesystem::create_directory(rep.Chemin() / "dossier.txt");
    c.SetProgrammeVol("dossier.txt", 3);
    EXPECT_FALSE(c.ChargeProgramme(4, rep.Chemin().string()));
    EXPECT_FALSE(c.ChargeProgramme(0, rep.Chemin().string()));
    EXPECT_FALSE(c.ChargeProgramme(8, rep.Chemin().string()));
    EXPECT_EQ(c.GetProgramme().NbFigures(), 17);
}

TEST(Programme, demoProgrammesAreReadable)
{
    TConcours c;
    for (const char* nom : {"F3A_P27.txt", "F3A_F27.txt", "VGM_2026.txt", "F3C_P27.txt"}) {
        c.SetProgrammeVol(nom, 0);
        ASSERT_TRUE(c.ChargeProgramme(1, TAVO_DATA_DIR "/Vols")) << nom;
        EXPECT_GT(c.GetProgramme().NbFigures(), 5) << nom;
        EXPECT_LE(c.GetProgramme().NbLignes(), MAX_FIGURES) << nom;
    }
    c.SetProgrammeVol("F3A_P27.txt", 0);
    ASSERT_TRUE(c.ChargeProgramme(1, TAVO_DATA_DIR "/Vols"));
    const TProgramme& p = c.GetProgramme();
    EXPECT_EQ(p.NbFigures(), 17);
    EXPECT_EQ(p.GetTypeBruit(), 2);
    EXPECT_EQ(p.GetTypeConformite(), 1);
    const short k[] = {3, 2, 5, 3, 4, 3, 4, 3, 5, 2, 5, 4, 3, 3, 4, 3, 5};
    for (short i = 0; i < 17; ++i)
        EXPECT_EQ(p.GetK(i), k[i]) << i;
}
