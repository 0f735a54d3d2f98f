// SPDX-License-Identifier: GPL-3.0-or-later
// The title block and the ruled tables of the views, drawn on a device
// context: the screen draws the rows in view, the printouts the rows that fit
// on each page.
#pragma once

#include "platform/DC.h"
#include "presentation/Presentation.h"

#include <string>
#include <utility>
#include <vector>

namespace tavo {

/** "Times New Roman" of `points` points for the context's vertical resolution. */
TFont PoliceVue(const TDC& dc, int points, int poids = FW_NORMAL, bool italique = false);

/** Selects a font and returns its text height, the advance of one of its lines. */
int Selectionne(TDC& dc, const TFont& police);

/**
 * Selects a "Times New Roman" of `points` points, or smaller down to 6 when `texte` is wider
 * than `largeur`; returns the text height of the font of `points` points.
 */
int SelectionneAjuste(TDC& dc, int points, int poids, bool italique, const QString& texte,
                      int largeur);

/** The text cut to `largeur` pixels in the selected font. */
QString Coupe(const TDC& dc, QString texte, int largeur);

/** Text in the selected font, its cell's top at y: drawn at x, centred on x or ending at x. */
void Ecrit(TDC& dc, int x, int y, const QString& texte, Alignement alignement);
void Ecrit(TDC& dc, int x, int y, const std::string& utf8, Alignement alignement);

/**
 * The title block: title, series, place, department, dates, the view's
 * heading and its subtitle, centred on x from y, each line in a smaller font
 * when it is wider than `largeur`. Returns the y below it, where the table
 * starts.
 */
int DessineBlocTitre(TDC& dc, int x, int y, const BlocTitre& bloc, int largeur);

/**
 * A table of columns centred in a drawing `largeur` pixels wide: a header row
 * in 12 pt bold, an empty ruled band, then the data rows in 10 pt, one rule
 * under each. Widths in tenths of a millimetre along the vertical resolution.
 */
class TTableauDC
{
public:
    TTableauDC(TDC& dc, int largeur, const std::vector<ColonneVue>& colonnes);

    /** Left and right edges in pixels. */
    int Gauche() const { return m_bords.front(); }
    int Droite() const { return m_bords.back(); }
    /** Left edge of column c and, at c + 1, its right edge. */
    int Bord(std::size_t c) const { return m_bords[c]; }
    /** Height of a data row: 10 pt plus 2 pixels. */
    int HauteurLigne() const { return m_hauteurLigne; }

    /** Draws the header row at y and returns the grid top G below it. */
    int DessineEntete(int y);
    /** Selects the font of the data rows. */
    void PoliceLignes();
    /**
     * Draws one data row at y, the cells in column order (the rows' font selected); a
     * text wider than its cell is cut at its edge.
     */
    void DessineLigne(int y, const std::vector<std::string>& cellules);
    /**
     * The rules of R rows whose top rule is at `haut`: across the table under the
     * header, the band and each row, and the columns' rules over the rows, as far
     * as they meet the band [de, a] of y.
     */
    void DessineFilets(int haut, int rangees, int de, int a);
    /** First and one past the last data row (0-based) under grid top G that meet [de, a]. */
    std::pair<int, int> LignesVisibles(int grille, int lignes, int de, int a) const;
    /** Top of data row i (0-based) under grid top G. */
    int HautLigne(int grille, int i) const { return grille + (i + 1) * m_hauteurLigne; }

private:
    int Ancre(std::size_t c, Alignement alignement) const;

    TDC& m_dc;
    std::vector<ColonneVue> m_colonnes;
    std::vector<int> m_bords;
    int m_hauteurLigne = 0;
};

} // namespace tavo
