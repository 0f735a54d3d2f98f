// SPDX-License-Identifier: GPL-3.0-or-later
// A pilot's filled-in score sheet of one flight.
#include "model/Concours.h"
#include "model/Cp1252.h"
#include "presentation/Presentation.h"
#include "scoring/Regles.h"

#include <memory>

namespace tavo {

namespace {

using A = Alignement;

std::vector<ColonneVue> ColonnesFeuille(const TConcours& concours, short juges)
{
    std::vector<ColonneVue> colonnes{{"N°", 100, 3, A::Centre, A::Droite},
                                     {" Figure", 700, 32, A::Gauche, A::Gauche},
                                     {"K", 100, 3, A::Centre, A::Centre, true, true}};
    auto juge = concours.GetJuges().begin();
    for (short j = 1; j <= juges; ++j) {
        std::string nom;
        if (juge != concours.GetJuges().end())
            nom = (juge++)->GetNom();
        colonnes.push_back(
            {Cp1252VersUtf8(nom.substr(0, 3)), 140, 5, A::Centre, A::Centre, true, true});
    }
    return colonnes;
}

// The figure lines of the programme: its figures, then the noise and conformity lines.
std::vector<std::pair<std::string, short>> LignesProgramme(const TProgramme& programme)
{
    std::vector<std::pair<std::string, short>> lignes;
    for (short f = 1; f <= programme.NbFigures(); ++f) {
        const TFigure figure = programme.GetFigure(f);
        lignes.emplace_back(" " + Cp1252VersUtf8(figure.GetNom()), figure.GetK());
    }
    if (programme.GetTypeBruit() != 0)
        lignes.emplace_back(" Bruit", programme.GetKBruit());
    if (programme.GetTypeConformite() != 0)
        lignes.emplace_back(" Conformité avec la documentation", programme.GetKConformite());
    return lignes;
}

} // namespace

FeuilleVue PresenteFeuille(const TConcours& concours, const TPilote& pilote, int vol)
{
    const auto v = static_cast<short>(vol);
    const short juges = JugesEffectifs(concours.GetNbJuges());
    const TProgramme& programme = concours.GetProgramme();
    std::vector<std::vector<std::string>> lignes;
    short numero = 0;
    for (const auto& [nom, k] : LignesProgramme(programme)) {
        ++numero;
        std::vector<std::string> cellules{std::to_string(numero), nom, std::to_string(k)};
        for (short j = 1; j <= juges; ++j)
            cellules.push_back(std::to_string(pilote.GetNote(v, numero, j)));
        lignes.push_back(std::move(cellules));
    }
    std::vector<std::string> scores{"", " SCORES DES JUGES", ""};
    for (short j = 1; j <= juges; ++j)
        scores.push_back(Fixe(pilote.GetScoreJuge(j, v), 3, 0));
    lignes.push_back(std::move(scores));

    FeuilleVue feuille;
    feuille.titre = "Vol " + std::to_string(vol) + " : " + Cp1252VersUtf8(programme.GetNom());
    const std::size_t n = lignes.size();
    feuille.grille = {
        BlocTitreVue(concours, "FEUILLE DE NOTES", "(vol " + std::to_string(vol) + ")"),
        ColonnesFeuille(concours, juges), n,
        [l = std::make_shared<const decltype(lignes)>(std::move(lignes))](std::size_t i) {
            return (*l)[i];
        }};
    feuille.scoreVol = "TOTAL DU VOL : " + Fixe(pilote.GetScoreVol(v), 0, 2);
    feuille.score1000 = "Rapport 1000 : " + Fixe(pilote.GetScoreVol1000(v), 0, 2);
    return feuille;
}

} // namespace tavo
