// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TableCommandes.h"

namespace tavo::cli {

namespace {

constexpr OptionNombre VOLS{"--vols", 'N', 1, 4};
constexpr OptionNombre FLYOFFS{"--flyoffs", 'K', 1, 4};
constexpr OptionNombre VOL{"--vol", 'V', 1, 7};
constexpr OptionNombre JUGE{"--juge", 'J', 1, 5};

constexpr OptionPropre DOSSARD{"--dossard", "B", true};
constexpr OptionPropre ORDRE{"--ordre", "dossards|alphabetique", false};
constexpr OptionPropre ACCORD{"--accord", "", false};

constexpr auto VUE = GenreCommande::Vue;
constexpr auto FORMULAIRE = GenreCommande::Formulaire;
using F = FormeImprimee;

constexpr DescriptionCommande COMMANDES[] = {
    {"concours", VUE, VueConcours, F::Aucune, nullptr, nullptr,
     "caractéristiques du concours et liste des pilotes", true},
    {"classement", VUE, VueClassement, F::Aucune, &VOLS, nullptr,
     "classement des pilotes après N vols {plage}"},
    {"flyoff", VUE, VueFlyOff, F::Aucune, &FLYOFFS, nullptr,
     "classement des pilotes après K fly-off {plage} ;\n"
     "vide quand la catégorie et la série n'en prévoient pas"},
    {"juges", VUE, VueJuges, F::Aucune, &VOL, nullptr,
     "classement des juges sur le vol V {plage} : score de\n"
     "chaque juge, écart au score final en %, place donnée\n"
     "(scores toujours sans TBL)"},
    {"diagramme", VUE, VueDiagramme, F::Aucune, &JUGE, nullptr,
     "diagramme des notes du juge J {plage} sur tout le\n"
     "concours : moyenne, écart-type, part de chaque note 0 à 10"},
    {"profil", VUE, VueProfil, F::Aucune, &VOL, nullptr,
     "profil TBL des juges sur le vol V (toujours calculé avec\n"
     "TBL, quelle que soit l'option)"},
    {"accord", VUE, VueAccord, F::Aucune, &VOL, nullptr,
     "accord de chaque juge avec le jury sur le vol V {plage} :\n"
     "rho de Spearman et tau-b de Kendall entre ses places et\n"
     "le classement du vol (rangs moyens pour les ex aequo),\n"
     "écart moyen au score final en % ; « - » sous 2 pilotes"},
    {"feuille", VUE, VueFeuille, F::Aucune, &VOL, &DOSSARD,
     "feuille de notes du pilote B sur le vol V {plage} : la\n"
     "note de chaque juge sur chaque ligne, les scores des\n"
     "juges et le total du vol"},
    {"manquantes", VUE, VueManquantes, F::Aucune, nullptr, nullptr,
     "feuilles de notes manquantes de chaque vol : pilotes sans\n"
     "aucune note, feuilles où la colonne d'un juge s'arrête\n"
     "avant celle des autres (les figures non saisies)"},
    {"publier", VUE, VuePublier, F::Aucune, nullptr, nullptr,
     "site de résultats (HTML) écrit dans le répertoire REP,\n"
     "donné après le fichier : classements, classements et\n"
     "accord des juges, profils TBL, diagrammes, feuilles de\n"
     "chaque pilote ; les autres fichiers de REP sont gardés",
     true, "REP"},
    {"importer", VUE, VueImporter, F::Aucune, nullptr, nullptr,
     "ajoute au concours les pilotes du tableau d'inscription\n"
     "PILOTES.csv, donné après le fichier (CSV ; ou , en UTF-8\n"
     "ou Windows-1252, ligne de titres Nom, Prénom, Club,\n"
     "N° Club, Licence, Fréquences, Dossard) ; écrit le compte\n"
     "rendu et enregistre le concours ; code 2 quand rien n'est\n"
     "ajouté (tableau abîmé, concours ouvert dans une fenêtre)",
     true, "PILOTES.csv"},

    {"classement", FORMULAIRE, nullptr, F::Classement, &VOLS, nullptr,
     "classement des pilotes après N vols"},
    {"flyoff", FORMULAIRE, nullptr, F::FlyOff, &FLYOFFS, nullptr,
     "classement des pilotes après K fly-off"},
    {"juges", FORMULAIRE, nullptr, F::Juges, &VOL, &ACCORD,
     "classement des juges sur le vol V ; --accord ajoute au pied\n"
     "l'accord de chaque juge avec le jury (vue accord)"},
    {"notes", FORMULAIRE, nullptr, F::Notes, &VOL, &DOSSARD,
     "feuille de notes du pilote B sur le vol V"},
    {"programme", FORMULAIRE, nullptr, F::Programme, &VOL, nullptr,
     "programme de vol des juges (feuille vierge)"},
    {"proces-verbal", FORMULAIRE, nullptr, F::ProcesVerbal, nullptr, nullptr,
     "procès-verbal de concours"},
    {"pilotes", FORMULAIRE, nullptr, F::Pilotes, nullptr, &ORDRE, "liste des pilotes"},
    {"diagramme", FORMULAIRE, nullptr, F::Diagramme, &JUGE, nullptr,
     "diagramme des notes du juge J"},
};

} // namespace

std::span<const DescriptionCommande> Commandes()
{
    return COMMANDES;
}

const DescriptionCommande* TrouveCommande(GenreCommande genre, std::string_view nom)
{
    for (const DescriptionCommande& commande : COMMANDES)
        if (commande.genre == genre && commande.nom == nom)
            return &commande;
    return nullptr;
}

std::string Syntaxe(const DescriptionCommande& commande)
{
    std::string syntaxe(commande.nom);
    if (const OptionPropre* propre = commande.propre) {
        std::string option(propre->nom);
        if (!propre->valeur.empty())
            option += " " + std::string(propre->valeur);
        syntaxe += propre->obligatoire ? " " + option : " [" + option + "]";
    }
    if (const OptionNombre* nombre = commande.nombre)
        syntaxe += " " + std::string(nombre->nom) + " " + nombre->lettre;
    if (!commande.argument.empty())
        syntaxe += " " + std::string(commande.argument);
    return syntaxe;
}

} // namespace tavo::cli
