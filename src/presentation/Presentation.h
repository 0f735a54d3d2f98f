// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scoring/Classements.h"

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TConcours;
class TPilote;

namespace tavo {
struct AccordJuges;
}

/**
 * How each ranking and statistics view is shown: its title block, its columns
 * and its rows as text, in one place for the screen, the printouts and
 * tavo-cli. Numbers are formatted here only, in the C convention whatever the
 * process locale (decimal point, the binary value correctly rounded, exact
 * ties to even). Every text is UTF-8.
 */
namespace tavo {

/** The views that show a computed result. */
enum class GenreVue
{
    ClassementVols,  ///< pilot ranking after N flights (1 to 4)
    FlyOff,          ///< pilot ranking after k fly-offs (1 to 4)
    ClassementJuges, ///< judge ranking of flight v (1 to 7)
    Diagramme,       ///< score diagram of judge j (1 to 5)
    Profil,          ///< TBL profile of flight v (1 to 7)
};

/** printf's "%W.Df" of a double: right-aligned in `largeur` characters, `decimales` digits. */
std::string Fixe(double valeur, int largeur, int decimales);

enum class Alignement
{
    Gauche, ///< at the cell's left edge
    Centre, ///< centred in the cell
    Droite, ///< at the cell's right edge
};

/** One column of a table view. */
struct ColonneVue
{
    std::string titre;
    int dixiemes = 0;   ///< width on screen and paper, in tenths of a millimetre
    int caracteres = 0; ///< width in the text output, in characters
    Alignement alignTitre = Alignement::Centre;
    Alignement alignCellule = Alignement::Centre;
    bool filet = true;   ///< a vertical rule at its right edge
    bool nombre = false; ///< numbers: written with a decimal comma in CSV
};

/** Sum of the columns' widths, in tenths of a millimetre. */
int LargeurDixiemes(const std::vector<ColonneVue>& colonnes);

/** The block above a table: the competition's lines, then the view's heading and subtitle. */
struct BlocTitre
{
    std::string titre, serie, lieu, departement, dates; ///< "Série 2", "01/05/2000 au 02/05/2000"
    std::string entete, sousTitre;
};

/** A table view: its title block, its columns and its rows, formatted on demand. */
class TableVue
{
public:
    using FonctionLigne = std::function<std::vector<std::string>(std::size_t)>;

    TableVue() = default;
    TableVue(BlocTitre bloc, std::vector<ColonneVue> colonnes, std::size_t lignes,
             FonctionLigne ligne);

    const BlocTitre& Bloc() const { return m_bloc; }
    const std::vector<ColonneVue>& Colonnes() const { return m_colonnes; }
    std::size_t NbLignes() const { return m_nbLignes; }
    /** The cells of row i (0-based), in column order. */
    std::vector<std::string> Ligne(std::size_t i) const { return m_ligne(i); }
    int Largeur() const { return LargeurDixiemes(m_colonnes); }

private:
    BlocTitre m_bloc;
    std::vector<ColonneVue> m_colonnes;
    std::size_t m_nbLignes = 0;
    FonctionLigne m_ligne;
};

/** The title block of a view of the competition. */
BlocTitre BlocTitreVue(const TConcours& concours, std::string entete, std::string sousTitre);

/**
 * The heading and subtitle of a view: "CLASSEMENT DES PILOTES", "(après 2 vols)"...; a pilot
 * ranking on TBL-corrected scores says so: "(après 2 vols, avec correction TBL)".
 */
std::string EnteteVue(GenreVue genre);
std::string SousTitreVue(GenreVue genre, int numero, bool tbl = false);

/**
 * Width of a table view in tenths of a millimetre, before it is computed. The
 * judges' views are as wide as 3 or 4 judges need, and as wide as 5 for any
 * other number.
 */
int LargeurVueDixiemes(GenreVue genre, int numero, short nbJuges);

TableVue PresenteClassementVols(const TConcours& concours, ClassementVols classement);
TableVue PresenteClassementFlyOff(const TConcours& concours, ClassementFlyOff classement);
TableVue PresenteClassementJuges(const TConcours& concours, ClassementJuges classement);
/** The same, sharing rows kept between paints rather than copying them. */
TableVue PresenteClassementJuges(const TConcours& concours,
                                 std::shared_ptr<const ClassementJuges> classement);
/** Label column, then one column per judge; rows "Scores acceptés %" and the two spreads. */
TableVue PresenteProfil(const TConcours& concours, const ProfilJuges& profil);

/**
 * "ACCORD DES JUGES" of a flight: one row per judge with its number, its name,
 * Spearman's rho, Kendall's tau-b and the mean deviation in percent ("-" when
 * a figure has no meaning).
 */
TableVue PresenteAccord(const TConcours& concours, const AccordJuges& accord);

/** The order of a pilot list. */
enum class OrdrePilotes
{
    Saisie,       ///< as entered
    Dossards,     ///< by bib number
    Alphabetique, ///< by surname
};

/** The pilots in an order; equal keys keep the entry order. */
std::vector<const TPilote*> PilotesDansLOrdre(const TConcours& concours, OrdrePilotes ordre);

/** "Liste des pilotes" by bib or by name. */
TableVue PresenteListePilotes(const TConcours& concours, OrdrePilotes ordre);

/** A judge's score diagram. */
struct DiagrammeVue
{
    std::string titre;                      ///< "DIAGRAMME DES NOTES"
    std::string lieu;                       ///< the competition's place
    std::string nom;                        ///< the judge's name
    std::string moyenne;                    ///< "Moyenne : 7.25"
    std::string ecartType;                  ///< "Ecart-Type : 1.10"
    std::array<double, 11> pourcentages{};  ///< bar heights, marks 0 to 10
    std::array<std::string, 6> graduations; ///< "0%" to "50%"
    std::array<std::string, 11> notes;      ///< "0" to "10"
    TableVue table;                         ///< "Note" and "%" of each mark
};

DiagrammeVue PresenteDiagramme(const TConcours& concours, const DiagrammeJuge& diagramme);

/** One figure line of a score sheet: a figure, then the noise and conformity lines. */
struct LigneFeuille
{
    std::string nom; ///< the figure's name, "Bruit" or "Conformité avec la documentation"
    short k = 0;
    bool figure = true;       ///< false for the noise and conformity lines
    std::vector<short> notes; ///< each judge's mark, judge 1 first
};

/**
 * What a pilot's score sheet of one flight holds, whichever form draws it (the
 * screen's sheet, the printed sheet, the site's page): the programme's lines
 * with their marks, the judges' heads, and the scores as last computed.
 */
struct ContenuFeuille
{
    std::string programme;          ///< the programme's name
    std::vector<std::string> juges; ///< the first three letters of each judge of the list
    short nbJuges = 0;              ///< the judges' columns: the competition's number of judges
    std::vector<LigneFeuille> lignes;
    std::vector<double> scoresJuges; ///< each judge's score
    std::vector<double> ecartsJuges; ///< each judge's deviation from the flight score, in percent
    double scoreVol = 0.0;
    double scoreVol1000 = 0.0;
};

/** The sheet of `pilote` on flight `vol`, on the competition's loaded programme. */
ContenuFeuille ContenuDeFeuille(const TConcours& concours, const TPilote& pilote, int vol);

/** A pilot's filled-in score sheet of one flight, as the printed sheet writes it. */
struct FeuilleVue
{
    std::string titre;     ///< "Vol 2 : <programme>"
    TableVue grille;       ///< "N°", " Figure", "K", a mark per judge; then "SCORES DES JUGES"
    std::string scoreVol;  ///< "TOTAL DU VOL : 245.31", the flight score the rankings use
    std::string score1000; ///< "Rapport 1000 : 987.20"
};

/**
 * The sheet of `pilote` on flight `vol`, on the competition's loaded
 * programme, which must be that flight's, with the scores as last computed.
 */
FeuilleVue PresenteFeuille(const TConcours& concours, const TPilote& pilote, int vol);

} // namespace tavo
