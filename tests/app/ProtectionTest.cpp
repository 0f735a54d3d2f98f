// SPDX-License-Identifier: GPL-3.0-or-later
// Two windows on one file, changes made on disk by others, and marks recovered after a crash.
#include "app/DialoguesSaisie.h"
#include "app/Menu.h"
#include "document/Document.h"
#include "model/Empreinte.h"
#include "model/Fichier.h"
#include "model/Journal.h"
#include "model/Processus.h"
#include "platform/Chaines.h"
#include "support/Fabrique.h"
#include "support/Fenetre.h"

#include <chrono>
#include <csignal>
#include <iostream>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
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

/** The lock file of a competition file. */
QString CheminVerrou(const QString& fichier)
{
    return CheminQt(TVerrou::CheminVerrou(CheminNatif(fichier)).c_str());
}

void EcritVerrou(const QString& fichier, const QString& hote, qint64 pid)
{
    QFile f(CheminVerrou(fichier));
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
            autre->GetDocument().MarqueEnregistre();
        autreCadre.reset();
    }
    /** A second frame, as a second program on the same files would be. */
    void OuvreAutre()
    {
        autreCadre.reset(TTavoApp::CreeCadre(autre));
        repondeur.Attache(autreCadre.get());
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

    /** Starts a program that types JUGE1 and JUGE2 on pilot 7's sheet of `chemin`, then waits. */
    static bool TapeDansUnAutreProcessus(QProcess& enfant, const QString& chemin)
    {
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
        EXPECT_TRUE(sortie.contains("pret")) << sortie.toStdString();
        return sortie.contains("pret");
    }
    /** A journal beside `fichier`, as a program of `hote` left it: a copy, then a mark. */
    static QString PlanteJournal(const QString& fichier, const EnteteJournal& entete,
                                 const TConcours& copie, const NoteJournal& note)
    {
        const QString chemin =
            QFileInfo(fichier).dir().filePath(QStringLiteral(".%1.%2.journal")
                                                  .arg(QFileInfo(fichier).fileName())
                                                  .arg(entete.processus));
        TJournal j(CheminNatif(chemin), entete);
        j.AjouteConcours(copie.Ecrit());
        j.AjouteNote(note, copie.GetPiloteDossard(note.dossard.c_str()));
        // Written after the file, as a crash after a save leaves it.
        QFile f(chemin);
        f.open(QIODevice::ReadWrite);
        f.setFileTime(QDateTime::currentDateTime().addSecs(10), QFileDevice::FileModificationTime);
        return chemin;
    }

    std::unique_ptr<TDecoratedFrame> autreCadre;
    TTavoWindow* autre = nullptr;
};

TEST_F(ProtectionTest, secondWindowAsksBeforeOpeningAndBeforeOverwritingAChangedFile)
{
    const QString demo = CopieDemo();
    ASSERT_TRUE(fenetre->OuvreFichier(demo));
    EXPECT_TRUE(QFile::exists(CheminVerrou(demo)));
    OuvreAutre();
    repondeur.Repond(IDNO);
    EXPECT_FALSE(autre->OuvreFichier(demo));
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_EQ(DernierMessage().Titre, QStringLiteral("Tavo 2000"));
    EXPECT_TRUE(DernierMessage().Texte.contains(
        QStringLiteral("(processus %1)").arg(QCoreApplication::applicationPid())));
    EXPECT_TRUE(
        DernierMessage().Texte.endsWith(QStringLiteral("Voulez-vous l'ouvrir quand même ?")));
    EXPECT_TRUE(autre->GetDocument().SansNom());

    repondeur.Repond(IDYES);
    ASSERT_TRUE(autre->OuvreFichier(demo));
    autre->GetConcours().SetTitre("Autre fenetre");
    autre->GetDocument().MarqueModifie();
    ASSERT_TRUE(autre->CmEnregistrer());

    fenetre->GetConcours().SetTitre("Premiere");
    fenetre->GetDocument().MarqueModifie();
    repondeur.Repond(IDNO);
    EXPECT_FALSE(fenetre->CmEnregistrer());
    EXPECT_TRUE(DernierMessage().Texte.contains(QStringLiteral("a été modifié sur le disque")));
    EXPECT_TRUE(fenetre->GetDocument().Modifie());
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
    fenetre->GetDocument().MarqueModifie();
    ASSERT_TRUE(fenetre->CmEnregistrer());
    EXPECT_EQ(repondeur.Messages().size(), questions);
    Execute(CM_NOUVEAU);
    EXPECT_FALSE(QFile::exists(CheminVerrou(demo)));
}

TEST_F(ProtectionTest, staleLockIsTakenOverAndAnotherComputersLockAsks)
{
    const QString demo = CopieDemo();
    EcritVerrou(demo, QString::fromStdString(NomOrdinateur()), ProcessusTermine());
    ASSERT_TRUE(fenetre->OuvreFichier(demo));
    EXPECT_TRUE(repondeur.Messages().empty());
    const auto detenteur = TVerrou::Detenteur(CheminNatif(demo)); // this window, seen from another
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
    TTavoWindow* fenetre = nullptr;
    std::unique_ptr<TDecoratedFrame> cadre(TTavoApp::CreeCadre(fenetre));
    TRepondeurScripte repondeur(cadre.get());
    cadre->show();
    fenetre->GetOptions().SetRepProgrammes(
        CheminNatif(QFileInfo(fichier).dir().filePath(QStringLiteral("../Vols"))).c_str());
    fenetre->GetOptions().SetImpressionAuto(0);
    ASSERT_TRUE(fenetre->OuvreFichier(fichier));
    fenetre->GetDialoguesSaisie().Notes = [](QWidget*, TConcours& c) {
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
    ASSERT_TRUE(TapeDansUnAutreProcessus(enfant, chemin));
    enfant.kill();
    enfant.waitForFinished();

    ASSERT_TRUE(fenetre->OuvreFichier(chemin));
    ASSERT_EQ(repondeur.Messages().size(), 1u); // its lock was stale: only the recovery question
    EXPECT_EQ(DernierMessage().Texte,
              QStringLiteral("Des notes saisies après le dernier enregistrement ont été "
                             "retrouvées. Voulez-vous les récupérer ?"));
    EXPECT_EQ(DernierMessage().Type, unsigned(MB_YESNO | MB_ICONQUESTION));
    const TPilote pilote = fenetre->GetConcours().GetPiloteDossard("7");
    for (short l = 1; l <= 3; ++l) {
        EXPECT_EQ(pilote.GetNote(1, l, 1), JUGE1[l - 1]) << l;
        EXPECT_EQ(pilote.GetNote(1, l, 2), JUGE2[l - 1]) << l;
        EXPECT_EQ(pilote.GetNote(1, l, 3), 0) << l;
    }
    EXPECT_TRUE(fenetre->GetDocument().Modifie());
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
                   {NomOrdinateur(), pid, {}, {}});
        TConcours c;
        c.SetTitre(titre);
        test::AjoutePilote(c, "Roux", "3");
        j.AjouteConcours(c.Ecrit());
        j.AjouteNote({2, 5, 1, 8, "3"}, c.GetPiloteDossard("3"));
    };
    journal("Abandonné");
    repondeur.Repond(IDNO);
    EXPECT_FALSE(fenetre->ProposeRecuperation());
    EXPECT_TRUE(QDir(dossier).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(fenetre->GetConcours().NbPilotes(), 0);

    journal("Repris");
    EXPECT_TRUE(fenetre->ProposeRecuperation());
    EXPECT_STREQ(fenetre->GetConcours().GetTitre(), "Repris");
    EXPECT_EQ(fenetre->GetConcours().GetPiloteDossard("3").GetNote(2, 5, 1), 8);
    EXPECT_TRUE(fenetre->GetDocument().Modifie());
    EXPECT_TRUE(fenetre->GetDocument().SansNom());
}

TEST_F(ProtectionTest, journalGoesWithASaveOrWithChangesGivenUp)
{
    const QString demo = CopieDemo();
    ASSERT_TRUE(fenetre->OuvreFichier(demo));
    fenetre->GetDialoguesSaisie().Pilotes = [](QWidget*, TConcours& c) {
        c.SetTitre(std::string(c.GetTitre()) == "Change" ? "Encore" : "Change");
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
}

TEST_F(ProtectionTest, aSecondWindowsMarksAreOfferedAfterTheFirstSavedLater)
{
    const QString chemin = ConcoursSimple();
    QProcess enfant;
    ASSERT_TRUE(TapeDansUnAutreProcessus(enfant, chemin));
    repondeur.Repond(IDYES); // open it here too
    ASSERT_TRUE(fenetre->OuvreFichier(chemin));
    fenetre->GetConcours().SetTitre("Sauvé ici");
    fenetre->GetDocument().MarqueModifie();
    ASSERT_TRUE(fenetre->CmEnregistrer()); // after the other window's marks
    enfant.kill();
    enfant.waitForFinished();

    Execute(CM_NOUVEAU);
    const auto avant = repondeur.Messages().size();
    ASSERT_TRUE(fenetre->OuvreFichier(chemin));
    ASSERT_EQ(repondeur.Messages().size(), avant + 1);
    EXPECT_TRUE(DernierMessage().Texte.startsWith(
        QStringLiteral("Des notes saisies après le dernier enregistrement ont été retrouvées.")));
    EXPECT_TRUE(DernierMessage().Texte.contains(QStringLiteral("seules les notes sont reprises")));
    EXPECT_STREQ(fenetre->GetConcours().GetTitre(), "Sauvé ici");
    const TPilote pilote = fenetre->GetConcours().GetPiloteDossard("7");
    for (short l = 1; l <= 3; ++l) {
        EXPECT_EQ(pilote.GetNote(1, l, 1), JUGE1[l - 1]) << l;
        EXPECT_EQ(pilote.GetNote(1, l, 2), JUGE2[l - 1]) << l;
    }
}

TEST_F(ProtectionTest, aJournalOfAnotherCompetitionOrComputerIsNeverReplayed)
{
    const QString chemin = ConcoursSimple(); // one pilot, Durand, bib 7
    TConcours quinze;
    for (int i = 1; i <= 15; ++i)
        test::AjoutePilote(quinze, "Martin", std::to_string(i).c_str());
    const QString autreConcours =
        PlanteJournal(chemin, {NomOrdinateur(), ProcessusTermine(), {}, "feedfacefeedface"}, quinze,
                      {1, 1, 1, 9, "7"});
    std::string octets;
    ASSERT_TRUE(LitFichier(CheminNatif(chemin), octets));
    TConcours fichier;
    ASSERT_TRUE(fichier.Lit(octets));
    const QString autreOrdinateur = PlanteJournal(
        chemin, {"portable-du-jury", 4242, {}, EmpreinteHex(octets)}, fichier, {1, 1, 1, 9, "7"});

    ASSERT_TRUE(fenetre->OuvreFichier(chemin));
    EXPECT_TRUE(repondeur.Messages().empty());
    EXPECT_EQ(fenetre->GetConcours().NbPilotes(), 1);
    EXPECT_EQ(fenetre->GetConcours().GetPiloteDossard("7").GetNote(1, 1, 1), 0);
    EXPECT_FALSE(fenetre->GetDocument().Modifie());
    EXPECT_TRUE(QFile::exists(autreOrdinateur));
    EXPECT_TRUE(QFile::exists(autreConcours)); // it holds more than this file could take
}

TEST_F(ProtectionTest, aJournalWhoseProcessNumberWasTakenAgainIsStillOffered)
{
    const QString chemin = ConcoursSimple();
    std::string octets;
    ASSERT_TRUE(LitFichier(CheminNatif(chemin), octets));
    TConcours fichier;
    ASSERT_TRUE(fichier.Lit(octets));
    // Our parent is alive, but it is not the process that wrote this journal.
    PlanteJournal(chemin, {NomOrdinateur(), ::getppid(), "autre-demarrage 1", EmpreinteHex(octets)},
                  fichier, {1, 2, 1, 6, "7"});
    repondeur.Repond(IDYES);
    ASSERT_TRUE(fenetre->OuvreFichier(chemin));
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_EQ(fenetre->GetConcours().GetPiloteDossard("7").GetNote(1, 2, 1), 6);
}

TEST_F(ProtectionTest, aJournalThatCannotBeWrittenIsToldOnce)
{
    // The unnamed competition's journal goes where a file stands in the way.
    QTemporaryDir etat;
    const QByteArray etatAvant = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", etat.path().toLocal8Bit());
    QFile(etat.filePath(QStringLiteral("tavo"))).open(QIODevice::WriteOnly);
    QDir(depart.path()).mkdir(QStringLiteral("Vols"));
    EcritFichierSur(CheminNatif(depart.filePath(QStringLiteral("Vols/P1.txt"))),
                    test::TexteProgramme({3, 2, 4}));
    fenetre->GetOptions().SetRepProgrammes(
        CheminNatif(depart.filePath(QStringLiteral("Vols"))).c_str());
    fenetre->GetOptions().SetImpressionAuto(0);
    fenetre->GetConcours().SetNbJuges(3);
    fenetre->GetConcours().SetProgrammeVol("P1.txt", 0);
    test::AjoutePilote(fenetre->GetConcours(), "Durand", "7");
    fenetre->GetDialoguesSaisie().Notes = [](QWidget*, TConcours& c) {
        c.SetVolCourant(1);
        c.SetDossardCourant("7");
        return IDOK;
    };
    ASSERT_TRUE(Execute(CM_NOTES));
    QTest::keyClick(fenetre, Qt::Key_Return);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(fenetre, Qt::Key_8, Qt::KeypadModifier);
    qputenv("XDG_STATE_HOME", etatAvant);
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_EQ(DernierMessage().Titre, QStringLiteral("Tavo 2000"));
    EXPECT_TRUE(DernierMessage().Texte.contains(
        QStringLiteral("La récupération des notes après un arrêt brutal est désactivée jusqu'au "
                       "prochain enregistrement")));
    EXPECT_EQ(fenetre->GetConcours().GetPiloteDossard("7").GetNote(1, 3, 1), 8); // still stored
}

TEST_F(ProtectionTest, aLockThatCannotBeWrittenIsToldAndLeavesNothing)
{
    const QString demo = CopieDemo();
    // Writes beyond a few bytes fail, as on a full disk.
    struct rlimit ancienne = {};
    ::getrlimit(RLIMIT_FSIZE, &ancienne);
    const auto signal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limite = ancienne;
    limite.rlim_cur = 8;
    ::setrlimit(RLIMIT_FSIZE, &limite);
    const bool ouvert = fenetre->OuvreFichier(demo);
    ::setrlimit(RLIMIT_FSIZE, &ancienne);
    std::signal(SIGXFSZ, signal);
    ASSERT_TRUE(ouvert);
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_TRUE(DernierMessage().Texte.contains(
        QStringLiteral("n'est pas protégé contre son ouverture dans une autre fenêtre")));
    EXPECT_EQ(QDir(QFileInfo(demo).path())
                  .entryList({QStringLiteral(".~lock.*")}, QDir::Files | QDir::Hidden),
              QStringList{});
}

TEST_F(ProtectionTest, aChangeOnDiskOfTheSameSizeAndTimeStillAsks)
{
    const QString demo = CopieDemo();
    ASSERT_TRUE(fenetre->OuvreFichier(demo));
    QFile f(demo);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const QDateTime date = f.fileTime(QFileDevice::FileModificationTime);
    QByteArray octets = f.readAll();
    octets[0] = octets[0] == 'X' ? 'Y' : 'X'; // another program's title, same length
    f.seek(0);
    f.write(octets);
    f.setFileTime(date, QFileDevice::FileModificationTime);
    f.close();
    fenetre->GetDocument().MarqueModifie();
    repondeur.Repond(IDNO);
    EXPECT_FALSE(fenetre->CmEnregistrer());
    EXPECT_TRUE(DernierMessage().Texte.contains(QStringLiteral("a été modifié sur le disque")));
}

TEST_F(ProtectionTest, aJournalLargerThanAnyCompetitionIsToldAndNotRead)
{
    const QString dossier = qEnvironmentVariable("XDG_STATE_HOME") + QStringLiteral("/tavo");
    QDir().mkpath(dossier);
    const QString journal =
        dossier + QStringLiteral("/sans_nom.%1.journal").arg(ProcessusTermine());
    QFile f(journal);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("TAVO-JOURNAL 2\n");
    ASSERT_TRUE(f.resize(static_cast<qint64>(TailleMaxJournal()) + 1)); // a hole: no disk used
    f.close();
    EXPECT_FALSE(fenetre->ProposeRecuperation());
    QFile::remove(journal);
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    EXPECT_TRUE(DernierMessage().Texte.contains(QStringLiteral("est trop grand")));
    EXPECT_EQ(fenetre->GetConcours().NbPilotes(), 0);
}

TEST_F(ProtectionTest, aDialogAddsToTheJournalWhatItChangedNotTheCompetition)
{
    const QString vols = depart.filePath(QStringLiteral("Vols"));
    QDir().mkpath(vols);
    TConcours c;
    test::GenereConcours(c, CheminNatif(vols), 2000, 5, 1);
    const QString chemin = depart.filePath(QStringLiteral("Concours/grand.ccr"));
    ASSERT_TRUE(EcritFichierSur(CheminNatif(chemin), c.Ecrit()));
    ASSERT_TRUE(fenetre->OuvreFichier(chemin));
    fenetre->GetOptions().SetRepProgrammes(CheminNatif(vols).c_str());
    fenetre->GetOptions().SetImpressionAuto(0);
    fenetre->GetDialoguesSaisie().Pilotes = [](QWidget*, TConcours& concours) {
        TPilote p = concours.GetPilote(5);
        p.SetNom("CORRIGÉ");
        concours.SetPilote(p, 5);
        return IDOK;
    };
    Execute(CM_PILOTES);
    fenetre->GetDialoguesSaisie().Pilotes = [](QWidget*, TConcours&) {
        return IDOK;
    }; // nothing changed
    Execute(CM_PILOTES);
    const std::string dossard = fenetre->GetConcours().GetPilote(7).GetDossard();
    fenetre->GetDialoguesSaisie().Notes = [dossard](QWidget*, TConcours& concours) {
        concours.SetVolCourant(1);
        concours.SetDossardCourant(dossard.c_str());
        return IDOK;
    };
    ASSERT_TRUE(Execute(CM_NOTES));
    QTest::keyClick(fenetre, Qt::Key_Return);
    QTest::keyClick(fenetre, Qt::Key_7, Qt::KeypadModifier);
    EXPECT_GT(QFileInfo(chemin).size(), 2000 * 1800);
    EXPECT_LT(QFileInfo(fenetre->CheminJournal()).size(), 4 * 2400); // one pilot and one mark

    // What it holds is enough to come back to the same competition after a crash.
    TConcours rejoue;
    ASSERT_TRUE(OuvreConcours(rejoue, CheminNatif(chemin)));
    RejoueJournal(CheminNatif(fenetre->CheminJournal()), rejoue, Reprise::Tout);
    EXPECT_EQ(rejoue.Ecrit(), fenetre->GetConcours().Ecrit());
}
