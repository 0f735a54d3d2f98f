// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/FonctionsVues.h"

namespace tavo::cli {

/**
 * "imprimer": writes a printed form of the competition into a PDF file, the
 * pages the printer would give under the automatic page set-up. The
 * federation bitmap is read from `repertoireCourant`.
 */
int Imprime(TConcours& concours, const Commande& commande, const ParametresCalcul& parametres,
            Flux flux, const std::string& repertoireCourant);

} // namespace tavo::cli
