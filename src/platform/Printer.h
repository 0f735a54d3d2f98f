// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Apercu.h"

#include <functional>
#include <memory>

#include <QString>

class QDialog;
class QPrintDialog;
class QPrinter;
class QWidget;

namespace tavo {

class TPrintout;

/**
 * Shows the print and page set-up dialogs over a printer. By default Qt's
 * dialogs; a window may be given its own (tests answer them so).
 */
class TDialoguesImprimante
{
public:
    virtual ~TDialoguesImprimante() = default;
    /** The print dialog; true when the user confirmed (the printer then holds the choice). */
    virtual bool Imprimer(QWidget* parent, QPrinter& imprimante);
    /** The page set-up dialog; true when confirmed. */
    virtual bool MiseEnPage(QWidget* parent, QPrinter& imprimante);

    /** Draws the document on a printer: what the print dialog's preview shows. */
    std::function<void(QPrinter*)> Apercu;
    /**
     * The PDF file proposed when the dialog prints into a file, path included: the
     * document's own name in the competitions' folder (see `TPrinter::FichierPdf`).
     */
    QString FichierPdf;
};

/**
 * The button "Aperçu avant impression" of a print dialog: it shows the pages
 * `dessine` draws, on the printer as the dialog has it; the preview's
 * "Imprimer..." confirms the print dialog as its own button does.
 */
void AjouteApercu(QPrintDialog& dialogue, QPrinter& imprimante,
                  const std::function<void(QPrinter*)>& dessine);

/** Puts `chemin` in the file field of a print dialog: the PDF it proposes. */
void ProposeFichier(QPrintDialog& dialogue, const QString& chemin);

/**
 * Gives the print dialogs shown over `fenetre`, or over any window whose parent
 * chain leads to it, to `dialogues` (null: Qt's again), which must outlive the
 * attachment.
 */
void AttacheDialoguesImprimante(QWidget* fenetre, TDialoguesImprimante* dialogues);

/** Orientation of the device mode. */
enum Orientation : int
{
    DMORIENT_PORTRAIT = 1,
    DMORIENT_LANDSCAPE = 2,
};
constexpr int DMPAPER_A4 = 9;

/** The page set-up a printer keeps between prints. Lengths in hundredths of a millimetre. */
struct TMiseEnPage
{
    int Orientation = DMORIENT_PORTRAIT;
    int Papier = DMPAPER_A4;
    int LongueurPapier = 29700;
    int LargeurPapier = 21000;
    int MargeGauche = 2500;
    int MargeHaut = 2500;
    int MargeDroite = 2500;
    int MargeBas = 2500;
};

/**
 * The printer: keeps a page set-up for the whole run, shows the page set-up
 * and print dialogs, and prints printouts page by page on the printer or
 * into a PDF. Pages are the whole sheet; printouts place their own margins.
 */
class TPrinter
{
public:
    TPrinter();
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    TMiseEnPage& GetSetup() { return m_miseEnPage; }
    const TMiseEnPage& GetSetup() const { return m_miseEnPage; }
    /** A4, 25 mm margins, the given orientation. */
    void MiseEnPageAutomatique(int orientation);

    /** The page set-up dialog; false when cancelled. */
    bool Setup(QWidget* parent);

    /** The folder of the PDF files proposed by the print dialog (the competitions'). */
    void SetRepertoirePdf(const QString& repertoire) { m_repertoirePdf = repertoire; }
    /**
     * The PDF proposed for a printout: its name (`GetNomFichier`, with "-" for any
     * character a file name cannot hold) and ".pdf", in the folder given, made
     * absolute; in the home folder when that one does not exist.
     */
    QString FichierPdf(const TPrintout& printout) const;
    /**
     * Prints after the print dialog when `prompt`; false when cancelled or
     * failed. A failure or a cancelled progress is told in a message box
     * ("Print Error"). When the dialog chose a PDF file, the file is written
     * whole or not at all (see `ImprimePdf`); a file that cannot be written
     * is told in a message box ("Tavo 2000").
     */
    bool Print(QWidget* parent, TPrintout& printout, bool prompt = true);
    /**
     * Prints into a PDF file: the document is made in memory, then written
     * whole (`EcritDocument`). Returns the number of pages, -1 when the file
     * cannot be written (the reason in `erreur`): no part of it is then left,
     * and a previous file keeps its content.
     */
    int ImprimePdf(const QString& chemin, TPrintout& printout, QString* erreur = nullptr);

    /**
     * Runs a printout on a printer; returns the number of pages drawn, -1
     * when the printer cannot be opened. `parent` not null: the progress
     * dialog "Printing" is shown when printing takes a while, and its
     * "Cancel" aborts the print (0 pages).
     */
    static int Imprime(QPrinter& imprimante, TPrintout& printout, QWidget* parent = nullptr);

private:
    void Applique(QPrinter& imprimante) const;
    void Reprend(const QPrinter& imprimante);
    bool ImprimeFichierPdf(QWidget* parent, TPrintout& printout);

    TMiseEnPage m_miseEnPage;
    std::unique_ptr<QPrinter> m_imprimante;
    QString m_repertoirePdf;
};

} // namespace tavo
