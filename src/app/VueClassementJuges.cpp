// SPDX-License-Identifier: GPL-3.0-or-later
// The judge ranking of a flight.
#include "app/VueDessin.h"
#include "app/Vues.h"
#include "model/Concours.h"
#include "platform/Chaines.h"
#include "scoring/Classements.h"
#include "scoring/Messages.h"

using namespace tavo;
using namespace tavo::vues;

namespace {

/**
 * The rows of the last paint. Recomputing a large competition's flight on every paint would
 * make scrolling stutter, so the rows are kept while nothing can have changed them: the same
 * competition, flight and number of pilots, the same programme read again from its file, and
 * no command or key stroke since (`OublieClassementsAffiches`).
 */
struct Memoire
{
    const TConcours* concours = nullptr;
    int vol = 0;
    int pilotes = 0;
    std::vector<int> programme;
    ClassementJuges classement;
    bool valide = false;
};

Memoire& memoire()
{
    static Memoire m;
    return m;
}

// What the flight's scores depend on in a programme: its lines and their K factors.
std::vector<int> Signature(const TProgramme& programme)
{
    std::vector<int> signature{programme.NbFigures(), programme.GetTypeBruit(),
                               programme.GetKBruit(), programme.GetTypeConformite(),
                               programme.GetKConformite()};
    for (short k = 0; k < programme.NbFigures(); ++k)
        signature.push_back(programme.GetK(k));
    return signature;
}

} // namespace

void OublieClassementsAffiches()
{
    memoire().valide = false;
}

void DessineClassementJuges(TDC& dc, int largeur, TConcours& concours, int v,
                            const std::string& repProgrammes, const TRect& visible)
{
    // The programme is loaded again: a printout may have loaded another flight's since.
    Memoire& m = memoire();
    Statut statut;
    if (!concours.ChargeProgramme(static_cast<short>(v), repProgrammes)) {
        statut = {false, messages::ProgrammeVolIntrouvable(v)};
        m.valide = false;
    } else {
        std::vector<int> signature = Signature(concours.GetProgramme());
        if (!m.valide || m.concours != &concours || m.vol != v ||
            m.pilotes != concours.NbPilotes() || m.programme != signature) {
            m.classement = CalculeClassementJuges(concours, v);
            m.concours = &concours;
            m.vol = v;
            m.pilotes = concours.NbPilotes();
            m.programme = std::move(signature);
            m.valide = true;
        }
    }
    const ClassementJuges& classement = m.classement;

    PrepareEncre(dc);
    const int y = DessineBlocTitre(dc, largeur, MargeHaut(dc), concours,
                                   QStringLiteral("CLASSEMENT DES JUGES"),
                                   QString::asprintf("(sur le vol %u)", static_cast<unsigned>(v)));
    if (!statut) {
        // Its file has gone since the view was entered: say so rather than show wrong scores.
        dc.SelectObject(Police(dc, 12));
        Ecrit(dc, largeur / 2, y, QString::fromStdString(statut.message), Alignement::Centre);
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
