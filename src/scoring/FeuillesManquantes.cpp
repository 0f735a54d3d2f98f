// SPDX-License-Identifier: GPL-3.0-or-later
#include "scoring/FeuillesManquantes.h"

#include "model/Concours.h"
#include "scoring/Regles.h"

#include <algorithm>

namespace tavo {

namespace {

bool AucuneNote(const TPilote& pilote, short vol, short nbJuges)
{
    for (short ligne = 1; ligne <= MAX_FIGURES; ++ligne)
        for (short juge = 1; juge <= nbJuges; ++juge)
            if (pilote.GetNote(vol, ligne, juge) != 0)
                return false;
    return true;
}

// The last figure line where the judge gave a mark other than 0; 0 when none.
short DerniereNote(const TPilote& pilote, short vol, short juge, short nbFigures)
{
    for (short ligne = nbFigures; ligne >= 1; --ligne)
        if (pilote.GetNote(vol, ligne, juge) != 0)
            return ligne;
    return 0;
}

short FiguresEffectives(int nbFigures)
{
    return static_cast<short>(std::clamp(nbFigures, 0, MAX_FIGURES));
}

} // namespace

std::vector<LignesNonSaisies> LignesManquantes(const TPilote& pilote, short vol, short nbJuges,
                                               int nbFigures)
{
    const short juges = JugesEffectifs(nbJuges);
    const short figures = FiguresEffectives(nbFigures);
    std::vector<short> dernieres;
    for (short juge = 1; juge <= juges; ++juge)
        dernieres.push_back(DerniereNote(pilote, vol, juge, figures));
    const short plusLoin =
        dernieres.empty() ? short{0} : *std::max_element(dernieres.begin(), dernieres.end());
    const auto commencees = static_cast<int>(
        std::count_if(dernieres.begin(), dernieres.end(), [](short d) { return d > 0; }));
    // A line at least half the started columns mark: a column stopping before it was left.
    // Fewer marks there are zeros given (four judges of five giving 0 on the last figure).
    short marquee = 0;
    for (short l = 1; l <= plusLoin; ++l) {
        int notes = 0;
        for (short juge = 1; juge <= juges; ++juge)
            notes += pilote.GetNote(vol, l, juge) != 0 ? 1 : 0;
        if (2 * notes >= commencees)
            marquee = l;
    }
    std::vector<LignesNonSaisies> lignes;
    for (short juge = 1; juge <= juges; ++juge) {
        const short derniere = dernieres[static_cast<std::size_t>(juge - 1)];
        // A column never started misses every line the others marked.
        const short fin = derniere == 0 ? plusLoin : marquee;
        if (derniere < fin)
            lignes.push_back({juge, static_cast<short>(derniere + 1), fin});
    }
    return lignes;
}

EtatFeuille EtatDeFeuille(const TPilote& pilote, short vol, short nbJuges, int nbFigures)
{
    if (AucuneNote(pilote, vol, JugesEffectifs(nbJuges)))
        return EtatFeuille::SansNote;
    return LignesManquantes(pilote, vol, nbJuges, nbFigures).empty() ? EtatFeuille::Saisie
                                                                     : EtatFeuille::Incomplete;
}

int FeuillesManquantesVol::SansNote() const
{
    return static_cast<int>(
        std::count_if(pilotes.begin(), pilotes.end(), [](const auto& p) { return p.sansNote; }));
}

int FeuillesManquantesVol::Incompletes() const
{
    return static_cast<int>(pilotes.size()) - SansNote();
}

int FeuillesManquantes::Total() const
{
    int total = 0;
    for (const FeuillesManquantesVol& vol : vols)
        total += static_cast<int>(vol.pilotes.size());
    return total;
}

FeuillesManquantesVol FeuillesManquantesDuVol(const TConcours& concours,
                                              const ParametresCalcul& parametres, int vol)
{
    FeuillesManquantesVol resultat;
    resultat.vol = vol;
    if (vol < 1 || vol > MAX_VOLS)
        return resultat;
    const short v = static_cast<short>(vol);
    resultat.programme = concours.GetProgrammeVol(static_cast<short>(v - 1));
    TProgramme programme;
    resultat.programmeLu = concours.LitProgramme(v, parametres.repProgrammes, programme);
    if (resultat.programmeLu) {
        resultat.nomProgramme = programme.GetNom();
        resultat.nbFigures = programme.NbFigures();
    }
    const short juges = JugesEffectifs(concours.GetNbJuges());
    // A fly-off flight is flown by the pilots the qualification kept: one without a mark on any
    // fly-off flight is not in the fly-offs, and has no sheet to type.
    const int qualif = VolsQualification(concours.GetCategorie());
    const bool flyOff =
        vol > qualif && FlyOffPropose(concours.GetCategorie(), concours.GetSerie(), vol - qualif);
    const auto enFlyOff = [&](const TPilote& pilote) {
        for (short f = static_cast<short>(qualif + 1); f <= VolsEffectifs(concours.GetNbVols());
             ++f)
            if (!AucuneNote(pilote, f, juges))
                return true;
        return false;
    };
    int position = 0;
    for (const TPilote& pilote : concours.GetPilotes()) {
        ++position;
        FeuilleManquante feuille;
        feuille.sansNote = AucuneNote(pilote, v, juges);
        if (feuille.sansNote && flyOff && !enFlyOff(pilote))
            continue;
        // Without its programme, a flight's figures are unknown: only a sheet without any mark
        // can be told.
        if (!feuille.sansNote && resultat.programmeLu)
            feuille.lignes = LignesManquantes(pilote, v, juges, resultat.nbFigures);
        if (!feuille.sansNote && feuille.lignes.empty())
            continue;
        feuille.position = position;
        feuille.dossard = pilote.GetDossard();
        feuille.nom = pilote.GetNom();
        feuille.prenom = pilote.GetPrenom();
        resultat.pilotes.push_back(std::move(feuille));
    }
    return resultat;
}

FeuillesManquantes CalculeFeuillesManquantes(const TConcours& concours,
                                             const ParametresCalcul& parametres)
{
    FeuillesManquantes resultat;
    const short vols = VolsEffectifs(concours.GetNbVols());
    for (int v = 1; v <= vols; ++v)
        resultat.vols.push_back(FeuillesManquantesDuVol(concours, parametres, v));
    return resultat;
}

} // namespace tavo
