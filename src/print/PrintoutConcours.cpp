// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PrintoutConcours.h"

#include "dessin/TableauDC.h"
#include "model/Concours.h"
#include "platform/Chaines.h"

#include <algorithm>

#include <QDate>

namespace tavo {

QString TextePied()
{
    return QStringLiteral("%1 version %2 - imprimé le %3")
        .arg(NomTavo(), QStringLiteral(TAVO_VERSION),
             QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
}

TPrintoutConcours::TPrintoutConcours(const QString& titre, TConcours& concours,
                                     const TMarges& marges)
    : TPrintout(titre)
    , Competition(concours)
    , Margins(marges)
{
    SetBanding(false);
}

void TPrintoutConcours::GetPageRange(int& minPage, int& maxPage, int& selDe, int& selA)
{
    minPage = maxPage = selDe = selA = 0;
}

int TPrintoutConcours::Pt(int points) const
{
    return PointsEnPixels(points, Dc().GetDeviceCaps(LOGPIXELSY));
}

int TPrintoutConcours::Mm(int dixiemes) const
{
    return DixiemesMmEnPixels(dixiemes, Dc().GetDeviceCaps(LOGPIXELSY));
}

int TPrintoutConcours::MmX(int dixiemes) const
{
    return DixiemesMmEnPixels(dixiemes, Dc().GetDeviceCaps(LOGPIXELSX));
}

int TPrintoutConcours::Mm100(int centiemes) const
{
    return CentiemesMmEnPixels(centiemes, Dc().GetDeviceCaps(LOGPIXELSY));
}

TFont TPrintoutConcours::Police(int points, int poids, bool italique, const QString& face) const
{
    return TFont::Points(points, Dc().GetDeviceCaps(LOGPIXELSY), poids, italique, face);
}

int TPrintoutConcours::LargeurUtile() const
{
    const TRect zone = GetPrintableRect();
    return 2 * std::min(W() / 2 - zone.left, zone.right - W() / 2);
}

TPen TPrintoutConcours::Stylo(int largeur) const
{
    return TPen{TColor::Black, std::max(1, MulDiv(largeur, Dc().GetDeviceCaps(LOGPIXELSY), 300))};
}

int TPrintoutConcours::Choisit(const TFont& police)
{
    Dc().SelectObject(police);
    return Dc().GetTextMetrics().tmHeight;
}

int TPrintoutConcours::h(const TFont& police)
{
    // Measuring selects; callers select what they draw with right after.
    return Choisit(police);
}

void TPrintoutConcours::DebutPage()
{
    Dc().SetBkMode(TRANSPARENT);
    Dc().SetTextColor(TColor::Black);
}

void TPrintoutConcours::Centre(int y, const QString& texte)
{
    Dc().TextOut(W() / 2 - Largeur(texte) / 2, y, texte);
}

void TPrintoutConcours::CentreSur(int x, int y, const QString& texte)
{
    Dc().TextOut(x - Largeur(texte) / 2, y, texte);
}

void TPrintoutConcours::ADroite(int x, int y, const QString& texte)
{
    Dc().TextOut(x - Largeur(texte), y, texte);
}

void TPrintoutConcours::CentreSurPoint(int x, int y, const QString& texte)
{
    const TSize taille = Dc().GetTextExtent(texte);
    Dc().TextOut(x - taille.cx / 2, y - Dc().GetTextMetrics().tmHeight / 2, texte);
}

void TPrintoutConcours::Ligne(int x1, int y1, int x2, int y2)
{
    Dc().MoveTo(x1, y1);
    Dc().LineTo(x2, y2);
}

void TPrintoutConcours::Pied(int y, int page, int pages)
{
    Choisit(Police(10));
    Centre(y, pages > 1 ? TextePied() + QStringLiteral(" - page %1/%2").arg(page).arg(pages)
                        : TextePied());
}

// Flowing printouts

bool TPrintoutDefilant::HasPage(int page)
{
    if (page <= 1)
        return true;
    return (m_pagePleine && m_lignesTotal >= 0 && NextRow < m_lignesTotal) || m_suiteEnAttente;
}

void TPrintoutDefilant::BeginDocument(int, int)
{
    NextRow = 0;
    m_page = m_pages = 1;
    m_lignesTotal = -1;
    m_pagePleine = true;
    m_suiteEnAttente = false;
    m_tables.reset();
}

void TPrintoutDefilant::RenderPage(int page)
{
    DebutPage();
    if (!m_tables)
        m_tables = CalculeTables();
    RendTable(page, m_tables->table, m_tables->suite ? &*m_tables->suite : nullptr);
}

void TPrintoutDefilant::PassePage(int page)
{
    m_passe = true;
    RenderPage(page);
    m_passe = false;
}

void TPrintoutDefilant::PrepareMarges(int lignes)
{
    TopMarginDev = Mm100(Margins.Haut);
    BottomMarginDev = Mm100(Margins.Bas);
    ContentHeight = (lignes + 9) * h(Police(10)) + h(Police(12)) + h(Police(12, FW_BOLD)) +
                    3 * h(Police(14, FW_NORMAL, true)) + h(Police(14, FW_BOLD)) +
                    h(Police(16, FW_BOLD)) + h(Police(20, FW_BOLD)) + 2 * Competition.NbPilotes() +
                    4;
}

void TPrintoutDefilant::RendTable(int page, const TableVue& table, const TableVue* suite)
{
    PrepareMarges(static_cast<int>(table.NbLignes()));
    int m = 0;
    if (page == 1) {
        m = DessineBlocTitre(Dc(), W() / 2, TopMarginDev, table.Bloc(), LargeurUtile()) -
            TopMarginDev;
        m_pages = NombrePages(m, static_cast<int>(table.NbLignes()), suite);
    }
    m_page = page;
    Tableau(m, table, suite);
}

int TPrintoutDefilant::HauteurSuite(const TableVue& suite)
{
    const int r = h(Police(10)) + 2;
    return r + 2 * h(Police(12, FW_BOLD)) + 2 + r + static_cast<int>(suite.NbLignes()) * r;
}

bool TPrintoutDefilant::SuiteTient(int m, const TableVue& suite)
{
    const int bas = m + HauteurSuite(suite);
    return bas < H() - TopMarginDev - BottomMarginDev &&
           TopMarginDev + bas < Bas() - 2 * h(Police(10));
}

void TPrintoutDefilant::DessineSuite(int m, const TableVue& suite)
{
    const int r = h(Police(10)) + 2;
    const int y = TopMarginDev + m + r;
    const int h12b = Choisit(Police(12, FW_BOLD));
    Centre(y, QString::fromStdString(suite.Bloc().entete));
    TTableauDC tableau(Dc(), W(), suite.Colonnes());
    const int haut = tableau.DessineEntete(y + h12b);
    for (std::size_t i = 0; i < suite.NbLignes(); ++i)
        tableau.DessineLigne(haut + static_cast<int>(i + 1) * r, suite.Ligne(i));
    Dc().SelectObject(Stylo(1));
    tableau.DessineFilets(haut, static_cast<int>(suite.NbLignes()), haut, H());
}

int TPrintoutDefilant::NombrePages(int m, int lignes, const TableVue* suite)
{
    // The rows that fit under the heads from m, as the pages place them.
    const int r = h(Police(10)) + 2;
    const int dessous = h(Police(12, FW_BOLD)) + 2 + r;
    auto capacite = [&](int debut) {
        int rangees = 0;
        while (rangees < lignes && LigneTient(debut + rangees * r))
            ++rangees;
        return rangees;
    };
    const int premiere = capacite(m + dessous);
    const int suivantes = capacite(dessous);
    if (premiere == 0 || (lignes > premiere && suivantes == 0))
        return 1;
    int pages = 1;
    int fin = m + dessous + lignes * r; // under the last row
    if (lignes > premiere) {
        pages += (lignes - premiere + suivantes - 1) / suivantes;
        fin = dessous + (lignes - premiere - (pages - 2) * suivantes) * r;
    }
    return pages + (suite != nullptr && !SuiteTient(fin, *suite) ? 1 : 0);
}

void TPrintoutDefilant::Tableau(int m, const TableVue& table, const TableVue* suite)
{
    const int lignes = static_cast<int>(table.NbLignes());
    m_lignesTotal = lignes;
    // A page left for the suite alone does not repeat the table's heads.
    const bool seule = m_suiteEnAttente && NextRow >= lignes;
    if (!seule) {
        TTableauDC tableau(Dc(), W(), table.Colonnes());
        const int haut = tableau.DessineEntete(TopMarginDev + m);
        const int r = tableau.HauteurLigne();
        m = haut - TopMarginDev + r;
        int rangees = 0;
        // The rows' font, selected and measured once for the page.
        const int h10 = NextRow < lignes ? h(Police(10)) : 0;
        while (NextRow < lignes && Tient(m, h10)) {
            if (!m_passe)
                tableau.DessineLigne(TopMarginDev + m,
                                     table.Ligne(static_cast<std::size_t>(NextRow)));
            m += r;
            ++NextRow;
            ++rangees;
        }
        m_pagePleine = rangees > 0;
        Dc().SelectObject(Stylo(1));
        tableau.DessineFilets(haut, rangees, haut, H());
    }
    m_suiteEnAttente = false;
    if (suite != nullptr && NextRow >= lignes) {
        if (seule || SuiteTient(m, *suite))
            DessineSuite(m, *suite);
        else
            m_suiteEnAttente = true;
    }
    Pied(Bas() - 2 * h(Police(10)), m_page, m_pages);
}

bool TPrintoutDefilant::LigneTient(int m)
{
    // Measuring selects the rows' font again.
    return Tient(m, h(Police(10)));
}

bool TPrintoutDefilant::Tient(int m, int h10) const
{
    // A row stays clear of the footer too.
    return m + h10 + 2 < H() - TopMarginDev - BottomMarginDev &&
           TopMarginDev + m + h10 + 2 < Bas() - 2 * h10;
}

} // namespace tavo
