// SPDX-License-Identifier: GPL-3.0-or-later
// The results site published after each finished sheet never costs the competition.
#include "app/DialoguesSaisie.h"
#include "app/Menu.h"
#include "model/Fichier.h"
#include "platform/Chaines.h"
#include "support/Fabrique.h"
#include "support/Fenetre.h"
#include "support/TestUtil.h"

#include <filesystem>

#include <QTest>

using namespace tavo;

/** A saved competition of one pilot and one flight, saved and published after each sheet. */
class PublicationTest : public FenetreTest
{
protected:
    PublicationTest()
        : ancienDialogue(fenetre->GetDialoguesSaisie().Notes)
    {
        QDir(depart.path()).mkdir(QStringLiteral("Vols"));
        Options().SetRepProgrammes(CheminNatif(depart.filePath("Vols")).c_str());
        Options().SetImpressionAuto(0);
        Options().SetSauvegardeAuto(1);
        Options().SetPublicationAuto(1);
        Options().SetRepPublication(CheminNatif(site).c_str());
        TConcours& c = fenetre->GetConcours();
        c.SetNbJuges(3);
        c.SetNbVols(1);
        test::AjoutePilote(c, "Durand", "7", "Paul");
        EXPECT_TRUE(EcritFichierSur(Options().GetRepProgrammes() + std::string("/P1.txt"),
                                    test::TexteProgramme({3, 2})));
        c.SetProgrammeVol("P1.txt", 0);
        fenetre->GetDialoguesSaisie().Notes = [](QWidget*, TConcours& concours) {
            concours.SetVolCourant(1);
            concours.SetDossardCourant("7");
            return IDOK;
        };
        repondeur.Choisit(chemin);
        EXPECT_TRUE(fenetre->CmEnregistrerSous());
        QDir().mkpath(site);
    }
    ~PublicationTest() override { fenetre->GetDialoguesSaisie().Notes = ancienDialogue; }

    TOption& Options() { return fenetre->GetOptions(); }
    /** Types one mark on the sheet of flight 1 and finishes it. */
    void Feuille(Qt::Key note)
    {
        Execute(CM_NOTES);
        ASSERT_EQ(fenetre->GetVue(), 3);
        for (Qt::Key touche : {Qt::Key_Return, note, Qt::Key_Escape, Qt::Key_Escape})
            QTest::keyClick(fenetre, touche);
    }
    std::string Fichier() const
    {
        std::string contenu;
        EXPECT_TRUE(LitFichier(CheminNatif(chemin), contenu));
        return contenu;
    }
    /** What "Quitter" asks first, answered Cancel: true when it asks about the changes. */
    bool FermetureDemande()
    {
        repondeur.Oublie();
        repondeur.Repond(IDCANCEL);
        const bool ferme = fenetre->CanClose();
        return !ferme && repondeur.Messages().size() == 1 &&
               repondeur.Messages()[0].Texte ==
                   QStringLiteral("Voulez-vous enregistrer les modifications ?");
    }

    std::function<int(QWidget*, TConcours&)> ancienDialogue;
    const QString chemin = depart.filePath(QStringLiteral("Concours/essai.ccr"));
    const QString site = depart.filePath(QStringLiteral("pub"));
};

TEST_F(PublicationTest, aPageLinkedToTheCompetitionIsRefusedAndTheWorkStaysSafe)
{
    std::filesystem::create_symlink(CheminNatif(chemin), CheminNatif(site + "/vol-1.html"));
    Feuille(Qt::Key_9);
    EXPECT_EQ(Fichier(), fenetre->GetConcours().Ecrit()); // saved, then left alone
    EXPECT_TRUE(QFileInfo(site + "/vol-1.html").isSymLink());
    const QString echec = repondeur.Messages().back().Texte;
    EXPECT_TRUE(echec.startsWith(QStringLiteral("Les résultats n'ont pas été publiés dans « ") +
                                 site + QStringLiteral(" ».")))
        << echec.toStdString();
    EXPECT_TRUE(echec.contains(QStringLiteral("« vol-1.html » n'est pas une page écrite par "
                                              "Tavo 2000 (lien symbolique)")))
        << echec.toStdString();
    EXPECT_FALSE(fenetre->GetDocument().Modifie());

    // Not saved this time: the refusal leaves the changes to be saved.
    Options().SetSauvegardeAuto(0);
    const std::string enregistre = Fichier();
    Feuille(Qt::Key_8);
    EXPECT_EQ(Fichier(), enregistre);
    EXPECT_TRUE(fenetre->GetDocument().Modifie());
    EXPECT_TRUE(FermetureDemande());
}

// Should the file hold something else after a publication all the same, the work in memory
// is to be saved again.
TEST_F(PublicationTest, aCompetitionFileChangedMeanwhileIsToBeSavedAgain)
{
    Feuille(Qt::Key_9);
    ASSERT_FALSE(fenetre->GetDocument().Modifie());
    test::EcritOctets(CheminNatif(chemin), "<!DOCTYPE html>");
    Execute(CM_PUBLIER);
    EXPECT_TRUE(fenetre->GetDocument().Modifie());
    EXPECT_TRUE(FermetureDemande());
}
