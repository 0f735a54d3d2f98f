// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/TNoteDlg.h"
#include "dialogs/TOptionDlg.h"
#include "model/Concours.h"
#include "model/Option.h"
#include "support/Frappe.h"
#include "support/RepondeurScripte.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace tavo;

namespace {

void Pilotes(TConcours& concours, std::initializer_list<const char*> dossards)
{
    for (const char* dossard : dossards) {
        concours.AjoutePilote();
        TPilote p;
        p.SetDossard(dossard);
        concours.SetPilote(p, concours.NbPilotes());
    }
}

QStringList Items(const QComboBox* liste)
{
    QStringList items;
    for (int i = 0; i < liste->count(); ++i)
        items << liste->itemText(i);
    return items;
}

} // namespace

TEST(NoteDlgTest, bibsInNumericOrderAndFirstOpeningSelectsTheLowest)
{
    TConcours concours;
    Pilotes(concours, {"12", "3", "7"});
    TNoteDlg d(nullptr, concours);
    d.show();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Saisie d'une feuille de note"));
    EXPECT_EQ(Items(d.Liste(116)), QStringList({"1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(Items(d.Liste(117)), QStringList({"3", "7", "12"}));
    EXPECT_EQ(d.GetTexte(116), QStringLiteral("1"));
    EXPECT_EQ(d.GetTexte(117), QStringLiteral("3"));
    // Chosen at once, even if the dialog is then cancelled.
    EXPECT_STREQ(concours.GetDossardCourant(), "3");
    d.Bouton(2)->click();
    EXPECT_EQ(d.result(), IDCANCEL);
    EXPECT_STREQ(concours.GetDossardCourant(), "3");
}

TEST(NoteDlgTest, preselectsTheCurrentSheetAndStoresTheChoice)
{
    TConcours concours;
    Pilotes(concours, {"10", "1"});
    concours.SetDossardCourant("1");
    concours.SetVolCourant(3);
    TNoteDlg d(nullptr, concours);
    d.show();
    EXPECT_EQ(d.GetTexte(116), QStringLiteral("3"));
    EXPECT_EQ(d.GetTexte(117), QStringLiteral("1"));
    d.SetSelection(116, 5);
    d.SetSelection(117, 1);
    d.Bouton(1)->click();
    EXPECT_EQ(concours.GetVolCourant(), 6);
    EXPECT_STREQ(concours.GetDossardCourant(), "10");
}

TEST(NoteDlgTest, bibNoPilotWearsAnyMoreIsReplacedByTheLowest)
{
    TConcours concours;
    Pilotes(concours, {"4", "2"});
    concours.SetDossardCourant("9");
    TNoteDlg d(nullptr, concours);
    d.show();
    EXPECT_EQ(d.GetTexte(117), QStringLiteral("2"));
    EXPECT_STREQ(concours.GetDossardCourant(), "2");
}

TEST(NoteDlgTest, namesThePilotsAndProposesTheNextSheetToType)
{
    TConcours concours;
    for (const char* dossard : {"5", "2", "9", "4"}) {
        concours.AjoutePilote();
        TPilote p;
        p.SetDossard(dossard);
        p.SetNom(dossard == std::string("2") ? "DURAND" : "MARTIN");
        p.SetPrenom("\xC9lise");
        if (dossard != std::string("4"))
            p.SetNote(1, 3, 2, 8); // flight 1 typed, but for bib 4
        concours.SetPilote(p, concours.NbPilotes());
    }
    concours.SetDossardCourant("5");
    TNoteDlg d(nullptr, concours);
    d.show();
    EXPECT_EQ(Items(d.Liste(117)).first(), QStringLiteral("2 - DURAND Élise"));
    // Entry order after bib 5: 2 and 9 are typed, 4 is not.
    EXPECT_EQ(d.GetTexte(117), QStringLiteral("4 - MARTIN Élise"));
    // On flight 2 no sheet is typed: the chosen pilot is kept.
    d.SetSelection(117, 0);
    d.SetSelection(116, 1);
    emit d.Liste(116)->activated(1);
    EXPECT_EQ(d.GetTexte(117), QStringLiteral("2 - DURAND Élise"));
    d.Bouton(1)->click();
    EXPECT_STREQ(concours.GetDossardCourant(), "2");
    EXPECT_EQ(concours.GetVolCourant(), 2);
}

TEST(OptionDlgTest, showsAndStoresEveryOption)
{
    TOption options("/tmp/depart");
    options.SetTBL(1);
    options.SetRepConcours("/données/Concours");
    TOptionDlg d(nullptr, options);
    d.show();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Options"));
    EXPECT_FALSE(d.EstCoche(102));
    EXPECT_TRUE(d.EstCoche(103) && d.EstCoche(104) && d.EstCoche(106) && d.EstCoche(107));
    EXPECT_EQ(d.GetTexte(111), QStringLiteral("/données/Concours"));
    EXPECT_EQ(d.GetTexte(112), QStringLiteral("/tmp/depart/Vols"));

    EXPECT_FALSE(d.EstCoche(118));
    for (int id : {103, 104, 106, 107, 118})
        d.Bouton(id)->click();
    d.Edit(112)->selectAll();
    Frappe(d.Edit(112), QStringLiteral("/club/Programmes été"));
    d.Bouton(1)->click();
    EXPECT_EQ(d.result(), IDOK);
    EXPECT_EQ(options.GetSauvegardeAuto(), 0);
    EXPECT_EQ(options.GetImpressionAuto(), 0);
    EXPECT_EQ(options.GetMiseEnPageAuto(), 0);
    EXPECT_EQ(options.GetRapport1000(), 0);
    EXPECT_EQ(options.GetTBL(), 0);
    EXPECT_EQ(options.GetClavierSansPave(), 1);
    EXPECT_STREQ(options.GetRepProgrammes(), "/club/Programmes été");
    EXPECT_STREQ(options.GetRepConcours(), "/données/Concours");
}

TEST(OptionDlgTest, pathsKeepEveryCharacterAndFitTheirBytes)
{
    TOption options("/tmp/depart");
    TOptionDlg d(nullptr, options);
    d.show();
    d.Edit(111)->clear();
    Frappe(d.Edit(111), QStringLiteral("/") + QString(200, u'é'));
    EXPECT_EQ(d.GetTexte(111), QStringLiteral("/") + QString(126, u'é')); // 253 bytes of 254
    EXPECT_TRUE(d.Indication().startsWith(QStringLiteral("Ce champ est plein")));
    d.Edit(112)->clear();
    d.Edit(112)->insert(QStringLiteral("/données/中文 😀"));
    EXPECT_TRUE(d.Indication().isEmpty());
    d.Bouton(1)->click();
    EXPECT_EQ(QString::fromUtf8(options.GetRepConcours()), d.GetTexte(111));
    EXPECT_STREQ(options.GetRepProgrammes(), "/données/中文 😀");
}

TEST(OptionDlgTest, cancelWritesNothing)
{
    TOption options("/tmp/depart");
    TOptionDlg d(nullptr, options);
    d.show();
    d.Bouton(102)->click();
    d.Edit(111)->clear();
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_EQ(d.result(), IDCANCEL);
    EXPECT_EQ(options.GetSauvegardeAuto(), 0);
    EXPECT_STREQ(options.GetRepConcours(), "/tmp/depart/Concours");
}
