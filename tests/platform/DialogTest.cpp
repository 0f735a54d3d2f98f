// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Dialog.h"

#include "support/Frappe.h"
#include "support/RepondeurScripte.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

using namespace tavo;

namespace {

using G = TGenre;

const TModeleDialogue MODELE = {
    42,
    "Essai",
    200,
    100,
    {
        {10, G::GroupBox, "Groupe", 4, 4, 192, 70},
        {11, G::Libelle, "Date :", 10, 16, 40, 8},
        {12, G::Edit, "", 52, 14, 60, 12, 11},
        {13, G::ListeDeroulante, "", 52, 30, 60, 60, 10, true},
        {14, G::BoutonRadio, "Un", 120, 14, 60, 12},
        {15, G::BoutonRadio, "Deux", 120, 28, 60, 12},
        {16, G::Libelle, "Note :", 10, 48, 40, 8},
        {17, G::Edit, "", 52, 46, 60, 12, 6},
        {IDOK, G::BoutonDefaut, "Ok", 40, 80, 50, 14},
        {IDCANCEL, G::Bouton, "Annuler", 110, 80, 50, 14},
    },
};

class Essai : public TDialog
{
public:
    explicit Essai(QWidget* parent = nullptr)
        : TDialog(parent, MODELE)
    {
        SetValidator(12, std::make_unique<TDateValidator>());
    }
    int Preparations = 0;

protected:
    void SetupWindow() override { ++Preparations; }
};

} // namespace

TEST(DialogUnitsTest, convertWithTheFontsAverageCharacter)
{
    const TUnitesDialogue u{6, 13};
    EXPECT_EQ(u.EnPixels(87, 28, 188, 12), QRect(131, 46, 282, 20)); // MulDiv rounds
    const TUnitesDialogue police = TUnitesDialogue::DePolice(QFont());
    EXPECT_GT(police.X, 2);
    EXPECT_GE(police.Y, police.X);
}

TEST(DialogTest, controlsArePlacedFromTheTemplateAndCarryTheirIds)
{
    Essai d;
    const TUnitesDialogue& u = d.Unites();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Essai"));
    EXPECT_EQ(d.size(), u.EnPixels(0, 0, 200, 100).size());
    ASSERT_NE(d.Edit(12), nullptr);
    EXPECT_EQ(d.Edit(12)->geometry(), u.EnPixels(52, 14, 60, 12));
    EXPECT_EQ(d.Controle(12)->property("id").toInt(), 12);
    EXPECT_EQ(d.GroupBox(10)->title(), QStringLiteral("Groupe"));
    EXPECT_EQ(d.Liste(13)->x(), u.EnPixels(52, 30, 60, 60).x());
    EXPECT_EQ(d.Controle(99), nullptr);
    EXPECT_EQ(d.Edit(13), nullptr);
}

TEST(DialogTest, sortedListsInsertInOrderAndSelectNothingUntilTold)
{
    Essai d;
    for (const char* t : {"VGM_2026.txt", "f3a_p27.TXT", "F3A_F27.txt", "1"})
        d.AjouteChaine(13, QString::fromLatin1(t));
    QStringList items;
    for (int i = 0; i < d.Liste(13)->count(); ++i)
        items << d.Liste(13)->itemText(i);
    EXPECT_EQ(items, QStringList({"1", "F3A_F27.txt", "f3a_p27.TXT", "VGM_2026.txt"}));
    EXPECT_EQ(d.GetSelection(13), -1);
    EXPECT_EQ(d.SelectionneEgal(13, QStringLiteral("F3A_P27.txt")), 2);
    d.AjouteChaine(13, QStringLiteral("0"));
    EXPECT_EQ(d.GetTexte(13), QStringLiteral("f3a_p27.TXT")); // the selection follows its item
    EXPECT_EQ(d.SelectionneDebut(13, QStringLiteral("vgm")), 4);
    EXPECT_EQ(d.SelectionneEgal(13, QStringLiteral("absent.txt")), -1);
}

TEST(DialogTest, radioButtonsCanAllBeCleared)
{
    Essai d;
    d.SetCoche(14, true);
    d.SetCoche(15, true);
    EXPECT_FALSE(d.EstCoche(14));
    d.SetCoche(15, false);
    EXPECT_FALSE(d.EstCoche(14) || d.EstCoche(15));
}

TEST(DialogTest, setupRunsOnceBeforeShowingAndTheDialogIsCentred)
{
    Essai d;
    d.show();
    d.hide();
    d.show();
    EXPECT_EQ(d.Preparations, 1);
    d.CentreEcran();
    const QRect ecran = d.screen()->geometry();
    EXPECT_LE(std::abs(d.frameGeometry().center().x() - ecran.center().x()), 1);
    EXPECT_LE(std::abs(d.frameGeometry().center().y() - ecran.center().y()), 1);
}

TEST(DialogTest, okChecksWhatTheUserTypedAndKeepsTheDialogOpen)
{
    Essai d;
    TRepondeurScripte repondeur(&d);
    d.show();
    Frappe(d.Edit(12), QStringLiteral("14/07"));
    d.Bouton(IDOK)->click();
    EXPECT_TRUE(d.isVisible());
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_TRUE(repondeur.Messages()[0].Texte.startsWith(
        QStringLiteral("Le champ « Date » est incomplet ou incorrect.")));
    EXPECT_EQ(repondeur.Messages()[0].Titre, QStringLiteral("Tavo 2000"));

    d.Edit(12)->end(false);
    Frappe(d.Edit(12), QStringLiteral("/2026"));
    d.Bouton(IDOK)->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), IDOK);
}

TEST(DialogTest, aRefusedKeyIsToldUnderItsFieldUntilTheNextChange)
{
    Essai d;
    d.show();
    QLineEdit* date = d.Edit(12);
    Frappe(date, QStringLiteral("4"));
    EXPECT_EQ(d.Indication(), TDateValidator().Erreur());
    const auto* bulle = d.findChild<QLabel*>(QStringLiteral("indication"));
    ASSERT_NE(bulle, nullptr);
    EXPECT_TRUE(bulle->isVisible());
    EXPECT_EQ(bulle->text(), d.Indication());
    EXPECT_LE(std::abs(bulle->y() - date->geometry().bottom()), 4);
    EXPECT_LE(bulle->geometry().right(), d.width());
    EXPECT_EQ(date->accessibleDescription(), d.Indication());
    Frappe(date, QStringLiteral("1"));
    EXPECT_TRUE(d.Indication().isEmpty());
    EXPECT_FALSE(bulle->isVisible());
    EXPECT_TRUE(date->accessibleDescription().isEmpty());

    // The template's capacity is what the field holds; leaving the field takes the hint away.
    QApplication::setActiveWindow(&d);
    d.Edit(17)->setFocus();
    Frappe(d.Edit(17), QStringLiteral("123456"));
    EXPECT_EQ(d.GetTexte(17), QStringLiteral("12345"));
    EXPECT_TRUE(bulle->isVisible());
    date->setFocus();
    EXPECT_TRUE(d.Indication().isEmpty());
}

TEST(DialogTest, textTheCheckAdjustedIsStillCheckedAtClose)
{
    Essai d;
    TRepondeurScripte repondeur(&d);
    d.show();
    Frappe(d.Edit(12), QStringLiteral("14 07 "));
    EXPECT_EQ(d.GetTexte(12), QStringLiteral("14/07/"));
    d.Bouton(IDOK)->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(repondeur.Messages().size(), 1u);
}

TEST(DialogTest, textPutByTheProgramIsNotCheckedAtClose)
{
    Essai d;
    TRepondeurScripte repondeur(&d);
    d.show();
    d.SetTexte(12, QStringLiteral("13/6/2026"));
    d.Bouton(IDOK)->click();
    EXPECT_TRUE(repondeur.Messages().empty());
    EXPECT_EQ(d.result(), IDOK);
}

TEST(DialogTest, escapeAndCancelReturnCancel)
{
    Essai d;
    d.show();
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), IDCANCEL);
    Essai e;
    e.show();
    e.Bouton(IDCANCEL)->click();
    EXPECT_EQ(e.result(), IDCANCEL);
}
