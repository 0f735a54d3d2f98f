// SPDX-License-Identifier: GPL-3.0-or-later
// The TBL profile of the judges on a flight.
#include "app/DessinVues.h"
#include "app/VueDessin.h"
#include "model/Concours.h"
#include "presentation/Presentation.h"

using namespace tavo;
using namespace tavo::vues;

namespace {

constexpr int ETIQUETTE = 450; ///< label column, tenths of a millimetre
constexpr int JUGE = 350;      ///< one judge's column

} // namespace

void DessineProfilTBL(TDC& dc, int largeur, TConcours& concours, int v,
                      const std::string& repProgrammes)
{
    // The programme is loaded again: a printout may have loaded another flight's since.
    if (!concours.ChargeProgramme(static_cast<short>(v), repProgrammes)) {
        DessineProgrammeIntrouvable(dc, largeur, concours, GenreVue::Profil, v);
        return;
    }
    DessineProfilTBL(dc, largeur, PresenteProfil(concours, CalculeProfil(concours, v)));
}

void DessineProfilTBL(TDC& dc, int largeur, const TableVue& table)
{
    PrepareEncre(dc);
    const int x = largeur / 2;
    const int haut = DessineBlocTitre(dc, x, MargeHaut(dc), table.Bloc(), largeur);
    const std::vector<ColonneVue>& colonnes = table.Colonnes();
    const int juges = static_cast<int>(colonnes.size()) - 1;

    const int gauche = x - dc.Mm(table.Largeur()) / 2;
    const int droite = gauche + dc.Mm(table.Largeur());
    const int etiquettes = gauche + dc.Mm(ETIQUETTE);
    auto bordJuge = [&](int k) { return gauche + dc.Mm(ETIQUETTE + JUGE * k); };

    // Header: each judge's name, then an empty line.
    const int gras = Selectionne(dc, PoliceVue(dc, 12, FW_BOLD));
    for (int j = 0; j < juges; ++j)
        Ecrit(dc, (bordJuge(j) + bordJuge(j + 1)) / 2, haut + 2,
              colonnes[static_cast<std::size_t>(j) + 1].titre, Alignement::Centre);
    const int dix = Selectionne(dc, PoliceVue(dc, 10));
    const int sousEntete = haut + 2 + gras + dix;
    const int hauteurLigne = 2 * dix;
    const int bas = sousEntete + 3 * hauteurLigne;

    dc.MoveTo(etiquettes, haut);
    dc.LineTo(droite, haut);
    dc.MoveTo(gauche, sousEntete);
    dc.LineTo(droite, sousEntete);

    for (int r = 0; r < 3; ++r) {
        const std::vector<std::string> cellules = table.Ligne(static_cast<std::size_t>(r));
        const int yLigne = sousEntete + r * hauteurLigne;
        const int yTexte = yLigne + (hauteurLigne - dix) / 2;
        Ecrit(dc, (gauche + etiquettes) / 2, yTexte, cellules[0], Alignement::Centre);
        for (int j = 0; j < juges; ++j)
            Ecrit(dc, (bordJuge(j) + bordJuge(j + 1)) / 2, yTexte,
                  cellules[static_cast<std::size_t>(j) + 1], Alignement::Centre);
        dc.MoveTo(gauche, yLigne + hauteurLigne);
        dc.LineTo(droite, yLigne + hauteurLigne);
    }

    // Vertical rules: the left edge from under the header, then the label column's edge and
    // the edges of five judge columns, whatever the panel.
    dc.MoveTo(gauche, sousEntete);
    dc.LineTo(gauche, bas);
    for (int k = 0; k <= MAX_JUGES; ++k) {
        dc.MoveTo(bordJuge(k), haut);
        dc.LineTo(bordJuge(k), bas);
    }
}
