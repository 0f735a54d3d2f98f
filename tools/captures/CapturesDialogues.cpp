// SPDX-License-Identifier: GPL-3.0-or-later
// Screenshots of the data-entry dialogs on the demo competition, made offscreen:
//   tavo-captures-dialogues DIRECTORY → informations-1.png … informations-5.png (the five
//   pages of "Informations"), dialogue-pilotes.png, dialogue-pilotes-indication.png (a refused
//   key told under its field), dialogue-notes.png, dialogue-options.png, dialogue-import.png
//   (the preview of a registration spreadsheet), apercu.png (the print preview of a ranking)
#include "dialogs/TConcoursDlg.h"
#include "dialogs/TImportDlg.h"
#include "dialogs/TNoteDlg.h"
#include "dialogs/TOptionDlg.h"
#include "dialogs/TPiloteDlg.h"
#include "model/Concours.h"
#include "model/Fichier.h"
#include "model/ImportPilotes.h"
#include "model/Option.h"
#include "platform/Apercu.h"
#include "platform/Printer.h"
#include "print/Formulaires.h"
#include "print/PrintoutConcours.h"

#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPrinter>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavo-captures-dialogues DIRECTORY\n");
        return 64;
    }
    const QDir sortie(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
    if (!sortie.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "tavo-captures-dialogues: cannot create %s\n", argv[1]);
        return 1;
    }
    TConcours concours;
    if (!tavo::OuvreConcours(concours, TAVO_DATA_DIR "/Concours/demo.ccr"))
        return 1;
    int erreurs = 0;
    auto enregistre = [&](QWidget& w, const QString& nom) {
        QApplication::processEvents();
        const QString chemin = sortie.filePath(nom);
        if (!w.grab().save(chemin)) {
            std::fprintf(stderr, "tavo-captures-dialogues: cannot write %s\n", qPrintable(chemin));
            ++erreurs;
        }
    };

    TConcoursDlg informations(nullptr, concours, TAVO_DATA_DIR "/Vols");
    informations.show();
    for (int page = 0; page < TConcoursDlg::NB_PAGES; ++page) {
        informations.SelectionnePage(page);
        enregistre(informations, QStringLiteral("informations-%1.png").arg(page + 1));
    }
    informations.reject();

    TPiloteDlg pilotes(nullptr, concours);
    pilotes.show();
    enregistre(pilotes, QStringLiteral("dialogue-pilotes.png"));
    QLineEdit* nom = pilotes.Edit(106);
    nom->end(false);
    QKeyEvent arobase(QEvent::KeyPress, Qt::Key_At, Qt::NoModifier, QStringLiteral("@"));
    QApplication::sendEvent(nom, &arobase);
    enregistre(pilotes, QStringLiteral("dialogue-pilotes-indication.png"));
    pilotes.reject();

    TNoteDlg notes(nullptr, concours);
    notes.show();
    enregistre(notes, QStringLiteral("dialogue-notes.png"));
    notes.reject();

    TOption options(TAVO_DATA_DIR);
    TOptionDlg dialogueOptions(nullptr, options);
    dialogueOptions.show();
    enregistre(dialogueOptions, QStringLiteral("dialogue-options.png"));
    dialogueOptions.reject();

    const QString tableur =
        QStringLiteral(TAVO_TESTS_DIR "/model/donnees/inscriptions-libreoffice-utf8.csv");
    const TConcours sansPilote;
    TImportDlg import(nullptr, tavo::LitFichierImportPilotes(tableur.toStdString(), sansPilote),
                      tableur);
    import.show();
    enregistre(import, QStringLiteral("dialogue-import.png"));
    import.reject();

    // The print preview of the ranking after two flights, on a laptop's screen.
    TConcours classement;
    if (tavo::OuvreConcours(classement, TAVO_DATA_DIR "/Concours/demo.ccr")) {
        tavo::ParametresCalcul parametres;
        parametres.repProgrammes = TAVO_DATA_DIR "/Vols";
        tavo::PrepareFormulaire(classement, parametres, tavo::Formulaire::Classement, 2);
        const auto printout =
            tavo::CreeFormulaire(classement, parametres, tavo::Formulaire::Classement, 2,
                                 tavo::MargesDe(tavo::TMiseEnPage{}), {});
        QPrinter imprimante(QPrinter::HighResolution);
        tavo::TApercu apercu(nullptr, imprimante,
                             [&](QPrinter* p) { tavo::TPrinter::Imprime(*p, *printout); });
        apercu.show();
        enregistre(apercu, QStringLiteral("apercu.png"));
        apercu.reject();
    }
    return erreurs == 0 ? 0 : 1;
}
