// SPDX-License-Identifier: GPL-3.0-or-later
// What the drawn ranking and statistics views share: fonts, aligned text, the
// title block and the ruled tables.
#pragma once

#include "platform/DC.h"

#include <vector>

#include <QString>

class TConcours;

namespace tavo::vues {

/** "Times New Roman" of `points` points for the context's vertical resolution. */
TFont Police(const TDC& dc, int points, int poids = FW_NORMAL, bool italique = false);

/** Selects a font and returns its text height, the advance of one of its lines. */
int Selectionne(TDC& dc, const TFont& police);

enum class Alignement
{
    Gauche, ///< drawn at x
    Centre, ///< centred on x
    Droite, ///< ending at x
};

/** Text in the selected font, its cell's top at y, placed on x as `alignement` says. */
void Ecrit(TDC& dc, int x, int y, const QString& texte, Alignement alignement);

/** White text drawn in transparent mode, as on every drawn view. */
void PrepareEncre(TDC& dc);

/** The top margin of the views with a title block: 1 mm. */
int MargeHaut(const TDC& dc);

/**
 * The title block: title, series, place, department, dates, the view's
 * heading and its subtitle, centred on `largeur` / 2 from y = `haut`.
 * Returns the y below it, where the table starts.
 */
int DessineBlocTitre(TDC& dc, int largeur, int haut, const TConcours& concours,
                     const QString& entete, const QString& sousTitre);

/** One column of a ruled table. */
struct Colonne
{
    int dixiemes = 0; ///< width in tenths of a millimetre
    QString titre;    ///< header text
    Alignement alignTitre = Alignement::Centre;
    Alignement alignCellule = Alignement::Centre;
    bool filet = true; ///< a vertical rule at its right edge
};

/**
 * A table of columns centred in a drawing `largeur` pixels wide: a header row
 * in 12 pt bold, an empty ruled band, then the data rows in 10 pt, one rule
 * under each. Only the rows that meet the visible rectangle are drawn.
 */
class Tableau
{
public:
    Tableau(TDC& dc, int largeur, std::vector<Colonne> colonnes);

    /** Left and right edges in pixels. */
    int Gauche() const { return m_bords.front(); }
    int Droite() const { return m_bords.back(); }
    /** Left edge of column c and, at c + 1, its right edge. */
    int Bord(std::size_t c) const { return m_bords[c]; }
    /** Height of a data row: 10 pt plus 2 pixels. */
    int HauteurLigne() const { return m_hauteurLigne; }

    /** Draws the header row at y and returns the grid top G below it. */
    int DessineEntete(int y);
    /** The rules of R rows under the grid top G, as far as they are visible. */
    void DessineFilets(int grille, int lignes, const TRect& visible);
    /** First and one past the last data row (0-based) that meet the visible rectangle. */
    std::pair<int, int> LignesVisibles(int grille, int lignes, const TRect& visible) const;
    /** Top of data row i (0-based). */
    int HautLigne(int grille, int i) const { return grille + (i + 1) * m_hauteurLigne; }
    /** Draws one data row at y; the cells in column order (10 pt must be selected). */
    void DessineLigne(int y, const std::vector<QString>& cellules);
    /** Selects the font of the data rows. */
    void PoliceLignes();
    /**
     * The rules of R rows under the grid top G, then the rows that meet the visible
     * rectangle, each from `cellules(i)` (the cells of row i, 0-based, in column order).
     */
    template <typename Cellules>
    void DessineCorps(int grille, int lignes, const TRect& visible, Cellules cellules)
    {
        DessineFilets(grille, lignes, visible);
        PoliceLignes();
        const auto [debut, fin] = LignesVisibles(grille, lignes, visible);
        for (int i = debut; i < fin; ++i)
            DessineLigne(HautLigne(grille, i), cellules(static_cast<std::size_t>(i)));
    }

private:
    /** Where a cell of column c is written for an alignment. */
    int Ancre(std::size_t c, Alignement alignement) const;

    TDC& m_dc;
    std::vector<Colonne> m_colonnes;
    std::vector<int> m_bords;
    int m_hauteurLigne = 0;
};

/** A number with a printf format, as the views write them ("%6.2f "). */
QString Nombre(const char* format, double valeur);

/** " Nom Prénom" of a row: a space, the surname, a space, the first name. */
QString NomPrenom(const std::string& nom, const std::string& prenom);

} // namespace tavo::vues
