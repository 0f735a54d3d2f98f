// SPDX-License-Identifier: GPL-3.0-or-later
// "publier": the results site written into a directory.
#include "cli/FonctionsVues.h"
#include "document/Document.h"
#include "presentation/Messages.h"
#include "publication/Site.h"
#include "scoring/FeuillesManquantes.h"

#include <ostream>

namespace tavo::cli {

int VuePublier(TConcours& concours, const Commande& commande, const ParametresCalcul& parametres,
               Flux flux)
{
    // The competition given, its lock and journals and the options file are never written.
    std::vector<std::string> proteges = FichiersDuConcours(commande.fichier);
    proteges.push_back(commande.options);
    const ResultatPublication resultat =
        PublieSite(concours, parametres, commande.repertoire, proteges);
    if (!resultat.ok) {
        flux.erreurs << resultat.message << '\n';
        return SORTIE_ERREUR;
    }
    flux.sortie << commande.repertoire << " : " << resultat.fichiers << " fichiers écrits\n";
    // Published all the same: a flight published with sheets still to type is said.
    for (const std::string& alerte : AlertesPublication(concours, parametres))
        flux.erreurs << alerte << '\n';
    return SORTIE_OK;
}

} // namespace tavo::cli
