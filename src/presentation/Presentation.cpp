// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/Presentation.h"

#include "model/Concours.h"
#include "model/Cp1252.h"
#include "scoring/Accord.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>
#include <numeric>

namespace tavo {

namespace {

using A = Alignement;

std::string U8(const char* cp1252)
{
    return cp1252 != nullptr ? Cp1252VersUtf8(cp1252) : std::string();
}

std::string U8(const std::string& cp1252)
{
    return Cp1252VersUtf8(cp1252);
}

// " Nom Prénom" of a row: a space, the surname, a space, the first name.
std::string NomPrenom(const std::string& nom, const std::string& prenom)
{
    return " " + U8(nom) + " " + U8(prenom);
}

// A flight score ("%6.2f "), a thousandths score or a total ("%7.2f "), a judge's
// rounded score or deviation ("%3.0f "): the trailing space keeps the digits off the rule.
std::string Score(double valeur)
{
    return Fixe(valeur, 6, 2) + ' ';
}
std::string Score1000(double valeur)
{
    return Fixe(valeur, 7, 2) + ' ';
}
std::string Arrondi(double valeur)
{
    return Fixe(valeur, 3, 0) + ' ';
}

ColonneVue Rang()
{
    return {"Rang", 130, 4};
}

ColonneVue Nom()
{
    return {" Nom Prénom", 600, 36, A::Gauche, A::Gauche};
}

ColonneVue Nombre(std::string titre, int dixiemes, int caracteres,
                  Alignement alignCellule = A::Droite)
{
    return {std::move(titre), dixiemes, caracteres, A::Centre, alignCellule, true, true};
}

// Rank, name, ["Qualif"], a score and a thousandths column per flight, the total.
std::vector<ColonneVue> ColonnesPilotes(int vols, const char* prefixe, bool qualif)
{
    std::vector<ColonneVue> colonnes{Rang(), Nom()};
    if (qualif)
        colonnes.push_back(Nombre("Qualif", 150, 7));
    for (int v = 1; v <= vols; ++v) {
        const std::string numero = prefixe + std::to_string(v);
        colonnes.push_back(Nombre(numero, 130, 6));
        colonnes.push_back(Nombre("%" + numero, 150, 7));
    }
    ColonneVue total = Nombre("Total ", 150, 7);
    total.alignTitre = A::Droite;
    colonnes.push_back(std::move(total));
    return colonnes;
}

std::vector<ColonneVue> ColonnesJuges(const std::vector<std::string>& juges)
{
    std::vector<ColonneVue> colonnes{Rang(), Nom(), Nombre("Final", 150, 6, A::Centre)};
    for (const std::string& juge : juges) {
        ColonneVue score = Nombre(U8(juge.substr(0, 3)), 130, 4, A::Centre);
        score.filet = false;
        ColonneVue ecart = Nombre("%", 80, 4, A::Centre);
        ecart.filet = false;
        colonnes.push_back(std::move(score));
        colonnes.push_back(std::move(ecart));
        colonnes.push_back(Nombre("Clt", 90, 3, A::Centre));
    }
    return colonnes;
}

std::vector<ColonneVue> ColonnesProfil(const std::vector<std::string>& juges)
{
    std::vector<ColonneVue> colonnes{{"", 450, 23}};
    for (const std::string& juge : juges)
        colonnes.push_back(Nombre(U8(juge), 350, 12, A::Centre));
    return colonnes;
}

std::vector<std::string> CellulesPilote(const LigneClassement& ligne, bool qualif)
{
    std::vector<std::string> cellules{std::to_string(ligne.rang),
                                      NomPrenom(ligne.nom, ligne.prenom)};
    if (qualif)
        cellules.push_back(Score1000(ligne.qualif));
    for (std::size_t v = 0; v < ligne.scores.size(); ++v) {
        cellules.push_back(Score(ligne.scores[v]));
        cellules.push_back(Score1000(ligne.scores1000[v]));
    }
    cellules.push_back(Score1000(ligne.total));
    return cellules;
}

// The judges' views keep the width of a panel of 3, 4 or else 5 judges.
short JugesDeLargeur(short nbJuges)
{
    return nbJuges == 3 || nbJuges == 4 ? nbJuges : short{MAX_JUGES};
}

/** A value that has no meaning (a spread of 0 to divide by) shows as a dash. */
std::string Optionnel(const std::optional<double>& valeur, int largeur, int decimales = 0)
{
    return valeur ? Fixe(*valeur, largeur, decimales) : "-";
}

} // namespace

std::string Fixe(double valeur, int largeur, int decimales)
{
    char tampon[400];
    const auto resultat =
        std::to_chars(tampon, tampon + sizeof tampon, valeur, std::chars_format::fixed, decimales);
    std::string texte(tampon, resultat.ec == std::errc() ? resultat.ptr : tampon);
    // A value that rounds to zero has no sign: -0.001 reads "0.00", not "-0.00".
    if (texte.starts_with('-') && texte.find_first_not_of("0.", 1) == std::string::npos)
        texte.erase(0, 1);
    if (texte.size() < static_cast<std::size_t>(largeur))
        texte.insert(0, static_cast<std::size_t>(largeur) - texte.size(), ' ');
    return texte;
}

int LargeurDixiemes(const std::vector<ColonneVue>& colonnes)
{
    return std::accumulate(colonnes.begin(), colonnes.end(), 0,
                           [](int total, const ColonneVue& c) { return total + c.dixiemes; });
}

TableVue::TableVue(BlocTitre bloc, std::vector<ColonneVue> colonnes, std::size_t lignes,
                   FonctionLigne ligne)
    : m_bloc(std::move(bloc))
    , m_colonnes(std::move(colonnes))
    , m_nbLignes(lignes)
    , m_ligne(std::move(ligne))
{}

BlocTitre BlocTitreVue(const TConcours& concours, std::string entete, std::string sousTitre)
{
    return {U8(concours.GetTitre()),
            "Série " + U8(concours.GetSerie()),
            U8(concours.GetLieu()),
            U8(concours.GetDepartement()),
            U8(concours.GetDateDebut()) + " au " + U8(concours.GetDateFin()),
            std::move(entete),
            std::move(sousTitre)};
}

std::string EnteteVue(GenreVue genre)
{
    switch (genre) {
    case GenreVue::ClassementVols:
    case GenreVue::FlyOff:
        return "CLASSEMENT DES PILOTES";
    case GenreVue::ClassementJuges:
        return "CLASSEMENT DES JUGES";
    case GenreVue::Diagramme:
        return "DIAGRAMME DES NOTES";
    case GenreVue::Profil:
        break;
    }
    return "PROFIL DES JUGES";
}

std::string SousTitreVue(GenreVue genre, int numero, bool tbl)
{
    const std::string n = std::to_string(static_cast<unsigned>(numero));
    const std::string correction = tbl ? ", avec correction TBL)" : ")";
    switch (genre) {
    case GenreVue::ClassementVols:
        return "(après " + n + (numero == 1 ? " vol" : " vols") + correction;
    case GenreVue::FlyOff:
        return "(après " + n + " fly-off" + correction;
    case GenreVue::Diagramme:
        return {};
    case GenreVue::ClassementJuges:
    case GenreVue::Profil:
        break;
    }
    return "(sur le vol " + n + ")";
}

int LargeurVueDixiemes(GenreVue genre, int numero, short nbJuges)
{
    const std::vector<std::string> juges(static_cast<std::size_t>(JugesDeLargeur(nbJuges)));
    switch (genre) {
    case GenreVue::ClassementVols:
        return LargeurDixiemes(ColonnesPilotes(numero, "V", false));
    case GenreVue::FlyOff:
        return LargeurDixiemes(ColonnesPilotes(numero, "F", true));
    case GenreVue::ClassementJuges:
        return LargeurDixiemes(ColonnesJuges(juges));
    case GenreVue::Profil:
        return LargeurDixiemes(ColonnesProfil(juges));
    case GenreVue::Diagramme:
        break;
    }
    return 1980;
}

namespace {

// A pilot ranking after `numero` flights or fly-offs ("V" or "F" columns, "Qualif" for these).
template <typename Classement>
TableVue PresentePilotes(const TConcours& concours, GenreVue genre, int numero,
                         Classement classement)
{
    const bool flyoff = genre == GenreVue::FlyOff;
    auto c = std::make_shared<const Classement>(std::move(classement));
    return {BlocTitreVue(concours, EnteteVue(genre), SousTitreVue(genre, numero, c->tbl)),
            ColonnesPilotes(numero, flyoff ? "F" : "V", flyoff), c->lignes.size(),
            [c, flyoff](std::size_t i) { return CellulesPilote(c->lignes[i], flyoff); }};
}

} // namespace

TableVue PresenteClassementVols(const TConcours& concours, ClassementVols classement)
{
    const int vols = classement.vols;
    return PresentePilotes(concours, GenreVue::ClassementVols, vols, std::move(classement));
}

TableVue PresenteClassementFlyOff(const TConcours& concours, ClassementFlyOff classement)
{
    const int flyoffs = classement.flyoffs;
    return PresentePilotes(concours, GenreVue::FlyOff, flyoffs, std::move(classement));
}

TableVue PresenteClassementJuges(const TConcours& concours, ClassementJuges classement)
{
    return PresenteClassementJuges(concours,
                                   std::make_shared<const ClassementJuges>(std::move(classement)));
}

TableVue PresenteClassementJuges(const TConcours& concours,
                                 std::shared_ptr<const ClassementJuges> c)
{
    return {BlocTitreVue(concours, EnteteVue(GenreVue::ClassementJuges),
                         SousTitreVue(GenreVue::ClassementJuges, c->vol)),
            ColonnesJuges(c->juges), c->lignes.size(), [c](std::size_t i) {
                const LigneJuges& ligne = c->lignes[i];
                std::vector<std::string> cellules{std::to_string(ligne.rang),
                                                  NomPrenom(ligne.nom, ligne.prenom),
                                                  Score(ligne.final)};
                for (const NoteJuge& note : ligne.notes) {
                    cellules.push_back(Arrondi(note.score));
                    cellules.push_back(Arrondi(note.ecart));
                    cellules.push_back(std::to_string(static_cast<unsigned>(note.place)) + ' ');
                }
                return cellules;
            }};
}

TableVue PresenteProfil(const TConcours& concours, const ProfilJuges& profil)
{
    std::vector<std::string> noms;
    std::vector<std::vector<std::string>> lignes{
        {"Scores acceptés %"}, {"Ecarts au score moyen %"}, {"Ecarts à la StDev %"}};
    for (const ProfilJuge& juge : profil.juges) {
        noms.push_back(juge.nom);
        lignes[0].push_back(Fixe(juge.acceptes, 3, 0));
        lignes[1].push_back(Optionnel(juge.ecartMoyen, 4));
        lignes[2].push_back(Optionnel(juge.ecartStdev, 4));
    }
    return {BlocTitreVue(concours, EnteteVue(GenreVue::Profil),
                         SousTitreVue(GenreVue::Profil, profil.vol)),
            ColonnesProfil(noms), lignes.size(),
            [lignes = std::move(lignes)](std::size_t i) { return lignes[i]; }};
}

TableVue PresenteAccord(const TConcours& concours, const AccordJuges& accord)
{
    const std::vector<ColonneVue> colonnes{{"Juge", 130, 4},
                                           {" Nom", 450, 24, A::Gauche, A::Gauche},
                                           Nombre("Spearman", 250, 8, A::Centre),
                                           Nombre("Kendall", 250, 8, A::Centre),
                                           Nombre("Écart moyen %", 300, 13, A::Centre)};
    std::vector<std::vector<std::string>> lignes;
    for (const AccordJuge& juge : accord.juges)
        lignes.push_back({std::to_string(lignes.size() + 1), " " + U8(juge.nom),
                          Optionnel(juge.spearman, 5, 2), Optionnel(juge.kendall, 5, 2),
                          Optionnel(juge.ecartMoyen, 5, 1)});
    return {BlocTitreVue(concours, "ACCORD DES JUGES",
                         SousTitreVue(GenreVue::ClassementJuges, accord.vol)),
            colonnes, lignes.size(),
            [lignes = std::move(lignes)](std::size_t i) { return lignes[i]; }};
}

std::vector<const TPilote*> PilotesDansLOrdre(const TConcours& concours, OrdrePilotes ordre)
{
    std::vector<const TPilote*> pilotes;
    pilotes.reserve(concours.GetPilotes().size());
    for (const TPilote& pilote : concours.GetPilotes())
        pilotes.push_back(&pilote);
    if (ordre == OrdrePilotes::Dossards)
        std::stable_sort(pilotes.begin(), pilotes.end(), [](const TPilote* a, const TPilote* b) {
            return a->ValeurDossard() < b->ValeurDossard();
        });
    else if (ordre == OrdrePilotes::Alphabetique)
        std::stable_sort(pilotes.begin(), pilotes.end(), [](const TPilote* a, const TPilote* b) {
            return std::strcmp(a->GetNom(), b->GetNom()) < 0;
        });
    return pilotes;
}

TableVue PresenteListePilotes(const TConcours& concours, OrdrePilotes ordre)
{
    const std::vector<ColonneVue> colonnes{{"Dos", 130, 4},    Nom(),
                                           {"Club", 370, 20},  {"Licence", 200, 8},
                                           {"Freq 1", 150, 7}, {"Freq 2", 150, 7}};
    auto pilotes =
        std::make_shared<const std::vector<const TPilote*>>(PilotesDansLOrdre(concours, ordre));
    return {BlocTitreVue(concours, "LISTE DES PILOTES",
                         ordre == OrdrePilotes::Alphabetique ? "(ordre alphabétique)"
                                                             : "(ordre des dossards)"),
            colonnes, pilotes->size(), [pilotes](std::size_t i) {
                const TPilote& p = *(*pilotes)[i];
                return std::vector<std::string>{
                    U8(p.GetDossard()),    NomPrenom(p.GetNom(), p.GetPrenom()),
                    U8(p.GetClub()),       U8(p.GetLicence()),
                    U8(p.GetFrequence1()), U8(p.GetFrequence2())};
            }};
}

DiagrammeVue PresenteDiagramme(const TConcours& concours, const DiagrammeJuge& diagramme)
{
    DiagrammeVue vue;
    vue.titre = EnteteVue(GenreVue::Diagramme);
    vue.lieu = U8(concours.GetLieu());
    vue.nom = U8(diagramme.nom);
    vue.moyenne = "Moyenne : " + Fixe(diagramme.moyenne, 4, 2);
    vue.ecartType = "Ecart-Type : " + Fixe(diagramme.ecartType, 4, 2);
    vue.pourcentages = diagramme.pourcentages;
    for (std::size_t k = 0; k < vue.graduations.size(); ++k)
        vue.graduations[k] = std::to_string(10 * k) + "%";
    for (std::size_t m = 0; m < vue.notes.size(); ++m)
        vue.notes[m] = std::to_string(m);
    const std::vector<ColonneVue> colonnes{Nombre("Note", 0, 4), Nombre("%", 0, 6)};
    auto pourcentages = vue.pourcentages;
    vue.table = {
        BlocTitreVue(concours, vue.titre, {}), colonnes, pourcentages.size(),
        [pourcentages](std::size_t m) {
            return std::vector<std::string>{std::to_string(m), Fixe(pourcentages[m], 5, 1)};
        }};
    return vue;
}

} // namespace tavo
