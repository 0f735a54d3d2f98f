// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's view modes (`Vue`) and the commands that enter them.
#pragma once

#include "presentation/Presentation.h"
#include "print/Formulaires.h"

#include <optional>

namespace modes {
constexpr int CARACTERISTIQUES = 0;
constexpr int JUGES = 1;
constexpr int LISTE_PILOTES = 2;
constexpr int FEUILLE = 3;
// 4 to 30: the ranking and statistics views, numbered by kind.
constexpr int PREMIER_CALCULE = 4;
constexpr int DERNIER_CALCULE = 30;
/** The sheets still to type, flight by flight. */
constexpr int FEUILLES_MANQUANTES = 31;
} // namespace modes

/** A ranking or statistics view: its kind and its number (N, k, v or j, from 1). */
struct ModeVue
{
    tavo::GenreVue genre;
    int numero = 1;

    bool operator==(const ModeVue&) const = default;
};

/** The view shown in mode `vue` (4 to 30); nothing for the other modes. */
std::optional<ModeVue> DecodeVue(int vue);
/** The mode number of a view. */
int CodeVue(ModeVue mode);
/** The "Affichage" command that enters a view. */
int CommandeDeVue(ModeVue mode);
/** The view an "Affichage" command enters; nothing for any other command. */
std::optional<ModeVue> VueDeCommande(int id);

/** A printed form and its number (N, k, v or j, 0 when it has none). */
struct DemandeImpression
{
    tavo::Formulaire formulaire;
    int nombre = 0;
};
/** The form of an "Impression" command; nothing for any other command. */
std::optional<DemandeImpression> DemandeDe(int id);
