// SPDX-License-Identifier: GPL-3.0-or-later
// A pilot's filled-in score sheet of one flight.
#include "model/Concours.h"
#include "model/Cp1252.h"
#include "presentation/Presentation.h"
#include "scoring/Classements.h"
#include "scoring/Regles.h"

#include <memory>

namespace tavo {

namespace {

using A = Alignement;

std::vector<ColonneVue> ColonnesFeuille(const ContenuFeuille& contenu)
{
    std::vector<ColonneVue> colonnes{{"N°", 100, 3, A::Centre, A::Droite},
                                     {" Figure", 700, 32, A::Gauche, A::Gauche},
                                     {"K", 100, 3, A::Centre, A::Centre, true, true}};
    for (short j = 1; j <= contenu.nbJuges; ++j) {
        const auto i = static_cast<std::size_t>(j - 1);
        colonnes.push_back({i < contenu.juges.size() ? contenu.juges[i] : std::string(), 140, 5,
                            A::Centre, A::Centre, true, true});
    }
    return colonnes;
}

} // namespace

ContenuFeuille ContenuDeFeuille(const TConcours& concours, const TPilote& pilote, int vol)
{
    const auto v = static_cast<short>(vol);
    const TProgramme& programme = concours.GetProgramme();
    ContenuFeuille contenu;
    contenu.programme = Cp1252VersUtf8(programme.GetNom());
    for (const TJuge& juge : concours.GetJuges()) {
        if (contenu.juges.size() == MAX_JUGES)
            break;
        contenu.juges.push_back(Cp1252VersUtf8(std::string(juge.GetNom()).substr(0, 3)));
    }
    contenu.nbJuges = JugesEffectifs(concours.GetNbJuges());
    const auto ligne = [&](std::string nom, short k, bool figure) {
        LigneFeuille l{std::move(nom), k, figure, {}};
        const auto numero = static_cast<short>(contenu.lignes.size() + 1);
        for (short j = 1; j <= contenu.nbJuges; ++j)
            l.notes.push_back(pilote.GetNote(v, numero, j));
        contenu.lignes.push_back(std::move(l));
    };
    for (short f = 1; f <= programme.NbFigures(); ++f) {
        const TFigure figure = programme.GetFigure(f);
        ligne(Cp1252VersUtf8(figure.GetNom()), figure.GetK(), true);
    }
    if (programme.GetTypeBruit() != 0)
        ligne("Bruit", programme.GetKBruit(), false);
    if (programme.GetTypeConformite() != 0)
        ligne("Conformité avec la documentation", programme.GetKConformite(), false);
    for (short j = 1; j <= contenu.nbJuges; ++j) {
        contenu.scoresJuges.push_back(pilote.GetScoreJuge(j, v));
        contenu.ecartsJuges.push_back(EcartJugePourcent(pilote, j, v));
    }
    contenu.scoreVol = pilote.GetScoreVol(v);
    contenu.scoreVol1000 = pilote.GetScoreVol1000(v);
    return contenu;
}

FeuilleVue PresenteFeuille(const TConcours& concours, const TPilote& pilote, int vol)
{
    const ContenuFeuille contenu = ContenuDeFeuille(concours, pilote, vol);
    std::vector<std::vector<std::string>> lignes;
    int numero = 0;
    for (const LigneFeuille& l : contenu.lignes) {
        std::vector<std::string> cellules{std::to_string(++numero), " " + l.nom,
                                          std::to_string(l.k)};
        for (short note : l.notes)
            cellules.push_back(std::to_string(note));
        lignes.push_back(std::move(cellules));
    }
    std::vector<std::string> scores{"", " SCORES DES JUGES", ""};
    for (double score : contenu.scoresJuges)
        scores.push_back(Fixe(score, 3, 0));
    lignes.push_back(std::move(scores));

    FeuilleVue feuille;
    feuille.titre = "Vol " + std::to_string(vol) + " : " + contenu.programme;
    const std::size_t n = lignes.size();
    feuille.grille = {
        BlocTitreVue(
            concours, "FEUILLE DE NOTES",
            "(vol " + std::to_string(vol) +
                (concours.TblApplique(static_cast<short>(vol)) ? ", avec correction TBL)" : ")")),
        ColonnesFeuille(contenu), n,
        [l = std::make_shared<const decltype(lignes)>(std::move(lignes))](std::size_t i) {
            return (*l)[i];
        }};
    feuille.scoreVol = "TOTAL DU VOL : " + Fixe(contenu.scoreVol, 0, 2);
    feuille.score1000 = "Rapport 1000 : " + Fixe(contenu.scoreVol1000, 0, 2);
    return feuille;
}

} // namespace tavo
