// SPDX-License-Identifier: GPL-3.0-or-later
// "publier": the results site written into a directory.
#include "publication/Publication.h"

#include "cli/Vues.h"

#include <ostream>

namespace tavo::cli {

int VuePublier(TConcours& concours, const Commande& commande, const ParametresCalcul& parametres,
               Flux flux)
{
    const ResultatPublication resultat = PublieSite(concours, parametres, commande.repertoire);
    if (!resultat.ok) {
        flux.erreurs << resultat.message << '\n';
        return SORTIE_ERREUR;
    }
    flux.sortie << commande.repertoire << " : " << resultat.fichiers << " fichiers écrits\n";
    return SORTIE_OK;
}

} // namespace tavo::cli
