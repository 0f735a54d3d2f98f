// SPDX-License-Identifier: GPL-3.0-or-later
// The list of the pilots, by bib or by name.
#include "model/Concours.h"
#include "platform/Chaines.h"
#include "print/Printouts.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace tavo {

TTavoPrintoutList::TTavoPrintoutList(TConcours& concours, const TMarges& marges, int ordre)
    : TPrintoutDefilant(QStringLiteral("Liste des pilotes"), concours, marges)
    , ListOrder(ordre)
{}

void TTavoPrintoutList::RenderPage(int page)
{
    DebutPage();
    std::vector<const TPilote*> pilotes;
    for (const TPilote& pilote : Competition.GetPilotes())
        pilotes.push_back(&pilote);
    if (ListOrder == 1)
        std::stable_sort(pilotes.begin(), pilotes.end(), [](const TPilote* a, const TPilote* b) {
            return a->ValeurDossard() < b->ValeurDossard();
        });
    else
        std::stable_sort(pilotes.begin(), pilotes.end(), [](const TPilote* a, const TPilote* b) {
            return std::strcmp(a->GetNom(), b->GetNom()) < 0;
        });
    const int lignes = static_cast<int>(pilotes.size());
    PrepareMarges(lignes);
    int m = 0;
    if (page == 1)
        m = EnTete(QStringLiteral("LISTE DES PILOTES"),
                   ListOrder == 1 ? QStringLiteral("(ordre des dossards)")
                                  : QStringLiteral("(ordre alphabétique)"));

    using A = TColonne::Alignement;
    const std::vector<TColonne> colonnes{{QStringLiteral("Dos"), 130, A::Centre, A::Centre},
                                         {QStringLiteral(" Nom Prénom"), 600, A::Gauche, A::Gauche},
                                         {QStringLiteral("Club"), 370, A::Centre, A::Centre},
                                         {QStringLiteral("Licence"), 200, A::Centre, A::Centre},
                                         {QStringLiteral("Freq 1"), 150, A::Centre, A::Centre},
                                         {QStringLiteral("Freq 2"), 150, A::Centre, A::Centre}};
    Tableau(m, colonnes, lignes, [&](int i, int c) -> QString {
        const TPilote& p = *pilotes[static_cast<std::size_t>(i)];
        switch (c) {
        case 0:
            return Texte(p.GetDossard());
        case 1:
            return NomPrenom(p.GetNom(), p.GetPrenom());
        case 2:
            return Texte(p.GetClub());
        case 3:
            return Texte(p.GetLicence());
        case 4:
            return Texte(p.GetFrequence1());
        default:
            return Texte(p.GetFrequence2());
        }
    });
}

} // namespace tavo
