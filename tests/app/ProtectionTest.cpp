// SPDX-License-Identifier: GPL-3.0-or-later
// Two windows on one file, changes made on disk by others, and marks recovered after a crash.
#include "app/Commandes.h"
#include "app/Dialogues.h"
#include "model/Fichier.h"
#include "model/Journal.h"
#include "platform/Chaines.h"
#include "platform/Verrou.h"
#include "support/Fabrique.h"
#include "support/Fenetre.h"

#include <chrono>
#include <iostream>
#include <thread>

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

using namespace tavo;

namespace {

/** The number of a process that has ended. */
qint64 ProcessusTermine()
{
    QProcess p;
    p.start(QStringLiteral("true"), {});
    p.waitForStarted();
    const qint64 pid = p.processId();
    p.waitForFinished();
    return pid;
}

void EcritVerrou(const QString& fichier, const QString& hote, qint64 pid)
{
    QFile f(TVerrou::CheminVerrou(fichier));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("marc\n%1\n%2\n2026-06-13T08:00:00\n").arg(hote).arg(pid).toUtf8());
}

/** The marks the child types on pilot 7's sheet of flight 1: judge 1, then judge 2. */
constexpr short JUGE1[] = {9, 8, 17};
constexpr short JUGE2[] = {6, 5, 4};

} // namespace

class ProtectionTest : public FenetreTest
{
protected:
    ~ProtectionTest() override
    {
        if (autre)
            autre->Modifie = false;
        autreCadre.reset();
    }
    /** A second frame, as a second program on the same files would be. */
    void OuvreAutre()
    {
        autreCadre.reset(TTavoApp::CreeCadre(autre));
        autreCadre->show();
    }
    const TRepondeurScripte::Message& DernierMessage() const { return repondeur.Messages().back(); }
    /** A competition of three judges and pilot 7, flown on programme "P1.txt" of Vols/. */
    QString ConcoursSimple()
    {
        QDir(depart.path()).mkdir(QStringLiteral("Vols"));
        const QString vols = depart.filePath(QStringLiteral("Vols"));
        EcritFichierSur(CheminNatif(vols + "/P1.txt"), test::TexteProgramme({3, 2, 4}));
        TConcours c;
        c.SetNbJuges(3);
        c.SetProgrammeVol("P1.txt", 0);
        test::AjoutePilote(c, "Durand", "7");
        const QString chemin = depart.filePath(QStringLiteral("Concours/crash.ccr"));
        EcritFichierSur(CheminNatif(chemin), c.Ecrit());
        return chemin;
    }

    std::unique_ptr<TDecoratedFrame> autreCadre;
    TTavoWindow* autre = nullptr;
};

TEST_F(ProtectionTest, secondWindowAsksBeforeOpeningAndBeforeOverwritingAChangedFile)
{
    const QString demo = CopieDemo();
    ASSERT_TRUE(fenetre->OuvreFichier(demo));
    EXPECT_TRUE(QFile::exists(TVerrou::CheminVerrou(demo)));
    OuvreAutre();
    repondeur.Repond(IDNO);
    EXPECT_FALSE(autre->OuvreFichier(demo));
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_EQ(DernierMessage().Titre, QStringLiteral("Tavo 2000"));
    EXPECT_TRUE(DernierMessage().Texte.contains(
        QStringLiteral("(processus %1)").arg(QCoreApplication::applicationPid())));
    EXPECT_TRUE(
        DernierMessage().Texte.endsWith(QStringLiteral("Voulez-vous l'ouvrir quand même ?")));
    EXPECT_TRUE(autre->SansNom);

    repondeur.Repond(IDYES);
    ASSERT_TRUE(autre->OuvreFichier(demo));
    autre->Concours->SetTitre("Autre fenetre");
    autre->Modifie = true;
    ASSERT_TRUE(autre->CmEnregistrer());

    fenetre->Concours->SetTitre("Premiere");
    fenetre->Modifie = true;
    repondeur.Repond(IDNO);
    EXPECT_FALSE(fenetre->CmEnregistrer());
    EXPECT_TRUE(DernierMessage().Texte.contains(QStringLiteral("a été modifié sur le disque")));
    EXPECT_TRUE(fenetre->Modifie);
    TConcours relu;
    ASSERT_TRUE(OuvreConcours(relu, demo.toStdString()));
    EXPECT_STREQ(relu.GetTitre(), "Autre fenetre");
    repondeur.Repond(IDYES);
    ASSERT_TRUE(fenetre->CmEnregistrer());
    ASSERT_TRUE(OuvreConcours(relu, demo.toStdString()));
    EXPECT_STREQ(relu.GetTitre(), "Premiere");

    // A file touched without a change is saved without a question; letting it go frees it.
    const auto questions = repondeur.Messages().size();
    QFile f(demo);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    f.close();
    fenetre->Modifie = true;
    ASSERT_TRUE(fenetre->CmEnregistrer());
    EXPECT_EQ(repondeur.Messages().size(), questions);
    Execute(CM_NOUVEAU);
    EXPECT_FALSE(QFile::exists(TVerrou::CheminVerrou(demo)));
}

TEST_F(ProtectionTest, staleLockIsTakenOverAndAnotherComputersLockAsks)
{
    const QString demo = CopieDemo();
    EcritVerrou(demo, NomHote(), ProcessusTermine());
    ASSERT_TRUE(fenetre->OuvreFichier(demo));
    EXPECT_TRUE(repondeur.Messages().empty());
    const auto detenteur = TVerrou::Detenteur(demo); // this window, seen from another
    ASSERT_TRUE(detenteur);
    EXPECT_EQ(detenteur->Processus, QCoreApplication::applicationPid());

    const QString autreFichier = CopieDemo(QStringLiteral("autre.ccr"));
    EcritVerrou(autreFichier, QStringLiteral("portable-du-jury"), 4242);
    repondeur.Repond(IDNO);
    EXPECT_FALSE(fenetre->OuvreFichier(autreFichier));
    EXPECT_TRUE(DernierMessage().Texte.contains(QStringLiteral(
        "marc sur l'ordinateur portable-du-jury (processus 4242) depuis le 13/06/2026")));
    EXPECT_EQ(Titre(), QStringLiteral("Tavo 2000 - [%1]").arg(demo));
}

// Runs only as the child process of the next test: types a sheet, says so, and waits to be killed.
TEST(ProtectionEnfant, typesMarksUntilKilled)
{
    const QString fichier = qEnvironmentVariable("TAVO_ENFANT_CONCOURS");
    if (fichier.isEmpty())
        GTEST_SKIP() << "started by marksTypedBeforeACrashAreRecovered";
    TRepondeurScripte repondeur;
    TTavoWindow* fenetre = nullptr;
    std::unique_ptr<TDecoratedFrame> cadre(TTavoApp::CreeCadre(fenetre));
    cadre->show();
    fenetre->Options->SetRepProgrammes(
        CheminNatif(QFileInfo(fichier).dir().filePath(QStringLiteral("../Vols"))).c_str());
    fenetre->Options->SetImpressionAuto(0);
    ASSERT_TRUE(fenetre->OuvreFichier(fichier));
    DialoguesSaisie().Notes = [](QWidget*, TConcours& c) {
        c.SetVolCourant(1);
        c.SetDossardCourant("7");
        return IDOK;
    };
    ASSERT_TRUE(cadre->ExecuteCommande(CM_NOTES));
    QTest::keyClick(fenetre, Qt::Key_Return);
    for (const short* juge : {JUGE1, JUGE2}) {
        for (int l = 0; l < 3; ++l) {
            const bool pave = juge[l] <= 9;
            QTest::keyClick(fenetre, static_cast<Qt::Key>(Qt::Key_0 + juge[l] % 10),
                            pave ? Qt::KeypadModifier : Qt::NoModifier);
        }
        QTest::keyClick(fenetre, Qt::Key_Return);
        QTest::keyClick(fenetre, Qt::Key_Right);
        QTest::keyClick(fenetre, Qt::Key_Return);
    }
    std::cout << "pret" << std::endl;
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}

TEST_F(ProtectionTest, marksTypedBeforeACrashAreRecovered)
{
    const QString chemin = ConcoursSimple();
    QProcess enfant;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TAVO_ENFANT_CONCOURS"), chemin);
    enfant.setProcessEnvironment(env);
    enfant.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--gtest_filter=ProtectionEnfant.typesMarksUntilKilled")});
    QByteArray sortie;
    for (int attente = 0; attente < 600 && !sortie.contains("pret"); ++attente) {
        enfant.waitForReadyRead(100);
        sortie += enfant.readAllStandardOutput();
    }
    ASSERT_TRUE(sortie.contains("pret")) << sortie.toStdString();
    enfant.kill();
    enfant.waitForFinished();

    ASSERT_TRUE(fenetre->OuvreFichier(chemin));
    ASSERT_EQ(repondeur.Messages().size(), 1u); // its lock was stale: only the recovery question
    EXPECT_EQ(DernierMessage().Texte,
              QStringLiteral("Des notes saisies après le dernier enregistrement ont été "
                             "retrouvées. Voulez-vous les récupérer ?"));
    EXPECT_EQ(DernierMessage().Type, unsigned(MB_YESNO | MB_ICONQUESTION));
    const TPilote pilote = fenetre->Concours->GetPiloteDossard("7");
    for (short l = 1; l <= 3; ++l) {
        EXPECT_EQ(pilote.GetNote(1, l, 1), JUGE1[l - 1]) << l;
        EXPECT_EQ(pilote.GetNote(1, l, 2), JUGE2[l - 1]) << l;
        EXPECT_EQ(pilote.GetNote(1, l, 3), 0) << l;
    }
    EXPECT_TRUE(fenetre->Modifie);
    // The recovered marks are this window's journal now; saving them removes it.
    const QStringList journaux =
        QDir(QFileInfo(chemin).path())
            .entryList({QStringLiteral(".crash.ccr.*.journal")}, QDir::Files | QDir::Hidden);
    EXPECT_EQ(journaux, QStringList{QFileInfo(fenetre->CheminJournal()).fileName()});
    ASSERT_TRUE(fenetre->CmEnregistrer());
    EXPECT_FALSE(QFile::exists(fenetre->CheminJournal()));
}

TEST_F(ProtectionTest, unnamedCompetitionIsOfferedBackAtStartUp)
{
    const QString dossier = qEnvironmentVariable("XDG_STATE_HOME") + QStringLiteral("/tavo");
    QDir().mkpath(dossier);
    const auto journal = [&](const char* titre) {
        const qint64 pid = ProcessusTermine();
        TJournal j(CheminNatif(dossier + QStringLiteral("/sans_nom.%1.journal").arg(pid)),
                   NomHote().toStdString(), pid);
        TConcours c;
        c.SetTitre(titre);
        test::AjoutePilote(c, "Roux", "3");
        j.AjouteConcours(c.Ecrit());
        j.AjouteNote({2, 5, 1, 8, "3"});
    };
    journal("Abandonné");
    repondeur.Repond(IDNO);
    EXPECT_FALSE(fenetre->ProposeRecuperation());
    EXPECT_TRUE(QDir(dossier).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(fenetre->Concours->NbPilotes(), 0);

    journal("Repris");
    EXPECT_TRUE(fenetre->ProposeRecuperation());
    EXPECT_STREQ(fenetre->Concours->GetTitre(), "Repris");
    EXPECT_EQ(fenetre->Concours->GetPiloteDossard("3").GetNote(2, 5, 1), 8);
    EXPECT_TRUE(fenetre->Modifie);
    EXPECT_TRUE(fenetre->SansNom);
}

TEST_F(ProtectionTest, journalGoesWithASaveOrWithChangesGivenUp)
{
    const QString demo = CopieDemo();
    ASSERT_TRUE(fenetre->OuvreFichier(demo));
    const auto anciens = DialoguesSaisie();
    DialoguesSaisie().Pilotes = [](QWidget*, TConcours& c) {
        c.SetTitre("Change");
        return IDOK;
    };
    Execute(CM_PILOTES);
    const QString journal = fenetre->CheminJournal();
    EXPECT_TRUE(QFile::exists(journal));
    ASSERT_TRUE(fenetre->CmEnregistrer());
    EXPECT_FALSE(QFile::exists(journal));

    Execute(CM_PILOTES);
    EXPECT_TRUE(QFile::exists(journal));
    repondeur.Repond(IDNO);
    Execute(CM_NOUVEAU);
    EXPECT_FALSE(QFile::exists(journal));
    DialoguesSaisie() = anciens;
}
