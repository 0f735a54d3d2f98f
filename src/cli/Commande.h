// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavo::cli {

enum class Format
{
    Texte,
    Csv,
    Json,
};

/** What the command line asks for. */
struct Commande
{
    std::string vue;     ///< the view ("concours", "classement"...), or "imprimer"
    std::string fichier; ///< the competition file
    int nombre = 0;      ///< N, k, v or j, as the view needs
    std::optional<std::string> programmes;
    std::optional<bool> tbl;
    std::optional<bool> rapport1000;
    Format format = Format::Texte;
    std::string repertoire; ///< the directory a command writes into ("publier")
    std::string options;    ///< the options file of the start-up directory, set when it runs
    // imprimer
    std::string formulaire;    ///< the form printed: "classement", "notes", "pilotes"...
    std::string pdf;           ///< the PDF file written
    std::string dossard;       ///< the bib of the score sheet ("notes")
    bool alphabetique = false; ///< the pilot list in name order
    bool accord = false;       ///< the judges' agreement under the judge ranking
};

/** Outcome of reading the arguments: a command, the help, the version, or what is wrong. */
struct Analyse
{
    enum class Genre
    {
        Commande,
        Aide,         ///< the whole help
        AideCommande, ///< the help of the one command of `commande` (its `vue`, `formulaire`)
        Version,
        Erreur,
    };
    Genre genre = Genre::Erreur;
    std::string erreur;
    Commande commande;
};

/**
 * Reads the arguments that follow the program name (views and "imprimer"). "--" ends the
 * options: every argument after it is a file or a directory, whatever it looks like.
 */
Analyse AnalyseArguments(const std::vector<std::string>& arguments);

/** True when "--version" or "-V" is among the arguments, before any "--". */
bool DemandeVersion(const std::vector<std::string>& arguments);
/** "tavo-cli 2.01" and a line end. */
std::string Version();

/** The short usage text shown after a usage error. */
std::string Usage();
/** The full help of `tavo-cli --help`. */
std::string Aide();
/** The help of one command (`commande.vue`, for "imprimer" `commande.formulaire`). */
std::string AideDeCommande(const Commande& commande);

} // namespace tavo::cli
