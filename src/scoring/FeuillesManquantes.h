// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scoring/Classements.h"

#include <string>
#include <vector>

class TConcours;
class TPilote;

/**
 * The score sheets still to type, flight by flight. A mark never typed is
 * stored as 0, and 0 is also a real mark, so a sheet is judged by the shape
 * of its marks on the programme's figures (the noise and conformity lines do
 * not count):
 *  - no mark at all on the flight (every line, every judge): no sheet;
 *  - otherwise each judge's column should reach the last figure that at least
 *    half the judges who marked anything marked: the lines after his own last
 *    mark up to that one are untyped (a judge with no mark at all while others
 *    have some misses every line any judge marked).
 * A 0 between marks, zeros after the last figure every judge marked (a
 * crash), and zeros most judges gave on the last figures, are marks.
 */
namespace tavo {

enum class EtatFeuille
{
    Saisie,     ///< typed, as far as the marks tell
    SansNote,   ///< not a single mark on the flight
    Incomplete, ///< some judge's column stops before the others'
};

/** Figure lines `premiere` to `derniere` (1-based) are untyped in judge `juge`'s column. */
struct LignesNonSaisies
{
    short juge = 0;
    short premiere = 0;
    short derniere = 0;

    bool operator==(const LignesNonSaisies&) const = default;
};

/**
 * The untyped lines of a pilot's sheet of flight `vol` among its first `nbFigures` lines, at
 * most one run per judge, judge 1 first; empty for a sheet typed or without any mark.
 */
std::vector<LignesNonSaisies> LignesManquantes(const TPilote& pilote, short vol, short nbJuges,
                                               int nbFigures);

/** What a pilot's sheet of flight `vol` is, judges 1 to `nbJuges`, on `nbFigures` figures. */
EtatFeuille EtatDeFeuille(const TPilote& pilote, short vol, short nbJuges, int nbFigures);

/** True when the sheet has marks and no untyped line. */
inline bool FeuilleSaisie(const TPilote& pilote, short vol, short nbJuges, int nbFigures)
{
    return EtatDeFeuille(pilote, vol, nbJuges, nbFigures) == EtatFeuille::Saisie;
}

/** True when the sheet has marks but some untyped line. */
inline bool FeuilleIncomplete(const TPilote& pilote, short vol, short nbJuges, int nbFigures)
{
    return EtatDeFeuille(pilote, vol, nbJuges, nbFigures) == EtatFeuille::Incomplete;
}

/** A pilot whose sheet of a flight is missing or incomplete. */
struct FeuilleManquante
{
    int position = 0;                 ///< 1-based place in the competition's list
    std::string dossard, nom, prenom; ///< the records' Windows-1252 texts
    bool sansNote = true;             ///< no mark at all; else `lignes` says what is untyped
    std::vector<LignesNonSaisies> lignes;
};

/** The missing sheets of one flight. */
struct FeuillesManquantesVol
{
    int vol = 0;
    std::string programme;    ///< the flight's programme file name ("" when none was chosen)
    std::string nomProgramme; ///< the programme's own name (Windows-1252), when read
    bool programmeLu = false; ///< false: only the sheets without any mark could be found
    int nbFigures = 0;        ///< the programme's figures, when read
    std::vector<FeuilleManquante> pilotes; ///< in the competition's list order

    int SansNote() const;
    int Incompletes() const;
};

/** Flights 1 to `NbVols` of the competition, each with its missing sheets. */
struct FeuillesManquantes
{
    std::vector<FeuillesManquantesVol> vols;

    /** Missing and incomplete sheets of every flight. */
    int Total() const;
};

/**
 * The missing sheets of flight `vol` (1 to 7), its programme read from the programmes
 * directory of `parametres` without touching the competition's loaded one.
 */
FeuillesManquantesVol FeuillesManquantesDuVol(const TConcours& concours,
                                              const ParametresCalcul& parametres, int vol);

/** The missing sheets of every flight of the competition. */
FeuillesManquantes CalculeFeuillesManquantes(const TConcours& concours,
                                             const ParametresCalcul& parametres);

} // namespace tavo
