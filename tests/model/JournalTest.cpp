// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Journal.h"

#include "model/Concours.h"
#include "support/TestUtil.h"

#include <gtest/gtest.h>

using namespace tavo;
using namespace tavo::test;

TEST(Journal, readsBackWhatWasAppendedAndIgnoresATailCutByACrash)
{
    RepertoireTemporaire rep;
    const std::string chemin = rep.Fichier("journal");
    TConcours c;
    c.SetTitre("Copie");
    {
        TJournal j(chemin, "terrain", 1234);
        EXPECT_TRUE(j.Vierge());
        ASSERT_TRUE(j.AjouteNote({1, 2, 3, -5, "12"}));
        ASSERT_TRUE(j.AjouteConcours(c.Ecrit())); // a copy replaces the marks before it
        ASSERT_TRUE(j.AjouteNote({7, 25, 5, 20, "1 2"}));
        ASSERT_TRUE(j.AjouteNote({1, 1, 1, 9, ""}));
    }
    std::string texte = LitOctets(chemin);
    ContenuJournal contenu;
    ASSERT_TRUE(LitJournal(texte + "note 3 4", contenu)); // an unfinished last line
    EXPECT_EQ(contenu.hote, "terrain");
    EXPECT_EQ(contenu.processus, 1234);
    ASSERT_TRUE(contenu.concours);
    EXPECT_EQ(*contenu.concours, c.Ecrit());
    ASSERT_EQ(contenu.notes.size(), 2u);
    EXPECT_EQ(contenu.notes[0].vol, 7);
    EXPECT_EQ(contenu.notes[0].ligne, 25);
    EXPECT_EQ(contenu.notes[0].juge, 5);
    EXPECT_EQ(contenu.notes[0].note, 20);
    EXPECT_EQ(contenu.notes[0].dossard, "1 2");
    EXPECT_EQ(contenu.notes[1].dossard, "");

    // A copy cut short is not used, nor anything after it.
    const std::size_t copie = texte.find("concours ");
    ASSERT_TRUE(LitJournal(texte.substr(0, copie + 20), contenu));
    EXPECT_FALSE(contenu.concours);
    ASSERT_EQ(contenu.notes.size(), 1u);
    EXPECT_EQ(contenu.notes[0].note, -5);
    EXPECT_FALSE(LitJournal("Titre\r\nLieu\r\n", contenu));
}

TEST(Journal, replaysMarksOnThePilotsFoundByBib)
{
    TConcours c;
    for (const char* dossard : {"4", "12"}) {
        c.AjoutePilote();
        TPilote p;
        p.SetDossard(dossard);
        c.SetPilote(p, c.NbPilotes());
    }
    EXPECT_EQ(RejoueNotes(c, {{1, 2, 3, 8, "12"}, {1, 2, 3, 9, "12"}, {2, 1, 1, 7, "99"}}), 2);
    EXPECT_EQ(c.GetPiloteDossard("12").GetNote(1, 2, 3), 9); // the last one typed wins
    EXPECT_EQ(c.GetPiloteDossard("4").GetNote(1, 2, 3), 0);
}
