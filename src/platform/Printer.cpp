// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Printer.h"

#include "model/Fichier.h"
#include "platform/Chaines.h"
#include "platform/DialoguesStandard.h"
#include "platform/PainterDC.h"
#include "platform/Printout.h"

#include <algorithm>
#include <string>
#include <string_view>

#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QVariant>

namespace tavo {

namespace {

/** The margin a printer cannot print, at the least. */
constexpr qreal MARGE_IMPRIMANTE_MM = 5.0;
// A printout that never stops answering "yes" must not fill the spooler.
constexpr int MAX_PAGES = 10000;

constexpr const char* PROPRIETE_DIALOGUES = "tavoDialoguesImprimante";

/** The dialogs given to the nearest window of `widget`'s parent chain; null: Qt's. */
TDialoguesImprimante* dialoguesDe(QWidget* widget)
{
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget())
        if (const QVariant v = w->property(PROPRIETE_DIALOGUES); v.isValid())
            if (auto* dialogues = static_cast<TDialoguesImprimante*>(v.value<void*>()))
                return dialogues;
    return nullptr;
}

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

// Why no page was printed: cancelled (0) or failed.
QString RaisonEchec(int pages)
{
    return pages == 0 ? QStringLiteral("Printing canceled")
                      : QStringLiteral("Error encountered during print");
}

void ErreurImpression(QWidget* parent, const QString& titre, const QString& raison)
{
    MessageBox(parent, QStringLiteral("'%1' not printed. %2.").arg(titre, raison),
               QStringLiteral("Print Error"), MB_OK | MB_ICONSTOP);
}

// The progress dialog "Printing", shown over `parent` while the pages print.
class Progression
{
public:
    Progression(QWidget* parent, const QPrinter& imprimante)
        : m_dialogue(QStringLiteral("Now printing"), QStringLiteral("Cancel"), 0, 0, parent)
        , m_imprimante(imprimante)
    {
        m_dialogue.setWindowTitle(QStringLiteral("Printing"));
        m_dialogue.setWindowModality(Qt::WindowModal);
    }
    /** Shows page `page`; false when the user cancelled. */
    bool Page(const QString& titre, int page)
    {
        m_dialogue.setLabelText(TexteProgression(m_imprimante, titre, page));
        QApplication::processEvents();
        return !m_dialogue.wasCanceled();
    }
    bool Annule() const { return m_dialogue.wasCanceled(); }

private:
    QProgressDialog m_dialogue;
    const QPrinter& m_imprimante;
};

// What a printer can print of the page, in pixels: inside its own minimum margins, and never
// closer than 5 mm to the edge (a PDF has none, but is printed on a printer that has).
TRect ZoneImprimable(QPageLayout mise, int resolution)
{
    mise.setUnits(QPageLayout::Millimeter);
    const QMarginsF minimum = mise.minimumMargins();
    auto pixels = [resolution](qreal mm) {
        return qRound(std::max(mm, MARGE_IMPRIMANTE_MM) * resolution / 25.4);
    };
    const QRect page = mise.fullRectPixels(resolution);
    return TRect{pixels(minimum.left()), pixels(minimum.top()),
                 page.width() - pixels(minimum.right()), page.height() - pixels(minimum.bottom())};
}

// A device context that measures like another and draws nothing: the pages before a page
// range are laid out on it, so that the pages printed continue where they would.
class TDCMuet : public TDC
{
public:
    explicit TDCMuet(TDC& modele)
        : m_modele(modele)
    {}
    int GetDeviceCaps(int index) const override { return m_modele.GetDeviceCaps(index); }
    void SelectObject(const TFont& font) override { m_modele.SelectObject(font); }
    void SelectObject(const TPen& pen) override { m_modele.SelectObject(pen); }
    void SelectObject(const TBrush& brush) override { m_modele.SelectObject(brush); }
    void RestoreObjects() override { m_modele.RestoreObjects(); }
    TTextMetric GetTextMetrics() const override { return m_modele.GetTextMetrics(); }
    TSize GetTextExtent(const QString& texte) const override
    {
        return m_modele.GetTextExtent(texte);
    }
    void SetTextColor(TColor) override {}
    void SetBkColor(TColor) override {}
    void SetBkMode(int) override {}
    void TextOut(int, int, const QString&) override {}
    void DrawText(const QString&, const TRect&, unsigned) override {}
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void Rectangle(int, int, int, int) override {}
    void FillRect(const TRect&, const TBrush&) override {}
    void FrameRect(const TRect&, const TBrush&) override {}
    bool StretchBitmap(const QString&, const TRect&) override { return true; }

private:
    TDC& m_modele;
};

// Draws the pages `de` to `a` (0: from the first, to the last) of a printout on a paged device
// whose painter is begun; the number of pages drawn, 0 when the progress was cancelled.
int Dessine(QPainter& painter, QPagedPaintDevice& appareil, int resolution, TPrintout& printout,
            Progression* progression, int de = 0, int a = 0)
{
    // Bitmaps would otherwise be JPEG-compressed in a PDF.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    int pages = 0;
    TPainterDC dc(painter);
    TDCMuet muet(dc);
    const QRect page = appareil.pageLayout().fullRectPixels(resolution);
    const TSize taille{page.width(), page.height()};
    const TRect zone = ZoneImprimable(appareil.pageLayout(), resolution);
    printout.SetPrintParams(&dc, taille, zone);
    printout.BeginPrinting();
    int minPage = 0, maxPage = 0, premiere = 0, derniere = 0;
    printout.GetPageRange(minPage, maxPage, premiere, derniere);
    printout.BeginDocument(1, maxPage > 0 ? maxPage : MAX_PAGES);
    for (int p = 1; p <= MAX_PAGES && (a <= 0 || p <= a) && printout.HasPage(p); ++p) {
        if (p < de) {
            printout.SetPrintParams(&muet, taille, zone);
            printout.PassePage(p);
            muet.RestoreObjects();
            printout.SetPrintParams(&dc, taille, zone);
            continue;
        }
        if (progression && !progression->Page(printout.GetTitle(), p)) {
            pages = 0;
            break;
        }
        if (pages > 0 && !appareil.newPage())
            break;
        printout.RenderPage(p);
        dc.RestoreObjects();
        ++pages;
    }
    printout.EndDocument();
    printout.EndPrinting();
    printout.SetPrintParams(nullptr, TSize{});
    return pages;
}

// A PDF made in memory, with the page layout, resolution and title of `modele`; the number of
// pages, 0 when cancelled, -1 when it cannot be made.
int DessinePdf(const QPrinter& modele, TPrintout& printout, Progression* progression,
               QByteArray& pdf)
{
    QBuffer tampon(&pdf);
    if (!tampon.open(QIODevice::WriteOnly))
        return -1;
    QPdfWriter ecrivain(&tampon);
    ecrivain.setPdfVersion(modele.pdfVersion());
    ecrivain.setTitle(modele.docName());
    ecrivain.setCreator(modele.creator());
    ecrivain.setResolution(modele.resolution());
    QPageLayout mise = modele.pageLayout();
    mise.setMode(QPageLayout::FullPageMode);
    ecrivain.setPageLayout(mise);
    QPainter painter;
    if (!painter.begin(&ecrivain))
        return -1;
    const int pages = Dessine(painter, ecrivain, ecrivain.resolution(), printout, progression,
                              modele.fromPage(), modele.toPage());
    painter.end();
    return pages;
}

// Writes a finished PDF; the reason in `erreur` when it cannot be written whole.
bool EcritPdf(const QString& chemin, const QByteArray& pdf, QString* erreur)
{
    std::string raison;
    if (EcritDocument(QFile::encodeName(chemin).toStdString(),
                      std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())),
                      &raison))
        return true;
    if (erreur != nullptr)
        *erreur = QString::fromStdString(raison);
    return false;
}

// The print dialog confirmed as by its own button: its choices taken, its checks made.
void ConfirmeImpression(QPrintDialog& dialogue)
{
    auto* boutons = dialogue.findChild<QDialogButtonBox*>();
    if (QPushButton* imprimer = boutons ? boutons->button(QDialogButtonBox::Ok) : nullptr)
        imprimer->click();
    else
        dialogue.accept();
}

} // namespace

void AjouteApercu(QPrintDialog& dialogue, QPrinter& imprimante,
                  const std::function<void(QPrinter*)>& dessine)
{
    auto* boutons = dialogue.findChild<QDialogButtonBox*>();
    if (boutons == nullptr)
        return;
    QPushButton* apercu =
        boutons->addButton(QStringLiteral("Aperçu avant impression"), QDialogButtonBox::ActionRole);
    apercu->setObjectName(QStringLiteral("boutonApercu"));
    QObject::connect(apercu, &QPushButton::clicked, &dialogue, [&dialogue, &imprimante, dessine] {
        TApercu fenetre(&dialogue, imprimante, dessine);
        if (fenetre.exec() == QDialog::Accepted)
            ConfirmeImpression(dialogue);
    });
}

void ProposeFichier(QPrintDialog& dialogue, const QString& chemin)
{
    // Qt's dialog would propose the last file printed into, or a name of its own.
    if (auto* champ = dialogue.findChild<QLineEdit*>(QStringLiteral("filename")))
        champ->setText(QDir::toNativeSeparators(chemin));
}

bool TDialoguesImprimante::Imprimer(QWidget* parent, QPrinter& imprimante)
{
    QPrintDialog dialogue(&imprimante, parent);
    if (Apercu)
        AjouteApercu(dialogue, imprimante, Apercu);
    if (!FichierPdf.isEmpty())
        ProposeFichier(dialogue, FichierPdf);
    // A page range reprints page 2 alone; the pages before it are laid out, not printed.
    dialogue.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialogue.setMinMax(1, MAX_PAGES);
    return dialogue.exec() == QDialog::Accepted;
}

bool TDialoguesImprimante::MiseEnPage(QWidget* parent, QPrinter& imprimante)
{
    QPageSetupDialog dialogue(&imprimante, parent);
    return dialogue.exec() == QDialog::Accepted;
}

void AttacheDialoguesImprimante(QWidget* fenetre, TDialoguesImprimante* dialogues)
{
    fenetre->setProperty(PROPRIETE_DIALOGUES,
                         dialogues ? QVariant::fromValue(static_cast<void*>(dialogues))
                                   : QVariant());
}

TPrinter::TPrinter() = default;
TPrinter::~TPrinter() = default;

QString TPrinter::FichierPdf(const TPrintout& printout) const
{
    QString nom;
    for (const QChar c : printout.GetNomFichier().simplified())
        nom += c.category() == QChar::Other_Control || QStringView(u"/\\:*?\"<>|").contains(c)
                   ? QChar(u'-')
                   : c;
    // Neither a hidden file nor a name Windows would cut short.
    while (nom.startsWith(u'.') || nom.endsWith(u'.') || nom.endsWith(u' ') || nom.startsWith(u' '))
        nom = nom.startsWith(u'.') || nom.startsWith(u' ') ? nom.mid(1) : nom.chopped(1);
    if (nom.isEmpty())
        nom = NomTavo();
    const QFileInfo dossier(m_repertoirePdf);
    const QString repertoire = !m_repertoirePdf.isEmpty() && dossier.isDir()
                                   ? dossier.absoluteFilePath()
                                   : QDir::homePath();
    return QDir(repertoire).filePath(nom + QStringLiteral(".pdf"));
}

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
    TDialoguesImprimante qt;
    TDialoguesImprimante* dialogues = dialoguesDe(parent);
    if (!(dialogues ? dialogues : &qt)->MiseEnPage(parent, *m_imprimante))
        return false;
    Reprend(*m_imprimante);
    return true;
}

int TPrinter::Imprime(QPrinter& imprimante, TPrintout& printout, QWidget* parent)
{
    QPainter painter;
    if (!painter.begin(&imprimante))
        return -1;
    std::unique_ptr<Progression> progression;
    if (parent)
        progression = std::make_unique<Progression>(parent, imprimante);
    const int pages = Dessine(painter, imprimante, imprimante.resolution(), printout,
                              progression.get(), imprimante.fromPage(), imprimante.toPage());
    if (pages == 0 && progression && progression->Annule())
        imprimante.abort();
    painter.end();
    return pages;
}

bool TPrinter::Print(QWidget* parent, TPrintout& printout, bool prompt)
{
    if (!m_imprimante)
        m_imprimante = std::make_unique<QPrinter>(QPrinter::HighResolution);
    Applique(*m_imprimante);
    m_imprimante->setDocName(printout.GetTitle());
    m_imprimante->setFromTo(0, 0); // every page, unless the dialog chooses a range
    if (prompt) {
        TDialoguesImprimante qt;
        TDialoguesImprimante& dialogues = dialoguesDe(parent) ? *dialoguesDe(parent) : qt;
        dialogues.Apercu = [&printout](QPrinter* apercu) { Imprime(*apercu, printout); };
        dialogues.FichierPdf = FichierPdf(printout);
        // Printing into a file again proposes this document's file, not the last one.
        if (m_imprimante->outputFormat() == QPrinter::PdfFormat)
            m_imprimante->setOutputFileName(dialogues.FichierPdf);
        const bool confirme = dialogues.Imprimer(parent, *m_imprimante);
        dialogues.Apercu = nullptr;
        dialogues.FichierPdf.clear();
        if (!confirme)
            return false;
    }
    // The dialog may change the page; what it chose stays for the next prints.
    Reprend(*m_imprimante);
    if (m_imprimante->outputFormat() == QPrinter::PdfFormat &&
        !m_imprimante->outputFileName().isEmpty())
        return ImprimeFichierPdf(parent, printout);
    if (m_imprimante->outputFormat() == QPrinter::NativeFormat && !m_imprimante->isValid()) {
        MessageBox(parent, QStringLiteral("Cannot print without a default printer."),
                   QStringLiteral("Print Error"), MB_OK | MB_ICONSTOP);
        return false;
    }
    const int pages = Imprime(*m_imprimante, printout, parent);
    if (pages > 0)
        return true;
    ErreurImpression(parent, printout.GetTitle(), RaisonEchec(pages));
    return false;
}

bool TPrinter::ImprimeFichierPdf(QWidget* parent, TPrintout& printout)
{
    std::unique_ptr<Progression> progression;
    if (parent)
        progression = std::make_unique<Progression>(parent, *m_imprimante);
    QByteArray pdf;
    const int pages = DessinePdf(*m_imprimante, printout, progression.get(), pdf);
    if (pages <= 0) {
        ErreurImpression(parent, printout.GetTitle(), RaisonEchec(pages));
        return false;
    }
    const QString chemin = m_imprimante->outputFileName();
    QString raison;
    if (EcritPdf(chemin, pdf, &raison))
        return true;
    MessageBox(parent,
               QStringLiteral("Le fichier %1 n'a pas pu être écrit :\n%2")
                   .arg(QDir::toNativeSeparators(chemin), raison),
               NomTavo(), MB_OK | MB_ICONEXCLAMATION);
    return false;
}

int TPrinter::ImprimePdf(const QString& chemin, TPrintout& printout, QString* erreur)
{
    QPrinter modele(QPrinter::HighResolution);
    modele.setOutputFormat(QPrinter::PdfFormat);
    modele.setDocName(printout.GetTitle());
    Applique(modele);
    QByteArray pdf;
    const int pages = DessinePdf(modele, printout, nullptr, pdf);
    if (pages > 0 && !EcritPdf(chemin, pdf, erreur))
        return -1;
    return pages;
}

} // namespace tavo
