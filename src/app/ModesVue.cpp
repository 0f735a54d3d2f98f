// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ModesVue.h"

#include "app/Menu.h"

using tavo::Formulaire;
using tavo::GenreVue;

namespace {

struct Plage
{
    GenreVue genre;
    int premierMode;
    int nombre; ///< views of this kind: numbers 1 to `nombre`
    int premiereCommande;
};

constexpr Plage PLAGES[] = {
    {GenreVue::ClassementVols, 4, 4, CM_CLST_PILOTES_1},
    {GenreVue::FlyOff, 8, 4, CM_FLYOFF_1},
    {GenreVue::ClassementJuges, 12, MAX_VOLS, CM_CLST_JUGES_1},
    {GenreVue::Diagramme, 19, MAX_JUGES, CM_DIAGRAMME_1},
    {GenreVue::Profil, 24, MAX_VOLS, CM_TBL_1},
};

const Plage& PlageDe(GenreVue genre)
{
    for (const Plage& plage : PLAGES)
        if (plage.genre == genre)
            return plage;
    return PLAGES[0];
}

} // namespace

std::optional<ModeVue> DecodeVue(int vue)
{
    for (const Plage& p : PLAGES)
        if (vue >= p.premierMode && vue < p.premierMode + p.nombre)
            return ModeVue{p.genre, vue - p.premierMode + 1};
    return std::nullopt;
}

int CodeVue(ModeVue mode)
{
    return PlageDe(mode.genre).premierMode + mode.numero - 1;
}

int CommandeDeVue(ModeVue mode)
{
    return PlageDe(mode.genre).premiereCommande + mode.numero - 1;
}

std::optional<ModeVue> VueDeCommande(int id)
{
    for (const Plage& p : PLAGES)
        if (id >= p.premiereCommande && id < p.premiereCommande + p.nombre)
            return ModeVue{p.genre, id - p.premiereCommande + 1};
    return std::nullopt;
}

std::optional<DemandeImpression> DemandeDe(int id)
{
    struct Serie
    {
        Formulaire formulaire;
        int premiere;
        int nombre; ///< 0: a form without a number
    };
    static constexpr Serie SERIES[] = {
        {Formulaire::ListeDossards, CM_IMP_LISTE_DOSSARDS, 0},
        {Formulaire::ListeAlphabetique, CM_IMP_LISTE_NOMS, 0},
        {Formulaire::Classement, CM_IMP_CLST_PILOTES_1, 4},
        {Formulaire::FlyOff, CM_IMP_FLYOFF_1, 4},
        {Formulaire::Juges, CM_IMP_CLST_JUGES_1, MAX_VOLS},
        {Formulaire::Diagramme, CM_IMP_DIAGRAMME_1, MAX_JUGES},
        {Formulaire::Programme, CM_IMP_PROGRAMME_1, MAX_VOLS},
        {Formulaire::ProcesVerbal, CM_IMP_PROCES_VERBAL, 0},
    };
    for (const Serie& s : SERIES) {
        if (s.nombre == 0 && id == s.premiere)
            return DemandeImpression{s.formulaire, 0};
        if (id >= s.premiere && id < s.premiere + s.nombre)
            return DemandeImpression{s.formulaire, id - s.premiere + 1};
    }
    return std::nullopt;
}
