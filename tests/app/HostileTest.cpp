// SPDX-License-Identifier: GPL-3.0-or-later
// Every view of the main window on competitions written elsewhere: each command either
// shows its view or its message, and every paint completes.
#include "support/Hostile.h"

#include "app/Menu.h"
#include "document/Verrou.h"
#include "platform/Aide.h"
#include "platform/Chaines.h"
#include "platform/SplashWindow.h"
#include "print/Printouts.h"
#include "support/Fenetre.h"
#include "support/RecordingDC.h"

#include <sys/stat.h>

#include <QImage>
#include <QPainter>
#include <QSettings>
#include <QTextBrowser>

namespace {

class HostileTest : public FenetreTest
{
protected:
    /** A named pipe nobody writes to: opening it to read the usual way waits for ever. */
    static QString Tube(const QString& chemin)
    {
        QDir().mkpath(QFileInfo(chemin).path());
        QFile::remove(chemin);
        EXPECT_EQ(::mkfifo(QFile::encodeName(chemin).constData(), 0600), 0) << chemin.toStdString();
        return chemin;
    }
};

const int commandesVues[] = {CM_CARACTERISTIQUES, CM_JUGES, CM_LISTE_PILOTES};

} // namespace

TEST_F(HostileTest, everyViewCommandPaintsOrRefusesOnDamagedCompetitions)
{
    for (const auto& [nom, texte] :
         tavo::test::ConcoursHostiles(TAVO_DATA_DIR "/Concours/demo.ccr")) {
        SCOPED_TRACE(nom);
        const QString chemin = depart.filePath(QString::fromStdString(nom) + ".ccr");
        QFile fichier(chemin);
        ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
        fichier.write(texte.data(), static_cast<qint64>(texte.size()));
        fichier.close();
        ASSERT_TRUE(fenetre->OuvreFichier(chemin));
        fenetre->GetOptions().SetRepProgrammes(TAVO_DATA_DIR "/Vols");

        std::vector<int> commandes(std::begin(commandesVues), std::end(commandesVues));
        for (int i = 0; i < 7; ++i) {
            commandes.push_back(CM_CLST_JUGES_1 + i);
            commandes.push_back(CM_TBL_1 + i);
        }
        for (int i = 0; i < 4; ++i) {
            commandes.push_back(CM_CLST_PILOTES_1 + i);
            commandes.push_back(CM_FLYOFF_1 + i);
        }
        for (int i = 0; i < 5; ++i)
            commandes.push_back(CM_DIAGRAMME_1 + i);

        for (int commande : commandes) {
            SCOPED_TRACE(commande);
            Execute(commande); // a refused view answers with a message box, scripted
            tavo::TRecordingDC dc;
            fenetre->Paint(dc, true, tavo::TRect{0, 0, 1200, 4000});
            QImage image(640, 480, QImage::Format_RGB32);
            QPainter peintre(&image);
            fenetre->viewport()->render(&peintre);
        }
        fenetre->GetDocument().MarqueEnregistre();
    }
}

TEST_F(HostileTest, noFileThePipeStandsForMakesTheProgramWait)
{
    const QString demo = CopieDemo();
    Tube(tavo::CheminQt(tavo::TVerrou::CheminVerrou(tavo::CheminNatif(demo)).c_str()));
    ASSERT_TRUE(fenetre->OuvreFichier(demo));
    EXPECT_TRUE(repondeur.Messages().empty());

    EXPECT_EQ(tavo::TSplashWindow::Cree(Tube(depart.filePath(QStringLiteral("logo.bmp"))), 320, 240,
                                        QStringLiteral("Bonjour")),
              nullptr);
    tavo::TRecordingDC dc;
    tavo::DessineFfam(dc, Tube(depart.filePath(QStringLiteral("ffam.bmp"))), 0, 0, 100);
    auto* aide = qobject_cast<QTextBrowser*>(
        tavo::WinHelp(fenetre, Tube(depart.filePath(QStringLiteral("Tavo.hlp"))),
                      QStringLiteral(":/tavo/aide/Tavo.html")));
    ASSERT_NE(aide, nullptr);
    EXPECT_FALSE(aide->toPlainText().isEmpty()); // the help built into the program
    aide->close();

    const QString reglages =
        Tube(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/tavo/tavo.conf"));
    Reglages()->setValue(QStringLiteral("essai"), 1);
    EXPECT_EQ(Reglages()->value(QStringLiteral("essai")).toInt(), 1);
    QFile::remove(reglages);
}

TEST_F(HostileTest, anOptionsFileThatCannotBeReadIsToldWithTheDefaultsInUse)
{
    QFile ini(depart.filePath(QStringLiteral("tavo.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("1\r\n0\r\n");
    ini.write(QByteArray((1 << 20) + 1, ' '));
    ini.close();
    TTavoWindow* autre = nullptr;
    std::unique_ptr<tavo::TDecoratedFrame> autreCadre(TTavoApp::CreeCadre(autre));
    repondeur.Attache(autreCadre.get());
    EXPECT_EQ(autre->GetOptions().GetSauvegardeAuto(), 0);
    EXPECT_EQ(autre->GetOptions().GetImpressionAuto(), 1);
    autre->AnnonceDemarrage();
    autre->AnnonceDemarrage(); // once
    ASSERT_EQ(repondeur.Messages().size(), 1u);
    const QString& texte = repondeur.Messages().back().Texte;
    EXPECT_TRUE(texte.contains(QStringLiteral("n'a pas été lu : il fait plus de 1 Mio")))
        << texte.toStdString();
    EXPECT_TRUE(texte.contains(QStringLiteral("impression automatique après la saisie des notes "
                                              "activée")));
}
