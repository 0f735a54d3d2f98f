// SPDX-License-Identifier: GPL-3.0-or-later
#include "dessin/TableauDC.h"

#include <algorithm>

namespace tavo {

TFont PoliceVue(const TDC& dc, int points, int poids, bool italique)
{
    return TFont::Points(points, dc.GetDeviceCaps(LOGPIXELSY), poids, italique);
}

int Selectionne(TDC& dc, const TFont& police)
{
    dc.SelectObject(police);
    return dc.GetTextMetrics().tmHeight;
}

int SelectionneAjuste(TDC& dc, int points, int poids, bool italique, const QString& texte,
                      int largeur)
{
    const int hauteur = Selectionne(dc, PoliceVue(dc, points, poids, italique));
    while (points > 6 && dc.GetTextExtent(texte).cx > largeur)
        Selectionne(dc, PoliceVue(dc, --points, poids, italique));
    return hauteur;
}

QString Coupe(const TDC& dc, QString texte, int largeur)
{
    while (!texte.isEmpty() && dc.GetTextExtent(texte).cx > largeur)
        texte.chop(1);
    return texte;
}

void Ecrit(TDC& dc, int x, int y, const QString& texte, Alignement alignement)
{
    switch (alignement) {
    case Alignement::Gauche:
        dc.TextOut(x, y, texte);
        break;
    case Alignement::Centre:
        dc.TextOut(x - dc.GetTextExtent(texte).cx / 2, y, texte);
        break;
    case Alignement::Droite:
        dc.TextOut(x - dc.GetTextExtent(texte).cx, y, texte);
        break;
    }
}

void Ecrit(TDC& dc, int x, int y, const std::string& utf8, Alignement alignement)
{
    Ecrit(dc, x, y, QString::fromStdString(utf8), alignement);
}

int DessineBlocTitre(TDC& dc, int x, int y, const BlocTitre& bloc, int largeur)
{
    const int dix = Selectionne(dc, PoliceVue(dc, 10));
    // A line too wide for the drawing is set in a smaller font, in the same place: the lines
    // below it do not move.
    auto ligne = [&](int points, int poids, bool italique, const std::string& utf8, int apres) {
        const QString texte = QString::fromStdString(utf8);
        const int hauteur = SelectionneAjuste(dc, points, poids, italique, texte, largeur);
        Ecrit(dc, x, y, texte, Alignement::Centre);
        y += hauteur + apres;
    };
    ligne(20, FW_BOLD, false, bloc.titre, dix);
    ligne(16, FW_BOLD, false, bloc.serie, dix);
    ligne(14, FW_NORMAL, true, bloc.lieu, 0);
    ligne(14, FW_NORMAL, true, bloc.departement, dix);
    ligne(14, FW_NORMAL, true, bloc.dates, dix);
    ligne(14, FW_BOLD, false, bloc.entete, dix);
    ligne(12, FW_NORMAL, false, bloc.sousTitre, 3 * dix);
    return y;
}

TTableauDC::TTableauDC(TDC& dc, int largeur, const std::vector<ColonneVue>& colonnes)
    : m_dc(dc)
    , m_colonnes(colonnes)
{
    // Each edge from the running width, so that rounding does not add up along the row.
    const int gauche = largeur / 2 - dc.Mm(LargeurDixiemes(colonnes)) / 2;
    int cumul = 0;
    m_bords.push_back(gauche);
    for (const ColonneVue& c : m_colonnes) {
        cumul += c.dixiemes;
        m_bords.push_back(gauche + dc.Mm(cumul));
    }
    m_hauteurLigne = Selectionne(dc, PoliceVue(dc, 10)) + 2;
}

int TTableauDC::Ancre(std::size_t c, Alignement alignement) const
{
    switch (alignement) {
    case Alignement::Gauche:
        return m_bords[c];
    case Alignement::Centre:
        return (m_bords[c] + m_bords[c + 1]) / 2;
    case Alignement::Droite:
        break;
    }
    return m_bords[c + 1];
}

int TTableauDC::DessineEntete(int y)
{
    const int hauteur = Selectionne(m_dc, PoliceVue(m_dc, 12, FW_BOLD));
    for (std::size_t c = 0; c < m_colonnes.size(); ++c)
        Ecrit(m_dc, Ancre(c, m_colonnes[c].alignTitre), y, m_colonnes[c].titre,
              m_colonnes[c].alignTitre);
    return y + hauteur + 2;
}

void TTableauDC::PoliceLignes()
{
    m_dc.SelectObject(PoliceVue(m_dc, 10));
}

void TTableauDC::DessineLigne(int y, const std::vector<std::string>& cellules)
{
    for (std::size_t c = 0; c < cellules.size() && c < m_colonnes.size(); ++c) {
        QString texte = QString::fromStdString(cellules[c]);
        // A text too long for its cell is cut at the cell's edge; a number is never cut.
        if (!m_colonnes[c].nombre)
            texte = Coupe(m_dc, texte, m_bords[c + 1] - m_bords[c]);
        Ecrit(m_dc, Ancre(c, m_colonnes[c].alignCellule), y, texte, m_colonnes[c].alignCellule);
    }
}

std::pair<int, int> TTableauDC::LignesVisibles(int grille, int lignes, int de, int a) const
{
    // Row i spans from its rule above to its rule below.
    const int premier = grille - 1 + m_hauteurLigne;
    const int debut = std::clamp((de - premier) / m_hauteurLigne - 1, 0, lignes);
    const int fin = std::clamp((a - premier) / m_hauteurLigne + 1, debut, lignes);
    return {debut, fin};
}

void TTableauDC::DessineFilets(int haut, int rangees, int de, int a)
{
    const int h = m_hauteurLigne;
    // Horizontal rules above and below the empty band and under every row.
    const int premiere = std::max(0, (de - haut) / h - 1);
    const int derniere = std::min(rangees + 1, (a - haut) / h + 2);
    for (int s = premiere; s <= derniere; ++s) {
        m_dc.MoveTo(Gauche(), haut + s * h);
        m_dc.LineTo(Droite(), haut + s * h);
    }
    if (rangees == 0)
        return;
    // Vertical rules over the data rows, cut to the band asked for.
    const int dessus = std::max(haut + h, de - 1);
    const int dessous = std::min(haut + (rangees + 1) * h, a + 1);
    if (dessus >= dessous)
        return;
    auto verticale = [&](int x) {
        m_dc.MoveTo(x, dessus);
        m_dc.LineTo(x, dessous);
    };
    verticale(Gauche());
    for (std::size_t c = 0; c + 1 < m_colonnes.size(); ++c)
        if (m_colonnes[c].filet)
            verticale(m_bords[c + 1]);
    verticale(Droite());
}

} // namespace tavo
