// SPDX-License-Identifier: GPL-3.0-or-later
// The document without a window: what a program with no screen (a server on the field) does.
#include "document/Document.h"

#include "model/Fichier.h"
#include "support/Fabrique.h"
#include "support/TestUtil.h"

#include <gtest/gtest.h>

using namespace tavo;
using namespace tavo::test;

namespace {

/** Answers every question with `oui` and counts what it was told. */
struct Interlocuteur : TInterlocuteur
{
    bool oui = true;
    int questions = 0;
    int nouvelles = 0;

    bool OuvreMalgreVerrou(const std::string&, const TDetenteurVerrou&) override { return Dit(); }
    bool RemplaceFichierChange(const std::string&) override { return Dit(); }
    bool RemplaceFichierOuvert(const std::string&, const TDetenteurVerrou&) override
    {
        return Dit();
    }
    bool RecupereNotes(bool) override { return Dit(); }
    void VerrouImpossible(const std::string&, const std::string&) override { ++nouvelles; }
    void JournalImpossible(const std::string&, const std::string&) override { ++nouvelles; }
    void JournalTropGrand(const std::string&, std::uint64_t) override { ++nouvelles; }
    bool Dit()
    {
        ++questions;
        return oui;
    }
};

} // namespace

TEST(Document, opensStoresJournalsAndSavesWithoutAWindow)
{
    RepertoireTemporaire rep;
    TConcours c;
    AjoutePilote(c, "Durand", "7");
    const std::string chemin = rep.Fichier("terrain.ccr");
    ASSERT_TRUE(EcritFichierSur(chemin, c.Ecrit()));

    Interlocuteur moi;
    TDocument document(moi);
    EXPECT_TRUE(document.SansNom());
    ASSERT_EQ(document.Ouvre(chemin), Issue::Faite);
    EXPECT_FALSE(document.SansNom());
    EXPECT_FALSE(document.Modifie());
    EXPECT_TRUE(TVerrou::Detenteur(chemin)); // held, as seen from any other document

    const auto revision = document.Revision();
    document.StockeNote({1, 2, 3, 8, "7"});
    EXPECT_GT(document.Revision(), revision);
    EXPECT_TRUE(document.Modifie());
    EXPECT_EQ(document.Concours().GetPiloteDossard("7").GetNote(1, 2, 3), 8);
    const std::string journal = document.CheminJournal();
    ASSERT_FALSE(LitOctets(journal).empty());

    // A second document on the same file asks first, and is refused on no.
    Interlocuteur autre;
    autre.oui = false;
    TDocument second(autre);
    EXPECT_EQ(second.Ouvre(chemin), Issue::Refusee);
    EXPECT_EQ(autre.questions, 1);

    ASSERT_EQ(document.Ecrit(chemin), Issue::Faite);
    EXPECT_FALSE(document.Modifie());
    EXPECT_FALSE(std::filesystem::exists(journal));
    TConcours relu;
    ASSERT_TRUE(OuvreConcours(relu, chemin));
    EXPECT_EQ(relu.GetPiloteDossard("7").GetNote(1, 2, 3), 8);
    EXPECT_EQ(moi.questions, 0);
    EXPECT_EQ(moi.nouvelles, 0);
}
