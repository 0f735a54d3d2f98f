// SPDX-License-Identifier: GPL-3.0-or-later
// The results site: every view of the program as static HTML pages.
#include "publication/Site.h"

#include "model/Concours.h"
#include "model/Cp1252.h"
#include "model/Date.h"
#include "model/ErreurSysteme.h"
#include "model/Fichier.h"
#include "model/Texte.h"
#include "presentation/Messages.h"
#include "presentation/Presentation.h"
#include "publication/Html.h"
#include "scoring/Accord.h"
#include "scoring/FeuillesManquantes.h"
#include "scoring/Regles.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <map>
#include <optional>
#include <system_error>
#include <unordered_map>

namespace fs = std::filesystem;

namespace tavo {

namespace {

std::string NomPage(const char* prefixe, int numero)
{
    return prefixe + std::to_string(numero) + ".html";
}

std::string Lien(const std::string& cible, const std::string& texte)
{
    return "<li><a href=\"" + html::Echappe(cible) + "\">" + html::Echappe(texte) + "</a></li>\n";
}

std::string Cle(const std::string& dossard, const std::string& nom, const std::string& prenom)
{
    return dossard + '\n' + nom + '\n' + prenom;
}

// Every page ends with its footer.
constexpr std::string_view PIED = "Tavo 2000 - publié le ";
constexpr std::string_view DEBUT_PAGE = "<!DOCTYPE html>\n<html lang=\"fr\">\n";
constexpr std::string_view FIN_PAGE = "</p></footer>\n</body>\n</html>\n";
// The first line of the style sheet of version 2.01, which had no line naming it.
constexpr std::string_view STYLE_2_01 =
    "html { -webkit-text-size-adjust: 100%; text-size-adjust: 100%; }\n";

// "Tavo 2000 - publié le 14/06/2026 à 18:05"
std::string Pied()
{
    return std::string(PIED) + MaintenantLocal("%d/%m/%Y à %H:%M");
}

/** Where a pilot stands in a ranking: the texts of its rank and total cells. */
struct Place
{
    std::string intitule; ///< "après 3 vols"
    std::string page;
    std::string rang, total;
    std::size_t classes = 0; ///< the pilots ranked
};

// Computes the flights whose programme loads, up to the first that does not, and returns how
// many; `voles` gets those some pilot has flown: the flights the site publishes.
short CalculeVolsDuSite(TConcours& concours, const ParametresCalcul& parametres,
                        std::vector<int>& voles)
{
    const short vols = VolsEffectifs(concours.GetNbVols());
    short disponibles = 0;
    while (disponibles < vols &&
           concours.ChargeProgramme(static_cast<short>(disponibles + 1), parametres.repProgrammes))
        ++disponibles;
    concours.CalculeVols(disponibles, parametres.repProgrammes, parametres.tbl);
    for (short v = 1; v <= disponibles; ++v)
        for (const TPilote& pilote : concours.GetPilotes())
            if (AVole(pilote.GetScoreVol(v))) {
                voles.push_back(v);
                break;
            }
    return disponibles;
}

/** The site being built: a copy of the competition, the pages made so far. */
class Site
{
public:
    Site(const TConcours& concours, const ParametresCalcul& parametres, ModeSite mode,
         const SortieSite& sortie)
        : m_parametres(parametres)
        , m_mode(mode)
        , m_pied(mode.direct ? "Tavo 2000 - résultats en direct" : Pied())
        , m_sortie(sortie)
    {
        m_concours.Reprend(concours);
        m_bloc = BlocTitreVue(m_concours, "RÉSULTATS", {});
        if (mode.direct)
            m_ajouts = {"<meta name=\"tavo-version\" content=\"" + std::string(MARQUE_VERSION) +
                            "\">\n<script src=\"direct.js\" defer></script>\n",
                        "<p class=\"maj\" role=\"status\">Mis à jour à " +
                            std::string(MARQUE_HEURE) + "</p>\n",
                        {}};
        int position = 0;
        for (const TPilote& pilote : m_concours.GetPilotes()) {
            ++position;
            m_positions.try_emplace(&pilote, position);
            m_parCle.try_emplace(Cle(pilote.GetDossard(), pilote.GetNom(), pilote.GetPrenom()),
                                 position);
        }
        m_vols.resize(m_positions.size());
        m_flyOffs.resize(m_positions.size());
    }

    // Every file in the site's order, each handed over as soon as it is made; false when the
    // receiver stopped.
    bool Construit()
    {
        Vols();
        ClassementsVols();
        FlyOffs();
        Pilotes();
        Juges();
        Diagrammes();
        Index();
        if (m_mode.direct)
            Tableau();
        Sort("style.css", html::FeuilleDeStyle());
        Sort("favicon.svg", html::Icone());
        return !m_arret;
    }

private:
    void AjoutePage(const std::string& nom, const std::string& titre,
                    std::initializer_list<std::string_view> corps,
                    const std::string& classeCorps = {})
    {
        if (m_arret)
            return;
        html::Ajouts ajouts = m_ajouts;
        ajouts.classeCorps = classeCorps;
        html::Page(m_page, m_bloc, titre, corps, m_pied, ajouts);
        Sort(nom, m_page);
    }

    void Sort(const std::string& nom, std::string_view contenu)
    {
        if (!m_arret && !m_sortie(nom, contenu))
            m_arret = true;
    }

    // The flights whose programme loads, up to the first that does not, and those flown.
    void Vols()
    {
        m_disponibles = CalculeVolsDuSite(m_concours, m_parametres, m_voles);
        if (m_disponibles < VolsEffectifs(m_concours.GetNbVols()))
            m_remarques += "<p class=\"note\">Le programme du vol " +
                           std::to_string(m_disponibles + 1) +
                           " est introuvable : les vols suivants ne sont pas publiés.</p>\n";
    }

    bool Vole(int v) const { return std::find(m_voles.begin(), m_voles.end(), v) != m_voles.end(); }

    // Where a pilot stands after the latest ranking of `places`, as its cells say.
    static std::string Bilan(const std::optional<Place>& place)
    {
        if (!place)
            return {};
        return "<p>Rang " + html::Echappe(place->intitule) + " : <strong class=\"valeur-rang\">" +
               html::Echappe(place->rang) + "</strong> sur " + std::to_string(place->classes) +
               " &#8211; total <strong class=\"valeur-total\">" + html::Echappe(place->total) +
               "</strong></p>\n";
    }

    // Each pilot's page: where he stands, his flights' scores, then his sheets, judge by judge.
    // Made one pilot at a time, each flight's programme put in place for its sheet.
    void Pilotes()
    {
        std::vector<TProgramme> programmes;
        for (int v : m_voles) {
            m_concours.ChargeProgramme(static_cast<short>(v), m_parametres.repProgrammes);
            programmes.push_back(m_concours.GetProgramme());
        }
        const std::string titre = TblSurVols(m_concours, m_disponibles)
                                      ? "Scores des vols avec correction TBL"
                                      : "Scores des vols";
        std::size_t p = 0;
        for (const TPilote& pilote : m_concours.GetPilotes()) {
            if (m_arret)
                break;
            std::string feuilles;
            std::vector<std::array<std::string, 3>> lignes;
            for (std::size_t k = 0; k < m_voles.size(); ++k) {
                const int v = m_voles[k];
                if (!AVole(pilote.GetScoreVol(static_cast<short>(v))))
                    continue;
                m_concours.GetProgramme() = programmes[k];
                const FeuilleVue feuille = PresenteFeuille(m_concours, pilote, v);
                feuilles += "<h2 id=\"vol-" + std::to_string(v) + "\">" +
                            html::Echappe(feuille.titre) + "</h2>\n" +
                            html::Table(feuille.grille, feuille.titre) + "<p>" +
                            html::Echappe(feuille.scoreVol) + "<br>" +
                            html::Echappe(feuille.score1000) + "</p>\n";
                lignes.push_back({"Vol " + std::to_string(v),
                                  Fixe(pilote.GetScoreVol(static_cast<short>(v)), 0, 2),
                                  Fixe(pilote.GetScoreVol1000(static_cast<short>(v)), 0, 2)});
            }
            const std::string nom =
                Cp1252VersUtf8(std::string(pilote.GetNom()) + " " + pilote.GetPrenom());
            std::string corps = "<h1>" + html::Echappe(nom) + " <small>Dossard " +
                                html::Echappe(Cp1252VersUtf8(pilote.GetDossard())) + " &#8211; " +
                                html::Echappe(Cp1252VersUtf8(pilote.GetClub())) + "</small></h1>\n";
            const std::string bilan = Bilan(m_vols[p]) + Bilan(m_flyOffs[p]);
            if (!bilan.empty())
                corps += "<section class=\"bilan\" aria-label=\"Classement\">\n" + bilan +
                         "</section>\n";
            corps += "<p class=\"lien\">";
            for (const auto& place : {m_vols[p], m_flyOffs[p]})
                if (place)
                    corps += "<a href=\"" + place->page + "\">Classement " +
                             html::Echappe(place->intitule) + "</a> ";
            corps += "<a href=\"index.html#classements\">Tous les classements</a></p>\n";
            if (lignes.empty()) {
                corps += "<p class=\"note\">Aucun vol noté.</p>\n";
            } else {
                const TableVue table(
                    {},
                    {{"Vol", 0, 0, Alignement::Gauche, Alignement::Gauche},
                     {"Score", 0, 0, Alignement::Droite, Alignement::Droite, true, true},
                     {"Rapport 1000", 0, 0, Alignement::Droite, Alignement::Droite, true, true}},
                    lignes.size(), [&lignes](std::size_t i) {
                        return std::vector<std::string>(lignes[i].begin(), lignes[i].end());
                    });
                const html::Lien lien = [&lignes](std::size_t i, std::size_t c) {
                    return c == 0 ? "#vol-" + lignes[i][0].substr(4) : std::string();
                };
                corps += "<h2>" + titre + "</h2>\n" + html::Table(table, titre, lien) + feuilles;
            }
            AjoutePage(NomPage("pilote-", static_cast<int>(p + 1)), nom, {corps});
            ++p;
        }
        if (!programmes.empty())
            m_concours.GetProgramme() = programmes.back(); // as the last flight's sheets left it
    }

    // The link of a ranking's name cell to the pilot's page.
    template <typename Lignes> html::Lien LienPilote(const Lignes& lignes, std::size_t colonne)
    {
        return [this, &lignes, colonne](std::size_t i, std::size_t c) {
            if (c != colonne)
                return std::string();
            const auto& l = lignes[i];
            const auto it = m_parCle.find(Cle(l.dossard, l.nom, l.prenom));
            return it == m_parCle.end() ? std::string() : NomPage("pilote-", it->second);
        };
    }

    // A view's page: its heading, its table, what follows it.
    void PageTable(const std::string& nom, const TableVue& table, const std::string& tableHtml,
                   const std::string& suite = {})
    {
        const BlocTitre& b = table.Bloc();
        AjoutePage(nom, b.entete + " " + b.sousTitre, {html::EnteteVue(b), tableHtml, suite});
    }

    static std::string Legende(const TableVue& table)
    {
        return table.Bloc().entete + " " + table.Bloc().sousTitre;
    }

    // A pilot ranking's page, the places it gives each pilot, and the board of the latest one.
    template <typename Lignes>
    void PageClassement(const std::string& nom, const std::string& intitule, const TableVue& table,
                        const Lignes& lignes, std::vector<std::optional<Place>>& places)
    {
        const std::size_t total = table.Colonnes().size() - 1;
        PageTable(nom, table,
                  html::Classement(table, Legende(table), total, LienPilote(lignes, 1)));
        for (std::size_t i = 0; i < table.NbLignes() && i < lignes.size(); ++i) {
            const auto& l = lignes[i];
            const auto it = m_parCle.find(Cle(l.dossard, l.nom, l.prenom));
            if (it == m_parCle.end())
                continue;
            const std::vector<std::string> cellules = table.Ligne(i);
            places[static_cast<std::size_t>(it->second - 1)] =
                Place{intitule, nom, SansEspaces(cellules.front()), SansEspaces(cellules[total]),
                      table.NbLignes()};
        }
        m_dernier = {nom, intitule};
        if (!m_mode.direct)
            return;
        // The board: the rank, the name and the total, in large type.
        std::string lignesTableau;
        for (std::size_t i = 0; i < table.NbLignes(); ++i) {
            const std::vector<std::string> cellules = table.Ligne(i);
            lignesTableau += "<tr><td>" + html::Echappe(SansEspaces(cellules.front())) +
                             "</td><th scope=\"row\">" + html::Echappe(SansEspaces(cellules[1])) +
                             "</th><td class=\"n\">" + html::Echappe(SansEspaces(cellules[total])) +
                             "</td></tr>\n";
        }
        m_tableau = "<h1>Classement " + html::Echappe(intitule) +
                    "</h1>\n<table class=\"g\">\n<caption>Classement " + html::Echappe(intitule) +
                    "</caption>\n<thead><tr><th scope=\"col\">Rang</th><th "
                    "scope=\"col\">Nom Prénom</th><th scope=\"col\" class=\"n\">Total</th></tr>"
                    "</thead>\n<tbody>\n" +
                    lignesTableau + "</tbody>\n</table>\n<p class=\"page\"></p>\n";
    }

    void ClassementsVols()
    {
        for (int n = 1; n <= 4 && n <= m_disponibles; ++n) {
            if (!Vole(n))
                continue;
            const auto resultat = ClassementApresVols(m_concours, m_parametres, n);
            const std::string intitule =
                n == 1 ? "après 1 vol" : "après " + std::to_string(n) + " vols";
            PageClassement(NomPage("vol-", n), intitule,
                           PresenteClassementVols(m_concours, resultat.valeur),
                           resultat.valeur.lignes, m_vols);
            m_liensClassements += Lien(NomPage("vol-", n), Majuscule(intitule));
        }
    }

    void FlyOffs()
    {
        const char* categorie = m_concours.GetCategorie();
        for (int k = 1; k <= 4; ++k) {
            const int vol = VolsQualification(categorie) + k;
            if (!FlyOffPropose(categorie, m_concours.GetSerie(), k) ||
                VolsFlyOff(categorie, k) > m_disponibles || !Vole(vol))
                continue;
            const auto resultat = ClassementApresFlyOff(m_concours, m_parametres, k);
            if (!resultat.statut || resultat.valeur.regle == 0)
                continue;
            const std::string intitule = "après " + std::to_string(k) + " fly-off";
            PageClassement(NomPage("flyoff-", k), intitule,
                           PresenteClassementFlyOff(m_concours, resultat.valeur),
                           resultat.valeur.lignes, m_flyOffs);
            m_liensClassements += Lien(NomPage("flyoff-", k), Majuscule(intitule));
        }
    }

    static std::string Majuscule(std::string texte)
    {
        if (!texte.empty())
            texte[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(texte[0])));
        return texte;
    }

    void Juges()
    {
        for (int v : m_voles) {
            const auto classement = ClassementJugesVol(m_concours, m_parametres, v);
            const TableVue accord = PresenteAccord(m_concours, CalculeAccord(classement.valeur));
            const BlocTitre& b = accord.Bloc();
            const TableVue juges = PresenteClassementJuges(m_concours, classement.valeur);
            std::size_t final = juges.Colonnes().size() - 1;
            for (std::size_t c = 0; c < juges.Colonnes().size(); ++c)
                if (SansEspaces(juges.Colonnes()[c].titre) == "Final")
                    final = c;
            PageTable(NomPage("juges-vol-", v), juges,
                      html::Classement(juges, Legende(juges), final,
                                       LienPilote(classement.valeur.lignes, 1)),
                      "<h2>" + html::Echappe(b.entete) + "</h2>\n" +
                          html::Table(accord, Legende(accord)));
            m_liensJuges += Lien(NomPage("juges-vol-", v), "Sur le vol " + std::to_string(v));
            const auto profil = ProfilJugesVol(m_concours, m_parametres, v);
            const TableVue vue = PresenteProfil(m_concours, profil.valeur);
            // Its rows are named by the program's own texts: written as French typography does.
            const TableVue table(vue.Bloc(), vue.Colonnes(), vue.NbLignes(), [&vue](std::size_t i) {
                std::vector<std::string> cellules = vue.Ligne(i);
                if (!cellules.empty())
                    cellules.front() = html::Typographie(cellules.front());
                return cellules;
            });
            PageTable(NomPage("profil-vol-", v), table, html::Table(table, Legende(table)));
            m_liensProfils += Lien(NomPage("profil-vol-", v), "Sur le vol " + std::to_string(v));
        }
    }

    void Diagrammes()
    {
        if (m_voles.empty())
            return;
        const short juges = JugesEffectifs(m_concours.GetNbJuges());
        for (int j = 1; j <= juges; ++j) {
            const auto resultat = DiagrammeNotesJuge(m_concours, m_parametres, j);
            if (!resultat.statut)
                return;
            const DiagrammeVue vue = PresenteDiagramme(m_concours, resultat.valeur);
            const std::string titre = vue.titre + " " + vue.nom;
            AjoutePage(NomPage("juge-", j), titre,
                       {html::EnteteVue(vue.table.Bloc()), html::Diagramme(vue, j)});
            m_liensDiagrammes +=
                Lien(NomPage("juge-", j),
                     "Juge " + std::to_string(j) + (vue.nom.empty() ? "" : " : " + vue.nom));
        }
    }

    // A block of links, its heading naming its navigation landmark.
    static std::string Section(const std::string& id, const std::string& titre,
                               const std::string& liens)
    {
        if (liens.empty())
            return {};
        return "<section>\n<h2 id=\"" + id + "\">" + titre + "</h2>\n<nav aria-labelledby=\"" + id +
               "\"><ul>\n" + liens + "</ul></nav>\n</section>\n";
    }

    void Index()
    {
        const TableVue pilotes = PresenteListePilotes(m_concours, OrdrePilotes::Dossards);
        const std::vector<const TPilote*> ordre =
            PilotesDansLOrdre(m_concours, OrdrePilotes::Dossards);
        const html::Lien lien = [&](std::size_t i, std::size_t c) {
            return c == 1 ? NomPage("pilote-", m_positions.at(ordre[i])) : std::string();
        };
        std::string noms;
        for (const TPilote* pilote : PilotesDansLOrdre(m_concours, OrdrePilotes::Alphabetique))
            noms += Lien(NomPage("pilote-", m_positions.at(pilote)),
                         Cp1252VersUtf8(std::string(pilote->GetNom()) + " " + pilote->GetPrenom() +
                                        " \x96 dossard " + pilote->GetDossard()));
        std::string corps = "<h1>RÉSULTATS</h1>\n" + m_remarques;
        if (m_voles.empty())
            corps += "<p class=\"note\">Aucun vol n'a encore été noté.</p>\n";
        if (!m_dernier.first.empty())
            corps += "<p class=\"dernier lien\"><a href=\"" + m_dernier.first +
                     "\">Dernier classement : " + html::Echappe(m_dernier.second) + "</a></p>\n";
        corps += Section("classements", "Classement des pilotes", m_liensClassements) +
                 Section("juges", "Classement des juges", m_liensJuges) +
                 Section("profils", "Profil des juges TBL", m_liensProfils) +
                 Section("diagrammes", "Diagramme des notes", m_liensDiagrammes);
        if (!noms.empty())
            corps += "<section>\n<h2 id=\"noms\">Pilotes par nom</h2>\n<nav "
                     "aria-labelledby=\"noms\"><ul class=\"noms\">\n" +
                     noms + "</ul></nav>\n</section>\n";
        corps += "<section>\n<h2>Pilotes</h2>\n" + html::Table(pilotes, Legende(pilotes), lien) +
                 "</section>\n";
        AjoutePage("index.html", "Résultats", {corps});
    }

    // The big screen at the field: the latest ranking, paged by its script.
    void Tableau()
    {
        AjoutePage("tableau.html", "Tableau",
                   {m_tableau.empty() ? "<h1>Classement</h1>\n<p class=\"note\">Aucun vol n'a "
                                        "encore été noté.</p>\n"
                                      : std::string_view(m_tableau)},
                   "tableau");
    }

    TConcours m_concours;
    ParametresCalcul m_parametres;
    ModeSite m_mode;
    std::string m_pied;
    BlocTitre m_bloc;
    html::Ajouts m_ajouts;
    std::unordered_map<const TPilote*, int> m_positions;
    std::unordered_map<std::string, int> m_parCle;
    short m_disponibles = 0;
    std::vector<int> m_voles;
    std::vector<std::optional<Place>> m_vols, m_flyOffs; ///< each pilot's latest places
    std::pair<std::string, std::string> m_dernier;       ///< the latest ranking: page, title
    std::string m_tableau;
    std::string m_remarques, m_liensClassements, m_liensJuges, m_liensProfils, m_liensDiagrammes;
    std::string m_page; ///< the page being handed over; its room serves the next one
    const SortieSite& m_sortie;
    bool m_arret = false;
};

// Creates the directory and its parents; the reason it cannot, or "".
std::string CreeRepertoire(const std::string& repertoire)
{
    if (repertoire.empty())
        return "aucun répertoire n'est donné";
    std::error_code erreur;
    fs::create_directories(repertoire, erreur);
    if (!erreur && fs::is_directory(repertoire, erreur))
        return {};
    return erreur ? RaisonSysteme(erreur.value()) : "ce n'est pas un répertoire";
}

} // namespace

bool EstFichierDuSite(std::string_view debut, std::string_view fin)
{
    if (debut.starts_with(DEBUT_PAGE) && fin.ends_with(FIN_PAGE)) {
        const std::string_view pied = "<footer><p>";
        const auto p = fin.rfind(pied);
        return p != std::string_view::npos && fin.substr(p + pied.size()).starts_with(PIED);
    }
    const std::string_view style = html::FeuilleDeStyle();
    const std::string_view icone = html::Icone();
    return debut.starts_with(style.substr(0, style.find('\n') + 1)) ||
           debut.starts_with(STYLE_2_01) ||
           debut.starts_with(icone.substr(0, icone.find('\n') + 1));
}

std::vector<int> VolsPublies(const TConcours& concours, const ParametresCalcul& parametres)
{
    TConcours copie;
    copie.Reprend(concours);
    std::vector<int> voles;
    CalculeVolsDuSite(copie, parametres, voles);
    return voles;
}

std::vector<std::string> AlertesPublication(const TConcours& concours,
                                            const ParametresCalcul& parametres)
{
    std::vector<std::string> alertes;
    for (int vol : VolsPublies(concours, parametres))
        if (const auto manquantes = FeuillesManquantesDuVol(concours, parametres, vol);
            !manquantes.pilotes.empty())
            alertes.push_back(messages::AlerteFeuillesManquantes(
                vol, static_cast<int>(manquantes.pilotes.size())));
    return alertes;
}

bool ConstruitSite(const TConcours& concours, const ParametresCalcul& parametres, ModeSite mode,
                   const SortieSite& sortie)
{
    return Site(concours, parametres, mode, sortie).Construit();
}

std::vector<PageSite> ConstruitSite(const TConcours& concours, const ParametresCalcul& parametres,
                                    ModeSite mode)
{
    std::vector<PageSite> pages;
    ConstruitSite(concours, parametres, mode,
                  [&pages](const std::string& nom, std::string_view contenu) {
                      pages.push_back({nom, std::string(contenu)});
                      return true;
                  });
    return pages;
}

ResultatPublication PublieSite(const TConcours& concours, const ParametresCalcul& parametres,
                               const std::string& repertoire,
                               const std::vector<std::string>& proteges)
{
    ResultatPublication resultat;
    if (const std::string raison = CreeRepertoire(repertoire); !raison.empty()) {
        resultat.ok = false;
        resultat.message = "Impossible de créer le répertoire " + repertoire + " : " + raison;
        return resultat;
    }
    // Each page goes to its temporary file as soon as it is made: one page held at a time.
    TPagesSures pages({proteges, EstFichierDuSite});
    int faites = 0;
    const bool entier = ConstruitSite(
        concours, parametres, {}, [&](const std::string& nom, std::string_view contenu) {
            ++faites;
            return pages.Ajoute((fs::path(repertoire) / nom).string(), contenu);
        });
    resultat.fichiers = entier ? pages.Termine() : 0;
    resultat.ok = entier && resultat.fichiers == faites;
    if (!resultat.ok)
        resultat.message = pages.Erreur();
    return resultat;
}

} // namespace tavo
