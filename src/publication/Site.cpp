// SPDX-License-Identifier: GPL-3.0-or-later
// The results site: every view of the program as static HTML pages.
#include "publication/Site.h"

#include "model/Concours.h"
#include "model/Cp1252.h"
#include "model/ErreurSysteme.h"
#include "model/Fichier.h"
#include "presentation/Presentation.h"
#include "publication/Html.h"
#include "scoring/Accord.h"
#include "scoring/Regles.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <map>
#include <system_error>
#include <unordered_map>

namespace fs = std::filesystem;

namespace tavo {

namespace {

std::string Page(const char* prefixe, int numero)
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
    const std::time_t maintenant = std::time(nullptr);
    std::tm local{};
    char date[32] = "";
    if (localtime_r(&maintenant, &local) != nullptr)
        std::strftime(date, sizeof date, "%d/%m/%Y à %H:%M", &local);
    return std::string(PIED) + date;
}

/** The site being built: a copy of the competition, the pages made so far. */
class Site
{
public:
    Site(const TConcours& concours, const ParametresCalcul& parametres, std::string repertoire)
        : m_parametres(parametres)
        , m_repertoire(std::move(repertoire))
        , m_pied(Pied())
    {
        m_concours.Reprend(concours);
        m_bloc = BlocTitreVue(m_concours, "RÉSULTATS", {});
        int position = 0;
        for (const TPilote& pilote : m_concours.GetPilotes()) {
            ++position;
            m_positions.try_emplace(&pilote, position);
            m_parCle.try_emplace(Cle(pilote.GetDossard(), pilote.GetNom(), pilote.GetPrenom()),
                                 position);
        }
    }

    std::vector<FichierAEcrire> Construit()
    {
        Vols();
        Pilotes();
        ClassementsVols();
        FlyOffs();
        Juges();
        Diagrammes();
        Index();
        Ajoute("style.css", std::string(html::FeuilleDeStyle()));
        return std::move(m_fichiers);
    }

private:
    void Ajoute(const std::string& nom, std::string contenu)
    {
        m_fichiers.push_back({(fs::path(m_repertoire) / nom).string(), std::move(contenu)});
    }

    void AjoutePage(const std::string& nom, const std::string& titre, const std::string& corps)
    {
        Ajoute(nom, html::Page(m_bloc, titre, corps, m_pied));
    }

    // The flights whose programme loads, up to the first that does not, and those flown.
    void Vols()
    {
        const short vols = VolsEffectifs(m_concours.GetNbVols());
        while (m_disponibles < vols &&
               m_concours.ChargeProgramme(static_cast<short>(m_disponibles + 1),
                                          m_parametres.repProgrammes))
            ++m_disponibles;
        if (m_disponibles < vols)
            m_remarques += "<p class=\"note\">Le programme du vol " +
                           std::to_string(m_disponibles + 1) +
                           " est introuvable : les vols suivants ne sont pas publiés.</p>\n";
        m_concours.CalculeVols(m_disponibles, m_parametres.repProgrammes, m_parametres.tbl);
        for (short v = 1; v <= m_disponibles; ++v)
            for (const TPilote& pilote : m_concours.GetPilotes())
                if (AVole(pilote.GetScoreVol(v))) {
                    m_voles.push_back(v);
                    break;
                }
    }

    bool Vole(int v) const { return std::find(m_voles.begin(), m_voles.end(), v) != m_voles.end(); }

    // Each pilot's sheets of the flights he has flown, the scores as the rankings use them.
    void Pilotes()
    {
        std::vector<std::string> corps(m_positions.size());
        for (int v : m_voles) {
            m_concours.ChargeProgramme(static_cast<short>(v), m_parametres.repProgrammes);
            std::size_t p = 0;
            for (const TPilote& pilote : m_concours.GetPilotes()) {
                if (AVole(pilote.GetScoreVol(static_cast<short>(v)))) {
                    const FeuilleVue feuille = PresenteFeuille(m_concours, pilote, v);
                    corps[p] += "<h2>" + html::Echappe(feuille.titre) + "</h2>\n" +
                                html::Table(feuille.grille, feuille.titre) + "<p>" +
                                html::Echappe(feuille.scoreVol) + "<br>" +
                                html::Echappe(feuille.score1000) + "</p>\n";
                }
                ++p;
            }
        }
        std::size_t p = 0;
        for (const TPilote& pilote : m_concours.GetPilotes()) {
            const std::string nom =
                Cp1252VersUtf8(std::string(pilote.GetNom()) + " " + pilote.GetPrenom());
            std::string entete = "<h1>" + html::Echappe(nom) + " <small>Dossard " +
                                 html::Echappe(Cp1252VersUtf8(pilote.GetDossard())) + " &#8211; " +
                                 html::Echappe(Cp1252VersUtf8(pilote.GetClub())) +
                                 "</small></h1>\n";
            if (corps[p].empty())
                corps[p] = "<p class=\"note\">Aucun vol noté.</p>\n";
            AjoutePage(Page("pilote-", static_cast<int>(p + 1)), nom, entete + corps[p]);
            ++p;
        }
    }

    // The link of a ranking's name cell to the pilot's page.
    template <typename Lignes> html::Lien LienPilote(const Lignes& lignes, std::size_t colonne)
    {
        return [this, &lignes, colonne](std::size_t i, std::size_t c) {
            if (c != colonne)
                return std::string();
            const auto& l = lignes[i];
            const auto it = m_parCle.find(Cle(l.dossard, l.nom, l.prenom));
            return it == m_parCle.end() ? std::string() : Page("pilote-", it->second);
        };
    }

    void PageTable(const std::string& nom, const TableVue& table, const html::Lien& lien,
                   const std::string& suite = {})
    {
        const BlocTitre& b = table.Bloc();
        const std::string titre = b.entete + " " + b.sousTitre;
        AjoutePage(nom, titre, html::EnteteVue(b) + html::Table(table, titre, lien) + suite);
    }

    void ClassementsVols()
    {
        for (int n = 1; n <= 4 && n <= m_disponibles; ++n) {
            if (!Vole(n))
                continue;
            const auto resultat = ClassementApresVols(m_concours, m_parametres, n);
            PageTable(Page("vol-", n), PresenteClassementVols(m_concours, resultat.valeur),
                      LienPilote(resultat.valeur.lignes, 1));
            m_liensClassements += Lien(
                Page("vol-", n), n == 1 ? "Après 1 vol" : "Après " + std::to_string(n) + " vols");
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
            PageTable(Page("flyoff-", k), PresenteClassementFlyOff(m_concours, resultat.valeur),
                      LienPilote(resultat.valeur.lignes, 1));
            m_liensClassements +=
                Lien(Page("flyoff-", k), "Après " + std::to_string(k) + " fly-off");
        }
    }

    void Juges()
    {
        for (int v : m_voles) {
            const auto classement = ClassementJugesVol(m_concours, m_parametres, v);
            const TableVue accord = PresenteAccord(m_concours, CalculeAccord(classement.valeur));
            const BlocTitre& b = accord.Bloc();
            PageTable(Page("juges-vol-", v), PresenteClassementJuges(m_concours, classement.valeur),
                      LienPilote(classement.valeur.lignes, 1),
                      "<h2>" + html::Echappe(b.entete) + "</h2>\n" +
                          html::Table(accord, b.entete + " " + b.sousTitre));
            m_liensJuges += Lien(Page("juges-vol-", v), "Sur le vol " + std::to_string(v));
            const auto profil = ProfilJugesVol(m_concours, m_parametres, v);
            PageTable(Page("profil-vol-", v), PresenteProfil(m_concours, profil.valeur), {});
            m_liensProfils += Lien(Page("profil-vol-", v), "Sur le vol " + std::to_string(v));
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
            AjoutePage(Page("juge-", j), titre,
                       html::EnteteVue(vue.table.Bloc()) + html::Diagramme(vue, j));
            m_liensDiagrammes +=
                Lien(Page("juge-", j),
                     "Juge " + std::to_string(j) + (vue.nom.empty() ? "" : " : " + vue.nom));
        }
    }

    static std::string Section(const std::string& titre, const std::string& liens)
    {
        if (liens.empty())
            return {};
        return "<section>\n<h2>" + titre + "</h2>\n<nav><ul>\n" + liens +
               "</ul></nav>\n</section>\n";
    }

    void Index()
    {
        const TableVue pilotes = PresenteListePilotes(m_concours, OrdrePilotes::Dossards);
        const std::vector<const TPilote*> ordre =
            PilotesDansLOrdre(m_concours, OrdrePilotes::Dossards);
        const html::Lien lien = [&](std::size_t i, std::size_t c) {
            return c == 1 ? Page("pilote-", m_positions.at(ordre[i])) : std::string();
        };
        std::string corps = "<h1>RÉSULTATS</h1>\n" + m_remarques;
        if (m_voles.empty())
            corps += "<p class=\"note\">Aucun vol n'a encore été noté.</p>\n";
        corps +=
            Section("Classement des pilotes", m_liensClassements) +
            Section("Classement des juges", m_liensJuges) +
            Section("Profil des juges TBL", m_liensProfils) +
            Section("Diagramme des notes", m_liensDiagrammes) + "<section>\n<h2>Pilotes</h2>\n" +
            html::Table(pilotes, pilotes.Bloc().entete + " " + pilotes.Bloc().sousTitre, lien) +
            "</section>\n";
        AjoutePage("index.html", "Résultats", corps);
    }

    TConcours m_concours;
    ParametresCalcul m_parametres;
    std::string m_repertoire;
    std::string m_pied;
    BlocTitre m_bloc;
    std::unordered_map<const TPilote*, int> m_positions;
    std::unordered_map<std::string, int> m_parCle;
    short m_disponibles = 0;
    std::vector<int> m_voles;
    std::string m_remarques, m_liensClassements, m_liensJuges, m_liensProfils, m_liensDiagrammes;
    std::vector<FichierAEcrire> m_fichiers;
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
    return debut.starts_with(style.substr(0, style.find('\n') + 1)) ||
           debut.starts_with(STYLE_2_01);
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
    const std::vector<FichierAEcrire> fichiers = Site(concours, parametres, repertoire).Construit();
    resultat.fichiers = EcritPagesSures(fichiers, {proteges, EstFichierDuSite}, &resultat.message);
    resultat.ok = resultat.fichiers == static_cast<int>(fichiers.size());
    if (resultat.ok)
        resultat.message.clear();
    return resultat;
}

} // namespace tavo
