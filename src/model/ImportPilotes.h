// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Pilote.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TConcours;

namespace tavo {

/** The largest registration spreadsheet read. */
constexpr std::uint64_t TAILLE_MAX_TABLEUR = std::uint64_t{16} << 20;

/** The pilot's field a column of the spreadsheet fills. */
enum class ChampImport
{
    Nom,
    Prenom,
    Club,
    NumClub,
    Licence,
    Frequences, ///< one or two frequencies in one cell
    Frequence1,
    Frequence2,
    Dossard,
};

/** "Nom", "Prénom", "N° Club", "Fréquences"...: how the pilot dialog names the field. */
std::string_view NomChampImport(ChampImport champ);

/** One column of the header row: its title (UTF-8) and the field it fills, if any. */
struct ColonneImport
{
    std::string titre;
    std::optional<ChampImport> champ;
};

/** Something the report says about one row of the file (its first line, from 1). */
struct RemarqueImport
{
    std::size_t ligne = 0;
    std::string texte; ///< in French, UTF-8
};

/**
 * A registration spreadsheet read against a competition. With `erreur` the
 * file is refused and nothing is to be added.
 */
struct ImportPilotes
{
    std::string erreur; ///< why the file is refused (French, UTF-8), or empty
    bool utf8 = true;   ///< UTF-8, else Windows-1252
    char separateur = ';';
    std::vector<ColonneImport> colonnes;
    std::vector<TPilote> pilotes;       ///< to add, in the file's order, without marks
    std::vector<std::size_t> lignes;    ///< the line of each pilot to add
    std::vector<RemarqueImport> ecarts; ///< rows skipped, and why
    std::vector<RemarqueImport> notes;  ///< texts cut, values left out, per field

    bool Refuse() const { return !erreur.empty(); }
    /** "UTF-8" or "Windows-1252". */
    std::string_view NomEncodage() const { return utf8 ? "UTF-8" : "Windows-1252"; }
    /** "point-virgule (;)" or "virgule (,)". */
    std::string_view NomSeparateur() const;
};

/**
 * Reads the bytes of a CSV file as a spreadsheet saves it (LibreOffice, Excel):
 * UTF-8 (with or without BOM) when the bytes are valid UTF-8, else Windows-1252;
 * ";" or "," as separator, the one of the header row (outside quotes); quoted
 * cells with "" for a quote, separators and line breaks inside; CR LF or LF;
 * blank rows skipped. The header names the columns (accents, case, spaces and
 * punctuation ignored); a "Nom" and a "Dossard" column are required.
 *
 * A row whose bib is empty, not digits, already worn in `concours` or earlier in
 * the file (the same text or the same number) is skipped and reported. Texts
 * are cut to their fields' sizes, characters the pilot dialog refuses are left
 * out, a licence or club number that is not digits and a frequency that is not
 * "##.###" are left empty: each is reported. Damaged files (NUL bytes or other
 * control characters, an unclosed quote, a row longer than the header, a file
 * too large) are refused whole.
 */
ImportPilotes LitImportPilotes(std::string_view octets, const TConcours& concours);

/** Reads the file `chemin` (a regular file of at most `TAILLE_MAX_TABLEUR` bytes) the same way. */
ImportPilotes LitFichierImportPilotes(const std::string& chemin, const TConcours& concours);

/** Appends the pilots read at the end of the competition's list. */
void AjoutePilotesImportes(TConcours& concours, const ImportPilotes& import);

/**
 * The report as lines of text (UTF-8): the file's encoding and separator and the
 * columns used and ignored (with `avecFormat`), the number of pilots to add, the
 * rows skipped and the texts changed.
 */
std::vector<std::string> RapportImport(const ImportPilotes& import, bool avecFormat = true);

} // namespace tavo
