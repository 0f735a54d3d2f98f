// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TTavoApp.h"

#include "app/TTavoWindow.h"
#include "document/Document.h"
#include "model/Empreinte.h"
#include "model/Fichier.h"
#include "model/Journal.h"
#include "model/Processus.h"
#include "platform/Chaines.h"
#include "platform/DecoratedFrame.h"
#include "platform/SplashWindow.h"
#include "support/Fabrique.h"
#include "support/RepondeurScripte.h"
#include "support/TestUtil.h"

#include <gtest/gtest.h>
#include <memory>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

namespace {

/** Starts the program as `tavo ARGS…` in a fresh start-up directory, without its loop. */
class Demarrage
{
public:
    Demarrage(std::vector<std::string> args, bool avecLogo, tavo::TRepondeur* repondeur = nullptr)
        : m_ancien(QDir::currentPath())
        , m_args(std::move(args))
    {
        QDir::setCurrent(m_depart.path());
        QFile(m_depart.filePath(QStringLiteral("tavo.ini"))).open(QIODevice::WriteOnly);
        if (avecLogo)
            QFile::copy(QStringLiteral(TAVO_RES_DIR "/logo.bmp"),
                        m_depart.filePath(QStringLiteral("logo.bmp")));
        m_args.insert(m_args.begin(), "tavo");
        for (std::string& a : m_args)
            m_argv.push_back(a.data());
        m_argc = static_cast<int>(m_argv.size());
        m_app = std::make_unique<TTavoApp>(m_argc, m_argv.data());
        m_app->SetRepondeur(repondeur);
        EXPECT_TRUE(m_app->Demarre());
    }
    ~Demarrage()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<tavo::TSplashWindow*>(w))
                delete w;
        m_app.reset();
        QDir::setCurrent(m_ancien);
    }
    TTavoApp& App() { return *m_app; }
    const QTemporaryDir& Depart() const { return m_depart; }

private:
    QString m_ancien;
    QTemporaryDir m_depart;
    std::vector<std::string> m_args;
    std::vector<char*> m_argv;
    int m_argc = 0;
    std::unique_ptr<TTavoApp> m_app;
};

tavo::TSplashWindow* splash()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* s = qobject_cast<tavo::TSplashWindow*>(w); s && s->isVisible())
            return s;
    return nullptr;
}

const QString RECENTS = QStringLiteral("fichiers/recents");

/**
 * A competition file of one pilot, bib 3, without marks; with `note`, a journal a crashed
 * program left beside it holding that pilot's mark 8 on flight 1, line 1, judge 1.
 */
QString ConcoursInterrompu(const QTemporaryDir& dossier, const QString& nom, bool note)
{
    TConcours c;
    c.SetNbJuges(3);
    c.SetNbVols(1);
    tavo::test::AjoutePilote(c, "Roux", "3");
    const QString chemin = dossier.filePath(nom);
    EXPECT_TRUE(tavo::EnregistreConcours(c, tavo::CheminNatif(chemin)));
    if (note) {
        QProcess fini;
        fini.start(QStringLiteral("true"), {});
        fini.waitForFinished();
        const qint64 pid = fini.processId();
        tavo::TJournal journal(
            tavo::CheminNatif(dossier.filePath(QStringLiteral(".%1.%2.journal").arg(nom).arg(pid))),
            {tavo::NomOrdinateur(),
             pid,
             {},
             tavo::EmpreinteHex(tavo::test::LitOctets(tavo::CheminNatif(chemin)))});
        journal.AjouteNote({1, 1, 1, 8, "3"}, c.GetPiloteDossard("3"));
    }
    return chemin;
}

QStringList Journaux(const QTemporaryDir& dossier)
{
    return QDir(dossier.path())
        .entryList({QStringLiteral("*.journal")}, QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

TEST(TTavoApp, startsWithTheSplashAndAnUnnamedCompetition)
{
    Demarrage demarrage({}, true);
    ASSERT_NE(splash(), nullptr);
    EXPECT_EQ(splash()->windowTitle(), QStringLiteral("Bonjour. Cliquez pour commencer !"));
    tavo::TDecoratedFrame* cadre = demarrage.App().GetFrame();
    ASSERT_NE(cadre, nullptr);
    EXPECT_EQ(demarrage.App().GetMainWindow(), cadre);
    EXPECT_TRUE(cadre->isVisible());
    EXPECT_EQ(cadre->windowTitle(), QStringLiteral("Tavo 2000 - [sans nom]"));
    EXPECT_EQ(cadre->centralWidget(), demarrage.App().GetClient());
    EXPECT_EQ(demarrage.App().GetClient()->GetVue(), 0);
    EXPECT_FALSE(cadre->windowIcon().isNull());
}

TEST(TTavoApp, startsWithoutSplashWhenTheLogoIsMissing)
{
    Demarrage demarrage({}, false);
    EXPECT_EQ(splash(), nullptr);
    EXPECT_TRUE(demarrage.App().GetFrame()->isVisible());
}

TEST(TTavoApp, opensTheFileGivenOnTheCommandLine)
{
    QTemporaryDir dossier;
    const QString demo = dossier.filePath(QStringLiteral("demo.ccr"));
    QFile::copy(QStringLiteral(TAVO_DATA_DIR "/Concours/demo.ccr"), demo);
    Demarrage demarrage({demo.toStdString()}, false);
    EXPECT_EQ(demarrage.App().GetFrame()->windowTitle(),
              QStringLiteral("Tavo 2000 - [%1]").arg(demo));
    EXPECT_EQ(demarrage.App().GetClient()->GetConcours().NbPilotes(), 15);
    EXPECT_FALSE(demarrage.App().GetClient()->GetDocument().SansNom());
}

TEST(TTavoApp, damagedFileOnTheCommandLineIsRefusedWithAMessage)
{
    tavo::TRepondeurScripte repondeur;
    Demarrage demarrage({"/nonexistent/concours.ccr"}, false, &repondeur);
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_EQ(repondeur.Messages()[0].Texte, QStringLiteral("Incapable d'ouvrir le fichier"));
    EXPECT_EQ(demarrage.App().GetFrame()->windowTitle(), QStringLiteral("Tavo 2000 - [sans nom]"));
}

// The frame comes back with the size and the maximised state it had when the program ended.
TEST(TTavoApp, theFrameKeepsItsSizeAndStateFromOneRunToTheNext)
{
    TTavoWindow* client = nullptr;
    std::unique_ptr<tavo::TDecoratedFrame> cadre(TTavoApp::CreeCadre(client));
    cadre->resize(640, 480);
    TTavoApp::MemoriseCadre(*cadre);
    std::unique_ptr<tavo::TDecoratedFrame> suivant(TTavoApp::CreeCadre(client));
    EXPECT_EQ(suivant->size(), QSize(640, 480));

    suivant->showMaximized();
    QApplication::processEvents();
    TTavoApp::MemoriseCadre(*suivant);
    std::unique_ptr<tavo::TDecoratedFrame> maximise(TTavoApp::CreeCadre(client));
    EXPECT_TRUE(maximise->windowState() & Qt::WindowMaximized);
    // The frames of the other tests start as a first run's.
    Reglages()->clear();
}

// Started without a file, a recent competition whose journal holds unsaved marks is offered.
TEST(TTavoApp, startUpOffersARecentCompetitionWithUnsavedMarks)
{
    QTemporaryDir dossier;
    const QString chemin = ConcoursInterrompu(dossier, QStringLiteral("coupe.ccr"), true);
    const std::string avant = tavo::test::LitOctets(tavo::CheminNatif(chemin));
    const QStringList journaux = Journaux(dossier);
    ASSERT_EQ(journaux.size(), 1);
    const QString date = QFileInfo(dossier.filePath(journaux[0]))
                             .lastModified()
                             .toString(QStringLiteral("dd/MM/yyyy à HH:mm"));
    Reglages()->setValue(RECENTS, QStringList{chemin});
    {
        tavo::TRepondeurScripte non;
        non.Repond(tavo::IDNO);
        Demarrage demarrage({}, false, &non);
        ASSERT_EQ(non.Messages().size(), 1u);
        EXPECT_EQ(non.Messages()[0].Texte,
                  QStringLiteral("Le concours « %1 » a des notes saisies qui n'ont pas été "
                                 "enregistrées (dernière saisie le %2).\n\nVoulez-vous "
                                 "l'ouvrir et les récupérer ?")
                      .arg(chemin, date));
        EXPECT_EQ(non.Messages()[0].Type, unsigned(tavo::MB_YESNO | tavo::MB_ICONQUESTION));
        EXPECT_EQ(demarrage.App().GetFrame()->windowTitle(),
                  QStringLiteral("Tavo 2000 - [sans nom]"));
    }
    EXPECT_EQ(tavo::test::LitOctets(tavo::CheminNatif(chemin)), avant);
    EXPECT_EQ(Journaux(dossier), journaux);
    {
        tavo::TRepondeurScripte oui; // "Oui", and no second question at the opening
        Demarrage demarrage({}, false, &oui);
        EXPECT_EQ(oui.Messages().size(), 1u);
        TTavoWindow& fenetre = *demarrage.App().GetClient();
        EXPECT_EQ(demarrage.App().GetFrame()->windowTitle(),
                  QStringLiteral("Tavo 2000 - [%1]").arg(chemin));
        EXPECT_EQ(fenetre.GetConcours().GetPiloteDossard("3").GetNote(1, 1, 1), 8);
        EXPECT_TRUE(fenetre.GetDocument().Modifie());
        EXPECT_EQ(Journaux(dossier), QStringList{QFileInfo(fenetre.CheminJournal()).fileName()});
        fenetre.GetDocument().Abandonne();
    }
    Reglages()->remove(RECENTS);
}

// A recent file without a journal, open in another window, or gone asks nothing.
TEST(TTavoApp, startUpAsksNothingOfRecentFilesWithNothingToRecover)
{
    QTemporaryDir dossier;
    const QString sansJournal = ConcoursInterrompu(dossier, QStringLiteral("propre.ccr"), false);
    const QString ouvert = ConcoursInterrompu(dossier, QStringLiteral("ouvert.ccr"), true);
    const QString parti = ConcoursInterrompu(dossier, QStringLiteral("parti.ccr"), true);
    QFile::remove(parti);
    tavo::TVerrou ailleurs;
    ASSERT_TRUE(ailleurs.Prend(tavo::CheminNatif(ouvert)));
    const QStringList journaux = Journaux(dossier);
    Reglages()->setValue(RECENTS, QStringList{ouvert, parti, sansJournal});
    tavo::TRepondeurScripte repondeur;
    Demarrage demarrage({}, false, &repondeur);
    EXPECT_TRUE(repondeur.Messages().empty());
    EXPECT_EQ(demarrage.App().GetFrame()->windowTitle(), QStringLiteral("Tavo 2000 - [sans nom]"));
    EXPECT_EQ(Journaux(dossier), journaux);
    Reglages()->remove(RECENTS);
}
