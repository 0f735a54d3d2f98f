// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Geometrie.h"

#include <QString>

namespace tavo {

class TDC;

/**
 * A document to print. The printer gives it a device context and the page
 * size in device pixels (`SetPrintParams`), then asks `HasPage` for pages
 * 1, 2, … and has each page drawn by `RenderPage` while the answer is true.
 * By default a printout has one page. One printout may be rendered several
 * times (the print dialog's preview, each time it draws its pages, then the
 * print); every rendering begins with `BeginPrinting` and `BeginDocument`, where
 * a printout that carries its position from page to page starts over.
 */
class TPrintout
{
public:
    explicit TPrintout(const QString& titre);
    virtual ~TPrintout() = default;
    TPrintout(const TPrintout&) = delete;
    TPrintout& operator=(const TPrintout&) = delete;

    const QString& GetTitle() const { return m_titre; }
    /**
     * The name its PDF file is proposed under, without ".pdf": the form and its
     * flight or bib ("Classement après 2 vols"); the title unless said otherwise.
     */
    virtual QString GetNomFichier() const { return m_titre; }
    bool GetBanding() const { return m_banding; }
    void SetBanding(bool banding) { m_banding = banding; }

    /**
     * The device context and the page, whose part the printer can print is
     * `imprimable` (the whole page when empty), in device pixels.
     */
    virtual void SetPrintParams(TDC* dc, TSize taillePage, TRect imprimable = {});
    /** The page range offered by the print dialog; all 0: no range. */
    virtual void GetPageRange(int& minPage, int& maxPage, int& selDe, int& selA);
    virtual void BeginPrinting() {}
    virtual void BeginDocument(int /*debut*/, int /*fin*/) {}
    virtual bool HasPage(int page) { return page == 1; }
    /** Draws one page on `GetDC()`. */
    virtual void RenderPage(int page) = 0;
    /**
     * A page passed over on the way to the first page of a range, on a device context that
     * draws nothing: rendered, unless the printout can move on without drawing it.
     */
    virtual void PassePage(int page) { RenderPage(page); }
    virtual void EndDocument() {}
    virtual void EndPrinting() {}

    TDC* GetDC() const { return m_dc; }
    TSize GetPageSize() const { return m_taillePage; }
    /** What the printer can print of the page, in page pixels. */
    TRect GetPrintableRect() const { return m_imprimable; }

private:
    QString m_titre;
    bool m_banding = false;
    TDC* m_dc = nullptr;
    TSize m_taillePage;
    TRect m_imprimable;
};

} // namespace tavo
