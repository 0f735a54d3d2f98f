// SPDX-License-Identifier: GPL-3.0-or-later
// The pilot ranking after the fly-offs.
#include "model/Concours.h"
#include "platform/Chaines.h"
#include "print/Printouts.h"
#include "scoring/Classements.h"
#include "scoring/Regles.h"

namespace tavo {

TTavoPrintoutFly::TTavoPrintoutFly(TConcours& concours, const TMarges& marges, int flyoffs)
    : TPrintoutDefilant(Titre(flyoffs), concours, marges)
    , RankingRule(RegleFlyOff(concours.GetCategorie(), concours.GetSerie(), concours.DepuisAn2000(),
                              flyoffs))
    , FlyOffNumber(flyoffs)
{}

QString TTavoPrintoutFly::Titre(int flyoffs)
{
    return QStringLiteral("classement après %1 fly-off").arg(flyoffs);
}

void TTavoPrintoutFly::RenderPage(int page)
{
    DebutPage();
    const ClassementFlyOff classement = CalculeClassementFlyOff(Competition, FlyOffNumber);
    const int lignes = static_cast<int>(classement.lignes.size());
    PrepareMarges(lignes);
    int m = 0;
    if (page == 1)
        m = EnTete(QStringLiteral("CLASSEMENT DES PILOTES"),
                   QString::asprintf("(après %u fly-off)", static_cast<unsigned>(FlyOffNumber)));

    using A = TColonne::Alignement;
    std::vector<TColonne> colonnes{{QStringLiteral("Rang"), 130, A::Centre, A::Centre},
                                   {QStringLiteral(" Nom Prénom"), 600, A::Gauche, A::Gauche},
                                   {QStringLiteral("Qualif"), 150}};
    for (int j = 1; j <= FlyOffNumber; ++j) {
        colonnes.push_back({QStringLiteral("F%1").arg(j), 130});
        colonnes.push_back({QStringLiteral("%F%1").arg(j), 150});
    }
    colonnes.push_back({QStringLiteral("Total "), 150, A::DroiteTable});

    const int dernier = static_cast<int>(colonnes.size()) - 1;
    Tableau(m, colonnes, lignes, [&](int i, int c) -> QString {
        const LigneClassement& ligne = classement.lignes[static_cast<std::size_t>(i)];
        if (c == 0)
            return QString::number(ligne.rang);
        if (c == 1)
            return NomPrenom(ligne.nom.c_str(), ligne.prenom.c_str());
        if (c == 2)
            return QString::asprintf("%7.2f ", ligne.qualif);
        if (c == dernier)
            return QString::asprintf("%7.2f ", ligne.total);
        const auto vol = static_cast<std::size_t>((c - 3) / 2);
        return (c - 3) % 2 == 0 ? QString::asprintf("%6.2f ", ligne.scores[vol])
                                : QString::asprintf("%7.2f ", ligne.scores1000[vol]);
    });
}

} // namespace tavo
