// SPDX-License-Identifier: GPL-3.0-or-later
// "imprimer" in a build without Qt: says so.
#include "cli/Impression.h"

#include <ostream>

namespace tavo::cli {

int Imprime(TConcours&, const Commande&, const ParametresCalcul&, Flux flux, const std::string&)
{
    flux.erreurs << "l'impression n'est pas disponible dans cette version "
                    "(construite sans Qt)\n";
    return SORTIE_ERREUR;
}

} // namespace tavo::cli
