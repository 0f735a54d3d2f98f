// SPDX-License-Identifier: GPL-3.0-or-later
// A score sheet driven without a window, as a window, a test or a phone's server drives it.
#include "document/FeuilleSaisie.h"

#include "document/Document.h"
#include "support/Fabrique.h"
#include "support/Interlocuteur.h"

#include <gtest/gtest.h>

using namespace tavo;
using namespace tavo::test;

namespace {

constexpr ToucheFeuille ENTREE{GenreTouche::Entree};
constexpr ToucheFeuille ECHAP{GenreTouche::Echap};
constexpr ToucheFeuille MOINS{GenreTouche::PaveMoins};

ToucheFeuille Pave(int c)
{
    return {GenreTouche::Pave, c};
}
ToucheFeuille Principal(int c)
{
    return {GenreTouche::Principal, c};
}

class FeuilleSaisieTest : public ::testing::Test
{
protected:
    FeuilleSaisieTest()
    {
        TConcours& c = document.Concours();
        c.SetNbJuges(3);
        AjoutePilote(c, "Durand", "7");
        c.SetVolCourant(1);
        c.SetDossardCourant("7");
        // Two figures, noise of type 2 (0 to 5, minus gives -5), conformity.
        c.GetProgramme() = Programme({3, 2}, 2, 1, 1, 1);
        feuille.Commence();
    }
    ~FeuilleSaisieTest() override { document.Abandonne(); } // its journal goes with it
    short Note(short ligne, short juge) const
    {
        return document.Concours().GetPiloteDossard("7").GetNote(1, ligne, juge);
    }

    tavo::test::InterlocuteurMuet muet;
    TDocument document{muet};
    TFeuilleSaisie feuille{document};
};

} // namespace

TEST_F(FeuilleSaisieTest, keysStoreMarksLineByLineWithTheLinesRules)
{
    EXPECT_EQ(feuille.Touche(Principal(7)), EffetTouche::Rien); // column choice: no mark
    EXPECT_EQ(feuille.Touche(ENTREE), EffetTouche::Curseur);
    EXPECT_TRUE(feuille.EnSaisie());
    EXPECT_EQ(feuille.Touche(MOINS), EffetTouche::Rien); // a figure line takes no minus
    EXPECT_EQ(feuille.Touche(Pave(7)), EffetTouche::Note);
    EXPECT_EQ(feuille.Touche(Principal(7)), EffetTouche::Note);
    EXPECT_EQ(feuille.Touche(Principal(5)), EffetTouche::Rien); // 15 on the noise line
    EXPECT_EQ(feuille.Touche(MOINS), EffetTouche::Note);        // -5
    EXPECT_EQ(feuille.Touche(Pave(5)), EffetTouche::Rien);      // conformity: 0 or minus
    EXPECT_EQ(feuille.Touche({GenreTouche::PavePlus}), EffetTouche::Rien);
    EXPECT_EQ(feuille.Touche(Pave(0)), EffetTouche::Note);
    EXPECT_EQ(feuille.Ligne(), 1); // after the last line, the first
    EXPECT_EQ(Note(1, 1), 7);
    EXPECT_EQ(Note(2, 1), 17);
    EXPECT_EQ(Note(3, 1), -5);
    EXPECT_EQ(Note(4, 1), 0);
    EXPECT_TRUE(document.Modifie());
    EXPECT_EQ(feuille.NotesSuspectes(), 1);
    EXPECT_EQ(TFeuilleSaisie::ValeurTouche(Principal(0)), 20);
    EXPECT_EQ(TFeuilleSaisie::ValeurTouche({GenreTouche::PavePlus}), 10);
}

TEST_F(FeuilleSaisieTest, columnsWrapAndEscapeFinishesTheSheetWithItsScore)
{
    feuille.Touche({GenreTouche::Gauche});
    EXPECT_EQ(feuille.Colonne(), 3);
    feuille.Touche({GenreTouche::Droite});
    EXPECT_EQ(feuille.Colonne(), 1);
    feuille.Touche(ENTREE);
    feuille.Touche(Pave(8));
    EXPECT_EQ(feuille.Touche(ECHAP), EffetTouche::Curseur); // back to column choice
    EXPECT_FALSE(feuille.EnSaisie());
    ASSERT_EQ(feuille.Touche(ECHAP), EffetTouche::Fin);
    const ResultatFeuille r = feuille.Termine();
    EXPECT_EQ(r.vol, 1);
    EXPECT_EQ(r.score, document.Concours().GetPiloteDossard("7").GetScoreVol(1));
    EXPECT_EQ(r.suspectes, 0);
}
