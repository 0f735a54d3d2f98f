// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DialoguesSaisie.h"
#include "app/ListePilotes.h"
#include "app/Menu.h"
#include "app/TAProposDlg.h"
#include "support/Fenetre.h"

#include <QAction>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using namespace tavo;

namespace {

void ajoutePilote(TConcours& concours, const char* dossard, const char* nom,
                  const char* club = "Club")
{
    concours.AjoutePilote();
    TPilote p;
    p.SetDossard(dossard);
    p.SetNom(nom);
    p.SetPrenom("Prénom");
    p.SetClub(club);
    concours.SetPilote(p, concours.NbPilotes());
}

QStringList colonne(const TListePilotes& liste, int c)
{
    QStringList textes;
    for (int i = 0; i < liste.model()->rowCount(); ++i)
        textes << liste.Texte(i, c);
    return textes;
}

} // namespace

class TTavoWindowTest : public FenetreTest
{
protected:
    void Categorie(const char* categorie, const char* serie)
    {
        fenetre->GetConcours().SetCategorie(categorie);
        fenetre->GetConcours().SetSerie(serie);
        cadre->ActualiseCommandes();
    }
    bool Actif(int id) const { return cadre->Action(id)->isEnabled(); }
    /** Enabled state of fly-offs 1 to 4, on screen and printed alike. */
    std::vector<bool> FlyOffs() const
    {
        std::vector<bool> etats;
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(Actif(CM_FLYOFF_1 + k), Actif(CM_IMP_FLYOFF_1 + k)) << k;
            etats.push_back(Actif(CM_FLYOFF_1 + k));
        }
        return etats;
    }
    TListePilotes* Liste() const { return fenetre->GetListeVue(); }
};

TEST_F(TTavoWindowTest, startsOnTheCharacteristicsOfAnEmptyUnnamedCompetition)
{
    EXPECT_EQ(Titre(), QStringLiteral("Tavo 2000 - [sans nom]"));
    EXPECT_EQ(fenetre->GetVue(), 0);
    EXPECT_TRUE(fenetre->GetDocument().SansNom());
    EXPECT_FALSE(fenetre->GetDocument().Modifie());
    EXPECT_FALSE(fenetre->GetTriDossard() || fenetre->GetTriNom());
    EXPECT_EQ(fenetre->GetConcours().NbPilotes(), 0);
    EXPECT_EQ(fenetre->GetRepertoireDepart(), QDir::currentPath());
    // An empty options file: the defaults, with the directories under the start-up directory.
    EXPECT_EQ(QString::fromUtf8(fenetre->GetOptions().GetRepConcours()),
              QDir::currentPath() + QStringLiteral("/Concours"));
    EXPECT_EQ(fenetre->GetDonneesFichier().Filtre, QStringLiteral("Fichiers Tavo (*.CCR)|*.ccr|"));
    EXPECT_EQ(fenetre->GetDonneesFichier().ExtensionDefaut, QStringLiteral("CCR"));
    EXPECT_EQ(fenetre->GetDonneesFichier().Flags, unsigned(OFN_HIDEREADONLY | OFN_FILEMUSTEXIST));
    EXPECT_EQ(fenetre->GetScroller().XUnit(), 17);
    EXPECT_EQ(fenetre->GetScroller().YRange(), 0);
    EXPECT_EQ(fenetre->viewport()->palette().color(QPalette::Window), QColor(0, 0, 255));
    EXPECT_TRUE(Actif(CM_NOUVEAU) && Actif(CM_NOTES) && Actif(CM_IMP_PROCES_VERBAL));
}

TEST_F(TTavoWindowTest, captionNamesTheFileOnlyOnceTheWindowIsInAFrame)
{
    TTavoWindow seule;
    seule.SetCaption(QStringLiteral("/tmp/x.ccr"));
    EXPECT_TRUE(seule.windowTitle().isEmpty());
    fenetre->SetCaption(QStringLiteral("/tmp/x.ccr"));
    EXPECT_EQ(Titre(), QStringLiteral("Tavo 2000 - [/tmp/x.ccr]"));
    fenetre->SetCaption({});
    EXPECT_EQ(Titre(), QStringLiteral("Tavo 2000 - [sans nom]"));
}

TEST_F(TTavoWindowTest, unpreparedViewSaysWhyAndKeepsTheCurrentView)
{
    Execute(CM_JUGES);
    fenetre->EchecVue(QStringLiteral("Au moins un programme de vol n'a pas été trouvé"));
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_EQ(repondeur.Messages()[0].Titre, QStringLiteral("Tavo 2000"));
    EXPECT_EQ(repondeur.Messages()[0].Type, unsigned(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(fenetre->GetVue(), 1);
}

TEST_F(TTavoWindowTest, optionsFileOfTheStartDirectoryIsRead)
{
    QFile ini(depart.filePath(QStringLiteral("tavo.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("1\r\n0\r\n0\r\n1\r\n0\r\n/srv/concours\r\n/srv/vols\r\n");
    ini.close();
    TTavoWindow autre;
    EXPECT_EQ(autre.GetOptions().GetSauvegardeAuto(), 1);
    EXPECT_EQ(autre.GetOptions().GetMiseEnPageAuto(), 0);
    EXPECT_STREQ(autre.GetOptions().GetRepConcours(), "/srv/concours");
}

TEST_F(TTavoWindowTest, flyOffCommandsFollowCategoryAndSeries)
{
    Categorie("F3A", "1");
    EXPECT_EQ(FlyOffs(), (std::vector<bool>{false, false, false, false}));
    Categorie("F3A", "1 1/2");
    EXPECT_EQ(FlyOffs(), (std::vector<bool>{false, false, false, false}));
    Categorie("F3A", "2");
    EXPECT_EQ(FlyOffs(), (std::vector<bool>{true, true, true, false}));
    Categorie("F3A", "3");
    EXPECT_EQ(FlyOffs(), (std::vector<bool>{true, true, true, true}));
    Categorie("VGM", "3");
    EXPECT_EQ(FlyOffs(), (std::vector<bool>{true, true, false, false}));
    Categorie("F3C", "1");
    EXPECT_EQ(FlyOffs(), (std::vector<bool>{true, true, true, false}));
}

TEST_F(TTavoWindowTest, diagramCommandsOfferOnlyThePanelsJudges)
{
    for (short juges : {3, 4, 5}) {
        fenetre->GetConcours().SetNbJuges(juges);
        cadre->ActualiseCommandes();
        for (int j = 1; j <= 5; ++j) {
            EXPECT_EQ(Actif(CM_DIAGRAMME_1 + j - 1), j <= juges) << juges << " " << j;
            EXPECT_EQ(Actif(CM_IMP_DIAGRAMME_1 + j - 1), j <= juges) << juges << " " << j;
        }
    }
    fenetre->GetConcours().SetNbJuges(3);
    EXPECT_FALSE(cadre->ExecuteCommande(CM_DIAGRAMME_1 + 3));
    EXPECT_EQ(fenetre->GetVue(), 0);
}

TEST_F(TTavoWindowTest, pageSetUpIsGreyedUnderAutomaticPageSetUp)
{
    fenetre->GetOptions().SetMiseEnPageAuto(1);
    cadre->ActualiseCommandes();
    EXPECT_FALSE(Actif(CM_MISE_EN_PAGE));
    fenetre->GetOptions().SetMiseEnPageAuto(0);
    for (int commande : {CM_CARACTERISTIQUES, CM_JUGES, CM_LISTE_PILOTES}) {
        Execute(commande);
        EXPECT_TRUE(Actif(CM_MISE_EN_PAGE)) << commande;
    }
}

TEST_F(TTavoWindowTest, onlyQuitAndHelpStayAvailableDuringAScoreSheet)
{
    Categorie("F3A", "3");
    fenetre->SetVue(3);
    cadre->ActualiseCommandes();
    for (int id : cadre->Commandes()) {
        const bool attendu = id == CM_QUITTER || id == CM_AIDE || id == CM_A_PROPOS;
        EXPECT_EQ(Actif(id), attendu) << id;
    }
    // A greyed command does not run, even when asked directly.
    EXPECT_FALSE(Execute(CM_CARACTERISTIQUES));
    EXPECT_EQ(fenetre->GetVue(), 3);
}

TEST_F(TTavoWindowTest, viewCommandsSwitchModesAndTheListExistsOnlyInMode2)
{
    Execute(CM_JUGES);
    EXPECT_EQ(fenetre->GetVue(), 1);
    EXPECT_EQ(Liste(), nullptr);
    Execute(CM_LISTE_PILOTES);
    EXPECT_EQ(fenetre->GetVue(), 2);
    ASSERT_NE(Liste(), nullptr);
    EXPECT_EQ(Liste()->geometry(), fenetre->viewport()->rect());
    TListePilotes* meme = Liste();
    Execute(CM_LISTE_PILOTES);
    EXPECT_EQ(Liste(), meme);
    Execute(CM_CARACTERISTIQUES);
    EXPECT_EQ(fenetre->GetVue(), 0);
    EXPECT_EQ(Liste(), nullptr);
}

TEST_F(TTavoWindowTest, pilotsListHasSevenColumnsWhiteOnBlue)
{
    ajoutePilote(fenetre->GetConcours(), "7", "Martin");
    Execute(CM_LISTE_PILOTES);
    const QStringList attendus{"Dossard", "Nom",         "Prénom",     "Club",
                               "Licence", "Fréquence 1", "Fréquence 2"};
    ASSERT_EQ(Liste()->model()->columnCount(), 7);
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(Liste()->model()->headerData(c, Qt::Horizontal).toString(), attendus[c]);
        EXPECT_EQ(Liste()->columnWidth(c), 100);
    }
    EXPECT_EQ(Liste()->palette().color(QPalette::Base), QColor(0, 0, 255));
    EXPECT_EQ(Liste()->palette().color(QPalette::Text), QColor(Qt::white));
    EXPECT_EQ(colonne(*Liste(), 1), QStringList{"Martin"});
    // Cells are looked up when drawn: a change shows without refilling.
    TPilote p = fenetre->GetConcours().GetPilote(1);
    p.SetNom("Durand");
    fenetre->GetConcours().SetPilote(p, 1);
    EXPECT_EQ(colonne(*Liste(), 1), QStringList{"Durand"});
}

TEST_F(TTavoWindowTest, sortingByBibPutsTheLetteredBibFirstAndClickingAgainRestoresTheOrder)
{
    ajoutePilote(fenetre->GetConcours(), "10", "Dix");
    ajoutePilote(fenetre->GetConcours(), "9", "Neuf");
    ajoutePilote(fenetre->GetConcours(), "AB", "Lettres");
    Execute(CM_LISTE_PILOTES);
    EXPECT_EQ(colonne(*Liste(), 0), (QStringList{"10", "9", "AB"}));
    Liste()->header()->sectionClicked(0);
    EXPECT_EQ(colonne(*Liste(), 0), (QStringList{"AB", "9", "10"}));
    EXPECT_EQ(colonne(*Liste(), 1), (QStringList{"Lettres", "Neuf", "Dix"}));
    Liste()->header()->sectionClicked(3); // "Club": no change of order, the list is refilled
    EXPECT_EQ(colonne(*Liste(), 0), (QStringList{"AB", "9", "10"}));
    Liste()->header()->sectionClicked(0);
    EXPECT_EQ(colonne(*Liste(), 0), (QStringList{"10", "9", "AB"}));
}

TEST_F(TTavoWindowTest, sortingByNamePutsCapitalsBeforeLowerCaseAndCancelsTheBibOrder)
{
    ajoutePilote(fenetre->GetConcours(), "1", "dupont");
    ajoutePilote(fenetre->GetConcours(), "2", "Zola");
    ajoutePilote(fenetre->GetConcours(), "3", "Abel");
    Execute(CM_LISTE_PILOTES);
    Liste()->header()->sectionClicked(0);
    Liste()->header()->sectionClicked(1);
    EXPECT_TRUE(fenetre->GetTriNom());
    EXPECT_FALSE(fenetre->GetTriDossard());
    EXPECT_EQ(colonne(*Liste(), 1), (QStringList{"Abel", "Zola", "dupont"}));
}

TEST_F(TTavoWindowTest, resizingTheWindowRefitsTheListAndKeepsItsOrder)
{
    ajoutePilote(fenetre->GetConcours(), "10", "Dix");
    ajoutePilote(fenetre->GetConcours(), "9", "Neuf");
    Execute(CM_LISTE_PILOTES);
    Liste()->header()->sectionClicked(0);
    cadre->resize(640, 420);
    QApplication::processEvents();
    ASSERT_NE(Liste(), nullptr);
    EXPECT_EQ(fenetre->GetVue(), 2);
    EXPECT_EQ(Liste()->geometry(), fenetre->viewport()->rect());
    EXPECT_EQ(colonne(*Liste(), 0), (QStringList{"9", "10"}));
    // The sort order stays for the whole run, across views.
    Execute(CM_JUGES);
    Execute(CM_LISTE_PILOTES);
    EXPECT_EQ(colonne(*Liste(), 0), (QStringList{"9", "10"}));
}

TEST_F(TTavoWindowTest, twoPilotsWithTheSameBibEachShowTheirOwnData)
{
    ajoutePilote(fenetre->GetConcours(), "4", "Autre", "Club C");
    ajoutePilote(fenetre->GetConcours(), "5", "Premier", "Club A");
    ajoutePilote(fenetre->GetConcours(), "5", "Second", "Club B");
    Execute(CM_LISTE_PILOTES);
    EXPECT_EQ(colonne(*Liste(), 1), (QStringList{"Autre", "Premier", "Second"}));
    EXPECT_EQ(colonne(*Liste(), 3), (QStringList{"Club C", "Club A", "Club B"}));
    Liste()->header()->sectionClicked(1);
    EXPECT_EQ(colonne(*Liste(), 1), (QStringList{"Autre", "Premier", "Second"}));
    EXPECT_EQ(colonne(*Liste(), 3), (QStringList{"Club C", "Club A", "Club B"}));
    // Deleting the first of them: the rows follow after the list is filled again.
    fenetre->GetConcours().SupprimePilote(2);
    fenetre->RemplitListe();
    EXPECT_EQ(colonne(*Liste(), 1), (QStringList{"Autre", "Second"}));
}

TEST_F(TTavoWindowTest, aPilotDeletedUnderAnOpenDialogLeavesAnEmptyRowThroughAndAfterIt)
{
    ajoutePilote(fenetre->GetConcours(), "4", "Autre");
    ajoutePilote(fenetre->GetConcours(), "5", "Premier");
    Execute(CM_LISTE_PILOTES);
    QStringList pendant;
    fenetre->GetDialoguesSaisie().Concours = [&](QWidget*, TConcours& c, const std::string&) {
        c.SupprimePilote(1);
        pendant = colonne(*Liste(), 1); // the list painted under the dialog
        return IDCANCEL;
    };
    Execute(CM_INFORMATIONS);
    EXPECT_EQ(pendant, (QStringList{"", "Premier"}));
    EXPECT_EQ(colonne(*Liste(), 1), (QStringList{"", "Premier"}));
}

TEST_F(TTavoWindowTest, scrollRangesAreInUnitsOf17PixelsRoundedUp)
{
    cadre->resize(800, 600);
    QApplication::processEvents();
    const TRect client = fenetre->GetClientRect();
    fenetre->EntreVue(4, client.Width() + 18, client.Height() + 17);
    EXPECT_EQ(fenetre->GetScroller().XRange(), 2);
    EXPECT_EQ(fenetre->GetScroller().YRange(), 1);
    fenetre->GetScroller().ScrollTo(5, 5);
    EXPECT_EQ(fenetre->GetScroller().XPos(), 2);
    EXPECT_EQ(fenetre->GetScroller().YOffset(), 17);
    // A view smaller than the window does not scroll.
    fenetre->EntreVue(5, 10, 321);
    EXPECT_EQ(fenetre->GetScroller().XRange(), 0);
    EXPECT_EQ(fenetre->GetScroller().YRange(), 0);
    EXPECT_EQ(fenetre->GetScroller().XPos(), 0);
}

TEST_F(TTavoWindowTest, aboutBoxShowsTheTitlePictureVersionAndOk)
{
    bool vu = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<TAProposDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        vu = true;
        EXPECT_EQ(dlg->windowTitle(), QStringLiteral("A propos de Tavo 2000"));
        // Wide enough for that title beside the title bar's buttons.
        EXPECT_GT(dlg->width(), QFontMetrics(QApplication::font("QMdiSubWindowTitleBar"))
                                        .horizontalAdvance(dlg->windowTitle()) +
                                    100);
        EXPECT_EQ(dlg->findChild<QLabel*>("versionLabel")->text(), QStringLiteral("Version 2.01"));
        EXPECT_EQ(dlg->findChild<QLabel*>("titreLabel")->pixmap().size(), QSize(150, 30));
        auto* ok = dlg->findChild<QPushButton*>("okButton");
        EXPECT_EQ(ok->text(), QStringLiteral("Ok"));
        ok->click();
    });
    Execute(CM_A_PROPOS);
    EXPECT_TRUE(vu);
}

TEST_F(TTavoWindowTest, helpShowsTheStartDirectoryDocumentOrTheBuiltInOne)
{
    Execute(CM_AIDE);
    auto* aide = fenetre->findChild<QTextBrowser*>(QStringLiteral("aide"));
    ASSERT_NE(aide, nullptr);
    EXPECT_TRUE(aide->isVisible());
    EXPECT_TRUE(aide->toPlainText().contains(QStringLiteral("Conduire un concours pas à pas")));

    QFile hlp(depart.filePath(QStringLiteral("Tavo.hlp")));
    ASSERT_TRUE(hlp.open(QIODevice::WriteOnly));
    hlp.write("<html><head><title>Aide locale</title></head><body>Aide du club</body></html>");
    hlp.close();
    Execute(CM_AIDE);
    EXPECT_EQ(aide->toPlainText(), QStringLiteral("Aide du club"));
    aide->close();
}

TEST_F(TTavoWindowTest, noteEntryNeedsAPilot)
{
    Execute(CM_NOTES);
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_EQ(repondeur.Messages()[0].Texte,
              QStringLiteral("Vous devez saisir au moins un pilote"));
    EXPECT_EQ(repondeur.Messages()[0].Titre, QStringLiteral("Tavo 2000"));
    EXPECT_EQ(repondeur.Messages()[0].Type, unsigned(MB_OK));
}
