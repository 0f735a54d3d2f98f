// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "presentation/Presentation.h"
#include "scoring/Classements.h"

#include <iosfwd>
#include <string>
#include <vector>

/** A table view as cells of text, and its CSV form: the file spreadsheets open. UTF-8. */
namespace tavo {

/** What spreadsheets read first to take a CSV file as UTF-8. */
inline constexpr const char* BOM_UTF8 = "\xEF\xBB\xBF";

struct Colonne
{
    std::string titre;
    int largeur = 0; ///< in characters
    Alignement alignement = Alignement::Droite;
    bool texteSeulement = false; ///< not in the CSV form
};

/** One cell: its text as the screen shows it, and its CSV form. */
struct Cellule
{
    std::string texte;
    std::string csv;
};

/** A cell holding a text, the same in both forms. */
Cellule CelluleTexte(std::string texte);
/** A number as the views write it, without its padding; the CSV form has a decimal comma. */
Cellule CelluleNombre(const std::string& texte);

/** A table: columns, then rows of cells. */
struct Tableau
{
    std::vector<Colonne> colonnes;
    std::vector<std::vector<Cellule>> lignes;
};

/** A table view of the program: its columns and rows, each cell without its padding. */
Tableau TableauDe(const TableVue& table);
/** The columns, then the cells of row i (0-based), of `TableauDe`. */
std::vector<Colonne> ColonnesDe(const TableVue& table);
std::vector<Cellule> CellulesDe(const TableVue& table, std::size_t i);
/** A header line of titles, then the rows; ';' between fields, quoted when needed. */
void EcritCsv(const Tableau& tableau, std::ostream& sortie);
/** `EcritCsv` of `TableauDe(table)`, holding one row at a time. */
void EcritCsv(const TableVue& table, std::ostream& sortie);
/** The CSV file of a table: the byte-order mark, then `EcritCsv`. */
std::string FichierCsv(const Tableau& tableau);

/**
 * The table of a ranking or statistics view, computed as tavo-cli computes it (the diagram's
 * table of marks, without its bars): its CSV form is the file of `tavo-cli --format csv`.
 */
Resultat<TableVue> TableDeVue(TConcours& concours, const ParametresCalcul& parametres,
                              GenreVue genre, int numero);

/** "Classement après 2 vols", "Classement des juges - vol 3": how a view's file is named. */
std::string NomDeVue(GenreVue genre, int numero);

} // namespace tavo
