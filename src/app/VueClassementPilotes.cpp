// SPDX-License-Identifier: GPL-3.0-or-later
// The pilot ranking after N flights.
#include "app/VueDessin.h"
#include "app/Vues.h"
#include "model/Concours.h"
#include "scoring/Classements.h"

using namespace tavo;
using namespace tavo::vues;

void DessineClassementPilotes(TDC& dc, int largeur, TConcours& concours, int n, bool rapport1000,
                              const TRect& visible)
{
    const ClassementVols classement = CalculeClassementVols(concours, n, rapport1000);
    PrepareEncre(dc);
    const QString sousTitre =
        QString::asprintf(n == 1 ? "(après %u vol)" : "(après %u vols)", static_cast<unsigned>(n));
    const int y = DessineBlocTitre(dc, largeur, MargeHaut(dc), concours,
                                   QStringLiteral("CLASSEMENT DES PILOTES"), sousTitre);

    std::vector<Colonne> colonnes{
        {130, QStringLiteral("Rang")},
        {600, QStringLiteral(" Nom Prénom"), Alignement::Gauche, Alignement::Gauche},
    };
    for (int v = 1; v <= n; ++v) {
        colonnes.push_back(
            {130, QStringLiteral("V%1").arg(v), Alignement::Centre, Alignement::Droite});
        colonnes.push_back(
            {150, QStringLiteral("%V%1").arg(v), Alignement::Centre, Alignement::Droite});
    }
    colonnes.push_back({150, QStringLiteral("Total "), Alignement::Droite, Alignement::Droite});
    Tableau tableau(dc, largeur, std::move(colonnes));

    const int grille = tableau.DessineEntete(y);
    const int lignes = static_cast<int>(classement.lignes.size());
    tableau.DessineCorps(grille, lignes, visible, [&classement](std::size_t i) {
        const LigneClassement& ligne = classement.lignes[i];
        std::vector<QString> cellules{QString::number(ligne.rang),
                                      NomPrenom(ligne.nom, ligne.prenom)};
        for (std::size_t v = 0; v < ligne.scores.size(); ++v) {
            cellules.push_back(Nombre("%6.2f ", ligne.scores[v]));
            cellules.push_back(Nombre("%7.2f ", ligne.scores1000[v]));
        }
        cellules.push_back(Nombre("%7.2f ", ligne.total));
        return cellules;
    });
}
