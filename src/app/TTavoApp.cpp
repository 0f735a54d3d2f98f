// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TTavoApp.h"

#include "app/DialoguesSaisie.h"
#include "app/Menu.h"
#include "app/TTavoWindow.h"
#include "model/Emplacements.h"
#include "platform/Chaines.h"
#include "platform/DecoratedFrame.h"
#include "platform/SplashWindow.h"

#include <memory>

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QSettings>

using tavo::TDecoratedFrame;

namespace {

const QString GEOMETRIE = QStringLiteral("fenetre/geometrie");

} // namespace

TTavoApp::TTavoApp(int& argc, char** argv)
    : TApplication(argc, argv)
{
    QApplication::setApplicationName(tavo::NomTavo());
    QApplication::setApplicationVersion(QStringLiteral(TAVO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("fr.tavo.Tavo2000"));
}

TDecoratedFrame* TTavoApp::CreeCadre(TTavoWindow*& client)
{
    client = new TTavoWindow;
    auto* cadre =
        new TDecoratedFrame(tavo::NomTavo() + QStringLiteral(" - [sans nom]"), client, client);
    cadre->setObjectName(QStringLiteral("cadre"));
    cadre->SetStatusBar();
    cadre->SetMenu(MenuCommandes());
    AjouteRecents(*cadre, *client);
    cadre->SetToolBar(GadgetsBarreOutils());
    QIcon icone;
    icone.addFile(QStringLiteral(":/tavo/102.png"), QSize(32, 32));
    icone.addFile(QStringLiteral(":/tavo/103.png"), QSize(16, 16));
    cadre->setWindowIcon(icone);
    cadre->resize(800, 560);
    const QByteArray geometrie = Reglages()->value(GEOMETRIE).toByteArray();
    if (!geometrie.isEmpty())
        cadre->restoreGeometry(geometrie);
    cadre->ActualiseCommandes();
    return cadre;
}

void TTavoApp::MemoriseCadre(const TDecoratedFrame& cadre)
{
    Reglages()->setValue(GEOMETRIE, cadre.saveGeometry());
}

void TTavoApp::InitMainWindow()
{
    // Shown at once, so that it is on screen while the rest is built; a click dismisses it.
    const std::string depart =
        tavo::TrouveEmplacements(tavo::CheminNatif(RepertoireCourant()), false).depart;
    const std::string logo = tavo::CheminDonnee(depart, "logo.bmp");
    if (auto* splash =
            tavo::TSplashWindow::Cree(tavo::CheminQt(logo.c_str()), 320, 240,
                                      QStringLiteral("Bonjour. Cliquez pour commencer !"))) {
        splash->show();
        splash->repaint();
        QApplication::processEvents();
    }
    m_cadre = CreeCadre(m_client);
    if (m_repondeur)
        tavo::AttacheRepondeur(m_cadre, m_repondeur);
    m_client->GetDialoguesSaisie() = DialoguesDuProgramme();
    SetMainWindow(m_cadre);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, m_cadre,
                     [cadre = m_cadre] { MemoriseCadre(*cadre); });
}

void TTavoApp::MainWindowShown()
{
    if (m_client)
        m_client->AnnonceDemarrage();
    const QStringList arguments = Arguments();
    if (!arguments.isEmpty() && m_client)
        m_client->OuvreFichier(QFileInfo(arguments.constFirst()).absoluteFilePath());
    else if (m_client && !m_client->ProposeRecuperation()) // an unnamed competition
        m_client->ProposeRecents();                        // or a recent one a crash interrupted
    m_cadre->ActualiseCommandes();
}
