// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DessinVues.h"
#include "app/DialoguesSaisie.h"
#include "app/Menu.h"
#include "document/FeuilleSaisie.h"
#include "model/Fichier.h"
#include "platform/Chaines.h"
#include "support/Fabrique.h"
#include "support/Fenetre.h"
#include "support/RecordingDC.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>

using namespace tavo;

class FeuilleNotesTest : public FenetreTest
{
protected:
    FeuilleNotesTest()
        : ancienDialogue(fenetre->GetDialoguesSaisie().Notes)
    {
        QDir(depart.path()).mkdir(QStringLiteral("Vols"));
        fenetre->GetOptions().SetRepProgrammes(CheminNatif(depart.filePath("Vols")).c_str());
        fenetre->GetOptions().SetImpressionAuto(0);
        TConcours& c = fenetre->GetConcours();
        c.SetNbJuges(3);
        c.SetNbVols(2);
        for (const char* nom : {"Arnaud", "Blanc", "Chevalier"})
            test::AjouteJuge(c, nom);
        test::AjoutePilote(c, "Durand", "7", "Paul");
        Programme(1, {3, 2, 4});
        Programme(2, {5, 2, 3, 4}, 2, 1, 1, 1);
        fenetre->GetDialoguesSaisie().Notes = [this](QWidget*, TConcours& concours) {
            ++selections;
            concours.SetVolCourant(vol);
            concours.SetDossardCourant("7");
            return reponse;
        };
    }
    ~FeuilleNotesTest() override { fenetre->GetDialoguesSaisie().Notes = ancienDialogue; }

    /** Writes flight v's programme file and names it in the competition. */
    void Programme(short v, const std::vector<short>& k, short typeBruit = 0, short kBruit = 0,
                   short typeConformite = 0, short kConformite = 0)
    {
        const std::string nom = "P" + std::to_string(v) + ".txt";
        ASSERT_TRUE(EcritFichierSur(
            fenetre->GetOptions().GetRepProgrammes() + std::string("/") + nom,
            test::TexteProgramme(k, typeBruit, kBruit, typeConformite, kConformite)));
        fenetre->GetConcours().SetProgrammeVol(nom.c_str(), static_cast<short>(v - 1));
    }
    /** Command 303 with flight `v` chosen; true when the sheet is shown. */
    bool Ouvre(short v)
    {
        vol = v;
        Execute(CM_NOTES);
        return fenetre->GetVue() == 3;
    }
    void Touche(int touche, Qt::KeyboardModifiers modificateurs = Qt::NoModifier)
    {
        QTest::keyClick(fenetre, static_cast<Qt::Key>(touche), modificateurs);
    }
    void Pave(int touche) { Touche(touche, Qt::KeypadModifier); }
    /** The mark the competition holds for pilot 7 on the current flight. */
    short Note(short ligne, short juge = 1) const
    {
        return fenetre->GetConcours().GetPiloteCourant().GetNote(vol, ligne, juge);
    }
    QStringList Messages() const
    {
        QStringList textes;
        for (const auto& m : repondeur.Messages())
            textes << m.Texte;
        return textes;
    }

    std::function<int(QWidget*, TConcours&)> ancienDialogue;
    short vol = 1;
    int reponse = IDOK;
    int selections = 0;
};

TEST_F(FeuilleNotesTest, withoutPilotTheCommandSaysSoAndAsksNothing)
{
    fenetre->GetConcours().GetPilotes().clear();
    EXPECT_FALSE(Ouvre(1));
    EXPECT_EQ(selections, 0);
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_EQ(repondeur.Messages()[0].Texte,
              QStringLiteral("Vous devez saisir au moins un pilote"));
    EXPECT_EQ(repondeur.Messages()[0].Titre, QStringLiteral("Tavo 2000"));
    EXPECT_EQ(repondeur.Messages()[0].Type, unsigned(MB_OK));
}

TEST_F(FeuilleNotesTest, cancelledSelectionOrMissingProgrammeKeepsTheView)
{
    Execute(CM_JUGES);
    reponse = IDCANCEL;
    EXPECT_FALSE(Ouvre(1));
    EXPECT_TRUE(repondeur.Messages().empty());

    reponse = IDOK;
    fenetre->GetConcours().SetProgrammeVol("Absent.txt", 0);
    EXPECT_FALSE(Ouvre(1));
    EXPECT_EQ(Messages(), QStringList{QStringLiteral(
                              "Le fichier contenant le programme de vol est introuvable")});
    EXPECT_EQ(fenetre->GetVue(), 1);
}

TEST_F(FeuilleNotesTest, enteringTheSheetSizesItAndGreysEveryCommandButQuitAndHelp)
{
    Programme(1, std::vector<short>(20, 2), 2, 1, 1, 1);
    Execute(CM_LISTE_PILOTES);
    ASSERT_TRUE(Ouvre(1));
    EXPECT_EQ(fenetre->GetVuePrecedente(), 2);
    EXPECT_EQ(fenetre->GetListeVue(), nullptr);
    EXPECT_EQ(fenetre->GetFeuille().Colonne(), 1);
    EXPECT_FALSE(fenetre->GetFeuille().EnSaisie());
    EXPECT_EQ(fenetre->GetLargeurVue(), 600);
    EXPECT_EQ(fenetre->GetHauteurVue(), 468); // 20 figures, noise and conformity: 22 lines
    EXPECT_EQ(fenetre->GetScroller().XUnit(), 1);
    EXPECT_EQ(fenetre->GetScroller().YUnit(), 1);
    cadre->ActualiseCommandes();
    EXPECT_FALSE(cadre->Action(CM_NOTES)->isEnabled());
    EXPECT_FALSE(cadre->Action(CM_CLST_PILOTES_1)->isEnabled());
    EXPECT_TRUE(cadre->Action(CM_QUITTER)->isEnabled());
    EXPECT_TRUE(cadre->Action(CM_A_PROPOS)->isEnabled());
}

TEST_F(FeuilleNotesTest, figureLinesTakeKeypadAndMainKeyboardValues)
{
    Programme(1, {3, 2, 4, 1, 2, 3});
    ASSERT_TRUE(Ouvre(1));
    Touche(Qt::Key_7, Qt::KeypadModifier); // ignored in column choice
    EXPECT_EQ(Note(1), 0);
    Touche(Qt::Key_Return);
    ASSERT_TRUE(fenetre->GetFeuille().EnSaisie());
    EXPECT_EQ(fenetre->GetFeuille().Ligne(), 1);
    Pave(Qt::Key_7);
    Touche(Qt::Key_7);
    Touche(Qt::Key_0);
    Pave(Qt::Key_Plus);
    Pave(Qt::Key_Minus); // refused on a figure line
    Touche(Qt::Key_7, Qt::ShiftModifier);
    EXPECT_EQ(Note(1), 7);
    EXPECT_EQ(Note(2), 17);
    EXPECT_EQ(Note(3), 20);
    EXPECT_EQ(Note(4), 10);
    EXPECT_EQ(Note(5), 17); // the shift state does not matter
    EXPECT_EQ(fenetre->GetFeuille().Ligne(), 6);
    EXPECT_TRUE(fenetre->GetDocument().Modifie());
    // Typing over a mark replaces it; Up moves back without storing.
    Touche(Qt::Key_Up);
    Pave(Qt::Key_3);
    EXPECT_EQ(Note(5), 3);
}

TEST_F(FeuilleNotesTest, noiseLineOfTypeTwoTakesFiveMinusFiveAndZeroOnly)
{
    ASSERT_TRUE(Ouvre(2)); // 4 figures, noise type 2, conformity
    Touche(Qt::Key_Return);
    Touche(Qt::Key_Up);
    Touche(Qt::Key_Up);
    ASSERT_EQ(fenetre->GetFeuille().Ligne(), 5);
    Touche(Qt::Key_5); // 15: refused
    EXPECT_EQ(fenetre->GetFeuille().Ligne(), 5);
    Pave(Qt::Key_5);
    EXPECT_EQ(Note(5), 5);
    Touche(Qt::Key_Up);
    Pave(Qt::Key_Minus);
    EXPECT_EQ(Note(5), -5);
    Touche(Qt::Key_Up);
    Pave(Qt::Key_0);
    EXPECT_EQ(Note(5), 0);
}

TEST_F(FeuilleNotesTest, noiseLinesOfTypesThreeAndOneHaveTheirOwnMinusKey)
{
    Programme(1, {3, 2}, 3, 1);
    ASSERT_TRUE(Ouvre(1));
    Touche(Qt::Key_Return);
    Touche(Qt::Key_Up); // the noise line is the last one
    Pave(Qt::Key_Minus);
    EXPECT_EQ(Note(3), -10);
    EXPECT_EQ(fenetre->GetFeuille().Ligne(), 1);
    Touche(Qt::Key_Up);
    Pave(Qt::Key_5); // type 3 takes 0 only
    EXPECT_EQ(Note(3), -10);

    Touche(Qt::Key_Escape);
    Touche(Qt::Key_Escape);
    ASSERT_EQ(fenetre->GetVue(), 0);
    Programme(1, {3, 2}, 1, 1);
    ASSERT_TRUE(Ouvre(1));
    Touche(Qt::Key_Return);
    Touche(Qt::Key_Up);
    Pave(Qt::Key_Minus);
    EXPECT_EQ(fenetre->GetFeuille().Ligne(), 3);
    EXPECT_EQ(Note(3), -10); // unchanged
    Touche(Qt::Key_5);
    EXPECT_EQ(Note(3), 15); // type 1 is marked like a figure
}

TEST_F(FeuilleNotesTest, conformityLineTakesMinusTenAndZeroOnly)
{
    ASSERT_TRUE(Ouvre(2));
    Touche(Qt::Key_Return);
    Touche(Qt::Key_Up);
    ASSERT_EQ(fenetre->GetFeuille().Ligne(), 6);
    Pave(Qt::Key_3);
    Pave(Qt::Key_Plus);
    Touche(Qt::Key_0);
    EXPECT_EQ(fenetre->GetFeuille().Ligne(), 6);
    Pave(Qt::Key_Minus);
    EXPECT_EQ(Note(6), -10);
    EXPECT_EQ(fenetre->GetFeuille().Ligne(), 1); // typing on the last line wraps to line 1
    Touche(Qt::Key_Up);
    Pave(Qt::Key_0);
    EXPECT_EQ(Note(6), 0);
}

TEST_F(FeuilleNotesTest, columnsAndLinesWrapAround)
{
    ASSERT_TRUE(Ouvre(1));
    Touche(Qt::Key_Left);
    EXPECT_EQ(fenetre->GetFeuille().Colonne(), 3);
    Touche(Qt::Key_Right);
    EXPECT_EQ(fenetre->GetFeuille().Colonne(), 1);
    Touche(Qt::Key_Right);
    Touche(Qt::Key_Right);
    Touche(Qt::Key_Up); // only in mark entry
    EXPECT_EQ(fenetre->GetFeuille().Colonne(), 3);
    Touche(Qt::Key_Return);
    Touche(Qt::Key_Up);
    EXPECT_EQ(fenetre->GetFeuille().Ligne(), 3);
    Touche(Qt::Key_Down);
    EXPECT_EQ(fenetre->GetFeuille().Ligne(), 1);
    Touche(Qt::Key_Right); // only in column choice
    EXPECT_EQ(fenetre->GetFeuille().Colonne(), 3);
    Pave(Qt::Key_8);
    EXPECT_EQ(Note(1, 3), 8);
    EXPECT_EQ(Note(1, 1), 0);
    // Escape in mark entry only leaves it.
    Touche(Qt::Key_Escape);
    EXPECT_FALSE(fenetre->GetFeuille().EnSaisie());
    EXPECT_EQ(fenetre->GetVue(), 3);
}

TEST_F(FeuilleNotesTest, sheetDrawsProgrammePilotMarksAndHighlight)
{
    fenetre->GetConcours().SetTitre("Coupe de Bourgogne");
    ASSERT_TRUE(Ouvre(2));
    Touche(Qt::Key_Return);
    Pave(Qt::Key_9);
    TRecordingDC dc;
    fenetre->Paint(dc, true, fenetre->GetClientRect());
    auto rect = [&](const char* texte) {
        const TTrace* t = dc.Cherche(QString::fromUtf8(texte));
        return t ? t->Rect : TRect{-1, -1, -1, -1};
    };
    EXPECT_EQ(rect("Figure 1"), (TRect{29, 105, 349, 121}));
    EXPECT_EQ(rect("K5"), (TRect{358, 105, 373, 121}));
    EXPECT_EQ(rect("4"), (TRect{5, 153, 20, 169}));
    EXPECT_EQ(rect("Bruit"), (TRect{29, 169, 349, 185}));
    EXPECT_EQ(rect("Conformité avec la documentation"), (TRect{29, 185, 349, 201}));
    EXPECT_EQ(rect("Coupe de Bourgogne"), (TRect{202, 24, 590, 40}));
    EXPECT_EQ(rect("DOSSARD :"), (TRect{7, 41, 80, 57}));
    EXPECT_EQ(rect("Durand"), (TRect{89, 7, 196, 23}));
    EXPECT_EQ(rect("Arn"), (TRect{389, 87, 429, 103}));
    EXPECT_EQ(rect("Che"), (TRect{469, 87, 509, 103}));
    EXPECT_EQ(rect("9"), (TRect{389, 105, 421, 121}));
    // Three frames around the programme, down past its last two lines.
    std::vector<TRect> cadres;
    for (const TTrace& t : dc.DeType(TTrace::Type::Cadre))
        cadres.push_back(t.Rect);
    EXPECT_NE(std::find(cadres.begin(), cadres.end(), TRect{3, 103, 389, 202}), cadres.end());
    // The cursor, on line 2 of column 1, in light green with its mark in blue.
    const std::vector<TTrace> remplissages = dc.DeType(TTrace::Type::Remplissage);
    ASSERT_FALSE(remplissages.empty());
    EXPECT_EQ(remplissages.back().Rect, (TRect{389, 121, 429, 137}));
    EXPECT_EQ(remplissages.back().Brosse.Color, TColor::LtGreen);
    const TTrace& marque = dc.Traces().back();
    EXPECT_EQ(marque.Texte, QStringLiteral("0"));
    EXPECT_EQ(marque.CouleurTexte, TColor::LtBlue);
}

TEST_F(FeuilleNotesTest, aJudgeColumnWithoutJudgeHasAGreyHeaderWithoutName)
{
    fenetre->GetConcours().GetJuges().pop_back();
    ASSERT_TRUE(Ouvre(1));
    Touche(Qt::Key_Left);
    ASSERT_EQ(fenetre->GetFeuille().Colonne(), 3);
    TRecordingDC dc;
    fenetre->Paint(dc, true, fenetre->GetClientRect());
    const std::vector<TTrace> remplissages = dc.DeType(TTrace::Type::Remplissage);
    ASSERT_FALSE(remplissages.empty());
    EXPECT_EQ(remplissages.back().Rect, EnteteFeuille(3));
    EXPECT_EQ(remplissages.back().Brosse.Color, TColor::LtGray);
    for (const TTrace& t : dc.Traces()) {
        if (t.Genre == TTrace::Type::TexteCadre) {
            EXPECT_NE(t.Rect, EnteteFeuille(3)) << t.Texte.toStdString();
        }
    }
}

TEST_F(FeuilleNotesTest, finishingShowsTheTotalAndReturnsToThePreviousView)
{
    Execute(CM_JUGES);
    ASSERT_TRUE(Ouvre(1));
    Touche(Qt::Key_Return);
    for (int juge = 1; juge <= 3; ++juge) {
        // K 3, 2 and 4, every judge giving 7: 21 + 14 + 28.
        Pave(Qt::Key_7);
        Pave(Qt::Key_7);
        Pave(Qt::Key_7);
        Touche(Qt::Key_Return);
        Touche(Qt::Key_Right);
        Touche(Qt::Key_Return);
    }
    Touche(Qt::Key_Escape);
    Touche(Qt::Key_Escape);
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Total du vol 1 :   63.00")});
    EXPECT_EQ(repondeur.Messages()[0].Type, unsigned(MB_OK));
    EXPECT_DOUBLE_EQ(fenetre->GetConcours().GetPiloteCourant().GetScoreVol(1), 63.0);
    EXPECT_EQ(fenetre->GetVue(), 1);
    EXPECT_TRUE(fenetre->GetDocument().Modifie());
}

TEST_F(FeuilleNotesTest, marksAboveTenAreRedAndCountedWhenTheSheetIsFinished)
{
    ASSERT_TRUE(Ouvre(1));
    Touche(Qt::Key_Return);
    Touche(Qt::Key_8); // 18: the main keyboard's 8, as on a laptop
    Pave(Qt::Key_8);
    TRecordingDC dc;
    fenetre->Paint(dc, true, fenetre->GetClientRect());
    const TTrace* dixHuit = dc.Cherche(QStringLiteral("18"));
    ASSERT_NE(dixHuit, nullptr);
    EXPECT_EQ(dixHuit->CouleurFond, TColor::LtRed);
    EXPECT_EQ(dc.Cherche(QStringLiteral("8"))->CouleurFond, TColor::LtBlue);

    Touche(Qt::Key_Return);
    Touche(Qt::Key_Escape);
    EXPECT_TRUE(Messages().back().startsWith(QStringLiteral("Total du vol 1 : ")));
    EXPECT_TRUE(
        Messages().back().contains(QStringLiteral("\n\nAttention : 1 note est supérieure à 10.")));
    // The message tells a laptop's user where the option is.
    EXPECT_TRUE(Messages().back().contains(QStringLiteral("« Clavier sans pavé numérique")));
    Ouvre(1);
    Touche(Qt::Key_Return);
    Touche(Qt::Key_9);
    Touche(Qt::Key_9);
    Touche(Qt::Key_Escape);
    Touche(Qt::Key_Escape);
    EXPECT_TRUE(
        Messages().back().contains(QStringLiteral("Attention : 2 notes sont supérieures à 10.")));
}

TEST_F(FeuilleNotesTest, withoutKeypadTheMainKeyboardTypesZeroToTenAndTheMinus)
{
    // Key events as an AZERTY laptop sends them: the key's position and its character.
    const auto frappe = [this](int touche, quint32 position,
                               Qt::KeyboardModifiers modificateurs = Qt::NoModifier) {
        QKeyEvent appui(QEvent::KeyPress, touche, modificateurs, position, 0, 0);
        QApplication::sendEvent(fenetre, &appui);
    };
    Programme(2, {5, 2, 3, 4, 2}, 2, 1); // noise of type 2: minus stores -5
    fenetre->GetOptions().SetClavierSansPave(1);
    ASSERT_TRUE(Ouvre(2));
    Touche(Qt::Key_Return);
    frappe(Qt::Key_Egrave, 16);                  // the key of 7, without Shift
    frappe(Qt::Key_7, 16, Qt::ShiftModifier);    // the same key with Shift
    frappe(Qt::Key_Agrave, 19);                  // the key of 0
    frappe(Qt::Key_Equal, 21);                   // "=": 10
    frappe(Qt::Key_Plus, 21, Qt::ShiftModifier); // "+" on the same key: 10
    EXPECT_EQ(fenetre->GetFeuille().Ligne(), 6);
    frappe(Qt::Key_ParenRight, 20); // the key right of 0 is the minus: -5 on the noise line
    frappe(Qt::Key_Minus, 20);      // refused on a figure line
    EXPECT_EQ(Note(1), 7);
    EXPECT_EQ(Note(2), 7);
    EXPECT_EQ(Note(3), 0);
    EXPECT_EQ(Note(4), 10);
    EXPECT_EQ(Note(5), 10);
    EXPECT_EQ(Note(6), -5);
    EXPECT_EQ(fenetre->GetFeuille().Ligne(), 1);
    Pave(Qt::Key_8); // the keypad as before
    EXPECT_EQ(Note(1), 8);
    Touche(Qt::Key_Return);
    Touche(Qt::Key_Escape);
    EXPECT_FALSE(Messages().back().contains(QStringLiteral("Attention")));

    // Without the option the main keyboard types 11 to 20 and "=" is nothing.
    fenetre->GetOptions().SetClavierSansPave(0);
    ASSERT_TRUE(Ouvre(2));
    Touche(Qt::Key_Return);
    frappe(Qt::Key_Egrave, 16);
    frappe(Qt::Key_Equal, 21);
    EXPECT_EQ(Note(1), 17);
    EXPECT_EQ(Note(2), 7);
    EXPECT_EQ(fenetre->GetFeuille().Ligne(), 2);
}

TEST_F(FeuilleNotesTest, automaticSaveOfAnUnnamedCompetitionCancelledStillReturns)
{
    fenetre->GetOptions().SetSauvegardeAuto(1);
    ASSERT_TRUE(Ouvre(1));
    Touche(Qt::Key_Return);
    Pave(Qt::Key_5);
    repondeur.Choisit(std::nullopt);
    Touche(Qt::Key_Escape);
    Touche(Qt::Key_Escape);
    ASSERT_EQ(repondeur.Dialogues().size(), 1u);
    EXPECT_TRUE(repondeur.Dialogues()[0].Enregistrement);
    EXPECT_TRUE(QDir(depart.filePath("Concours")).isEmpty());
    EXPECT_EQ(fenetre->GetVue(), 0);
    EXPECT_TRUE(fenetre->GetDocument().Modifie());
    EXPECT_TRUE(fenetre->GetDocument().SansNom());
}

TEST_F(FeuilleNotesTest, automaticSaveWritesTheMarksToTheNamedFile)
{
    const QString chemin = depart.filePath("Concours/essai.ccr");
    repondeur.Choisit(chemin);
    ASSERT_TRUE(fenetre->CmEnregistrerSous());
    fenetre->GetOptions().SetSauvegardeAuto(1);
    ASSERT_TRUE(Ouvre(1));
    Touche(Qt::Key_Return);
    Touche(Qt::Key_9);
    Touche(Qt::Key_Escape);
    Touche(Qt::Key_Escape);
    EXPECT_FALSE(fenetre->GetDocument().Modifie());
    TConcours relu;
    std::string contenu;
    ASSERT_TRUE(LitFichier(CheminNatif(chemin), contenu));
    ASSERT_TRUE(relu.Lit(contenu));
    EXPECT_EQ(relu.GetPiloteDossard("7").GetNote(1, 1, 1), 19);
}

// Each finished sheet republishes the site; the folder is asked once and kept.
TEST_F(FeuilleNotesTest, automaticPublicationFollowsEveryFinishedSheet)
{
    fenetre->GetOptions().SetPublicationAuto(1);
    const QString site = depart.filePath(QStringLiteral("site"));
    repondeur.Choisit(site);
    for (int note : {Qt::Key_6, Qt::Key_9}) {
        QDir(site).removeRecursively();
        ASSERT_TRUE(Ouvre(1));
        Touche(Qt::Key_Return);
        Touche(note);
        Touche(Qt::Key_Escape);
        Touche(Qt::Key_Escape);
        QFile page(site + QStringLiteral("/pilote-1.html"));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly));
        EXPECT_TRUE(page.readAll().contains("Durand"));
    }
    EXPECT_EQ(repondeur.Dialogues().size(), 1u);
    EXPECT_EQ(QString::fromUtf8(fenetre->GetOptions().GetRepPublication()), site);
    // Published without a word: only the totals were said.
    EXPECT_EQ(repondeur.Messages().size(), 2u);
}

TEST_F(FeuilleNotesTest, aPreviousViewThatFailsKeepsTheSheetInColumnChoice)
{
    Execute(CM_CLST_PILOTES_1);
    ASSERT_EQ(fenetre->GetVue(), 4);
    ASSERT_TRUE(Ouvre(1));
    EXPECT_EQ(fenetre->GetVuePrecedente(), 4);
    QFile::remove(depart.filePath("Vols/P1.txt"));
    Touche(Qt::Key_Escape);
    EXPECT_EQ(Messages(),
              (QStringList{QStringLiteral("Total du vol 1 :    0.00"),
                           QStringLiteral("Au moins un programme de vol n'a pas été trouvé : le "
                                          "programme du vol 1, « P1.txt », est introuvable")}));
    EXPECT_EQ(fenetre->GetVue(), 3);
    EXPECT_FALSE(fenetre->GetFeuille().EnSaisie());
    // The file is back: Escape tries again.
    Programme(1, {3, 2, 4});
    Touche(Qt::Key_Escape);
    EXPECT_EQ(fenetre->GetVue(), 4);
}

TEST_F(FeuilleNotesTest, cursorIsBroughtIntoViewInASmallWindow)
{
    Programme(1, std::vector<short>(20, 2), 2, 1, 1, 1);
    cadre->resize(320, 260);
    QApplication::processEvents();
    ASSERT_TRUE(Ouvre(1));
    Touche(Qt::Key_Right);
    Touche(Qt::Key_Right);
    const TRect client = fenetre->GetClientRect();
    auto visible = [&] {
        const TRect r = fenetre->RectCurseur();
        return r.left >= 0 && r.top >= 0 && r.right <= client.Width() &&
               r.bottom <= client.Height();
    };
    EXPECT_TRUE(visible());
    EXPECT_GT(fenetre->GetScroller().XPos(), 0);
    Touche(Qt::Key_Return);
    Touche(Qt::Key_Up); // line 22, at the bottom
    EXPECT_TRUE(visible());
    EXPECT_GT(fenetre->GetScroller().YPos(), 0);
    Touche(Qt::Key_Down); // line 1 again
    EXPECT_TRUE(visible());
}

TEST_F(FeuilleNotesTest, aProgrammeWithoutLinesHasNoCellToTypeInto)
{
    Programme(1, {});
    ASSERT_TRUE(Ouvre(1));
    EXPECT_EQ(fenetre->GetHauteurVue(), 116);
    Touche(Qt::Key_Return);
    EXPECT_FALSE(fenetre->GetFeuille().EnSaisie());
    Pave(Qt::Key_7);
    EXPECT_EQ(Note(1), 0);
    EXPECT_FALSE(fenetre->GetDocument().Modifie());
    Touche(Qt::Key_Escape);
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Total du vol 1 :    0.00")});
    EXPECT_EQ(fenetre->GetVue(), 0);
}

TEST_F(FeuilleNotesTest, tabDoesNotTakeTheKeyboardAwayFromTheSheet)
{
    ASSERT_TRUE(Ouvre(1));
    QApplication::setActiveWindow(cadre.get());
    fenetre->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(fenetre->hasFocus());
    Touche(Qt::Key_Tab);
    EXPECT_TRUE(fenetre->hasFocus());
    Touche(Qt::Key_Return);
    Pave(Qt::Key_4);
    EXPECT_EQ(Note(1), 4);
}
