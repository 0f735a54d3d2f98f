// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Commande.h"

#include <charconv>
#include <string_view>

namespace tavo::cli {

const char* const USAGE =
    "Usage : tavo-cli VUE FICHIER.ccr [options]\n"
    "  VUE : concours | classement --vols N | flyoff --flyoffs K | juges --vol V\n"
    "        | diagramme --juge J | profil --vol V\n"
    "  ou : tavo-cli imprimer FORMULAIRE FICHIER.ccr --pdf SORTIE.pdf [options]\n"
    "  options : --programmes REP  --tbl | --sans-tbl  --rapport1000 | --sans-rapport1000\n"
    "            --format texte|csv|json\n"
    "Aide complète : tavo-cli --help\n";

const char* const AIDE =
    "tavo-cli : résultats d'un concours de voltige sans l'interface graphique.\n"
    "Le fichier du concours est seulement lu, jamais modifié.\n"
    "\n"
    "Usage : tavo-cli VUE FICHIER.ccr [options]\n"
    "\n"
    "Vues :\n"
    "  concours                caractéristiques du concours et liste des pilotes\n"
    "  classement --vols N     classement des pilotes après N vols (N de 1 à 4)\n"
    "  flyoff --flyoffs K      classement des pilotes après K fly-off (K de 1 à 4) ;\n"
    "                          vide quand la catégorie et la série n'en prévoient pas\n"
    "  juges --vol V           classement des juges sur le vol V (V de 1 à 7) : score de\n"
    "                          chaque juge, écart au score final en %, place donnée\n"
    "                          (scores toujours sans TBL)\n"
    "  diagramme --juge J      diagramme des notes du juge J (J de 1 à 5) sur tout le\n"
    "                          concours : moyenne, écart-type, part de chaque note 0 à 10\n"
    "  profil --vol V          profil TBL des juges sur le vol V (toujours calculé avec\n"
    "                          TBL, quelle que soit l'option)\n"
    "\n"
    "Impression en PDF (les pages que donnerait l'imprimante, mise en page automatique :\n"
    "A4, marges de 25 mm, orientation du formulaire) :\n"
    "  tavo-cli imprimer FORMULAIRE FICHIER.ccr --pdf SORTIE.pdf [options]\n"
    "  classement --vols N      classement des pilotes après N vols\n"
    "  flyoff --flyoffs K       classement des pilotes après K fly-off\n"
    "  juges --vol V            classement des juges sur le vol V\n"
    "  notes --dossard B --vol V  feuille de notes du pilote B sur le vol V\n"
    "  programme --vol V        programme de vol des juges (feuille vierge)\n"
    "  proces-verbal            procès-verbal de concours\n"
    "  pilotes [--ordre dossards|alphabetique]  liste des pilotes\n"
    "  diagramme --juge J       diagramme des notes du juge J\n"
    "  Le logo ffam.bmp est lu dans le répertoire courant.\n"
    "\n"
    "Options :\n"
    "  --programmes REP        répertoire des programmes de vol (par défaut : celui du\n"
    "                          fichier tavo.ini du répertoire courant, sinon ./Vols)\n"
    "  --tbl, --sans-tbl       applique ou non la correction TBL aux scores des vols\n"
    "                          (par défaut : l'option du fichier tavo.ini, sinon non)\n"
    "  --rapport1000, --sans-rapport1000\n"
    "                          totalise les scores en millièmes ou les scores bruts\n"
    "                          après N vols (par défaut : tavo.ini, sinon millièmes)\n"
    "  --format FORMAT         texte (par défaut, colonnes et formats de l'écran),\n"
    "                          csv (séparateur ;, virgule décimale, UTF-8, ligne de titres)\n"
    "                          ou json\n"
    "  -h, --help              affiche cette aide\n"
    "\n"
    "Code de sortie : 0 en cas de succès ; 2, avec un message sur la sortie d'erreur, quand\n"
    "le fichier ne peut être lu, qu'un programme de vol manque, que le résultat ne peut être\n"
    "écrit sur la sortie standard ou que le PDF ne peut être écrit en entier (il n'en reste\n"
    "alors rien et l'ancien fichier est gardé) ; 64 pour un usage incorrect, dont un --pdf\n"
    "qui désigne le fichier du concours lui-même.\n"
    "\n"
    "Exemples :\n"
    "  tavo-cli classement Concours/demo.ccr --vols 3\n"
    "  tavo-cli flyoff Concours/demo.ccr --flyoffs 2 --programmes Vols --format json\n"
    "  tavo-cli juges Concours/demo.ccr --vol 1 --format csv > juges.csv\n";

namespace {

struct Vue
{
    const char* nom;
    const char* option; ///< the number the view needs, or nullptr
    int minimum;
    int maximum;
};

constexpr Vue VUES[] = {
    {"concours", nullptr, 0, 0}, {"classement", "--vols", 1, 4}, {"flyoff", "--flyoffs", 1, 4},
    {"juges", "--vol", 1, 7},    {"diagramme", "--juge", 1, 5},  {"profil", "--vol", 1, 7},
};

const Vue* TrouveVue(std::string_view nom)
{
    for (const Vue& vue : VUES)
        if (nom == vue.nom)
            return &vue;
    return nullptr;
}

bool EstNombreOption(std::string_view option)
{
    return option == "--vols" || option == "--flyoffs" || option == "--vol" || option == "--juge";
}

Analyse Erreur(std::string texte)
{
    Analyse analyse;
    analyse.erreur = std::move(texte);
    return analyse;
}

bool LitEntier(std::string_view texte, int& valeur)
{
    const auto fin = texte.data() + texte.size();
    const auto resultat = std::from_chars(texte.data(), fin, valeur);
    return resultat.ec == std::errc() && resultat.ptr == fin;
}

// Reads one option (with its value when it takes one); false with the reason otherwise.
bool LitOption(const Vue& vue, std::string_view option, const std::optional<std::string>& valeur,
               Commande& commande, bool& nombreLu, std::string& erreur)
{
    const std::string nom(option);
    if (LitDrapeau(option, valeur, commande, erreur))
        return erreur.empty();
    if (!valeur)
        erreur = EstNombreOption(option) || option == "--programmes" || option == "--format"
                     ? "il manque la valeur de l'option " + nom
                     : "option inconnue : " + nom;
    else if (option == "--programmes")
        commande.programmes = *valeur;
    else if (option == "--format") {
        if (*valeur == "texte")
            commande.format = Format::Texte;
        else if (*valeur == "csv")
            commande.format = Format::Csv;
        else if (*valeur == "json")
            commande.format = Format::Json;
        else
            erreur = "format inconnu : " + *valeur + " (texte, csv ou json)";
    } else if (EstNombreOption(option)) {
        if (vue.option == nullptr || option != vue.option)
            erreur = "l'option " + nom + " ne s'applique pas à la vue " + vue.nom;
        else if (!LitEntier(*valeur, commande.nombre) || commande.nombre < vue.minimum ||
                 commande.nombre > vue.maximum)
            erreur = nom + " attend un nombre de " + std::to_string(vue.minimum) + " à " +
                     std::to_string(vue.maximum) + " (reçu : " + *valeur + ")";
        else
            nombreLu = true;
    } else
        erreur = "option inconnue : " + nom;
    return erreur.empty();
}

bool PrendValeur(std::string_view option)
{
    return EstNombreOption(option) || option == "--programmes" || option == "--format";
}

} // namespace

std::optional<std::string> ParcourtArguments(
    const std::vector<std::string>& arguments, std::size_t debut,
    bool (*prendValeur)(std::string_view), std::string& fichier,
    const std::function<void(std::string_view, const std::optional<std::string>&, std::string&)>&
        litOption)
{
    for (std::size_t i = debut; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (!argument.starts_with("--")) {
            if (!fichier.empty())
                return "argument en trop : " + arguments[i];
            fichier = arguments[i];
            continue;
        }
        std::optional<std::string> valeur;
        std::string_view option = argument;
        if (const auto egal = argument.find('='); egal != std::string_view::npos) {
            option = argument.substr(0, egal);
            valeur = std::string(argument.substr(egal + 1));
        } else if (prendValeur(option) && i + 1 < arguments.size())
            valeur = arguments[++i];
        std::string erreur;
        litOption(option, valeur, erreur);
        if (!erreur.empty())
            return erreur;
    }
    return std::nullopt;
}

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

Analyse AnalyseArguments(const std::vector<std::string>& arguments)
{
    if (!arguments.empty() && arguments[0] == "imprimer")
        return AnalyseImpression(arguments);
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        Analyse aide;
        aide.genre = Analyse::Genre::Aide;
        return aide;
    }
    if (arguments.empty())
        return Erreur("il manque la vue et le fichier du concours");
    const Vue* vue = TrouveVue(arguments[0]);
    if (vue == nullptr)
        return Erreur("vue inconnue : " + arguments[0]);

    Analyse analyse;
    Commande& commande = analyse.commande;
    commande.vue = vue->nom;
    bool nombreLu = false;
    const auto erreur = ParcourtArguments(
        arguments, 1, PrendValeur, commande.fichier,
        [&](std::string_view option, const std::optional<std::string>& valeur, std::string& e) {
            LitOption(*vue, option, valeur, commande, nombreLu, e);
        });
    if (erreur)
        return Erreur(*erreur);
    if (commande.fichier.empty())
        return Erreur("il manque le fichier du concours");
    if (vue->option != nullptr && !nombreLu)
        return Erreur("la vue " + commande.vue + " demande l'option " + vue->option);
    if (vue->option == nullptr && commande.format != Format::Texte)
        return Erreur("la vue concours ne s'écrit qu'en texte");
    analyse.genre = Analyse::Genre::Commande;
    return analyse;
}

} // namespace tavo::cli
