// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "presentation/Presentation.h"
#include "presentation/Tableau.h"

#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/** Text, CSV and JSON output of tavo-cli. Every text here is UTF-8. */
namespace tavo::cli {

/** A cell holding a text, the same in both forms. */
inline Cellule Texte(std::string texte)
{
    return CelluleTexte(std::move(texte));
}
/** A number as the views write it, without its padding; the CSV form has a decimal comma. */
inline Cellule Nombre(const std::string& texte)
{
    return CelluleNombre(texte);
}

/** The title block of a view, one line each, a blank line before the heading and after. */
void EcritBlocTitre(const BlocTitre& bloc, std::ostream& sortie);

/** Columns padded to their width, separated by two spaces; one line per row. */
void EcritTexte(const Tableau& tableau, std::ostream& sortie);
/** `EcritTexte` of `TableauDe(table)`, holding one row at a time. */
void EcritTexte(const TableVue& table, std::ostream& sortie);

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
