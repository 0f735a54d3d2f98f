// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DC.h"
#include "platform/Printout.h"
#include "presentation/Presentation.h"

#include <optional>

#include <QString>

class TConcours;

namespace tavo {

/** Page margins in hundredths of a millimetre. */
struct TMarges
{
    int Gauche = 2500;
    int Haut = 2500;
    int Droite = 2500;
    int Bas = 2500;
};

/** The footer line of every printed page: program, version and date printed. */
QString TextePied();

/**
 * What the printouts of a competition share: the competition, the margins
 * copied from the printer's set-up, the units of the page (points, tenths and
 * hundredths of a millimetre, converted with the device's resolution) and the
 * common texts (heading block, footer). No page range is offered.
 */
class TPrintoutConcours : public TPrintout
{
public:
    TPrintoutConcours(const QString& titre, TConcours& concours, const TMarges& marges);

    void GetPageRange(int& minPage, int& maxPage, int& selDe, int& selA) override;

    int GetTopMarginDev() const { return TopMarginDev; }
    int GetBottomMarginDev() const { return BottomMarginDev; }
    int GetContentHeight() const { return ContentHeight; }

protected:
    TDC& Dc() const { return *GetDC(); }
    int W() const { return GetPageSize().cx; }
    int H() const { return GetPageSize().cy; }
    /** The bottom of what the printer can print: footers stand on it or above. */
    int Bas() const { return GetPrintableRect().bottom; }
    /** The widest text centred on the page that the printer can print whole. */
    int LargeurUtile() const;

    /** Points to pixels (vertical resolution). */
    int Pt(int points) const;
    /** Tenths of a millimetre to pixels along the vertical resolution. */
    int Mm(int dixiemes) const;
    /** Tenths of a millimetre to pixels along the horizontal resolution. */
    int MmX(int dixiemes) const;
    /** Hundredths of a millimetre to pixels along the vertical resolution. */
    int Mm100(int centiemes) const;
    /** A font of n points for this device. */
    TFont Police(int points, int poids = FW_NORMAL, bool italique = false,
                 const QString& face = QStringLiteral("Times New Roman")) const;
    /**
     * A black pen `largeur` pixels wide at 300 dpi, the resolution the forms were drawn
     * for, as wide on any device (at least one pixel).
     */
    TPen Stylo(int largeur) const;
    /** Selects a font and returns its line height. */
    int Choisit(const TFont& police);
    /** Line height of a font, leaving the selected font selected. */
    int h(const TFont& police);
    int Largeur(const QString& texte) const { return Dc().GetTextExtent(texte).cx; }

    /** Transparent text background, before any text of the page. */
    void DebutPage();
    /** Text centred on the page width, its cell's top at y. */
    void Centre(int y, const QString& texte);
    /** Text centred on x, its cell's top at y. */
    void CentreSur(int x, int y, const QString& texte);
    /** Text with its right edge at x. */
    void ADroite(int x, int y, const QString& texte);
    /** Text centred on (x, y), horizontally and vertically. */
    void CentreSurPoint(int x, int y, const QString& texte);
    void Ligne(int x1, int y1, int x2, int y2);
    /** The footer line in 10 pt, centred, its top at y; " - page n/m" when m is over 1. */
    void Pied(int y, int page = 1, int pages = 1);

    TConcours& Competition;
    TMarges Margins;
    int TopMarginDev = 0;
    int BottomMarginDev = 0;
    int ContentHeight = 0;
};

/**
 * A printout that flows over as many pages as its rows need: the heading
 * block on page 1, then the table from `NextRow` on, rows while they fit.
 */
class TPrintoutDefilant : public TPrintoutConcours
{
public:
    using TPrintoutConcours::TPrintoutConcours;

    /**
     * Page 1 always; a later page while rows remain and the previous page
     * could place one, so that no row is lost and no page is empty.
     */
    bool HasPage(int page) override;
    /**
     * Every rendering, a preview's as a print's, starts again from the first row, its tables
     * computed again at its first page.
     */
    void BeginDocument(int debut, int fin) override;
    /** The page of the tables as computed for this rendering: no page computes them again. */
    void RenderPage(int page) final;
    /** The rows of a page passed over are placed, not written. */
    void PassePage(int page) final;
    int GetNextRow() const { return NextRow; }

protected:
    /** What the printout prints: a table, and a second one under it or none. */
    struct Tables
    {
        TableVue table;
        std::optional<TableVue> suite;
    };
    /** Computes the tables from the competition as it is now. */
    virtual Tables CalculeTables() = 0;

    /**
     * Page `page` of a table view: its title block on page 1, its rows from `NextRow`.
     * `suite`, when given, is a second table with its heading under the last row, or
     * at the top of one more page when it does not fit there.
     */
    void RendTable(int page, const TableVue& table, const TableVue* suite = nullptr);

    int NextRow = 0;

private:
    /** Margins in pixels and `ContentHeight` for `lignes` rows. */
    void PrepareMarges(int lignes);
    /**
     * Column heads at `TopMarginDev` + m, then the rows `NextRow`... while
     * they fit, the table's rules and the footer.
     */
    void Tableau(int m, const TableVue& table, const TableVue* suite);
    bool LigneTient(int m);
    /** Whether a row of font height `h10` fits with its top at m. */
    bool Tient(int m, int h10) const;
    /** The pages of `lignes` rows whose page 1 has its heads at m, and of the suite. */
    int NombrePages(int m, int lignes, const TableVue* suite);
    /** Height of the suite: a blank row, its heading, its heads, band and rows. */
    int HauteurSuite(const TableVue& suite);
    bool SuiteTient(int m, const TableVue& suite);
    void DessineSuite(int m, const TableVue& suite);

    std::optional<Tables> m_tables; ///< this rendering's
    int m_page = 1;
    int m_pages = 1;
    int m_lignesTotal = -1;
    bool m_pagePleine = true;
    bool m_suiteEnAttente = false;
    bool m_passe = false; ///< the page is passed over
};

} // namespace tavo
