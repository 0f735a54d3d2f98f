// SPDX-License-Identifier: GPL-3.0-or-later
// The pilot ranking after k fly-offs.
#include "app/VueDessin.h"
#include "app/Vues.h"
#include "model/Concours.h"
#include "scoring/Classements.h"

using namespace tavo;
using namespace tavo::vues;

bool DessineClassementFlyOff(TDC& dc, int largeur, TConcours& concours, int k, const TRect& visible)
{
    const ClassementFlyOff classement = CalculeClassementFlyOff(concours, k);
    if (classement.regle == 0)
        return false;
    PrepareEncre(dc);
    const int y = DessineBlocTitre(
        dc, largeur, MargeHaut(dc), concours, QStringLiteral("CLASSEMENT DES PILOTES"),
        QString::asprintf("(après %u fly-off)", static_cast<unsigned>(k)));

    std::vector<Colonne> colonnes{
        {130, QStringLiteral("Rang")},
        {600, QStringLiteral(" Nom Prénom"), Alignement::Gauche, Alignement::Gauche},
        {150, QStringLiteral("Qualif"), Alignement::Centre, Alignement::Droite},
    };
    for (int i = 1; i <= k; ++i) {
        colonnes.push_back(
            {130, QStringLiteral("F%1").arg(i), Alignement::Centre, Alignement::Droite});
        colonnes.push_back(
            {150, QStringLiteral("%F%1").arg(i), Alignement::Centre, Alignement::Droite});
    }
    colonnes.push_back({150, QStringLiteral("Total "), Alignement::Droite, Alignement::Droite});
    Tableau tableau(dc, largeur, std::move(colonnes));

    const int grille = tableau.DessineEntete(y);
    const int lignes = static_cast<int>(classement.lignes.size());
    tableau.DessineCorps(grille, lignes, visible, [&classement](std::size_t i) {
        const LigneClassement& ligne = classement.lignes[i];
        std::vector<QString> cellules{QString::number(ligne.rang),
                                      NomPrenom(ligne.nom, ligne.prenom),
                                      Nombre("%7.2f ", ligne.qualif)};
        for (std::size_t f = 0; f < ligne.scores.size(); ++f) {
            cellules.push_back(Nombre("%6.2f ", ligne.scores[f]));
            cellules.push_back(Nombre("%7.2f ", ligne.scores1000[f]));
        }
        cellules.push_back(Nombre("%7.2f ", ligne.total));
        return cellules;
    });
    return true;
}
