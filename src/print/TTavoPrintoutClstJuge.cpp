// SPDX-License-Identifier: GPL-3.0-or-later
// The judges' ranking on one flight.
#include "model/Concours.h"
#include "platform/Chaines.h"
#include "print/Printouts.h"
#include "scoring/Classements.h"

namespace tavo {

TTavoPrintoutClstJuge::TTavoPrintoutClstJuge(TConcours& concours, const TMarges& marges, int vol)
    : TPrintoutDefilant(QStringLiteral("classement des juges"), concours, marges)
    , FlightNumber(vol)
{}

void TTavoPrintoutClstJuge::RenderPage(int page)
{
    DebutPage();
    const ClassementJuges classement = CalculeClassementJuges(Competition, FlightNumber);
    const int lignes = static_cast<int>(classement.lignes.size());
    PrepareMarges(lignes);
    int m = 0;
    if (page == 1)
        m = EnTete(QStringLiteral("CLASSEMENT DES JUGES"),
                   QString::asprintf("(sur le vol %u)", static_cast<unsigned>(FlightNumber)));

    using A = TColonne::Alignement;
    std::vector<TColonne> colonnes{{QStringLiteral("Rang"), 130, A::Centre, A::Centre},
                                   {QStringLiteral(" Nom Prénom"), 600, A::Gauche, A::Gauche},
                                   {QStringLiteral("Final"), 150, A::Centre, A::Centre}};
    for (const std::string& nom : classement.juges) {
        colonnes.push_back({Texte(nom.c_str()).left(3), 130, A::Centre, A::Centre});
        colonnes.push_back({QStringLiteral("%"), 80, A::Centre, A::Centre, false});
        colonnes.push_back({QStringLiteral("Clt"), 90, A::Centre, A::Centre, false});
    }

    Tableau(m, colonnes, lignes, [&](int i, int c) -> QString {
        const LigneJuges& ligne = classement.lignes[static_cast<std::size_t>(i)];
        if (c == 0)
            return QString::number(ligne.rang);
        if (c == 1)
            return NomPrenom(ligne.nom.c_str(), ligne.prenom.c_str());
        if (c == 2)
            return QString::asprintf("%6.2f ", ligne.final);
        const NoteJuge& note = ligne.notes[static_cast<std::size_t>((c - 3) / 3)];
        switch ((c - 3) % 3) {
        case 0:
            return QString::asprintf("%3.0f ", note.score);
        case 1:
            return QString::asprintf("%3.0f ", note.ecart);
        default:
            return QString::asprintf("%u ", static_cast<unsigned>(note.place));
        }
    });
}

} // namespace tavo
