// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "presentation/Presentation.h"
#include "presentation/Tableau.h"

#include <array>
#include <iosfwd>
#include <streambuf>
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
    /** The text is kept whole, for `Texte`. */
    Json() = default;
    /** The text goes to `sortie` in blocks as it is made; `Termine` writes the rest. */
    explicit Json(std::ostream& flux)
        : sortie(&flux)
    {}

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
    /** Writes what is left of the text, then the end of line. */
    void Termine();

private:
    void Separe();
    Json& Ouvre(char c);
    Json& Ferme(char c);

    std::ostream* sortie = nullptr;
    std::string texte;
    std::vector<bool> premiers;
    bool apresCle = false;
};

/**
 * The result of a command, written to `sortie` in blocks as it is made. Every text but
 * JSON (which escapes its own) has its control characters made harmless
 * (`SansControle`); a CSV result starts with the byte-order mark, unless it is empty.
 */
class SortieResultat : public std::streambuf
{
public:
    SortieResultat(std::ostream& sortie, bool sansControle, bool bom);

    /** Writes what is left; false when the output refused any of it. */
    bool Termine();
    /** The system's reason for the first refusal, or 0. */
    int Cause() const { return m_cause; }

protected:
    int_type overflow(int_type c) override;

private:
    void Ecrit(bool fin);
    void Echec();

    std::ostream& m_sortie;
    const bool m_sansControle;
    bool m_bom;
    bool m_echec = false;
    int m_cause = 0;
    std::array<char, 64 * 1024> m_tampon;
};

/** The shortest text that reads back to the same double. */
std::string NombreJson(double valeur);

} // namespace tavo::cli
