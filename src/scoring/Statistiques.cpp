// SPDX-License-Identifier: GPL-3.0-or-later
// A judge's marks over the whole competition: mean, spread and share of each
// mark value, on the ordinary figures of the pilots who have flown.
#include "model/Concours.h"
#include "scoring/Classements.h"
#include "scoring/Regles.h"

#include <cmath>
#include <vector>

namespace {

// Ordinary figures of the loaded programme: its lines without noise and conformity.
short FiguresOrdinaires(const TProgramme& programme)
{
    short figures = programme.NbLignes();
    if (programme.GetTypeBruit() != 0)
        --figures;
    if (programme.GetTypeConformite() != 0)
        --figures;
    return figures;
}

} // namespace

// Calls visite(mark) for every mark of the judge's sample. When a flight's
// programme cannot be loaded, the one loaded before stays and gives the count.
template <typename Visite>
static void ParcourtNotesJuge(TConcours& concours, short juge, const std::string& repertoire,
                              Visite visite)
{
    const short vols = tavo::VolsEffectifs(concours.GetNbVols());
    for (short v = 1; v <= vols; ++v) {
        concours.ChargeProgramme(v, repertoire);
        const short figures = FiguresOrdinaires(concours.GetProgramme());
        for (const TPilote& pilote : concours.GetPilotes()) {
            if (!tavo::AVole(pilote.GetScoreVol(v)))
                continue;
            for (short k = 1; k <= figures; ++k)
                visite(pilote.GetNote(v, k, juge));
        }
    }
}

double TConcours::MoyenneNotesJuge(short juge, const std::string& repertoire)
{
    double somme = 0.0;
    long long n = 0;
    ParcourtNotesJuge(*this, juge, repertoire, [&](short note) {
        somme += note;
        ++n;
    });
    return n == 0 ? 0.0 : somme / static_cast<double>(n);
}

double TConcours::EcartTypeNotesJuge(short juge, const std::string& repertoire)
{
    const double moyenne = MoyenneNotesJuge(juge, repertoire);
    double somme = 0.0;
    long long n = 0;
    ParcourtNotesJuge(*this, juge, repertoire, [&](short note) {
        somme += (note - moyenne) * (note - moyenne);
        ++n;
    });
    return n < 2 ? 0.0 : std::sqrt(somme / static_cast<double>(n - 1));
}

double TConcours::PourcentageNoteJuge(short juge, short note, const std::string& repertoire)
{
    long long egales = 0;
    long long n = 0;
    ParcourtNotesJuge(*this, juge, repertoire, [&](short valeur) {
        egales += valeur == note ? 1 : 0;
        ++n;
    });
    return n == 0 ? 0.0 : 100.0 * static_cast<double>(egales) / static_cast<double>(n);
}

namespace tavo {

// The three figures of the diagram from two passes over the marks (the mean, then the
// spread about it), each flight's programme read once: the same sums in the same order
// as the three operations above, so the same values to the last bit.
void StatistiquesNotesJuge(TConcours& concours, short juge, const std::string& repertoire,
                           DiagrammeJuge& diagramme)
{
    const short vols = VolsEffectifs(concours.GetNbVols());
    std::vector<short> figures(static_cast<std::size_t>(vols < 0 ? 0 : vols));
    for (short v = 1; v <= vols; ++v) {
        concours.ChargeProgramme(v, repertoire);
        figures[static_cast<std::size_t>(v - 1)] = FiguresOrdinaires(concours.GetProgramme());
    }
    const auto parcourt = [&](auto visite) {
        for (short v = 1; v <= vols; ++v)
            for (const TPilote& pilote : concours.GetPilotes()) {
                if (!AVole(pilote.GetScoreVol(v)))
                    continue;
                for (short k = 1; k <= figures[static_cast<std::size_t>(v - 1)]; ++k)
                    visite(pilote.GetNote(v, k, juge));
            }
    };
    double somme = 0.0;
    long long n = 0;
    std::array<long long, 11> egales{};
    parcourt([&](short note) {
        somme += note;
        ++n;
        if (note >= 0 && note <= 10)
            ++egales[static_cast<std::size_t>(note)];
    });
    const double moyenne = n == 0 ? 0.0 : somme / static_cast<double>(n);
    double ecarts = 0.0;
    parcourt([&](short note) { ecarts += (note - moyenne) * (note - moyenne); });
    diagramme.moyenne = moyenne;
    diagramme.ecartType = n < 2 ? 0.0 : std::sqrt(ecarts / static_cast<double>(n - 1));
    for (std::size_t note = 0; note < egales.size(); ++note)
        diagramme.pourcentages[note] =
            n == 0 ? 0.0 : 100.0 * static_cast<double>(egales[note]) / static_cast<double>(n);
}

} // namespace tavo
