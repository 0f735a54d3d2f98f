// SPDX-License-Identifier: GPL-3.0-or-later
// The TBL profile of the judges on a flight.
#include "app/VueDessin.h"
#include "app/Vues.h"
#include "model/Concours.h"
#include "platform/Chaines.h"
#include "scoring/Classements.h"
#include "scoring/Messages.h"

#include <optional>

using namespace tavo;
using namespace tavo::vues;

namespace {

constexpr int ETIQUETTE = 450; ///< label column, tenths of a millimetre
constexpr int JUGE = 350;      ///< one judge's column

/** A value that has no meaning (a spread of 0 to divide by) shows as a dash. */
QString Valeur(const char* format, const std::optional<double>& valeur)
{
    return valeur ? Nombre(format, *valeur) : QStringLiteral("-");
}

} // namespace

void DessineProfilTBL(TDC& dc, int largeur, TConcours& concours, int v,
                      const std::string& repProgrammes)
{
    // The programme is loaded again: a printout may have loaded another flight's since.
    const bool charge = concours.ChargeProgramme(static_cast<short>(v), repProgrammes);
    PrepareEncre(dc);
    const int haut =
        DessineBlocTitre(dc, largeur, MargeHaut(dc), concours, QStringLiteral("PROFIL DES JUGES"),
                         QString::asprintf("(sur le vol %u)", static_cast<unsigned>(v)));
    if (!charge) {
        dc.SelectObject(Police(dc, 12));
        Ecrit(dc, largeur / 2, haut, QString::fromStdString(messages::ProgrammeVolIntrouvable(v)),
              Alignement::Centre);
        return;
    }
    const ProfilJuges profil = CalculeProfil(concours, v);
    const int juges = static_cast<int>(profil.juges.size());

    const int gauche = largeur / 2 - dc.Mm(ETIQUETTE + JUGE * juges) / 2;
    const int droite = gauche + dc.Mm(ETIQUETTE + JUGE * juges);
    const int etiquettes = gauche + dc.Mm(ETIQUETTE);
    auto bordJuge = [&](int k) { return gauche + dc.Mm(ETIQUETTE + JUGE * k); };

    // Header: each judge's name, then an empty line.
    const int gras = Selectionne(dc, Police(dc, 12, FW_BOLD));
    for (int j = 0; j < juges; ++j)
        Ecrit(dc, (bordJuge(j) + bordJuge(j + 1)) / 2, haut + 2,
              Texte(profil.juges[static_cast<std::size_t>(j)].nom.c_str()), Alignement::Centre);
    const int dix = Selectionne(dc, Police(dc, 10));
    const int sousEntete = haut + 2 + gras + dix;
    const int hauteurLigne = 2 * dix;
    const int bas = sousEntete + 3 * hauteurLigne;

    dc.MoveTo(etiquettes, haut);
    dc.LineTo(droite, haut);
    dc.MoveTo(gauche, sousEntete);
    dc.LineTo(droite, sousEntete);

    const QString libelles[3] = {QStringLiteral("Scores acceptés %"),
                                 QStringLiteral("Ecarts au score moyen %"),
                                 QStringLiteral("Ecarts à la StDev %")};
    for (int r = 0; r < 3; ++r) {
        const int yLigne = sousEntete + r * hauteurLigne;
        const int yTexte = yLigne + (hauteurLigne - dix) / 2;
        Ecrit(dc, (gauche + etiquettes) / 2, yTexte, libelles[r], Alignement::Centre);
        for (int j = 0; j < juges; ++j) {
            const ProfilJuge& juge = profil.juges[static_cast<std::size_t>(j)];
            const QString texte = r == 0   ? Nombre("%3.0f", juge.acceptes)
                                  : r == 1 ? Valeur("%4.0f", juge.ecartMoyen)
                                           : Valeur("%4.0f", juge.ecartStdev);
            Ecrit(dc, (bordJuge(j) + bordJuge(j + 1)) / 2, yTexte, texte, Alignement::Centre);
        }
        dc.MoveTo(gauche, yLigne + hauteurLigne);
        dc.LineTo(droite, yLigne + hauteurLigne);
    }

    // Vertical rules: the left edge from under the header, then the label column's edge and
    // the edges of five judge columns, whatever the panel.
    dc.MoveTo(gauche, sousEntete);
    dc.LineTo(gauche, bas);
    for (int k = 0; k <= 5; ++k) {
        dc.MoveTo(bordJuge(k), haut);
        dc.LineTo(bordJuge(k), bas);
    }
}
