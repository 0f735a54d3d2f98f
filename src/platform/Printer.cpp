// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Printer.h"

#include "platform/PainterDC.h"
#include "platform/Printout.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace tavo {

namespace {
// A printout that never stops answering "yes" must not fill the spooler.
constexpr int MAX_PAGES = 10000;
} // namespace

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
    QPageSetupDialog dialogue(m_imprimante.get(), parent);
    if (dialogue.exec() != QDialog::Accepted)
        return false;
    Reprend(*m_imprimante);
    return true;
}

int TPrinter::Imprime(QPrinter& imprimante, TPrintout& printout)
{
    QPainter painter;
    if (!painter.begin(&imprimante))
        return -1;
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
    if (prompt) {
        QPrintDialog dialogue(m_imprimante.get(), parent);
        dialogue.setOption(QAbstractPrintDialog::PrintPageRange, false);
        if (dialogue.exec() != QDialog::Accepted)
            return false;
    }
    return Imprime(*m_imprimante, printout) > 0;
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
