// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Printer.h"

#include "platform/DC.h"
#include "platform/Printout.h"
#include "support/RepondeurScripte.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using namespace tavo;

namespace {

/** A printout of `lignes` lines of 10-point text, flowing over as many pages as they need. */
class PrintoutLignes : public TPrintout
{
public:
    explicit PrintoutLignes(int n)
        : TPrintout(QStringLiteral("Lignes"))
        , lignes(n)
    {}
    bool HasPage(int page) override
    {
        pagesDemandees.push_back(page);
        return (page - 1) * LignesParPage() < lignes;
    }
    void RenderPage(int page) override
    {
        TDC& dc = *GetDC();
        dc.SelectObject(TFont::Points(10, dc.GetDeviceCaps(LOGPIXELSY)));
        const int h = dc.GetTextMetrics().tmHeight;
        for (int i = 0; i < LignesParPage() && suivante < lignes; ++i, ++suivante)
            dc.TextOut(dc.Mm(250), dc.Mm(250) + i * h, QStringLiteral("Ligne %1").arg(suivante));
        pagesDessinees.push_back(page);
        dpi = dc.GetDeviceCaps(LOGPIXELSY);
        taille = GetPageSize();
    }
    int LignesParPage() const { return 50; }

    int lignes;
    int suivante = 0;
    int dpi = 0;
    TSize taille;
    std::vector<int> pagesDemandees;
    std::vector<int> pagesDessinees;
};

} // namespace

TEST(Printer, flowingPrintoutGetsThePagesItAsksFor)
{
    QTemporaryDir dossier;
    TPrinter imprimante;
    PrintoutLignes printout(120);
    const QString pdf = dossier.filePath(QStringLiteral("lignes.pdf"));
    EXPECT_EQ(imprimante.ImprimePdf(pdf, printout), 3);
    EXPECT_EQ(printout.pagesDessinees, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(printout.pagesDemandees, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(printout.suivante, 120);
    EXPECT_EQ(printout.dpi, 1200);
    // A4 portrait, the whole sheet.
    EXPECT_NEAR(printout.taille.cx, 9921, 10);
    EXPECT_NEAR(printout.taille.cy, 14031, 10);
    EXPECT_EQ(printout.GetDC(), nullptr);
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5).startsWith("%PDF"));
}

TEST(Printer, automaticSetUpGivesA4With25mmMarginsAndTheOrientation)
{
    TPrinter imprimante;
    imprimante.GetSetup().MargeHaut = 1000;
    imprimante.MiseEnPageAutomatique(DMORIENT_LANDSCAPE);
    const TMiseEnPage& mise = imprimante.GetSetup();
    EXPECT_EQ(mise.Orientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(mise.Papier, DMPAPER_A4);
    EXPECT_EQ(mise.MargeGauche, 2500);
    EXPECT_EQ(mise.MargeHaut, 2500);
    EXPECT_EQ(mise.MargeBas, 2500);

    QTemporaryDir dossier;
    PrintoutLignes printout(1);
    EXPECT_EQ(imprimante.ImprimePdf(dossier.filePath(QStringLiteral("p.pdf")), printout), 1);
    EXPECT_GT(printout.taille.cx, printout.taille.cy);
}

TEST(Printer, pdfNotWrittenWholeIsAFailureWithItsReason)
{
    TPrinter imprimante;
    for (const QString& chemin :
         {QStringLiteral("/nonexistent/dir/x.pdf"), QStringLiteral("/dev/full")}) {
        PrintoutLignes printout(10);
        QString raison;
        EXPECT_EQ(imprimante.ImprimePdf(chemin, printout, &raison), -1) << chemin.toStdString();
        EXPECT_FALSE(raison.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(QStringLiteral("/nonexistent/dir/x.pdf")));
}

namespace {

/** A print dialog answered "into this PDF file", with a page range when given one. */
struct VersPdf : TDialoguesImprimante
{
    QString chemin;
    int page = 0;
    bool Imprimer(QWidget*, QPrinter& imprimante) override
    {
        imprimante.setOutputFormat(QPrinter::PdfFormat);
        imprimante.setOutputFileName(chemin);
        if (page > 0)
            imprimante.setFromTo(page, page);
        return true;
    }
};

} // namespace

TEST(Printer, pdfChosenInThePrintDialogThatCannotBeWrittenIsToldInAMessageBox)
{
    VersPdf dialogues;
    QWidget fenetre;
    AttacheDialoguesImprimante(&fenetre, &dialogues);
    TRepondeurScripte repondeur(&fenetre);
    TPrinter imprimante;
    PrintoutLignes printout(10);
    dialogues.chemin = QStringLiteral("/dev/full");
    EXPECT_FALSE(imprimante.Print(&fenetre, printout));
    QTemporaryDir dossier;
    dialogues.chemin = dossier.filePath(QStringLiteral("lignes.pdf"));
    EXPECT_TRUE(imprimante.Print(&fenetre, printout));

    ASSERT_EQ(repondeur.Messages().size(), 1u);
    const TRepondeurScripte::Message& message = repondeur.Messages()[0];
    EXPECT_EQ(message.Titre, QStringLiteral("Tavo 2000"));
    EXPECT_EQ(message.Type & MB_ICONES, unsigned{MB_ICONEXCLAMATION});
    EXPECT_TRUE(
        message.Texte.startsWith(QStringLiteral("Le fichier /dev/full n'a pas pu être écrit")))
        << message.Texte.toStdString();
    QFile f(dialogues.chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5).startsWith("%PDF"));
}

// A page range prints those pages alone, each as it would be in the whole document.
TEST(Printer, aPageRangePrintsItsPagesAsTheyAreInTheWholeDocument)
{
    VersPdf dialogues;
    dialogues.page = 2;
    QTemporaryDir dossier;
    dialogues.chemin = dossier.filePath(QStringLiteral("page2.pdf"));
    QWidget fenetre;
    AttacheDialoguesImprimante(&fenetre, &dialogues);
    TPrinter imprimante;
    PrintoutLignes printout(120);
    EXPECT_TRUE(imprimante.Print(&fenetre, printout));
    // Page 1 was laid out (its rows went by), page 3 was never asked for.
    EXPECT_EQ(printout.pagesDessinees, (std::vector<int>{1, 2}));
    QFile f(dialogues.chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 1);
    if (std::system("pdftotext -v > /dev/null 2>&1") == 0) {
        QProcess texte;
        texte.start(QStringLiteral("pdftotext"), {dialogues.chemin, QStringLiteral("-")});
        ASSERT_TRUE(texte.waitForFinished());
        const QString lu = QString::fromUtf8(texte.readAllStandardOutput());
        EXPECT_TRUE(lu.contains(QStringLiteral("Ligne 50")));
        EXPECT_FALSE(lu.contains(QStringLiteral("Ligne 49")));
        EXPECT_FALSE(lu.contains(QStringLiteral("Ligne 100")));
    }
}

// On a 1366 x 768 laptop, with or without a panel, the preview and its frame (some 12 x 40
// pixels) keep within 1366 x 700, whatever the page, and show the page whole and large.
TEST(Printer, thePreviewFitsALaptopScreenWithThePageWhole)
{
    const QSize outils(760, 34);
    for (const QRect ecran : {QRect(0, 0, 1366, 768), QRect(0, 32, 1366, 736)}) {
        for (const QSizeF page : {QSizeF(210, 297), QSizeF(297, 210), QSizeF(210, 1000)}) {
            const QSize taille = TailleApercu(ecran, page, outils);
            EXPECT_LE(taille.width() + 12, 1366);
            EXPECT_LE(taille.height() + 40, 700);
            EXPECT_GE(taille.width(), outils.width());
            // The page, fitted under the tool bar, is at least 600 pixels on its long side
            // (the tall strip aside).
            const double echelle =
                std::min((taille.width() - 40) / page.width(),
                         (taille.height() - outils.height() - 40) / page.height());
            if (page.height() < 500) {
                EXPECT_GE(echelle * std::max(page.width(), page.height()), 540)
                    << page.width() << " " << ecran.height();
            }
        }
    }
    // Landscape is wider than portrait, and a small screen still holds it.
    EXPECT_GT(TailleApercu(QRect(0, 0, 1366, 768), QSizeF(297, 210), outils).width(),
              TailleApercu(QRect(0, 0, 1366, 768), QSizeF(210, 297), outils).width());
    const QSize petit = TailleApercu(QRect(0, 0, 640, 480), QSizeF(297, 210), outils);
    EXPECT_LE(petit.width(), 640);
    EXPECT_LE(petit.height(), 480);
}

namespace {

struct PrintoutNomme : PrintoutLignes
{
    explicit PrintoutNomme(QString n)
        : PrintoutLignes(1)
        , nom(std::move(n))
    {}
    QString GetNomFichier() const override { return nom; }
    QString nom;
};

} // namespace

// The file proposed: the printout's name, "-" for what a file name cannot hold, in the given
// folder made absolute, or the home folder when it does not exist.
TEST(Printer, theProposedPdfIsThePrintoutsNameInTheFolderGiven)
{
    QTemporaryDir dossier;
    TPrinter imprimante;
    imprimante.SetRepertoirePdf(dossier.path());
    EXPECT_EQ(imprimante.FichierPdf(PrintoutNomme(QStringLiteral("Classement après 2 vols"))),
              dossier.filePath(QStringLiteral("Classement après 2 vols.pdf")));
    EXPECT_EQ(imprimante.FichierPdf(PrintoutNomme(QStringLiteral("Feuille - dossard 7/8:\"\x01"))),
              dossier.filePath(QStringLiteral("Feuille - dossard 7-8---.pdf")));
    EXPECT_EQ(imprimante.FichierPdf(PrintoutNomme(QStringLiteral("../.."))),
              dossier.filePath(QStringLiteral("-.pdf")));
    EXPECT_EQ(imprimante.FichierPdf(PrintoutLignes(1)),
              dossier.filePath(QStringLiteral("Lignes.pdf")));

    const QString courant = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dossier.path()));
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("Concours")));
    imprimante.SetRepertoirePdf(QStringLiteral("Concours"));
    const QString relatif = imprimante.FichierPdf(PrintoutLignes(1));
    QDir::setCurrent(courant);
    EXPECT_EQ(relatif, dossier.filePath(QStringLiteral("Concours/Lignes.pdf")));
    imprimante.SetRepertoirePdf(dossier.filePath(QStringLiteral("absent")));
    EXPECT_EQ(imprimante.FichierPdf(PrintoutLignes(1)),
              QDir::home().filePath(QStringLiteral("Lignes.pdf")));
}

// The print dialog proposes the file; its preview opens at the window's size with the first
// of every page, zooms and turns pages by its buttons and keys, and its "Imprimer..." confirms the
// print dialog as the dialog's own button does.
TEST(Printer, thePreviewZoomsTurnsPagesAndItsPrintConfirmsThePrintDialog)
{
    QTemporaryDir dossier;
    const QString propose = dossier.filePath(QStringLiteral("Liste des pilotes.pdf"));
    QPrinter imprimante(QPrinter::HighResolution);
    PrintoutLignes printout(120);
    QPrintDialog dialogue(&imprimante);
    AjouteApercu(dialogue, imprimante,
                 [&printout](QPrinter* p) { TPrinter::Imprime(*p, printout); });
    ProposeFichier(dialogue, propose);
    auto* champ = dialogue.findChild<QLineEdit*>(QStringLiteral("filename"));
    ASSERT_NE(champ, nullptr);
    EXPECT_EQ(champ->text(), propose);

    bool vu = false;
    std::function<void()> dansApercu = [&] {
        auto* apercu = dynamic_cast<TApercu*>(QApplication::activeModalWidget());
        if (apercu == nullptr) {
            QTimer::singleShot(10, dansApercu);
            return;
        }
        vu = true;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(apercu));
        EXPECT_EQ(apercu->windowTitle(), QStringLiteral("Aperçu avant impression"));
        EXPECT_EQ(apercu->size(),
                  TailleApercu(apercu->screen()->availableGeometry(),
                               imprimante.pageLayout().fullRect(QPageLayout::Point).size(),
                               apercu->Outils()->sizeHint()));
        QPrintPreviewWidget* pages = apercu->Pages();
        EXPECT_EQ(pages->zoomMode(), QPrintPreviewWidget::FitInView);
        auto* numero = apercu->findChild<QLabel*>(QStringLiteral("numeroPage"));
        EXPECT_EQ(numero->text(), QStringLiteral("Page 1 / 3"));
        QTest::keyClick(apercu, Qt::Key_PageDown);
        EXPECT_EQ(numero->text(), QStringLiteral("Page 2 / 3"));
        QTest::keyClick(apercu, Qt::Key_PageUp);
        EXPECT_EQ(pages->currentPage(), 1);
        // Scrolled to the end, it says so too.
        QScrollBar* defilement = pages->findChild<QGraphicsView*>()->verticalScrollBar();
        defilement->setValue(defilement->maximum());
        EXPECT_EQ(numero->text(), QStringLiteral("Page 3 / 3"));
        QTest::keyClick(apercu, Qt::Key_PageUp);
        EXPECT_EQ(pages->currentPage(), 2);

        const qreal avant = pages->zoomFactor();
        auto bouton = [&](const char* nom) {
            return apercu->Outils()->widgetForAction(
                apercu->findChild<QAction*>(QString::fromLatin1(nom)));
        };
        QTest::mouseClick(bouton("zoomAvant"), Qt::LeftButton);
        EXPECT_GT(pages->zoomFactor(), avant);
        QTest::keyClick(apercu, Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(apercu, Qt::Key_Minus, Qt::ControlModifier);
        EXPECT_LT(pages->zoomFactor(), avant);
        QTest::mouseClick(bouton("pageEntiere"), Qt::LeftButton);
        EXPECT_EQ(pages->zoomMode(), QPrintPreviewWidget::FitInView);
        QTest::mouseClick(bouton("imprimer"), Qt::LeftButton);
    };
    auto* ouvre = dialogue.findChild<QPushButton*>(QStringLiteral("boutonApercu"));
    ASSERT_NE(ouvre, nullptr);
    EXPECT_EQ(ouvre->text(), QStringLiteral("Aperçu avant impression"));
    QTimer::singleShot(0, dansApercu);
    QTimer::singleShot(0, ouvre, &QPushButton::click);
    // A dialog the preview did not close is closed by this one.
    QTimer::singleShot(20000, &dialogue, &QDialog::reject);
    EXPECT_EQ(dialogue.exec(), QDialog::Accepted);
    EXPECT_TRUE(vu);
    if (imprimante.outputFormat() == QPrinter::PdfFormat) {
        EXPECT_EQ(imprimante.outputFileName(), propose);
    }
}
