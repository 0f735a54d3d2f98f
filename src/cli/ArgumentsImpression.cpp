// SPDX-License-Identifier: GPL-3.0-or-later
// The arguments of "tavo-cli imprimer FORMULAIRE FICHIER.ccr --pdf SORTIE.pdf".
#include "cli/Commande.h"
#include "model/Fichier.h"

#include <charconv>
#include <string_view>

namespace tavo::cli {

namespace {

struct Forme
{
    const char* nom;
    const char* option; ///< the number the form needs, or nullptr
    int minimum;
    int maximum;
};

constexpr Forme FORMES[] = {
    {"classement", "--vols", 1, 4}, {"flyoff", "--flyoffs", 1, 4}, {"juges", "--vol", 1, 7},
    {"notes", "--vol", 1, 7},       {"programme", "--vol", 1, 7},  {"proces-verbal", nullptr, 0, 0},
    {"pilotes", nullptr, 0, 0},     {"diagramme", "--juge", 1, 5},
};

Analyse Erreur(std::string texte)
{
    Analyse analyse;
    analyse.erreur = std::move(texte);
    return analyse;
}

bool EstNombre(std::string_view option)
{
    return option == "--vols" || option == "--flyoffs" || option == "--vol" || option == "--juge";
}

bool PrendValeur(std::string_view option)
{
    return EstNombre(option) || option == "--pdf" || option == "--programmes" ||
           option == "--dossard" || option == "--ordre";
}

// One option of a form; the reason in `erreur` when it is wrong.
void LitOption(const Forme& forme, std::string_view option,
               const std::optional<std::string>& valeur, Commande& commande, bool& nombreLu,
               std::string& erreur)
{
    const std::string nom(option);
    if (LitDrapeau(option, valeur, commande, erreur))
        return;
    if (!PrendValeur(option)) {
        erreur = "option inconnue : " + nom;
        return;
    }
    if (!valeur) {
        erreur = "il manque la valeur de l'option " + nom;
        return;
    }
    const std::string_view formeNom = forme.nom;
    if (option == "--pdf")
        commande.pdf = *valeur;
    else if (option == "--programmes")
        commande.programmes = *valeur;
    else if (option == "--dossard") {
        if (formeNom != "notes")
            erreur = "l'option --dossard ne s'applique qu'au formulaire notes";
        else if (valeur->empty() || valeur->size() > 4)
            erreur = "--dossard attend un dossard de 1 à 4 caractères (reçu : " + *valeur + ")";
        else
            commande.dossard = *valeur;
    } else if (option == "--ordre") {
        if (formeNom != "pilotes")
            erreur = "l'option --ordre ne s'applique qu'au formulaire pilotes";
        else if (*valeur == "dossards" || *valeur == "alphabetique")
            commande.alphabetique = *valeur == "alphabetique";
        else
            erreur = "ordre inconnu : " + *valeur + " (dossards ou alphabetique)";
    } else if (forme.option == nullptr || option != forme.option) {
        erreur = "l'option " + nom + " ne s'applique pas au formulaire " + forme.nom;
    } else {
        const auto fin = valeur->data() + valeur->size();
        const auto lu = std::from_chars(valeur->data(), fin, commande.nombre);
        if (lu.ec != std::errc() || lu.ptr != fin || commande.nombre < forme.minimum ||
            commande.nombre > forme.maximum)
            erreur = nom + " attend un nombre de " + std::to_string(forme.minimum) + " à " +
                     std::to_string(forme.maximum) + " (reçu : " + *valeur + ")";
        else
            nombreLu = true;
    }
}

} // namespace

Analyse AnalyseImpression(const std::vector<std::string>& arguments)
{
    if (arguments.size() < 2)
        return Erreur("il manque le formulaire à imprimer");
    const Forme* forme = nullptr;
    for (const Forme& f : FORMES)
        if (arguments[1] == f.nom)
            forme = &f;
    if (forme == nullptr)
        return Erreur("formulaire inconnu : " + arguments[1]);

    Analyse analyse;
    Commande& commande = analyse.commande;
    commande.vue = "imprimer";
    commande.formulaire = forme->nom;
    bool nombreLu = false;
    const auto erreur = ParcourtArguments(
        arguments, 2, PrendValeur, commande.fichier,
        [&](std::string_view option, const std::optional<std::string>& valeur, std::string& e) {
            LitOption(*forme, option, valeur, commande, nombreLu, e);
        });
    if (erreur)
        return Erreur(*erreur);
    if (commande.fichier.empty())
        return Erreur("il manque le fichier du concours");
    if (commande.pdf.empty())
        return Erreur("il manque le fichier PDF à écrire (--pdf SORTIE.pdf)");
    if (MemeFichier(commande.pdf, commande.fichier))
        return Erreur("le fichier PDF " + commande.pdf +
                      " est le fichier du concours lui-même : choisissez un autre nom");
    if (forme->option != nullptr && !nombreLu)
        return Erreur("le formulaire " + commande.formulaire + " demande l'option " +
                      forme->option);
    if (commande.formulaire == "notes" && commande.dossard.empty())
        return Erreur("le formulaire notes demande l'option --dossard");
    analyse.genre = Analyse::Genre::Commande;
    return analyse;
}

} // namespace tavo::cli
