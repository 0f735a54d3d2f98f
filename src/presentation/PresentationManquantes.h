// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "presentation/Presentation.h"
#include "scoring/FeuillesManquantes.h"

#include <string>

class TConcours;

/** How the missing score sheets are said, for the screen, tavo-cli and the publication. */
namespace tavo {

/** What a flight without a missing sheet says. */
inline constexpr const char* TOUTES_FEUILLES_SAISIES = "toutes les feuilles sont saisies";

/**
 * A flight's heading: "Vol 1 (F3A Préliminaire P-27)", the programme's own
 * name; "Vol 2 (F3A_X.txt : programme introuvable)" when it cannot be read,
 * "Vol 2 (aucun programme choisi)" when the flight has none.
 */
std::string TitreVolManquantes(const FeuillesManquantesVol& vol);

/**
 * "sans note", or the untyped lines: "juge 2 : figures 15 à 20 ; juge 3 : figure 20", judges
 * missing the same lines together ("juges 1 et 3 : figure 17").
 */
std::string EtatFeuilleManquante(const FeuilleManquante& feuille);

/**
 * "FEUILLES MANQUANTES": one row per missing or incomplete sheet, flight by
 * flight, each with its flight, bib, name and what is missing.
 */
TableVue PresenteFeuillesManquantes(const TConcours& concours, const FeuillesManquantes& feuilles);

} // namespace tavo
