// SPDX-License-Identifier: GPL-3.0-or-later
// Screenshots of the views of the demo competition, made offscreen:
//   tavo-captures DIRECTORY   → caracteristiques.png, juges.png, pilotes.png,
//                               apropos.png (the about box), aide.png (the help window),
//                               menu.png (the "Affichage" menu), classement-vols.png,
//                               classement-flyoff.png, classement-juges.png, diagramme.png,
//                               profil.png, feuilles-manquantes.png (the ranking and
//                               statistics views, the sheets still to type) and
//                               feuille.png (a score sheet during entry)
#include "app/DialoguesSaisie.h"
#include "app/FenetreTerrain.h"
#include "app/Menu.h"
#include "app/TAProposDlg.h"
#include "app/TTavoApp.h"
#include "app/TTavoWindow.h"
#include "document/Document.h"
#include "model/Option.h"
#include "platform/Aide.h"
#include "platform/DecoratedFrame.h"
#include "platform/DialoguesStandard.h"
#include "support/RepondeurScripte.h"

#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The competitions it opens are not the user's recent ones.
    const QTemporaryDir reglages;
    qputenv("XDG_CONFIG_HOME", reglages.path().toLocal8Bit());
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavo-captures DIRECTORY\n");
        return 64;
    }
    // Absolute: the program then works in another directory.
    const QDir sortie(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
    if (!sortie.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "tavo-captures: cannot create %s\n", argv[1]);
        return 1;
    }
    // A start-up directory of its own whose options name the demo's directories.
    const QTemporaryDir depart;
    if (!TOption(TAVO_DATA_DIR).Enregistre(depart.path().toStdString()))
        return 1;
    QDir::setCurrent(depart.path());
    TTavoWindow* fenetre = nullptr;
    tavo::TDecoratedFrame* cadre = TTavoApp::CreeCadre(fenetre);
    cadre->resize(900, 640);
    cadre->show();
    if (!fenetre->OuvreFichier(QStringLiteral(TAVO_DATA_DIR "/Concours/demo.ccr")))
        return 1;
    const std::pair<int, const char*> vues[] = {{CM_CARACTERISTIQUES, "caracteristiques.png"},
                                                {CM_JUGES, "juges.png"},
                                                {CM_LISTE_PILOTES, "pilotes.png"}};
    int erreurs = 0;
    for (const auto& [commande, nom] : vues) {
        cadre->ExecuteCommande(commande);
        if (commande == CM_LISTE_PILOTES)
            fenetre->ClicColonne(0); // in bib order
        QApplication::processEvents();
        const QString chemin = sortie.filePath(QString::fromLatin1(nom));
        if (!cadre->grab().save(chemin)) {
            std::fprintf(stderr, "tavo-captures: cannot write %s\n", qPrintable(chemin));
            ++erreurs;
        }
    }
    auto enregistre = [&](QWidget* w, const char* nom) {
        w->show();
        QApplication::processEvents();
        const QString chemin = sortie.filePath(QString::fromLatin1(nom));
        if (!w->grab().save(chemin)) {
            std::fprintf(stderr, "tavo-captures: cannot write %s\n", qPrintable(chemin));
            ++erreurs;
        }
    };
    // The "Affichage" menu, open as the user sees it, with the hint of its first item.
    QMenu* affichage = cadre->menuBar()->actions().value(2)->menu();
    affichage->popup(cadre->mapToGlobal(QPoint(40, 20)));
    QTest::mouseMove(affichage, affichage->actionGeometry(affichage->actions()[0]).center());
    enregistre(affichage, "menu.png");
    const QString aideMenu = cadre->statusBar()->currentMessage();
    affichage->hide();
    if (aideMenu != QStringLiteral("Affiche les caractéristiqes du concours")) {
        std::fprintf(stderr, "tavo-captures: no hint in the status bar\n");
        ++erreurs;
    }
    {
        TAProposDlg apropos(fenetre);
        enregistre(&apropos, "apropos.png");
    }
    enregistre(tavo::WinHelp(fenetre, QStringLiteral(TAVO_DATA_DIR "/Tavo.hlp"),
                             QStringLiteral(":/tavo/aide/Tavo.html")),
               "aide.png");
    // The ranking and statistics views, and last a score sheet being typed in.
    cadre->resize(1000, 760);
    const std::pair<int, const char*> classements[] = {
        {CM_CLST_PILOTES_1 + 2, "classement-vols.png"},
        {CM_FLYOFF_1 + 2, "classement-flyoff.png"},
        {CM_CLST_JUGES_1, "classement-juges.png"},
        {CM_DIAGRAMME_1, "diagramme.png"},
        {CM_TBL_1, "profil.png"},
        {CM_FEUILLES_MANQUANTES, "feuilles-manquantes.png"}};
    tavo::TRepondeurScripte repondeur(cadre);
    for (const auto& [commande, nom] : classements) {
        cadre->ExecuteCommande(commande);
        if (fenetre->GetVue() < 4) {
            std::fprintf(stderr, "tavo-captures: command %d shows no view\n", commande);
            ++erreurs;
        }
        enregistre(cadre, nom);
    }
    fenetre->GetDialoguesSaisie().Notes = [](QWidget*, TConcours& concours) {
        concours.SetVolCourant(2);
        concours.SetDossardCourant("3");
        return tavo::IDOK;
    };
    cadre->resize(900, 640);
    cadre->ExecuteCommande(CM_NOTES);
    if (fenetre->GetVue() != 3) {
        std::fprintf(stderr, "tavo-captures: no score sheet\n");
        ++erreurs;
    }
    QTest::keyClick(fenetre, Qt::Key_Right);
    QTest::keyClick(fenetre, Qt::Key_Return);
    for (Qt::Key touche : {Qt::Key_8, Qt::Key_7, Qt::Key_9, Qt::Key_6})
        QTest::keyClick(fenetre, touche, Qt::KeypadModifier);
    QTest::keyClick(fenetre, Qt::Key_8); // the main keyboard's 8: 18, shown in red
    QTest::keyClick(fenetre, Qt::Key_Plus, Qt::KeypadModifier);
    enregistre(cadre, "feuille.png");
    fenetre->GetDocument().MarqueEnregistre();

    // "Juges sur le terrain", on a copy: the judges' keys are written beside the file.
    const QString copie = QDir(depart.path()).filePath(QStringLiteral("demo.ccr"));
    QFile::copy(QStringLiteral(TAVO_DATA_DIR "/Concours/demo.ccr"), copie);
    cadre->ExecuteCommande(CM_CARACTERISTIQUES);
    if (!fenetre->OuvreFichier(copie) || !cadre->ExecuteCommande(CM_TERRAIN) ||
        !fenetre->GetFenetreTerrain()) {
        std::fprintf(stderr, "tavo-captures: no field window\n");
        ++erreurs;
    } else {
        fenetre->GetFenetreTerrain()->GetTerrain().Appelle(1, "3");
        fenetre->GetFenetreTerrain()->resize(1000, 900);
        QTest::qWait(100);
        enregistre(fenetre->GetFenetreTerrain(), "terrain.png");
    }
    delete cadre;
    return erreurs == 0 ? 0 : 1;
}
