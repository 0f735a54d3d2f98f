// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/FonctionsVues.h"

#include <span>
#include <string>
#include <string_view>

namespace tavo::cli {

/** A view written on the standard output, or a printed form of "imprimer". */
enum class GenreCommande
{
    Vue,
    Formulaire,
};

/** The printed forms of "imprimer" (mapped onto the printouts where printing is built). */
enum class FormeImprimee
{
    Aucune, ///< a view
    Classement,
    FlyOff,
    Juges,
    Notes,
    Programme,
    ProcesVerbal,
    Pilotes,
    Diagramme,
};

/** The number a command needs ("--vols N"), with its range. */
struct OptionNombre
{
    std::string_view nom; ///< "--vols"
    char lettre;          ///< how the help writes the number: 'N'
    int minimum;
    int maximum;
};

/** An option that one form alone takes, with a text value ("--dossard B") or none ("--accord"). */
struct OptionPropre
{
    std::string_view nom; ///< "--dossard"
    std::string_view
        valeur; ///< how the help writes the value: "B", "dossards|alphabetique"; "" for none
    bool obligatoire;
};

/** One command of tavo-cli: how it is read, run and explained. */
struct DescriptionCommande
{
    std::string_view nom;
    GenreCommande genre;
    FonctionVue vue;             ///< what writes a view
    FormeImprimee forme;         ///< what a form prints
    const OptionNombre* nombre;  ///< the number it needs, or null
    const OptionPropre* propre;  ///< a form's own option, or null
    std::string_view aide;       ///< lines apart by '\n'; "{plage}": "(N de 1 à 4)"
    bool texteSeulement = false; ///< a view written in text only
    std::string_view argument{}; ///< a second argument after the file ("REP"), or none
};

/** Every command, in the order of the help. */
std::span<const DescriptionCommande> Commandes();

/** The command of this genre and name, or null. */
const DescriptionCommande* TrouveCommande(GenreCommande genre, std::string_view nom);

/** "classement --vols N", "pilotes [--ordre dossards|alphabetique]": how the help writes it. */
std::string Syntaxe(const DescriptionCommande& commande);

} // namespace tavo::cli
