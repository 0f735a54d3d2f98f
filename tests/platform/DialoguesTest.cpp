// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/RepondeurScripte.h"

#include <gtest/gtest.h>

using namespace tavo;

TEST(DonneesFichier, filterBecomesQtNameFiltersWithBothCases)
{
    TDonneesFichier donnees;
    donnees.Filtre = QStringLiteral("Fichiers Tavo (*.CCR)|*.ccr|");
    EXPECT_EQ(donnees.FiltresQt(), QStringList{QStringLiteral("Fichiers Tavo (*.ccr *.CCR)")});
    donnees.Filtre = QStringLiteral("Programmes|*.txt|Tous|*|");
    EXPECT_EQ(donnees.FiltresQt(), (QStringList{QStringLiteral("Programmes (*.txt *.TXT)"),
                                                QStringLiteral("Tous (*)")}));
    donnees.Filtre.clear();
    EXPECT_TRUE(donnees.FiltresQt().isEmpty());
}

TEST(RepondeurScripte, answersInOrderAndRecordsTheQuestions)
{
    QWidget fenetre;
    TRepondeurScripte repondeur(&fenetre);
    repondeur.Repond(IDNO);
    EXPECT_EQ(MessageBox(&fenetre, QStringLiteral("Question"), QStringLiteral("Titre"),
                         MB_YESNOCANCEL | MB_ICONQUESTION),
              IDNO);
    // Unscripted: the first button.
    EXPECT_EQ(
        MessageBox(&fenetre, QStringLiteral("Encore"), QStringLiteral("Titre"), MB_YESNOCANCEL),
        IDYES);
    EXPECT_EQ(MessageBox(&fenetre, QStringLiteral("Info"), QStringLiteral("Titre"), MB_OK), IDOK);
    ASSERT_EQ(repondeur.Messages().size(), 3u);
    EXPECT_EQ(repondeur.Messages()[0].Texte, QStringLiteral("Question"));
    EXPECT_EQ(repondeur.Messages()[0].Type, unsigned(MB_YESNOCANCEL | MB_ICONQUESTION));
}

TEST(RepondeurScripte, fileDialogsSeeTheDataAndReturnTheChoice)
{
    QWidget fenetre;
    TRepondeurScripte repondeur(&fenetre);
    TDonneesFichier donnees;
    donnees.RepertoireInitial = QStringLiteral("/data/Concours");
    donnees.NomFichier = QStringLiteral("sans_nom.ccr");
    repondeur.Choisit(QStringLiteral("/tmp/a/b.ccr"));
    repondeur.Choisit(std::nullopt);

    EXPECT_TRUE(DialogueEnregistrer(&fenetre, donnees));
    EXPECT_EQ(donnees.NomFichier, QStringLiteral("/tmp/a/b.ccr"));
    EXPECT_EQ(donnees.RepertoireInitial, QStringLiteral("/tmp/a"));
    EXPECT_FALSE(DialogueOuvrir(&fenetre, donnees));
    EXPECT_FALSE(DialogueOuvrir(&fenetre, donnees)); // nothing scripted: cancelled
    EXPECT_EQ(donnees.NomFichier, QStringLiteral("/tmp/a/b.ccr"));

    ASSERT_EQ(repondeur.Dialogues().size(), 3u);
    EXPECT_TRUE(repondeur.Dialogues()[0].Enregistrement);
    EXPECT_EQ(repondeur.Dialogues()[0].Donnees.NomFichier, QStringLiteral("sans_nom.ccr"));
    EXPECT_EQ(repondeur.Dialogues()[0].Donnees.RepertoireInitial, QStringLiteral("/data/Concours"));
    EXPECT_FALSE(repondeur.Dialogues()[1].Enregistrement);
}

TEST(RepondeurScripte, theNearestWindowsAnswererAnswers)
{
    QWidget fenetre;
    QWidget dedans(&fenetre);
    TRepondeurScripte exterieur(&fenetre);
    {
        TRepondeurScripte interieur(&dedans);
        MessageBox(&dedans, QStringLiteral("dedans"), {}, MB_OK);
        EXPECT_EQ(interieur.Messages().size(), 1u);
    }
    MessageBox(&dedans, QStringLiteral("dehors"), {}, MB_OK);
    ASSERT_EQ(exterieur.Messages().size(), 1u);
    EXPECT_EQ(exterieur.Messages()[0].Texte, QStringLiteral("dehors"));
}
