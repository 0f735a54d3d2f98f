// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Printer.h"

#include "platform/DC.h"
#include "platform/Printout.h"
#include "support/RepondeurScripte.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

#include <QDialog>
#include <QFile>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

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

// The print dialog's "Aperçu avant impression" shows every page of the document.
TEST(Printer, thePrintDialogOffersAPreviewOfEveryPage)
{
    QPrinter imprimante(QPrinter::HighResolution);
    PrintoutLignes printout(120);
    const auto dessine = [&printout](QPrinter* p) { TPrinter::Imprime(*p, printout); };
    QPrintDialog dialogue(&imprimante);
    AjouteApercu(dialogue, imprimante, dessine);
    auto* bouton = dialogue.findChild<QPushButton*>(QStringLiteral("boutonApercu"));
    ASSERT_NE(bouton, nullptr);
    EXPECT_EQ(bouton->text(), QStringLiteral("Aperçu avant impression"));

    std::unique_ptr<QDialog> apercu(CreeApercu(nullptr, imprimante, dessine));
    EXPECT_EQ(apercu->windowTitle(), QStringLiteral("Aperçu avant impression"));
    auto* pages = apercu->findChild<QPrintPreviewWidget*>();
    ASSERT_NE(pages, nullptr);
    pages->updatePreview();
    EXPECT_EQ(pages->pageCount(), 3);
}
