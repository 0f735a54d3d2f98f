// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Printer.h"

#include "platform/Dialogues.h"
#include "platform/PainterDC.h"
#include "platform/Printout.h"

#include <QApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>

namespace tavo {

namespace {
// A printout that never stops answering "yes" must not fill the spooler.
constexpr int MAX_PAGES = 10000;

TDialoguesImprimante g_dialoguesQt;
TDialoguesImprimante* g_dialogues = &g_dialoguesQt;

QString NomImprimante(const QPrinter& imprimante)
{
    if (imprimante.outputFormat() == QPrinter::PdfFormat)
        return QStringLiteral("PDF");
    return imprimante.printerName();
}

QString Port(const QPrinter& imprimante)
{
    return imprimante.outputFileName().isEmpty() ? imprimante.printerName()
                                                 : imprimante.outputFileName();
}

// The text of the progress dialog while page `page` prints.
QString TexteProgression(const QPrinter& imprimante, const QString& titre, int page)
{
    return QStringLiteral("Now printing Page %1 of\n'%2' on the\n%3 on %4")
        .arg(page)
        .arg(titre, NomImprimante(imprimante), Port(imprimante));
}

void ErreurImpression(QWidget* parent, const QString& titre, const QString& raison)
{
    MessageBox(parent, QStringLiteral("'%1' not printed. %2.").arg(titre, raison),
               QStringLiteral("Print Error"), MB_OK | MB_ICONSTOP);
}

} // namespace

bool TDialoguesImprimante::Imprimer(QWidget* parent, QPrinter& imprimante)
{
    QPrintDialog dialogue(&imprimante, parent);
    dialogue.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialogue.exec() == QDialog::Accepted;
}

bool TDialoguesImprimante::MiseEnPage(QWidget* parent, QPrinter& imprimante)
{
    QPageSetupDialog dialogue(&imprimante, parent);
    return dialogue.exec() == QDialog::Accepted;
}

TDialoguesImprimante* InstalleDialoguesImprimante(TDialoguesImprimante* dialogues)
{
    TDialoguesImprimante* precedents = g_dialogues == &g_dialoguesQt ? nullptr : g_dialogues;
    g_dialogues = dialogues ? dialogues : &g_dialoguesQt;
    return precedents;
}

TPrinter::TPrinter() = default;
TPrinter::~TPrinter() = default;

void TPrinter::MiseEnPageAutomatique(int orientation)
{
    m_miseEnPage.Orientation = orientation;
    m_miseEnPage.Papier = DMPAPER_A4;
    m_miseEnPage.LongueurPapier = 29700;
    m_miseEnPage.LargeurPapier = 21000;
    m_miseEnPage.MargeGauche = m_miseEnPage.MargeHaut = 2500;
    m_miseEnPage.MargeDroite = m_miseEnPage.MargeBas = 2500;
}

void TPrinter::Applique(QPrinter& imprimante) const
{
    imprimante.setFullPage(true);
    if (m_miseEnPage.Papier == DMPAPER_A4)
        imprimante.setPageSize(QPageSize(QPageSize::A4));
    else
        imprimante.setPageSize(QPageSize(
            QSizeF(m_miseEnPage.LargeurPapier / 100.0, m_miseEnPage.LongueurPapier / 100.0),
            QPageSize::Millimeter));
    imprimante.setPageOrientation(m_miseEnPage.Orientation == DMORIENT_LANDSCAPE
                                      ? QPageLayout::Landscape
                                      : QPageLayout::Portrait);
    imprimante.setPageMargins(
        QMarginsF(m_miseEnPage.MargeGauche / 100.0, m_miseEnPage.MargeHaut / 100.0,
                  m_miseEnPage.MargeDroite / 100.0, m_miseEnPage.MargeBas / 100.0),
        QPageLayout::Millimeter);
}

void TPrinter::Reprend(const QPrinter& imprimante)
{
    const QPageLayout page = imprimante.pageLayout();
    m_miseEnPage.Orientation =
        page.orientation() == QPageLayout::Landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    m_miseEnPage.Papier = page.pageSize().id() == QPageSize::A4 ? DMPAPER_A4 : 0;
    const QSizeF taille = page.pageSize().size(QPageSize::Millimeter);
    m_miseEnPage.LongueurPapier = qRound(taille.height() * 100);
    m_miseEnPage.LargeurPapier = qRound(taille.width() * 100);
    const QMarginsF marges = page.margins(QPageLayout::Millimeter);
    m_miseEnPage.MargeGauche = qRound(marges.left() * 100);
    m_miseEnPage.MargeHaut = qRound(marges.top() * 100);
    m_miseEnPage.MargeDroite = qRound(marges.right() * 100);
    m_miseEnPage.MargeBas = qRound(marges.bottom() * 100);
}

bool TPrinter::Setup(QWidget* parent)
{
    if (!m_imprimante)
        m_imprimante = std::make_unique<QPrinter>(QPrinter::HighResolution);
    Applique(*m_imprimante);
    if (!g_dialogues->MiseEnPage(parent, *m_imprimante))
        return false;
    Reprend(*m_imprimante);
    return true;
}

int TPrinter::Imprime(QPrinter& imprimante, TPrintout& printout, QWidget* parent)
{
    QPainter painter;
    if (!painter.begin(&imprimante))
        return -1;
    // Bitmaps would otherwise be JPEG-compressed in a PDF.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    std::unique_ptr<QProgressDialog> progression;
    if (parent) {
        progression = std::make_unique<QProgressDialog>(QStringLiteral("Now printing"),
                                                        QStringLiteral("Cancel"), 0, 0, parent);
        progression->setWindowTitle(QStringLiteral("Printing"));
        progression->setWindowModality(Qt::WindowModal);
    }
    int pages = 0;
    {
        TPainterDC dc(painter);
        const QRect page = imprimante.pageLayout().fullRectPixels(imprimante.resolution());
        printout.SetPrintParams(&dc, TSize{page.width(), page.height()});
        printout.BeginPrinting();
        int minPage = 0, maxPage = 0, de = 0, a = 0;
        printout.GetPageRange(minPage, maxPage, de, a);
        printout.BeginDocument(1, maxPage > 0 ? maxPage : MAX_PAGES);
        for (int p = 1; p <= MAX_PAGES && printout.HasPage(p); ++p) {
            if (progression) {
                progression->setLabelText(TexteProgression(imprimante, printout.GetTitle(), p));
                QApplication::processEvents();
                if (progression->wasCanceled()) {
                    imprimante.abort();
                    pages = 0;
                    break;
                }
            }
            if (p > 1 && !imprimante.newPage())
                break;
            printout.RenderPage(p);
            dc.RestoreObjects();
            ++pages;
        }
        printout.EndDocument();
        printout.EndPrinting();
        printout.SetPrintParams(nullptr, TSize{});
    }
    painter.end();
    return pages;
}

bool TPrinter::Print(QWidget* parent, TPrintout& printout, bool prompt)
{
    if (!m_imprimante)
        m_imprimante = std::make_unique<QPrinter>(QPrinter::HighResolution);
    Applique(*m_imprimante);
    m_imprimante->setDocName(printout.GetTitle());
    if (prompt && !g_dialogues->Imprimer(parent, *m_imprimante))
        return false;
    // The dialog may change the page; what it chose stays for the next prints.
    Reprend(*m_imprimante);
    if (m_imprimante->outputFormat() == QPrinter::NativeFormat && !m_imprimante->isValid()) {
        MessageBox(parent, QStringLiteral("Cannot print without a default printer."),
                   QStringLiteral("Print Error"), MB_OK | MB_ICONSTOP);
        return false;
    }
    const int pages = Imprime(*m_imprimante, printout, parent);
    if (pages > 0)
        return true;
    ErreurImpression(parent, printout.GetTitle(),
                     pages == 0 ? QStringLiteral("Printing canceled")
                                : QStringLiteral("Error encountered during print"));
    return false;
}

int TPrinter::ImprimePdf(const QString& chemin, TPrintout& printout)
{
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(chemin);
    pdf.setDocName(printout.GetTitle());
    Applique(pdf);
    return Imprime(pdf, printout);
}

} // namespace tavo
