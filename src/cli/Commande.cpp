// SPDX-License-Identifier: GPL-3.0-or-later
// The arguments of "tavo-cli VUE FICHIER.ccr" and "tavo-cli imprimer FORMULAIRE FICHIER.ccr",
// and the help, all read from the table of commands.
#include "cli/Commande.h"

#include "cli/TableCommandes.h"
#include "model/Fichier.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <string_view>

namespace tavo::cli {

namespace {

constexpr std::string_view AIDE_DEBUT =
    "tavo-cli : résultats d'un concours de voltige sans l'interface graphique.\n"
    "Le fichier du concours est seulement lu, jamais modifié, sauf par importer et terrain.\n"
    "\n"
    "Usage : tavo-cli VUE FICHIER.ccr [options]\n"
    "\n"
    "Vues :\n";

constexpr std::string_view AIDE_IMPRESSION =
    "\n"
    "Impression en PDF (les pages que donnerait l'imprimante, mise en page automatique :\n"
    "A4, marges de 25 mm, orientation du formulaire) :\n"
    "  tavo-cli imprimer FORMULAIRE FICHIER.ccr --pdf SORTIE.pdf [options]\n";

constexpr std::string_view AIDE_FIN_DEBUT =
    "  Le logo ffam.bmp est lu dans le répertoire de départ, sinon dans les données\n"
    "  installées (share/tavo).\n"
    "\n"
    "Juges sur le terrain : tavo-cli terrain FICHIER.ccr [--port P] [--programmes REP]\n"
    "  sert la page des juges (port P, celui de tavo.ini par défaut, 8000 ; 0 : un port\n"
    "  libre) jusqu'à SIGINT ou SIGTERM ; écrit l'adresse et le lien de chaque juge ;\n"
    "  enregistre le fichier à chaque feuille terminée par tout le jury.\n"
    "\n"
    "Répertoire de départ : le répertoire courant s'il contient un fichier tavo.ini ;\n"
    "sinon le dossier de l'utilisateur ~/.local/share/tavo, avec tavo.ini dans ~/.config/tavo.\n"
    "\n"
    "Options :\n";

// The options every view or form takes, one text each for the help of one command.
constexpr std::string_view OPTION_PROGRAMMES =
    "  --programmes REP        répertoire des programmes de vol (par défaut : celui du\n"
    "                          fichier tavo.ini, sinon Vols du répertoire de départ ;\n"
    "                          les programmes installés quand le dossier de\n"
    "                          l'utilisateur n'en a aucun)\n";
constexpr std::string_view OPTIONS_CALCUL =
    "  --tbl, --sans-tbl       applique ou non la correction TBL aux scores des vols\n"
    "                          (par défaut : l'option du fichier tavo.ini, sinon non)\n"
    "  --rapport1000, --sans-rapport1000\n"
    "                          totalise les scores en millièmes ou les scores bruts\n"
    "                          après N vols (par défaut : tavo.ini, sinon millièmes)\n";
constexpr std::string_view OPTION_FORMAT =
    "  --format FORMAT         texte (par défaut, colonnes et formats de l'écran),\n"
    "                          csv (séparateur ;, virgule décimale, UTF-8, ligne de titres)\n"
    "                          ou json\n";
constexpr std::string_view OPTION_PDF = "  --pdf SORTIE.pdf        le fichier PDF écrit\n";
constexpr std::string_view OPTIONS_AIDE =
    "  -h, --help              affiche cette aide (VUE --help : l'aide de la vue seule)\n"
    "  -V, --version           affiche la version\n"
    "  --                      termine les options : ce qui suit est un fichier ou un\n"
    "                          répertoire, même s'il commence par « - »\n";

constexpr std::string_view AIDE_FIN =
    "\n"
    "Erreurs : « tavo-cli : FICHIER.ccr : raison » sur la sortie d'erreur (le fichier et,\n"
    "pour un programme de vol manquant, le vol, le fichier cherché et le répertoire).\n"
    "Code de sortie : 0 en cas de succès (manquantes aussi, quoi qu'il manque) ; 2 quand\n"
    "le fichier ne peut être lu, qu'un programme de vol manque, que le résultat ne peut être\n"
    "écrit sur la sortie standard ou que le PDF ne peut être écrit en entier (il n'en reste\n"
    "alors rien et l'ancien fichier est gardé) ; 64 pour un usage incorrect, dont un --pdf\n"
    "qui désigne le fichier du concours lui-même.\n"
    "\n"
    "Exemples :\n"
    "  tavo-cli classement Concours/demo.ccr --vols 3\n"
    "  tavo-cli flyoff Concours/demo.ccr --flyoffs 2 --programmes Vols --format json\n"
    "  tavo-cli juges Concours/demo.ccr --vol 1 --format csv > juges.csv\n"
    "  tavo-cli manquantes Concours/demo.ccr\n"
    "  tavo-cli publier Concours/demo.ccr /srv/resultats --programmes Vols\n"
    "  tavo-cli classement --vols 1 -- -essai.ccr\n";

constexpr std::string_view USAGE_DEBUT = "Usage : tavo-cli VUE FICHIER.ccr [options]\n";
constexpr std::string_view USAGE_VUES = "  VUE : ";

constexpr std::string_view USAGE_FIN =
    "  ou : tavo-cli imprimer FORMULAIRE FICHIER.ccr --pdf SORTIE.pdf [options]\n"
    "  ou : tavo-cli terrain FICHIER.ccr [--port P] [--programmes REP]\n"
    "  options : --programmes REP  --tbl | --sans-tbl  --rapport1000 | --sans-rapport1000\n"
    "            --format texte|csv|json\n"
    "Aide complète : tavo-cli --help\n";

// Where the help of a view and of a form starts, after two spaces.
constexpr std::size_t COLONNE_VUES = 24;
constexpr std::size_t COLONNE_FORMULAIRES = 25;
// Where a command's help gives the range of its number.
constexpr std::string_view PLAGE = "{plage}";
// The list of views of the usage text is cut before this width.
constexpr std::size_t LARGEUR_USAGE = 80;

Analyse Erreur(std::string texte)
{
    Analyse analyse;
    analyse.erreur = std::move(texte);
    return analyse;
}

std::string Plage(const OptionNombre& nombre)
{
    return std::string("(") + nombre.lettre + " de " + std::to_string(nombre.minimum) + " à " +
           std::to_string(nombre.maximum) + ")";
}

// A command's description, its number's range written out.
std::string TexteAide(const DescriptionCommande& commande)
{
    std::string texte(commande.aide);
    if (const auto plage = texte.find(PLAGE);
        plage != std::string::npos && commande.nombre != nullptr)
        texte.replace(plage, PLAGE.size(), Plage(*commande.nombre));
    return texte;
}

// The help lines of the commands of one genre.
void AjouteCommandes(std::string& aide, GenreCommande genre, std::size_t colonne)
{
    for (const DescriptionCommande& commande : Commandes()) {
        if (commande.genre != genre)
            continue;
        const std::string texte = TexteAide(commande);
        std::string ligne = "  " + Syntaxe(commande);
        ligne.resize(std::max(ligne.size() + 2, 2 + colonne), ' ');
        std::size_t debut = 0;
        for (std::size_t fin; (fin = texte.find('\n', debut)) != std::string::npos;
             debut = fin + 1) {
            aide += ligne + texte.substr(debut, fin - debut) + '\n';
            ligne.assign(2 + colonne, ' ');
        }
        aide += ligne + texte.substr(debut) + '\n';
    }
}

// Whether an option of the views or of the forms takes a value: the common ones, the numbers
// and the forms' own options of the table.
bool PrendValeur(GenreCommande genre, std::string_view option)
{
    if (option == "--programmes" || option == (genre == GenreCommande::Vue ? "--format" : "--pdf"))
        return true;
    for (const DescriptionCommande& commande : Commandes())
        if (commande.genre == genre && ((commande.nombre && commande.nombre->nom == option) ||
                                        (commande.propre && commande.propre->nom == option &&
                                         !commande.propre->valeur.empty())))
            return true;
    return false;
}

// The command that has this option as its own: `courante` when it does, else one of its kind,
// else any; null when none.
const DescriptionCommande* ProprietaireDeLOption(std::string_view option,
                                                 const DescriptionCommande& courante)
{
    if (courante.propre != nullptr && courante.propre->nom == option)
        return &courante;
    const DescriptionCommande* trouve = nullptr;
    for (const DescriptionCommande& commande : Commandes())
        if (commande.propre != nullptr && commande.propre->nom == option &&
            (trouve == nullptr ||
             (commande.genre == courante.genre && trouve->genre != courante.genre)))
            trouve = &commande;
    return trouve;
}

// "l'option --dossard ne s'applique qu'au formulaire notes"
std::string SeulementPour(const std::string& option, const DescriptionCommande& proprietaire)
{
    return "l'option " + option + " ne s'applique qu'" +
           (proprietaire.genre == GenreCommande::Vue ? "à la vue " : "au formulaire ") +
           std::string(proprietaire.nom);
}

/**
 * Walks the arguments from position `debut`: the first that is no option (or any after "--") is
 * the competition file, the next goes to `second` (an error when it is null, and so is a third);
 * each option, with its value ("--vol=3", or "--vol 3" when it takes one), goes to `litOption`,
 * which returns its reason when it is wrong. Returns the first reason, or nothing.
 */
std::optional<std::string> ParcourtArguments(
    const std::vector<std::string>& arguments, std::size_t debut, GenreCommande genre,
    std::string& fichier, std::string* second,
    const std::function<std::string(std::string_view, const std::optional<std::string>&)>&
        litOption)
{
    bool options = true;
    for (std::size_t i = debut; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (options && argument == "--") {
            options = false;
            continue;
        }
        if (!options || !argument.starts_with("--")) {
            std::string* cible = fichier.empty() ? &fichier : second;
            if (cible == nullptr || !cible->empty())
                return "argument en trop : " + arguments[i];
            *cible = arguments[i];
            continue;
        }
        std::optional<std::string> valeur;
        std::string_view option = argument;
        if (const auto egal = argument.find('='); egal != std::string_view::npos) {
            option = argument.substr(0, egal);
            valeur = std::string(argument.substr(egal + 1));
        } else if (PrendValeur(genre, option) && i + 1 < arguments.size())
            valeur = arguments[++i];
        if (std::string erreur = litOption(option, valeur); !erreur.empty())
            return erreur;
    }
    return std::nullopt;
}

// "--tbl", "--sans-tbl", "--rapport1000" or "--sans-rapport1000" (they take no value); false
// when the option is none of them.
bool LitDrapeau(std::string_view option, const std::optional<std::string>& valeur,
                Commande& commande, std::string& erreur)
{
    const bool tbl = option == "--tbl" || option == "--sans-tbl";
    const bool rapport = option == "--rapport1000" || option == "--sans-rapport1000";
    if (!tbl && !rapport)
        return false;
    if (valeur)
        erreur = "l'option " + std::string(option) + " ne prend pas de valeur";
    else if (tbl)
        commande.tbl = option == "--tbl";
    else
        commande.rapport1000 = option == "--rapport1000";
    return true;
}

std::string LitFormat(const std::string& valeur, Format& format)
{
    if (valeur == "texte")
        format = Format::Texte;
    else if (valeur == "csv")
        format = Format::Csv;
    else if (valeur == "json")
        format = Format::Json;
    else
        return "format inconnu : " + valeur + " (texte, csv ou json)";
    return {};
}

// The value of a form's own option.
std::string LitPropre(std::string_view option, const std::string& valeur, Commande& commande)
{
    if (option == "--dossard") {
        if (valeur.empty() || valeur.size() > 4)
            return "--dossard attend un dossard de 1 à 4 caractères (reçu : " + valeur + ")";
        commande.dossard = valeur;
    } else if (valeur == "dossards" || valeur == "alphabetique")
        commande.alphabetique = valeur == "alphabetique";
    else
        return "ordre inconnu : " + valeur + " (dossards ou alphabetique)";
    return {};
}

std::string LitNombre(const OptionNombre& nombre, const std::string& valeur, int& lu)
{
    const auto fin = valeur.data() + valeur.size();
    const auto resultat = std::from_chars(valeur.data(), fin, lu);
    if (resultat.ec != std::errc() || resultat.ptr != fin || lu < nombre.minimum ||
        lu > nombre.maximum)
        return std::string(nombre.nom) + " attend un nombre de " + std::to_string(nombre.minimum) +
               " à " + std::to_string(nombre.maximum) + " (reçu : " + valeur + ")";
    return {};
}

/** What the options of one command have set so far. */
struct Lecture
{
    const DescriptionCommande& description;
    Commande& commande;
    bool nombreLu = false;
    bool propreLu = false;

    // "la vue classement", "le formulaire notes"
    std::string Designation() const
    {
        return (description.genre == GenreCommande::Vue ? "la vue " : "le formulaire ") +
               std::string(description.nom);
    }

    // One option, with its value when it has one; the reason when it is wrong.
    std::string LitOption(std::string_view option, const std::optional<std::string>& valeur)
    {
        const std::string nom(option);
        std::string erreur;
        if (LitDrapeau(option, valeur, commande, erreur))
            return erreur;
        if (const DescriptionCommande* proprietaire = ProprietaireDeLOption(option, description);
            proprietaire != nullptr && proprietaire->propre->valeur.empty()) {
            if (proprietaire != &description)
                return SeulementPour(nom, *proprietaire);
            if (valeur)
                return "l'option " + nom + " ne prend pas de valeur";
            commande.accord = true;
            return {};
        }
        if (!PrendValeur(description.genre, option))
            return "option inconnue : " + nom;
        if (!valeur)
            return "il manque la valeur de l'option " + nom;
        if (option == "--programmes")
            commande.programmes = *valeur;
        else if (option == "--format")
            return LitFormat(*valeur, commande.format);
        else if (option == "--pdf")
            commande.pdf = *valeur;
        else if (const DescriptionCommande* proprietaire =
                     ProprietaireDeLOption(option, description)) {
            if (proprietaire != &description)
                return SeulementPour(nom, *proprietaire);
            erreur = LitPropre(option, *valeur, commande);
            propreLu = erreur.empty();
        } else if (description.nombre == nullptr || option != description.nombre->nom) {
            return "l'option " + nom + " ne s'applique pas " +
                   (description.genre == GenreCommande::Vue ? "à la vue " : "au formulaire ") +
                   std::string(description.nom);
        } else {
            erreur = LitNombre(*description.nombre, *valeur, commande.nombre);
            nombreLu = erreur.empty();
        }
        return erreur;
    }

    // What is missing or inconsistent once every argument is read.
    std::optional<std::string> Manque() const
    {
        if (commande.fichier.empty())
            return "il manque le fichier du concours";
        if (description.genre == GenreCommande::Formulaire) {
            if (commande.pdf.empty())
                return "il manque le fichier PDF à écrire (--pdf SORTIE.pdf)";
            if (MemeFichier(commande.pdf, commande.fichier))
                return "le fichier PDF " + commande.pdf +
                       " est le fichier du concours lui-même : choisissez un autre nom";
        }
        if (!description.argument.empty() && commande.repertoire.empty())
            return Designation() + " demande " +
                   (description.argument == "REP" ? "le répertoire " : "le fichier ") +
                   std::string(description.argument) + " après le fichier du concours";
        if (description.nombre != nullptr && !nombreLu)
            return Designation() + " demande l'option " + std::string(description.nombre->nom);
        if (description.propre != nullptr && description.propre->obligatoire && !propreLu)
            return Designation() + " demande l'option " + std::string(description.propre->nom);
        if (description.texteSeulement && commande.format != Format::Texte)
            return Designation() + " ne s'écrit qu'en texte";
        return std::nullopt;
    }
};

} // namespace

bool DemandeVersion(const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments) {
        if (argument == "--")
            return false;
        if (argument == "--version" || argument == "-V")
            return true;
    }
    return false;
}

std::string Version()
{
    return std::string("tavo-cli ") + TAVO_VERSION + "\n";
}

Analyse AnalyseArguments(const std::vector<std::string>& arguments)
{
    if (DemandeVersion(arguments)) {
        Analyse version;
        version.genre = Analyse::Genre::Version;
        return version;
    }
    const bool impression = !arguments.empty() && arguments[0] == "imprimer";
    const auto fin = std::find(arguments.begin(), arguments.end(), "--");
    const bool aide = std::any_of(arguments.begin(), fin, [](const std::string& argument) {
        return argument == "--help" || argument == "-h";
    });
    // "--help" alone or first (after "imprimer"): the whole help; after a command: its own.
    if (aide) {
        Analyse analyse;
        analyse.genre = Analyse::Genre::Aide;
        const std::size_t position = impression ? 1 : 0;
        if (position >= arguments.size() || arguments[position] == "--help" ||
            arguments[position] == "-h")
            return analyse;
        const std::string& nom = arguments[position];
        if (TrouveCommande(impression ? GenreCommande::Formulaire : GenreCommande::Vue, nom) ==
            nullptr)
            return Erreur((impression ? "formulaire inconnu : " : "vue inconnue : ") + nom);
        analyse.genre = Analyse::Genre::AideCommande;
        analyse.commande.vue = impression ? "imprimer" : nom;
        if (impression)
            analyse.commande.formulaire = nom;
        return analyse;
    }
    if (arguments.size() < (impression ? 2u : 1u))
        return Erreur(impression ? "il manque le formulaire à imprimer"
                                 : "il manque la vue et le fichier du concours");
    const std::size_t position = impression ? 1 : 0;
    const std::string& nom = arguments[position];
    const GenreCommande genre = impression ? GenreCommande::Formulaire : GenreCommande::Vue;
    const DescriptionCommande* description = TrouveCommande(genre, nom);
    if (description == nullptr)
        return Erreur((impression ? "formulaire inconnu : " : "vue inconnue : ") + nom);

    Analyse analyse;
    Commande& commande = analyse.commande;
    commande.vue = impression ? "imprimer" : nom;
    if (impression)
        commande.formulaire = nom;
    Lecture lecture{*description, commande};
    auto erreur =
        ParcourtArguments(arguments, position + 1, genre, commande.fichier,
                          description->argument.empty() ? nullptr : &commande.repertoire,
                          [&](std::string_view option, const std::optional<std::string>& valeur) {
                              return lecture.LitOption(option, valeur);
                          });
    if (!erreur)
        erreur = lecture.Manque();
    if (erreur)
        return Erreur(*erreur);
    analyse.genre = Analyse::Genre::Commande;
    return analyse;
}

std::string Aide()
{
    std::string aide(AIDE_DEBUT);
    AjouteCommandes(aide, GenreCommande::Vue, COLONNE_VUES);
    aide += AIDE_IMPRESSION;
    AjouteCommandes(aide, GenreCommande::Formulaire, COLONNE_FORMULAIRES);
    aide += AIDE_FIN_DEBUT;
    aide += OPTION_PROGRAMMES;
    aide += OPTIONS_CALCUL;
    aide += OPTION_FORMAT;
    aide += OPTIONS_AIDE;
    aide += AIDE_FIN;
    return aide;
}

std::string AideDeCommande(const Commande& commande)
{
    const bool impression = commande.vue == "imprimer";
    const DescriptionCommande* description =
        impression ? TrouveCommande(GenreCommande::Formulaire, commande.formulaire)
                   : TrouveCommande(GenreCommande::Vue, commande.vue);
    if (description == nullptr)
        return Aide();
    // "classement --vols N" becomes "classement FICHIER.ccr --vols N".
    std::string syntaxe = Syntaxe(*description);
    syntaxe.insert(description->nom.size(), " FICHIER.ccr");
    std::string aide = std::string("Usage : tavo-cli ") + (impression ? "imprimer " : "") +
                       syntaxe + (impression ? " --pdf SORTIE.pdf" : "") + " [options]\n\n";
    std::string texte = TexteAide(*description);
    for (std::size_t debut = 0; debut <= texte.size();) {
        const std::size_t fin = std::min(texte.find('\n', debut), texte.size());
        aide += "  " + texte.substr(debut, fin - debut) + '\n';
        debut = fin + 1;
    }
    aide += "\nOptions :\n";
    if (impression)
        aide += OPTION_PDF;
    aide += OPTION_PROGRAMMES;
    aide += OPTIONS_CALCUL;
    if (!impression && !description->texteSeulement)
        aide += OPTION_FORMAT;
    aide += OPTIONS_AIDE;
    return aide;
}

std::string Usage()
{
    std::string usage(USAGE_DEBUT);
    std::string ligne(USAGE_VUES);
    bool premiere = true;
    for (const DescriptionCommande& commande : Commandes()) {
        if (commande.genre != GenreCommande::Vue)
            continue;
        const std::string syntaxe = Syntaxe(commande);
        if (premiere)
            ligne += syntaxe;
        else if (ligne.size() + 3 + syntaxe.size() <= LARGEUR_USAGE)
            ligne += " | " + syntaxe;
        else {
            usage += ligne + '\n';
            ligne = "        | " + syntaxe;
        }
        premiere = false;
    }
    usage += ligne + '\n';
    usage += USAGE_FIN;
    return usage;
}

} // namespace tavo::cli
