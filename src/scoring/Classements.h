// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Constantes.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

class TConcours;
class TOption;
class TPilote;

/**
 * The computations behind each ranking and statistics view, in one place for
 * the screen views, the printouts and tavo-cli. Each view has two steps, as
 * the program runs them:
 *  - `Prepare...`: what the command does once before it shows the view (load
 *    the programmes, compute the flight scores); it can fail on a missing
 *    programme and then tells which message to show;
 *  - `Calcule...`: what every paint or printed page computes from the flight
 *    scores as they stand, returning the rows ready to show.
 * The functions without a prefix run both. Texts in the rows are the
 * records' own Windows-1252 texts.
 */
namespace tavo {

/** What the computations read from the options. */
struct ParametresCalcul
{
    std::string repProgrammes; ///< the programmes directory
    bool tbl = false;          ///< apply the TBL correction to the flight scores
    bool rapport1000 = true;   ///< total the thousandths scores after N flights

    ParametresCalcul() = default;
    explicit ParametresCalcul(const TOption& options);
};

/** Why a preparation failed: the message itself is the presentation's (`MessageStatut`). */
enum class Manque
{
    Rien,
    Programmes,         ///< one of the flights' programmes cannot be loaded
    ProgrammeVol,       ///< the programme of flight `vol` cannot be loaded
    ProgrammeVolDefini, ///< the programme of flight `vol` is missing or not chosen (its sheet)
};

/** Outcome of a preparation: ok, or what is missing. */
struct Statut
{
    bool ok = true;
    Manque manque = Manque::Rien;
    int vol = 0;             ///< for `Programmes`, the first flight whose programme fails
    std::string programme{}; ///< that flight's programme file, as the competition names it
    int nbVols = 0;          ///< the competition's flights

    explicit operator bool() const { return ok; }
};

/** One pilot row of a pilot or fly-off ranking. */
struct LigneClassement
{
    int rang = 0;
    std::string dossard, nom, prenom;
    double qualif = 0.0;            ///< `TotalFlyOff` (fly-off ranking)
    std::vector<double> scores;     ///< `ScoreVol` of the flights shown
    std::vector<double> scores1000; ///< `ScoreVol1000` of the same flights
    double total = 0.0;
};

/** Ranking after N flights. */
struct ClassementVols
{
    int vols = 0;
    int regle = 0;    ///< 0: the category has no rule for N; every total is then 0.0
    bool tbl = false; ///< the flight scores hold the TBL correction
    std::vector<LigneClassement> lignes;
};

/** Ranking after k fly-offs. */
struct ClassementFlyOff
{
    int flyoffs = 0;
    int regle = 0;      ///< 0: no fly-off ranking for this category and series (no row)
    int volsQualif = 3; ///< q: fly-off i is flight q + i
    bool tbl = false;   ///< the flight scores hold the TBL correction
    std::vector<LigneClassement> lignes;
};

/** One judge's columns of a row of the judge ranking. */
struct NoteJuge
{
    double score = 0.0; ///< `ScoreJuge`
    double ecart = 0.0; ///< deviation from the flight score, in percent
    int place = 0;      ///< place the judge's own scores give the pilot
};

struct LigneJuges
{
    int rang = 0;
    std::string dossard, nom, prenom;
    double final = 0.0; ///< the plain flight score
    std::vector<NoteJuge> notes;
};

/** Judge ranking of one flight: the pilots who have flown, by flight score. */
struct ClassementJuges
{
    int vol = 0;
    std::vector<std::string> juges; ///< `Nom` of judges 1 to J ("" when not entered)
    std::vector<LigneJuges> lignes;
};

/** Score diagram of one judge over the whole competition. */
struct DiagrammeJuge
{
    int juge = 0;
    std::string nom;
    double moyenne = 0.0;
    double ecartType = 0.0;
    std::array<double, 11> pourcentages{}; ///< share of the marks 0 to 10
};

/**
 * The mean, spread and shares of a judge's marks over the whole competition, as
 * `MoyenneNotesJuge`, `EcartTypeNotesJuge` and `PourcentageNoteJuge` give them,
 * in two passes over the marks; the flights' scores must be computed.
 */
void StatistiquesNotesJuge(TConcours& concours, short juge, const std::string& repertoire,
                           DiagrammeJuge& diagramme);

/** TBL profile values of one judge on one flight. */
struct ProfilJuge
{
    std::string nom;
    double moyenne = 0.0;
    double ecartType = 0.0;
    double acceptes = 0.0;            ///< "Scores acceptés %"
    std::optional<double> ecartMoyen; ///< "Ecarts au score moyen %"; none when the panel mean is 0
    std::optional<double> ecartStdev; ///< "Ecarts à la StDev %"; none when the panel spread is 0
};

struct ProfilJuges
{
    int vol = 0;
    double moyenneJury = 0.0;
    double ecartTypeJury = 0.0;
    std::vector<ProfilJuge> juges;
};

template <typename T> struct Resultat
{
    Statut statut;
    T valeur;
};

/** Whether any of flights 1 to n holds the TBL correction now. */
bool TblSurVols(const TConcours& concours, int n);

/** `Programmes`, naming the first of flights 1 to n whose programme does not load. */
Statut ManqueProgrammes(TConcours& concours, const ParametresCalcul& parametres, int n);

// Pilot ranking after n flights (1 to 4).
Statut PrepareClassementVols(TConcours& concours, const ParametresCalcul& parametres, int n);
ClassementVols CalculeClassementVols(TConcours& concours, int n, bool rapport1000);
Resultat<ClassementVols> ClassementApresVols(TConcours& concours,
                                             const ParametresCalcul& parametres, int n);

// Fly-off ranking after k fly-offs (1 to 4).
Statut PrepareClassementFlyOff(TConcours& concours, const ParametresCalcul& parametres, int k);
ClassementFlyOff CalculeClassementFlyOff(TConcours& concours, int k);
/** Without a rule nothing is computed and the ranking has no row. */
Resultat<ClassementFlyOff> ClassementApresFlyOff(TConcours& concours,
                                                 const ParametresCalcul& parametres, int k);

/**
 * A judge's deviation from the pilot's flight score on flight `vol`, in percent of it; 0 for a
 * flight the pilot has not flown.
 */
double EcartJugePourcent(const TPilote& pilote, short juge, short vol);

// Judge ranking of flight v (1 to 7); plain flight scores, never TBL.
Statut PrepareClassementJuges(TConcours& concours, const ParametresCalcul& parametres, int v);
/** Computes flight v on the loaded programme, which must be flight v's. */
ClassementJuges CalculeClassementJuges(TConcours& concours, int v);
/** Loads flight v's programme again, so a programme loaded meanwhile does no harm. */
Resultat<ClassementJuges> ClassementJugesVol(TConcours& concours,
                                             const ParametresCalcul& parametres, int v);

// Score diagram of judge j (1 to 5).
Statut PrepareDiagramme(TConcours& concours, const ParametresCalcul& parametres);
DiagrammeJuge CalculeDiagramme(TConcours& concours, int j, const std::string& repProgrammes);
Resultat<DiagrammeJuge> DiagrammeNotesJuge(TConcours& concours, const ParametresCalcul& parametres,
                                           int j);

// TBL profile of flight v (1 to 7), whatever the TBL option says.
Statut PrepareProfil(TConcours& concours, const ParametresCalcul& parametres, int v);
/** The profile values from the last TBL run, the flight recomputed on the loaded programme. */
ProfilJuges CalculeProfil(TConcours& concours, int v);
Resultat<ProfilJuges> ProfilJugesVol(TConcours& concours, const ParametresCalcul& parametres,
                                     int v);

} // namespace tavo
