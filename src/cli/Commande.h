// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
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
    std::string vue;     ///< "concours", "classement", "flyoff", "juges", "diagramme", "profil"
    std::string fichier; ///< the competition file
    int nombre = 0;      ///< N, k, v or j, as the view needs
    std::optional<std::string> programmes;
    std::optional<bool> tbl;
    std::optional<bool> rapport1000;
    Format format = Format::Texte;
    // imprimer
    std::string formulaire;    ///< the form printed: "classement", "notes", "pilotes"...
    std::string pdf;           ///< the PDF file written
    std::string dossard;       ///< the bib of the score sheet ("notes")
    bool alphabetique = false; ///< the pilot list in name order
};

/** Outcome of reading the arguments: a command, the help, or what is wrong. */
struct Analyse
{
    enum class Genre
    {
        Commande,
        Aide,
        Erreur,
    };
    Genre genre = Genre::Erreur;
    std::string erreur;
    Commande commande;
};

/** Reads the arguments that follow the program name. */
Analyse AnalyseArguments(const std::vector<std::string>& arguments);

/** Reads the arguments of `imprimer` (the first one is "imprimer"). */
Analyse AnalyseImpression(const std::vector<std::string>& arguments);

/**
 * Walks the arguments from position `debut`: the one that is no option is the competition
 * file (a second one is an error); each option, with its value ("--vol=3", or "--vol 3" when
 * `prendValeur` says it takes one), goes to `litOption`, which sets its reason in `erreur`
 * when it is wrong. Returns the first reason, or nothing.
 */
std::optional<std::string> ParcourtArguments(
    const std::vector<std::string>& arguments, std::size_t debut,
    bool (*prendValeur)(std::string_view), std::string& fichier,
    const std::function<void(std::string_view option, const std::optional<std::string>& valeur,
                             std::string& erreur)>& litOption);

/**
 * Reads "--tbl", "--sans-tbl", "--rapport1000" or "--sans-rapport1000" into the command
 * (they take no value); false when the option is none of them.
 */
bool LitDrapeau(std::string_view option, const std::optional<std::string>& valeur,
                Commande& commande, std::string& erreur);

/** The short usage text shown after a usage error. */
extern const char* const USAGE;
/** The full help of `tavo-cli --help`. */
extern const char* const AIDE;

} // namespace tavo::cli
