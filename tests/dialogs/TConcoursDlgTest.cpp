// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/TConcoursDlg.h"

#include "model/Concours.h"
#include "model/Fichier.h"
#include "support/Frappe.h"
#include "support/RepondeurScripte.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

using namespace tavo;

namespace {

const std::string VOLS = TAVO_DATA_DIR "/Vols";

class ConcoursDlgTest : public ::testing::Test
{
protected:
    QStringList Items(TConcoursDlg& d, int id)
    {
        QStringList items;
        for (int i = 0; i < d.Liste(id)->count(); ++i)
            items << d.Liste(id)->itemText(i);
        return items;
    }

    QWidget fenetre; ///< the dialogs' parent, whose questions the script answers
    TRepondeurScripte repondeur{&fenetre};
    TConcours concours;
};

} // namespace

TEST_F(ConcoursDlgTest, newCompetitionShowsItsDefaultsAndAppendsOneJudge)
{
    TConcoursDlg d(&fenetre, concours, VOLS);
    d.show();
    const QString aujourdhui = QString::fromLatin1(Date().GetTexte());
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Informations"));
    EXPECT_EQ(d.GetTexte(123), QStringLiteral("F3A"));
    EXPECT_EQ(d.GetTexte(121), QStringLiteral("1"));
    EXPECT_EQ(d.GetTexte(117), QStringLiteral("5"));
    EXPECT_EQ(d.GetTexte(116), QStringLiteral("1"));
    EXPECT_EQ(d.GetTexte(111), aujourdhui);
    EXPECT_EQ(d.GetTexte(112), aujourdhui);
    EXPECT_EQ(concours.NbJugesSaisis(), 1);
    EXPECT_EQ(d.GetTexte(146), QStringLiteral("Juge 1"));
    EXPECT_TRUE(d.GetTexte(141).isEmpty());

    d.SelectionnePage(2);
    Frappe(d.Edit(141), QStringLiteral("Lefèvre"));
    d.Bouton(150)->click();
    d.Bouton(153)->click();
    EXPECT_EQ(concours.NbJugesSaisis(), 2);
    EXPECT_EQ(d.GetTexte(146), QStringLiteral("Juge 2"));
    EXPECT_TRUE(d.GetTexte(141).isEmpty());
    EXPECT_STREQ(concours.GetJuge(1).GetNom(), "Lef\xe8vre");
    EXPECT_EQ(concours.GetJuge(1).GetGrade(), 2);

    d.Bouton(152)->click();
    EXPECT_EQ(d.GetTexte(141), QStringLiteral("Lefèvre"));
    EXPECT_TRUE(d.EstCoche(150));
    EXPECT_FALSE(d.EstCoche(149) || d.EstCoche(151));
}

TEST_F(ConcoursDlgTest, tabsShowOnlyTheControlsOfTheirPage)
{
    TConcoursDlg d(&fenetre, concours, VOLS);
    d.show();
    QTabBar* onglets = d.Onglets(101);
    ASSERT_EQ(onglets->count(), 5);
    EXPECT_EQ(onglets->tabText(0), QStringLiteral("Caractéristiques"));
    EXPECT_EQ(onglets->tabText(4), QStringLiteral("Déroulement"));
    EXPECT_EQ(d.Page(), 0);
    EXPECT_TRUE(d.Edit(103)->isVisible());
    EXPECT_FALSE(d.Edit(141)->isVisible());
    EXPECT_FALSE(d.Edit(141)->isEnabled());

    onglets->setCurrentIndex(3);
    EXPECT_FALSE(d.Edit(103)->isVisible());
    EXPECT_FALSE(d.Edit(103)->isEnabled());
    for (int id : {125, 126, 138, 140})
        EXPECT_TRUE(d.Controle(id)->isVisible()) << id;
    EXPECT_TRUE(d.Bouton(1)->isVisible());

    QApplication::setActiveWindow(&d);
    QTest::keyClick(d.Liste(126), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(d.Page(), 4);
    QTest::keyClick(d.Edit(177), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(d.Page(), 3);
}

TEST_F(ConcoursDlgTest, judgePagingStopsAtFiveAndAtTheFirst)
{
    TConcoursDlg d(&fenetre, concours, VOLS);
    d.show();
    d.SelectionnePage(2);
    d.Bouton(152)->click();
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_EQ(repondeur.Messages()[0].Texte, QStringLiteral("Vous êtes sur le premier juge !"));
    EXPECT_EQ(repondeur.Messages()[0].Titre, QStringLiteral("Information"));

    for (int i = 0; i < 4; ++i)
        d.Bouton(153)->click();
    EXPECT_EQ(d.JugeCourant(), 5);
    EXPECT_EQ(concours.NbJugesSaisis(), 5);
    Frappe(d.Edit(141), QStringLiteral("Cinquième"));
    d.Bouton(153)->click();
    ASSERT_EQ(repondeur.Messages().size(), 2u);
    EXPECT_EQ(repondeur.Messages()[1].Texte,
              QStringLiteral("Vous ne pouvez saisir que cinq juges !"));
    EXPECT_EQ(d.JugeCourant(), 5);
    EXPECT_EQ(concours.NbJugesSaisis(), 5);
    EXPECT_EQ(d.GetTexte(141), QStringLiteral("Cinquième"));
}

TEST_F(ConcoursDlgTest, okWritesEveryPage)
{
    concours.SetProgrammeVol("F3A_P27.txt", 0);
    TConcoursDlg d(&fenetre, concours, VOLS);
    d.show();
    EXPECT_EQ(Items(d, 126),
              QStringList({"F3A_F27.txt", "F3A_P27.txt", "F3C_P27.txt", "VGM_2026.txt"}));
    EXPECT_EQ(d.GetTexte(126), QStringLiteral("F3A_P27.txt"));
    EXPECT_EQ(d.GetSelection(133), -1);

    Frappe(d.Edit(103), QStringLiteral("Coupe d'été 2026, finale"));
    Frappe(d.Edit(107), QStringLiteral("Ain (01)"));
    Frappe(d.Edit(108), QStringLiteral("0412"));
    d.Edit(111)->clear();
    Frappe(d.Edit(111), QStringLiteral("31/12/2000"));
    d.SetSelection(123, 2);
    d.SetSelection(121, 1);
    d.SetSelection(117, 1);
    d.SetSelection(116, 6);
    d.SetSelection(133, 0);
    d.SelectionnePage(1);
    Frappe(d.Edit(156), QStringLiteral("Hélène Dupré"));
    Frappe(d.Edit(180), QStringLiteral("Noël, Ægir/Œdipe (CD)"));
    d.SelectionnePage(4);
    Frappe(d.Edit(169), QStringLiteral("Vent 20 km/h, 25 °C"));
    d.SelectionnePage(2);
    Frappe(d.Edit(141), QStringLiteral("Ñúñez,"));
    EXPECT_EQ(d.Indication(),
              QStringLiteral("Le caractère « , » n'est pas accepté dans ce champ."));
    Frappe(d.Edit(141), QStringLiteral(" Ÿves"));
    Frappe(d.Edit(143), QStringLiteral("12a34"));
    d.Bouton(151)->click();
    d.Bouton(1)->click();

    EXPECT_EQ(d.result(), IDOK);
    EXPECT_STREQ(concours.GetTitre(), "Coupe d'\xe9t\xe9 2026, finale");
    EXPECT_STREQ(concours.GetDepartement(), "Ain (01)");
    EXPECT_STREQ(concours.GetNumAffiliation(), "041");
    EXPECT_STREQ(concours.GetDateDebut(), "31/12/2000");
    EXPECT_EQ(concours.GetDateDebutDate().GetAnnee(), 2000);
    EXPECT_STREQ(concours.GetCategorie(), "VGM");
    EXPECT_STREQ(concours.GetSerie(), "1 1/2");
    EXPECT_EQ(concours.GetNbJuges(), 4);
    EXPECT_EQ(concours.GetNbVols(), 7);
    EXPECT_STREQ(concours.GetProgrammeVol(0), "F3A_P27.txt");
    EXPECT_STREQ(concours.GetProgrammeVol(1), "F3A_F27.txt");
    EXPECT_STREQ(concours.GetDirecteur(), "H\xe9l\xe8ne Dupr\xe9");
    EXPECT_STREQ(concours.GetCommissaires(), "No\xebl, \xc6gir/\x8c"
                                             "dipe (CD)");
    EXPECT_STREQ(concours.GetJuge(1).GetNom(), "\xd1\xfa\xf1"
                                               "ez \x9fves");
    EXPECT_STREQ(concours.GetConditionsMeteo(), "Vent 20 km/h, 25 \xb0"
                                                "C");
    EXPECT_STREQ(concours.GetJuge(1).GetLicence(), "1234");
    EXPECT_EQ(concours.GetJuge(1).GetGrade(), 3);
}

TEST_F(ConcoursDlgTest, reportTextsHoldWhatTheFileStores)
{
    TConcoursDlg d(&fenetre, concours, VOLS);
    d.show();
    d.SelectionnePage(4);
    d.Edit(167)->insert(QString(303, u'a'));
    EXPECT_EQ(d.GetTexte(167).size(), 254);
    EXPECT_EQ(
        d.Indication(),
        QStringLiteral("Le texte collé a été coupé : ce champ garde 254 caractères au plus."));
    // Accents written apart (as some systems paste them) take one character each, as stored.
    QString meteo = QStringLiteral("Soleil ☀\uFE0F ");
    for (int i = 0; i < 120; ++i)
        meteo += QStringLiteral("e\u0301");
    d.Edit(169)->insert(meteo);
    EXPECT_TRUE(d.Indication().contains(QStringLiteral("« ☀ »")));
    d.Bouton(1)->click();
    EXPECT_EQ(d.result(), IDOK);
    EXPECT_EQ(std::string(concours.GetHoraires()), std::string(254, 'a'));
    EXPECT_EQ(std::string(concours.GetConditionsMeteo()), "Soleil  " + std::string(120, '\xe9'));
}

TEST_F(ConcoursDlgTest, programmeThatNoLongerExistsKeepsItsName)
{
    concours.SetProgrammeVol("Ancien_P23.txt", 2);
    concours.SetProgrammeVol("f3a_f27.TXT", 3);
    TConcoursDlg d(&fenetre, concours, VOLS);
    d.show();
    EXPECT_EQ(d.GetSelection(134), -1);
    EXPECT_EQ(d.GetTexte(135), QStringLiteral("F3A_F27.txt")); // case ignored
    d.Bouton(1)->click();
    EXPECT_STREQ(concours.GetProgrammeVol(2), "Ancien_P23.txt");
    EXPECT_STREQ(concours.GetProgrammeVol(3), "F3A_F27.txt");
}

TEST_F(ConcoursDlgTest, missingProgrammesDirectoryLeavesTheListsEmpty)
{
    concours.SetProgrammeVol("F3A_P27.txt", 0);
    TConcoursDlg d(&fenetre, concours, "/nonexistent/Vols");
    d.show();
    EXPECT_EQ(d.Liste(126)->count(), 0);
    d.Bouton(1)->click();
    EXPECT_STREQ(concours.GetProgrammeVol(0), "F3A_P27.txt");
}

TEST_F(ConcoursDlgTest, incompleteDateKeepsTheDialogOpenOnItsPage)
{
    TConcoursDlg d(&fenetre, concours, VOLS);
    d.show();
    Frappe(d.Edit(103), QStringLiteral("Titre"));
    d.Edit(112)->clear();
    Frappe(d.Edit(112), QStringLiteral("12/0"));
    d.SelectionnePage(3);
    d.Bouton(1)->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.Page(), 0);
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_TRUE(repondeur.Messages()[0].Texte.contains(QStringLiteral("« Date de fin »")));
    EXPECT_STREQ(concours.GetTitre(), "");
}

TEST_F(ConcoursDlgTest, storedTextsOutsideTheFiltersPassUntouched)
{
    ASSERT_TRUE(OuvreConcours(concours, TAVO_DATA_DIR "/Concours/demo.ccr"));
    const std::string avant = concours.Ecrit();
    TConcoursDlg d(&fenetre, concours, VOLS);
    d.show();
    EXPECT_EQ(d.GetTexte(104), QStringLiteral("Terrain des Grands Prés, Cluny"));
    EXPECT_EQ(d.GetTexte(121), QStringLiteral("2"));
    EXPECT_EQ(d.GetTexte(117), QStringLiteral("5"));
    EXPECT_EQ(d.GetTexte(116), QStringLiteral("6"));
    EXPECT_EQ(d.GetTexte(138), QString());
    d.Bouton(1)->click();
    EXPECT_EQ(d.result(), IDOK);
    EXPECT_TRUE(repondeur.Messages().empty());
    EXPECT_EQ(concours.Ecrit(), avant);
}

TEST_F(ConcoursDlgTest, cancelKeepsOnlyTheJudgesAlreadyWritten)
{
    TConcoursDlg d(&fenetre, concours, VOLS);
    d.show();
    Frappe(d.Edit(103), QStringLiteral("Jamais écrit"));
    d.SelectionnePage(2);
    Frappe(d.Edit(141), QStringLiteral("Martin"));
    d.Bouton(153)->click();
    Frappe(d.Edit(141), QStringLiteral("Perdu"));
    d.Bouton(2)->click();
    EXPECT_EQ(d.result(), IDCANCEL);
    EXPECT_STREQ(concours.GetTitre(), "");
    EXPECT_EQ(concours.NbJugesSaisis(), 2);
    EXPECT_STREQ(concours.GetJuge(1).GetNom(), "Martin");
    EXPECT_STREQ(concours.GetJuge(2).GetNom(), "");
}
