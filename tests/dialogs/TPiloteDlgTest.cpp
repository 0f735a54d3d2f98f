// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/TPiloteDlg.h"

#include "model/Concours.h"
#include "support/Frappe.h"
#include "support/RepondeurScripte.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace tavo;

namespace {

class PiloteDlgTest : public ::testing::Test
{
protected:
    /** Pilots named after their bibs, in this order. */
    void Pilotes(std::initializer_list<const char*> dossards)
    {
        for (const char* dossard : dossards) {
            concours.AjoutePilote();
            TPilote p;
            p.SetDossard(dossard);
            p.SetNom((std::string("Pilote") + dossard).c_str());
            concours.SetPilote(p, concours.NbPilotes());
        }
    }
    static void Remplace(QLineEdit* edit, const QString& texte)
    {
        edit->selectAll();
        Frappe(edit, texte);
    }

    QWidget fenetre; ///< the dialogs' parent, whose questions the script answers
    TRepondeurScripte repondeur{&fenetre};
    TConcours concours;
};

} // namespace

TEST_F(PiloteDlgTest, emptyCompetitionGetsAPilotAndNextAppendsAnother)
{
    TPiloteDlg d(&fenetre, concours);
    d.show();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Pilotes du concours"));
    EXPECT_EQ(concours.NbPilotes(), 1);
    EXPECT_EQ(d.GetTexte(113), QStringLiteral("Pilote 1"));
    Frappe(d.Edit(106), QStringLiteral("Müller-Weiß 2"));
    EXPECT_EQ(d.Indication(),
              QStringLiteral("Le caractère « 2 » n'est pas accepté dans ce champ."));
    Frappe(d.Edit(111), QStringLiteral("Éric (fils)"));
    EXPECT_TRUE(d.Indication().isEmpty());
    Frappe(d.Edit(109), QStringLiteral("35.040"));
    Frappe(d.Edit(112), QStringLiteral("12"));
    d.Bouton(103)->click();
    EXPECT_EQ(concours.NbPilotes(), 2);
    EXPECT_EQ(d.Position(), 2);
    EXPECT_EQ(d.GetTexte(113), QStringLiteral("Pilote 2"));
    EXPECT_TRUE(d.GetTexte(106).isEmpty());
    const TPilote premier = concours.GetPilote(1);
    EXPECT_STREQ(premier.GetNom(), "M\xfcller-Wei\xdf ");
    EXPECT_STREQ(premier.GetPrenom(), "\xc9ric (fils)");
    EXPECT_STREQ(premier.GetFrequence1(), "35.040");
    EXPECT_STREQ(premier.GetDossard(), "12");
}

TEST_F(PiloteDlgTest, pagingThroughThePilots)
{
    Pilotes({"3", "1", "2"});
    TPiloteDlg d(&fenetre, concours);
    d.show();
    EXPECT_EQ(d.GetTexte(106), QStringLiteral("Pilote3"));
    d.Bouton(102)->click();
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_EQ(repondeur.Messages()[0].Texte, QStringLiteral("Vous êtes sur le premier pilote !"));
    EXPECT_EQ(repondeur.Messages()[0].Titre, QStringLiteral("Tavo 2000"));
    d.Bouton(104)->click();
    EXPECT_EQ(d.Position(), 3);
    EXPECT_EQ(d.GetTexte(113), QStringLiteral("Pilote 3"));
    EXPECT_EQ(d.GetTexte(112), QStringLiteral("2"));
    d.Bouton(102)->click();
    EXPECT_EQ(d.GetTexte(106), QStringLiteral("Pilote1"));
    d.Bouton(101)->click();
    EXPECT_EQ(d.Position(), 1);
    EXPECT_EQ(concours.NbPilotes(), 3);
}

TEST_F(PiloteDlgTest, deletingMiddleLastAndOnlyPilot)
{
    Pilotes({"1", "2", "3"});
    TPiloteDlg d(&fenetre, concours);
    d.show();
    d.Bouton(103)->click();
    d.Bouton(105)->click();
    EXPECT_EQ(concours.NbPilotes(), 2);
    EXPECT_EQ(d.Position(), 2);
    EXPECT_EQ(d.GetTexte(106), QStringLiteral("Pilote3"));

    d.Bouton(105)->click(); // now the last of two
    EXPECT_EQ(d.Position(), 1);
    EXPECT_EQ(d.GetTexte(106), QStringLiteral("Pilote1"));
    d.Bouton(105)->click();
    EXPECT_EQ(concours.NbPilotes(), 1);
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_EQ(repondeur.Messages()[0].Texte,
              QStringLiteral("Vous devez saisir au moins un pilote"));
}

TEST_F(PiloteDlgTest, deletingTheLastOfThreeShowsTheSecond)
{
    Pilotes({"1", "2", "3"});
    TPiloteDlg d(&fenetre, concours);
    d.show();
    d.Bouton(104)->click();
    d.Bouton(105)->click();
    EXPECT_EQ(d.Position(), 2);
    EXPECT_EQ(d.GetTexte(106), QStringLiteral("Pilote2"));
    EXPECT_EQ(d.GetTexte(113), QStringLiteral("Pilote 2"));
}

TEST_F(PiloteDlgTest, correctingANameKeepsTheMarks)
{
    Pilotes({"7"});
    TPilote p = concours.GetPilote(1);
    p.SetNote(2, 5, 3, 9);
    p.SetNote(7, 25, 5, 10);
    concours.SetPilote(p, 1);
    TPiloteDlg d(&fenetre, concours);
    d.show();
    Remplace(d.Edit(106), QStringLiteral("Dupont"));
    d.Bouton(1)->click();
    EXPECT_EQ(d.result(), IDOK);
    const TPilote relu = concours.GetPilote(1);
    EXPECT_STREQ(relu.GetNom(), "Dupont");
    EXPECT_EQ(relu.GetNote(2, 5, 3), 9);
    EXPECT_EQ(relu.GetNote(7, 25, 5), 10);
}

TEST_F(PiloteDlgTest, frequencyReadsACommaAsThePoint)
{
    TPiloteDlg d(&fenetre, concours);
    d.show();
    Frappe(d.Edit(110), QStringLiteral("2,4"));
    EXPECT_EQ(d.GetTexte(110), QStringLiteral("2.4"));
    Frappe(d.Edit(109), QStringLiteral("35,x"));
    EXPECT_EQ(d.GetTexte(109), QStringLiteral("35."));
    EXPECT_EQ(d.Indication(), TFrequenceValidator().Erreur());
    d.Bouton(1)->click();
    EXPECT_TRUE(d.isVisible());
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_TRUE(repondeur.Messages()[0].Texte.contains(QStringLiteral("« Fréquence 1 »")));
    EXPECT_STREQ(concours.GetPilote(1).GetFrequence2(), ""); // nothing written
    d.Bouton(103)->click();
    EXPECT_EQ(d.Position(), 1);
    EXPECT_EQ(repondeur.Messages().size(), 2u);
    EXPECT_EQ(concours.NbPilotes(), 1);

    d.Edit(109)->end(false);
    Frappe(d.Edit(109), QStringLiteral("030"));
    d.Bouton(103)->click();
    EXPECT_EQ(d.Position(), 2);
    EXPECT_STREQ(concours.GetPilote(1).GetFrequence1(), "35.030");
    EXPECT_STREQ(concours.GetPilote(1).GetFrequence2(), "2.4");
}

TEST_F(PiloteDlgTest, deletingAPilotWithMarksAsksFirst)
{
    Pilotes({"1", "2", "3"});
    for (int position : {2, 3}) {
        TPilote p = concours.GetPilote(position);
        p.SetNote(7, 25, 5, 1);
        if (position == 2)
            p.SetPrenom("\xc9ric");
        concours.SetPilote(p, position);
    }
    TPiloteDlg d(&fenetre, concours);
    d.show();
    d.Bouton(103)->click();
    Remplace(d.Edit(106), QStringLiteral("Corrigé"));
    repondeur.Repond(IDNO);
    d.Bouton(105)->click();
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_EQ(repondeur.Messages()[0].Texte,
              QStringLiteral("Supprimer le pilote 2, Pilote2 Éric, et toutes ses notes ?"));
    EXPECT_EQ(repondeur.Messages()[0].Titre, QStringLiteral("Tavo 2000"));
    EXPECT_EQ(repondeur.Messages()[0].Type, unsigned{MB_YESNO | MB_ICONQUESTION});
    EXPECT_EQ(concours.NbPilotes(), 3);
    EXPECT_EQ(d.GetTexte(106), QStringLiteral("Corrigé")); // what was typed stays

    d.Bouton(105)->click(); // Oui
    EXPECT_EQ(concours.NbPilotes(), 2);
    EXPECT_EQ(d.GetTexte(106), QStringLiteral("Pilote3"));
    d.Bouton(105)->click();
    ASSERT_EQ(repondeur.Messages().size(), 3u);
    EXPECT_EQ(repondeur.Messages()[2].Texte,
              QStringLiteral("Supprimer le pilote 2, Pilote3, et toutes ses notes ?"));
    EXPECT_EQ(concours.NbPilotes(), 1);
    EXPECT_STREQ(concours.GetPilote(1).GetNom(), "Pilote1");
}

TEST_F(PiloteDlgTest, bibAnotherPilotWearsIsRefused)
{
    Pilotes({"7", "8"});
    TPiloteDlg d(&fenetre, concours);
    d.show();
    d.Bouton(103)->click();
    Remplace(d.Edit(112), QStringLiteral("07"));
    d.Bouton(101)->click();
    EXPECT_EQ(d.Position(), 2);
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_EQ(repondeur.Messages()[0].Titre, QStringLiteral("Tavo 2000"));
    EXPECT_TRUE(repondeur.Messages()[0].Texte.startsWith(
        QStringLiteral("Le dossard 07 est déjà celui du pilote 1 (Pilote7)")));
    EXPECT_STREQ(concours.GetPilote(2).GetDossard(), "8");

    d.Bouton(1)->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(repondeur.Messages().size(), 2u);

    Remplace(d.Edit(112), QStringLiteral("9"));
    d.Bouton(1)->click();
    EXPECT_EQ(d.result(), IDOK);
    EXPECT_STREQ(concours.GetPilote(2).GetDossard(), "9");
}

TEST_F(PiloteDlgTest, duplicateBibsFromAFileCanBeMendedOrDeleted)
{
    Pilotes({"5", "5", "6"});
    TPiloteDlg d(&fenetre, concours);
    d.show();
    EXPECT_EQ(d.GetTexte(112), QStringLiteral("5"));
    d.Bouton(105)->click(); // deleting stores nothing, so it is never refused
    EXPECT_TRUE(repondeur.Messages().empty());
    d.Bouton(103)->click();
    EXPECT_EQ(d.Position(), 2);
    EXPECT_EQ(concours.NbPilotes(), 2);
}

TEST_F(PiloteDlgTest, cancelLeavesTheShownFieldsUnwritten)
{
    Pilotes({"1", "2"});
    TPiloteDlg d(&fenetre, concours);
    d.show();
    Remplace(d.Edit(106), QStringLiteral("Stocke"));
    d.Bouton(103)->click();
    Remplace(d.Edit(106), QStringLiteral("Perdu"));
    d.Bouton(2)->click();
    EXPECT_EQ(d.result(), IDCANCEL);
    EXPECT_STREQ(concours.GetPilote(1).GetNom(), "Stocke");
    EXPECT_STREQ(concours.GetPilote(2).GetNom(), "Pilote2");
}

TEST_F(PiloteDlgTest, aNamedPilotNeedsABibAndAnEmptyOneIsNotKept)
{
    TPiloteDlg d(&fenetre, concours);
    d.show();
    Frappe(d.Edit(106), QStringLiteral("Durand"));
    d.Bouton(103)->click();
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_EQ(repondeur.Messages()[0].Titre, QStringLiteral("Tavo 2000"));
    EXPECT_TRUE(
        repondeur.Messages()[0].Texte.startsWith(QStringLiteral("Ce pilote n'a pas de dossard.")));
    EXPECT_EQ(d.Position(), 1);
    Frappe(d.Edit(112), QStringLiteral("4"));
    d.Bouton(103)->click(); // the new pilot 2, left empty
    ASSERT_EQ(concours.NbPilotes(), 2);
    d.Bouton(1)->click();
    EXPECT_EQ(d.result(), IDOK);
    ASSERT_EQ(concours.NbPilotes(), 1);
    EXPECT_STREQ(concours.GetPilote(1).GetDossard(), "4");

    TConcours vide;
    TPiloteDlg annule(&fenetre, vide);
    annule.show();
    EXPECT_EQ(vide.NbPilotes(), 1);
    annule.Bouton(2)->click();
    EXPECT_EQ(vide.NbPilotes(), 0);
}

TEST_F(PiloteDlgTest, namedPilotsWithoutBibFromAFileCanBeMended)
{
    Pilotes({"", ""});
    TPiloteDlg d(&fenetre, concours);
    d.show();
    d.Bouton(103)->click();
    EXPECT_EQ(d.Position(), 1);
    Frappe(d.Edit(112), QStringLiteral("1"));
    d.Bouton(103)->click();
    EXPECT_EQ(d.Position(), 2);
    d.Bouton(1)->click();
    EXPECT_TRUE(d.isVisible());
    Frappe(d.Edit(112), QStringLiteral("2"));
    d.Bouton(1)->click();
    EXPECT_EQ(d.result(), IDOK);
    EXPECT_STREQ(concours.GetPilote(2).GetDossard(), "2");
}

// Screen readers announce every field by its label, and the labels' keys reach their fields.
TEST_F(PiloteDlgTest, everyFieldIsNamedByItsLabel)
{
    TPiloteDlg d(&fenetre, concours);
    QStringList noms;
    for (QWidget* champ : d.findChildren<QWidget*>())
        if (qobject_cast<QLineEdit*>(champ) || qobject_cast<QComboBox*>(champ)) {
            EXPECT_FALSE(champ->accessibleName().isEmpty()) << champ->objectName().toStdString();
            noms << champ->accessibleName();
        }
    EXPECT_TRUE(noms.contains(QStringLiteral("Nom"))) << noms.join(", ").toStdString();
    EXPECT_FALSE(noms.join(QString()).contains(QLatin1Char('&')));
}
