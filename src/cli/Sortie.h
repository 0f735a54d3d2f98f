// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "presentation/Presentation.h"

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

/** Text, CSV and JSON output of tavo-cli. Every text here is UTF-8. */
namespace tavo::cli {

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
Cellule Texte(std::string texte);
/** A number as the views write it, without its padding; the CSV form has a decimal comma. */
Cellule Nombre(const std::string& texte);

/** A table: columns, then rows of cells. */
struct Tableau
{
    std::vector<Colonne> colonnes;
    std::vector<std::vector<Cellule>> lignes;
};

/** A table view of the program: its columns and rows, each cell without its padding. */
Tableau TableauDe(const TableVue& table);
/** The title block of a view, one line each, a blank line before the heading and after. */
void EcritBlocTitre(const BlocTitre& bloc, std::ostream& sortie);

/** Columns padded to their width, separated by two spaces; one line per row. */
void EcritTexte(const Tableau& tableau, std::ostream& sortie);
/** A header line of titles, then the rows; ';' between fields, quoted when needed. */
void EcritCsv(const Tableau& tableau, std::ostream& sortie);

/** Width of a UTF-8 text in characters. */
std::size_t Largeur(std::string_view utf8);

/** A JSON text written as it goes; commas are placed by the writer. */
class Json
{
public:
    Json& DebutObjet();
    Json& FinObjet();
    Json& DebutTableau();
    Json& FinTableau();
    Json& Cle(std::string_view cle);
    Json& Valeur(double valeur);
    Json& Valeur(int valeur);
    Json& Valeur(std::string_view utf8);
    Json& Valeur(const char* utf8) { return Valeur(std::string_view(utf8)); }
    Json& Nul();
    Json& Booleen(bool valeur);

    const std::string& Texte() const { return texte; }

private:
    void Separe();
    Json& Ouvre(char c);
    Json& Ferme(char c);

    std::string texte;
    std::vector<bool> premiers;
    bool apresCle = false;
};

/** The shortest text that reads back to the same double. */
std::string NombreJson(double valeur);

} // namespace tavo::cli
