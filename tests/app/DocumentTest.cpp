// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DialoguesSaisie.h"
#include "app/ListePilotes.h"
#include "app/Menu.h"
#include "model/Fichier.h"
#include "platform/Chaines.h"
#include "support/Fenetre.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>

using namespace tavo;

namespace {

const QString INTROUVABLE = QStringLiteral("/nonexistent/dossier/concours.ccr");

} // namespace

class DocumentTest : public FenetreTest
{
protected:
    /** Opens the demo competition through the dialog. */
    QString OuvreDemo()
    {
        const QString chemin = CopieDemo();
        repondeur.Choisit(chemin);
        Execute(CM_OUVRIR);
        repondeur.Oublie();
        return chemin;
    }
    void Modifie()
    {
        fenetre->GetConcours().SetTitre("Titre changé");
        fenetre->GetDocument().MarqueModifie();
    }
    QString TitreConcours() const { return QString::fromUtf8(fenetre->GetConcours().GetTitre()); }
    const TRepondeurScripte::Message& DernierMessage() const { return repondeur.Messages().back(); }
};

TEST_F(DocumentTest, openShowsTheFileInTheCaptionAndTheCharacteristics)
{
    Execute(CM_JUGES);
    const QString chemin = CopieDemo();
    repondeur.Choisit(chemin);
    Execute(CM_OUVRIR);
    ASSERT_EQ(repondeur.Dialogues().size(), 1u);
    EXPECT_FALSE(repondeur.Dialogues()[0].Enregistrement);
    EXPECT_EQ(repondeur.Dialogues()[0].Donnees.RepertoireInitial,
              depart.filePath(QStringLiteral("Concours")));
    EXPECT_EQ(Titre(), QStringLiteral("Tavo 2000 - [%1]").arg(chemin));
    EXPECT_EQ(fenetre->GetConcours().NbPilotes(), 15);
    EXPECT_EQ(fenetre->GetVue(), 0);
    EXPECT_FALSE(fenetre->GetDocument().SansNom());
    EXPECT_FALSE(fenetre->GetDocument().Modifie());
    EXPECT_TRUE(repondeur.Messages().empty());
}

TEST_F(DocumentTest, refusedOpenKeepsTheCompetitionCaptionFlagsAndFileName)
{
    const QString demo = OuvreDemo();
    Modifie();
    Execute(CM_LISTE_PILOTES);
    const QString abime = depart.filePath(QStringLiteral("Concours/abime.ccr"));
    QFile f(abime);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Titre\r\nLieu\r\n");
    f.close();

    repondeur.Repond(IDNO); // do not save the changes first
    repondeur.Choisit(abime);
    Execute(CM_OUVRIR);
    EXPECT_TRUE(DernierMessage().Texte.startsWith(QStringLiteral("Incapable d'ouvrir le fichier")));
    EXPECT_TRUE(DernierMessage().Texte.contains(QStringLiteral("incomplet")));
    EXPECT_EQ(DernierMessage().Titre, QStringLiteral("Tavo 2000"));
    EXPECT_EQ(DernierMessage().Type, unsigned(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(TitreConcours(), QStringLiteral("Titre changé"));
    EXPECT_EQ(fenetre->GetConcours().NbPilotes(), 15);
    EXPECT_EQ(Titre(), QStringLiteral("Tavo 2000 - [%1]").arg(demo));
    EXPECT_TRUE(fenetre->GetDocument().Modifie());
    EXPECT_FALSE(fenetre->GetDocument().SansNom());
    EXPECT_EQ(fenetre->GetVue(), 0);
    EXPECT_EQ(fenetre->GetListeVue(), nullptr);

    // A later save writes the competition's own file, never the refused one.
    Execute(CM_ENREGISTRER);
    EXPECT_FALSE(fenetre->GetDocument().Modifie());
    TConcours relu;
    ASSERT_TRUE(OuvreConcours(relu, demo.toStdString()));
    EXPECT_STREQ(relu.GetTitre(), "Titre changé");
    EXPECT_EQ(QFile(abime).size(), 13);
}

TEST_F(DocumentTest, missingFileGivesTheShortMessage)
{
    repondeur.Choisit(INTROUVABLE);
    Execute(CM_OUVRIR);
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_EQ(DernierMessage().Texte, QStringLiteral("Incapable d'ouvrir le fichier"));
    EXPECT_EQ(Titre(), QStringLiteral("Tavo 2000 - [sans nom]"));
    EXPECT_TRUE(fenetre->GetDocument().SansNom());
}

TEST_F(DocumentTest, newAfterChangesAsksAndCancelChangesNothing)
{
    OuvreDemo();
    Modifie();
    repondeur.Repond(IDCANCEL);
    Execute(CM_NOUVEAU);
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_EQ(DernierMessage().Texte,
              QStringLiteral("Voulez-vous enregistrer les modifications ?"));
    EXPECT_EQ(DernierMessage().Titre, QStringLiteral("Tavo 2000"));
    EXPECT_EQ(DernierMessage().Type, unsigned(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(TitreConcours(), QStringLiteral("Titre changé"));
    EXPECT_TRUE(fenetre->GetDocument().Modifie());

    repondeur.Repond(IDNO);
    Execute(CM_NOUVEAU);
    EXPECT_EQ(fenetre->GetConcours().NbPilotes(), 0);
    EXPECT_FALSE(fenetre->GetDocument().Modifie());
    EXPECT_TRUE(fenetre->GetDocument().SansNom());
    EXPECT_EQ(Titre(), QStringLiteral("Tavo 2000 - [sans nom]"));
}

TEST_F(DocumentTest, firstSaveAsksForANameInTheCompetitionsDirectory)
{
    Modifie();
    const QString chemin = depart.filePath(QStringLiteral("Concours/cluny.ccr"));
    repondeur.Choisit(chemin);
    Execute(CM_ENREGISTRER);
    ASSERT_EQ(repondeur.Dialogues().size(), 1u);
    const TDonneesFichier& donnees = repondeur.Dialogues()[0].Donnees;
    EXPECT_TRUE(repondeur.Dialogues()[0].Enregistrement);
    EXPECT_EQ(donnees.NomFichier, QStringLiteral("sans_nom.ccr"));
    EXPECT_EQ(donnees.RepertoireInitial, depart.filePath(QStringLiteral("Concours")));
    EXPECT_EQ(Titre(), QStringLiteral("Tavo 2000 - [%1]").arg(chemin));
    EXPECT_FALSE(fenetre->GetDocument().Modifie());
    EXPECT_FALSE(fenetre->GetDocument().SansNom());
    TConcours relu;
    ASSERT_TRUE(OuvreConcours(relu, chemin.toStdString()));
    EXPECT_STREQ(relu.GetTitre(), "Titre changé");

    // Named now: the next save writes without asking.
    Modifie();
    Execute(CM_ENREGISTRER);
    EXPECT_EQ(repondeur.Dialogues().size(), 1u);
    EXPECT_FALSE(fenetre->GetDocument().Modifie());
}

TEST_F(DocumentTest, failedSaveAsKeepsTheLastGoodFileNameAndCaption)
{
    const QString demo = OuvreDemo();
    Modifie();
    repondeur.Choisit(INTROUVABLE);
    Execute(CM_ENREGISTRER_SOUS);
    ASSERT_EQ(repondeur.Dialogues().size(), 1u);
    EXPECT_EQ(repondeur.Dialogues()[0].Donnees.NomFichier, demo);
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_TRUE(DernierMessage().Texte.startsWith(QStringLiteral("Incapable d'ouvrir le fichier")));
    EXPECT_EQ(DernierMessage().Titre, QStringLiteral("Tavo2000"));
    EXPECT_EQ(DernierMessage().Type, unsigned(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(Titre(), QStringLiteral("Tavo 2000 - [%1]").arg(demo));
    EXPECT_EQ(fenetre->GetDonneesFichier().NomFichier, demo);
    EXPECT_TRUE(fenetre->GetDocument().Modifie());

    Execute(CM_ENREGISTRER);
    EXPECT_FALSE(fenetre->GetDocument().Modifie());
    TConcours relu;
    ASSERT_TRUE(OuvreConcours(relu, demo.toStdString()));
    EXPECT_STREQ(relu.GetTitre(), "Titre changé");
}

TEST_F(DocumentTest, failedSaveKeepsTheChangesMarked)
{
    fenetre->OuvreFichier(CopieDemo());
    Modifie();
    fenetre->GetDonneesFichier().NomFichier = INTROUVABLE;
    Execute(CM_ENREGISTRER);
    EXPECT_EQ(DernierMessage().Titre, QStringLiteral("Tavo2000"));
    EXPECT_TRUE(fenetre->GetDocument().Modifie());
    EXPECT_EQ(TitreConcours(), QStringLiteral("Titre changé"));
}

TEST_F(DocumentTest, quittingWithChangesAndACancelledSaveKeepsTheProgramOpen)
{
    Modifie();
    repondeur.Repond(IDYES);
    repondeur.Choisit(std::nullopt);
    Execute(CM_QUITTER);
    ASSERT_EQ(repondeur.Dialogues().size(), 1u);
    EXPECT_EQ(repondeur.Dialogues()[0].Donnees.NomFichier, QStringLiteral("sans_nom.ccr"));
    EXPECT_TRUE(cadre->isVisible());
    EXPECT_TRUE(fenetre->GetDocument().Modifie());

    // Yes and a save that works: the program closes.
    const QString chemin = depart.filePath(QStringLiteral("Concours/fin.ccr"));
    repondeur.Repond(IDYES);
    repondeur.Choisit(chemin);
    Execute(CM_QUITTER);
    EXPECT_FALSE(cadre->isVisible());
    EXPECT_TRUE(QFile::exists(chemin));
}

TEST_F(DocumentTest, failedSaveAfterYesStopsNewAndOpen)
{
    fenetre->OuvreFichier(CopieDemo());
    Modifie();
    fenetre->GetDonneesFichier().NomFichier = INTROUVABLE;
    repondeur.Repond(IDYES);
    Execute(CM_NOUVEAU);
    EXPECT_EQ(TitreConcours(), QStringLiteral("Titre changé"));
    repondeur.Repond(IDYES);
    Execute(CM_OUVRIR);
    EXPECT_EQ(repondeur.Dialogues().size(), 0u); // the open dialog never came
    EXPECT_EQ(TitreConcours(), QStringLiteral("Titre changé"));
}

TEST_F(DocumentTest, quittingWithoutSavingLosesNothingOnDisk)
{
    const QString demo = OuvreDemo();
    Modifie();
    repondeur.Repond(IDNO);
    EXPECT_TRUE(cadre->close());
    TConcours relu;
    ASSERT_TRUE(OuvreConcours(relu, demo.toStdString()));
    EXPECT_STRNE(relu.GetTitre(), "Titre changé");
}

TEST_F(DocumentTest, confirmedCompetitionDialogMarksChangesAndSavesWhenAutomatic)
{
    std::string repertoire;
    fenetre->GetDialoguesSaisie().Concours = [&](QWidget*, TConcours& c, const std::string& rep) {
        c.SetTitre("Nouveau titre");
        repertoire = rep;
        return int(IDOK);
    };
    const QString demo = OuvreDemo();
    Execute(CM_INFORMATIONS);
    EXPECT_TRUE(fenetre->GetDocument().Modifie());
    EXPECT_EQ(repertoire, fenetre->GetOptions().GetRepProgrammes());

    fenetre->GetOptions().SetSauvegardeAuto(1);
    Execute(CM_INFORMATIONS);
    EXPECT_FALSE(fenetre->GetDocument().Modifie());
    TConcours relu;
    ASSERT_TRUE(OuvreConcours(relu, demo.toStdString()));
    EXPECT_STREQ(relu.GetTitre(), "Nouveau titre");

    fenetre->GetDialoguesSaisie().Concours = [](QWidget*, TConcours&, const std::string&) {
        return int(IDCANCEL);
    };
    Execute(CM_INFORMATIONS);
    EXPECT_FALSE(fenetre->GetDocument().Modifie());
}

TEST_F(DocumentTest, confirmedPilotDialogRefreshesTheListInItsOrder)
{
    fenetre->GetDialoguesSaisie().Pilotes = [](QWidget*, TConcours& c) {
        c.AjoutePilote();
        TPilote p;
        p.SetDossard("0");
        p.SetNom("Zéro");
        c.SetPilote(p, c.NbPilotes());
        return int(IDOK);
    };
    OuvreDemo();
    Execute(CM_LISTE_PILOTES);
    fenetre->GetListeVue()->header()->sectionClicked(0);
    Execute(CM_PILOTES);
    EXPECT_TRUE(fenetre->GetDocument().Modifie());
    ASSERT_EQ(fenetre->GetListeVue()->model()->rowCount(), 16);
    EXPECT_EQ(fenetre->GetListeVue()->Texte(0, 0), QStringLiteral("0"));
    EXPECT_EQ(fenetre->GetLargeurVue(), 0);
}

TEST_F(DocumentTest, confirmedOptionsAreWrittenWithoutMarkingTheCompetition)
{
    fenetre->GetDialoguesSaisie().Options = [](QWidget*, TOption& o) {
        o.SetTBL(1);
        return int(IDOK);
    };
    Execute(CM_OPTIONS);
    EXPECT_FALSE(fenetre->GetDocument().Modifie());
    TOption relues(depart.path().toStdString());
    relues.Charge(depart.path().toStdString());
    EXPECT_EQ(relues.GetTBL(), 1);
}

TEST_F(DocumentTest, missingDialogSaysSoAndChangesNothing)
{
    fenetre->GetDialoguesSaisie() = TDialoguesSaisie{};
    Execute(CM_INFORMATIONS);
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_EQ(repondeur.Messages()[0].Texte,
              QStringLiteral("Cette commande n'est pas disponible dans cette version."));
    EXPECT_FALSE(fenetre->GetDocument().Modifie());
}

TEST_F(DocumentTest, accentedStartDirectoryReachesTheFileDialogsIntact)
{
    const QString accents = depart.filePath(QStringLiteral("Résultats été"));
    ASSERT_TRUE(QDir().mkpath(accents));
    QFile(accents + QStringLiteral("/tavo.ini")).open(QIODevice::WriteOnly);
    QDir::setCurrent(accents);
    TTavoWindow seule;
    repondeur.Attache(&seule);
    QDir::setCurrent(depart.path());
    seule.CmOuvrir(); // nothing scripted: the dialog is cancelled
    seule.CmEnregistrerSous();
    ASSERT_EQ(repondeur.Dialogues().size(), 2u);
    EXPECT_EQ(repondeur.Dialogues()[0].Donnees.RepertoireInitial,
              accents + QStringLiteral("/Concours"));
    EXPECT_EQ(repondeur.Dialogues()[1].Donnees.RepertoireInitial,
              accents + QStringLiteral("/Concours"));
}

TEST_F(DocumentTest, publishingAsksTheFolderOnceKeepsItAndTellsAFailure)
{
    ASSERT_TRUE(fenetre->OuvreFichier(CopieDemo()));
    const QString site = depart.filePath(QStringLiteral("site"));
    repondeur.Choisit(site);
    Execute(CM_PUBLIER);
    Execute(CM_PUBLIER);
    EXPECT_EQ(repondeur.Dialogues().size(), 1u);
    EXPECT_TRUE(QFile::exists(site + QStringLiteral("/index.html")));
    ASSERT_EQ(repondeur.Messages().size(), 2u);
    EXPECT_TRUE(repondeur.Messages()[0].Texte.startsWith(
        QStringLiteral("Les résultats sont publiés dans « ") + site));
    TOption relues(depart.path().toStdString());
    relues.Charge(depart.path().toStdString());
    EXPECT_EQ(QString::fromUtf8(relues.GetRepPublication()), site);
    EXPECT_FALSE(fenetre->GetDocument().Modifie());

    // A file where the folder should be: said, and nothing else changes.
    const QString fichier = depart.filePath(QStringLiteral("Concours/demo.ccr"));
    fenetre->GetOptions().SetRepPublication(tavo::CheminNatif(fichier).c_str());
    repondeur.Oublie();
    Execute(CM_PUBLIER);
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_TRUE(repondeur.Messages()[0].Texte.startsWith(
        QStringLiteral("Les résultats n'ont pas été publiés")));
    EXPECT_EQ(repondeur.Messages()[0].Type, unsigned(MB_OK | MB_ICONEXCLAMATION));
}

// Started from the desktop's menu, in a folder without "tavo.ini": the user's own folders.
TEST_F(DocumentTest, startedElsewhereTheProgramKeepsItsFilesInTheUsersFolders)
{
    const QString maison = depart.filePath(QStringLiteral("maison"));
    ASSERT_TRUE(QDir().mkpath(maison));
    QDir::setCurrent(maison);
    cadre.reset(TTavoApp::CreeCadre(fenetre));
    repondeur.Attache(cadre.get());
    QDir::setCurrent(depart.path());
    const QString donnees = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/tavo");
    EXPECT_EQ(fenetre->GetRepertoireDepart(), donnees);
    EXPECT_EQ(QString::fromUtf8(fenetre->GetOptions().GetRepProgrammes()),
              donnees + QStringLiteral("/Vols"));
    EXPECT_TRUE(QFileInfo(donnees + QStringLiteral("/Concours")).isDir());
    fenetre->GetDialoguesSaisie().Options = [](QWidget*, TOption&) { return int(IDOK); };
    Execute(CM_OPTIONS);
    EXPECT_TRUE(
        QFile::exists(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/tavo/tavo.ini")));
    EXPECT_TRUE(QDir(maison).isEmpty());
}

// A ".ccr" dropped on the window opens as "Ouvrir" would, after the same question; other
// files are not taken.
TEST_F(DocumentTest, aDroppedCompetitionFileOpensAfterTheSaveQuestion)
{
    auto depose = [this](const QString& chemin) {
        QMimeData donnees;
        donnees.setUrls({QUrl::fromLocalFile(chemin)});
        const QPoint point(10, 10);
        QDragEnterEvent entree(point, Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(fenetre->viewport(), &entree);
        if (!entree.isAccepted())
            return false;
        QDropEvent depot(QPointF(point), Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(fenetre->viewport(), &depot);
        return true;
    };
    const QString chemin = CopieDemo();
    EXPECT_FALSE(depose(depart.filePath(QStringLiteral("Vols/F3A_P27.txt"))));
    Modifie();
    repondeur.Repond(IDCANCEL);
    EXPECT_TRUE(depose(chemin));
    EXPECT_EQ(TitreConcours(), QStringLiteral("Titre changé"));
    repondeur.Repond(IDNO);
    EXPECT_TRUE(depose(chemin));
    EXPECT_EQ(Titre(), QStringLiteral("Tavo 2000 - [%1]").arg(chemin));
    EXPECT_EQ(fenetre->GetConcours().NbPilotes(), 15);
}

// Opened and saved competitions come first in the "Concours" menu, the latest on top, six at
// most; one that can no longer be read leaves the list.
TEST_F(DocumentTest, recentCompetitionsAreOfferedBeforeQuitter)
{
    QStringList chemins;
    for (int i = 0; i < 7; ++i) {
        chemins << depart.filePath(QStringLiteral("c%1.ccr").arg(i));
        QFile::copy(CopieDemo(), chemins.back());
        EXPECT_TRUE(fenetre->OuvreFichier(chemins.back()));
    }
    ASSERT_EQ(fenetre->FichiersRecents().size(), NB_RECENTS);
    EXPECT_EQ(fenetre->FichiersRecents().front(), chemins[6]);
    QAction* premier = cadre->Action(CM_RECENT_1);
    EXPECT_TRUE(premier->isVisible());
    EXPECT_EQ(premier->text(), QStringLiteral("&1 %1").arg(chemins[6]));
    EXPECT_EQ(cadre->Action(CM_RECENT_1 + 5)->text(), QStringLiteral("&6 %1").arg(chemins[1]));
    const QList<QAction*> items = cadre->menuBar()->actions().front()->menu()->actions();
    ASSERT_GE(items.size(), 3);
    EXPECT_TRUE(items[items.size() - 2]->isSeparator());
    EXPECT_EQ(items[items.size() - 3], cadre->Action(CM_RECENT_1 + 5));

    Execute(CM_RECENT_1 + 2); // c4
    EXPECT_EQ(Titre(), QStringLiteral("Tavo 2000 - [%1]").arg(chemins[4]));
    EXPECT_EQ(fenetre->FichiersRecents().front(), chemins[4]);

    QFile::remove(chemins[5]);
    Execute(CM_RECENT_1 + 2); // c5 (c4, c6, c5...), gone
    EXPECT_FALSE(fenetre->FichiersRecents().contains(chemins[5]));
}
