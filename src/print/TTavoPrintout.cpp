// SPDX-License-Identifier: GPL-3.0-or-later
// The pilot ranking after N flights.
#include "model/Concours.h"
#include "platform/Chaines.h"
#include "print/Printouts.h"
#include "scoring/Classements.h"
#include "scoring/Regles.h"

namespace tavo {

TTavoPrintout::TTavoPrintout(TConcours& concours, const TMarges& marges, int vols, bool rapport1000)
    : TPrintoutDefilant(Titre(vols), concours, marges)
    , RankingRule(RegleApresVols(concours.GetCategorie(), vols))
    , FlightCount(vols)
    , Rapport1000(rapport1000)
{}

QString TTavoPrintout::Titre(int vols)
{
    return vols == 1 ? QStringLiteral("classement après 1 vol")
                     : QStringLiteral("classement après %1 vols").arg(vols);
}

void TTavoPrintout::RenderPage(int page)
{
    DebutPage();
    const ClassementVols classement = CalculeClassementVols(Competition, FlightCount, Rapport1000);
    const int lignes = static_cast<int>(classement.lignes.size());
    PrepareMarges(lignes);
    int m = 0;
    if (page == 1)
        m = EnTete(QStringLiteral("CLASSEMENT DES PILOTES"),
                   QString::asprintf(FlightCount == 1 ? "(après %u vol)" : "(après %u vols)",
                                     static_cast<unsigned>(FlightCount)));

    using A = TColonne::Alignement;
    std::vector<TColonne> colonnes{{QStringLiteral("Rang"), 130, A::Centre, A::Centre},
                                   {QStringLiteral(" Nom Prénom"), 600, A::Gauche, A::Gauche}};
    for (int i = 1; i <= FlightCount; ++i) {
        colonnes.push_back({QStringLiteral("V%1").arg(i), 130});
        colonnes.push_back({QStringLiteral("%V%1").arg(i), 150});
    }
    colonnes.push_back({QStringLiteral("Total "), 150, A::DroiteTable});

    const int dernier = static_cast<int>(colonnes.size()) - 1;
    Tableau(m, colonnes, lignes, [&](int i, int c) -> QString {
        const LigneClassement& ligne = classement.lignes[static_cast<std::size_t>(i)];
        if (c == 0)
            return QString::number(ligne.rang);
        if (c == 1)
            return NomPrenom(ligne.nom.c_str(), ligne.prenom.c_str());
        if (c == dernier)
            return QString::asprintf("%7.2f ", ligne.total);
        const auto vol = static_cast<std::size_t>((c - 2) / 2);
        return (c - 2) % 2 == 0 ? QString::asprintf("%6.2f ", ligne.scores[vol])
                                : QString::asprintf("%7.2f ", ligne.scores1000[vol]);
    });
}

} // namespace tavo
