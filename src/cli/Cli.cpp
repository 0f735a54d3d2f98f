// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Cli.h"

#include "cli/Impression.h"
#include "cli/Vues.h"
#include "model/Concours.h"
#include "model/Fichier.h"
#include "model/Option.h"
#include "scoring/Messages.h"

#include <ostream>
#include <string_view>

namespace tavo::cli {

namespace {

struct Entree
{
    std::string_view nom;
    FonctionVue vue;
};

constexpr Entree VUES[] = {
    {"concours", VueConcours}, {"classement", VueClassement}, {"flyoff", VueFlyOff},
    {"juges", VueJuges},       {"diagramme", VueDiagramme},   {"profil", VueProfil},
};

// The options file of the current directory, overridden by the command line.
ParametresCalcul Parametres(const Commande& commande, const std::string& repertoireCourant)
{
    TOption options(repertoireCourant);
    options.Charge(repertoireCourant);
    ParametresCalcul parametres(options);
    if (commande.programmes)
        parametres.repProgrammes = *commande.programmes;
    if (commande.tbl)
        parametres.tbl = *commande.tbl;
    if (commande.rapport1000)
        parametres.rapport1000 = *commande.rapport1000;
    return parametres;
}

} // namespace

int Execute(const std::vector<std::string>& arguments, std::ostream& sortie, std::ostream& erreurs,
            const std::string& repertoireCourant)
{
    const Analyse analyse = AnalyseArguments(arguments);
    if (analyse.genre == Analyse::Genre::Aide) {
        sortie << AIDE;
        return SORTIE_OK;
    }
    if (analyse.genre == Analyse::Genre::Erreur) {
        erreurs << "tavo-cli : " << analyse.erreur << "\n\n" << USAGE;
        return SORTIE_USAGE;
    }
    const Commande& commande = analyse.commande;
    TConcours concours;
    const ResultatLecture lu = OuvreConcours(concours, commande.fichier);
    if (!lu) {
        erreurs << messages::FICHIER_ILLISIBLE << '\n' << MessageLecture(lu) << '\n';
        return SORTIE_ERREUR;
    }
    const ParametresCalcul parametres = Parametres(commande, repertoireCourant);
    if (commande.vue == "imprimer")
        return Imprime(concours, commande, parametres, {sortie, erreurs}, repertoireCourant);
    for (const Entree& entree : VUES)
        if (entree.nom == commande.vue)
            return entree.vue(concours, commande, parametres, {sortie, erreurs});
    return SORTIE_USAGE;
}

} // namespace tavo::cli
