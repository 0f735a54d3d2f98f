// SPDX-License-Identifier: GPL-3.0-or-later
// The missing and incomplete score sheets of each flight.
#include "presentation/PresentationManquantes.h"

#include "model/Concours.h"
#include "model/Cp1252.h"

#include <memory>
#include <utility>

namespace tavo {

namespace {

using A = Alignement;

struct Ligne
{
    int vol;
    const FeuilleManquante* feuille;
};

} // namespace

std::string TitreVolManquantes(const FeuillesManquantesVol& vol)
{
    std::string titre = "Vol " + std::to_string(vol.vol) + " (";
    if (vol.programme.empty())
        titre += "aucun programme choisi";
    else if (!vol.programmeLu)
        titre += Cp1252VersUtf8(vol.programme) + " : programme introuvable";
    else
        titre += Cp1252VersUtf8(vol.nomProgramme);
    return titre + ")";
}

std::string EtatFeuilleManquante(const FeuilleManquante& feuille)
{
    if (feuille.sansNote)
        return "sans note";
    // Judges missing the same lines go together: "juges 1, 2 et 4 : figure 17".
    std::string etat;
    const std::vector<LignesNonSaisies>& lignes = feuille.lignes;
    for (std::size_t i = 0; i < lignes.size();) {
        std::size_t fin = i + 1;
        while (fin < lignes.size() && lignes[fin].premiere == lignes[i].premiere &&
               lignes[fin].derniere == lignes[i].derniere)
            ++fin;
        if (!etat.empty())
            etat += " ; ";
        etat += fin - i > 1 ? "juges " : "juge ";
        for (std::size_t j = i; j < fin; ++j) {
            if (j > i)
                etat += j + 1 == fin ? " et " : ", ";
            etat += std::to_string(lignes[j].juge);
        }
        etat += " : ";
        if (lignes[i].premiere == lignes[i].derniere)
            etat += "figure " + std::to_string(lignes[i].premiere);
        else
            etat += "figures " + std::to_string(lignes[i].premiere) + " à " +
                    std::to_string(lignes[i].derniere);
        i = fin;
    }
    return etat;
}

TableVue PresenteFeuillesManquantes(const TConcours& concours, const FeuillesManquantes& feuilles)
{
    const std::vector<ColonneVue> colonnes{{"Vol", 100, 3, A::Centre, A::Centre},
                                           {"Dos", 130, 4},
                                           {" Nom Prénom", 600, 36, A::Gauche, A::Gauche},
                                           {" Feuille", 900, 40, A::Gauche, A::Gauche}};
    // The rows point into a copy the table keeps.
    auto copie = std::make_shared<const FeuillesManquantes>(feuilles);
    auto lignes = std::make_shared<std::vector<Ligne>>();
    for (const FeuillesManquantesVol& vol : copie->vols)
        for (const FeuilleManquante& feuille : vol.pilotes)
            lignes->push_back({vol.vol, &feuille});
    return {BlocTitreVue(concours, "FEUILLES MANQUANTES", "(sans note ou incomplètes)"), colonnes,
            lignes->size(), [copie, lignes](std::size_t i) {
                const Ligne& ligne = (*lignes)[i];
                const FeuilleManquante& f = *ligne.feuille;
                return std::vector<std::string>{
                    std::to_string(ligne.vol), Cp1252VersUtf8(f.dossard),
                    " " + Cp1252VersUtf8(f.nom) + " " + Cp1252VersUtf8(f.prenom),
                    " " + EtatFeuilleManquante(f)};
            }};
}

} // namespace tavo
