// SPDX-License-Identifier: GPL-3.0-or-later
// The judge ranking of a flight.
#include "app/VueDessin.h"
#include "app/Vues.h"
#include "model/Concours.h"
#include "platform/Chaines.h"
#include "scoring/Classements.h"

using namespace tavo;
using namespace tavo::vues;

void DessineClassementJuges(TDC& dc, int largeur, TConcours& concours, int v,
                            const std::string& repProgrammes, const TRect& visible)
{
    // The programme is loaded again: a printout may have loaded another flight's since.
    ParametresCalcul parametres;
    parametres.repProgrammes = repProgrammes;
    const Resultat<ClassementJuges> resultat = ClassementJugesVol(concours, parametres, v);
    const ClassementJuges& classement = resultat.valeur;

    PrepareEncre(dc);
    const int y = DessineBlocTitre(dc, largeur, MargeHaut(dc), concours,
                                   QStringLiteral("CLASSEMENT DES JUGES"),
                                   QString::asprintf("(sur le vol %u)", static_cast<unsigned>(v)));
    if (!resultat.statut) {
        // Its file has gone since the view was entered: say so rather than show wrong scores.
        dc.SelectObject(Police(dc, 12));
        Ecrit(dc, largeur / 2, y, QString::fromStdString(resultat.statut.message),
              Alignement::Centre);
        return;
    }

    std::vector<Colonne> colonnes{
        {130, QStringLiteral("Rang")},
        {600, QStringLiteral(" Nom Prénom"), Alignement::Gauche, Alignement::Gauche},
        {150, QStringLiteral("Final")},
    };
    for (const std::string& nom : classement.juges) {
        colonnes.push_back(
            {130, Texte(nom.c_str()).left(3), Alignement::Centre, Alignement::Centre, false});
        colonnes.push_back(
            {80, QStringLiteral("%"), Alignement::Centre, Alignement::Centre, false});
        colonnes.push_back({90, QStringLiteral("Clt")});
    }
    Tableau tableau(dc, largeur, std::move(colonnes));

    const int grille = tableau.DessineEntete(y);
    const int lignes = static_cast<int>(classement.lignes.size());
    tableau.DessineCorps(grille, lignes, visible, [&classement](std::size_t i) {
        const LigneJuges& ligne = classement.lignes[i];
        std::vector<QString> cellules{QString::number(ligne.rang),
                                      NomPrenom(ligne.nom, ligne.prenom),
                                      Nombre("%6.2f ", ligne.final)};
        for (const NoteJuge& note : ligne.notes) {
            cellules.push_back(Nombre("%3.0f ", note.score));
            cellules.push_back(Nombre("%3.0f ", note.ecart));
            cellules.push_back(QString::number(note.place) + QLatin1Char(' '));
        }
        return cellules;
    });
}
