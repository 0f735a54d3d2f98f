// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Document.h"
#include "model/Concours.h"
#include "model/Fichier.h"
#include "publication/Html.h"
#include "publication/Site.h"
#include "support/Hostile.h"
#include "support/TestUtil.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>

namespace fs = std::filesystem;
using tavo::test::LitOctets;

namespace {

const std::string DEMO = TAVO_DATA_DIR "/Concours/demo.ccr";

struct Demo
{
    TConcours concours;
    tavo::ParametresCalcul parametres;
    Demo()
    {
        EXPECT_TRUE(tavo::OuvreConcours(concours, DEMO));
        parametres.repProgrammes = TAVO_DATA_DIR "/Vols";
    }
};

// A page and the style sheet as version 2.01 wrote them.
std::string PageAncienne(const std::string& corps)
{
    return "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<title>Résultats - Concours</title>\n</head>\n<body>\n<main>\n" +
           corps +
           "</main>\n<footer><p>Tavo 2000 - publié le 14/06/2026 à 18:05</p></footer>\n"
           "</body>\n</html>\n";
}
const std::string STYLE_ANCIEN =
    "html { -webkit-text-size-adjust: 100%; text-size-adjust: 100%; }\nbody { color: #111; }\n";

bool TemporaireRestant(const fs::path& dossier)
{
    for (const auto& entree : fs::directory_iterator(dossier))
        if (entree.path().filename().string().find(".tavo-") != std::string::npos)
            return true;
    return false;
}

} // namespace

TEST(Publication, judgesThePanelLacksHaveNeitherDiagramNorProfileColumn)
{
    Demo demo;
    demo.concours.SetNbJuges(3);
    const std::string quatrieme = std::next(demo.concours.GetJuges().begin(), 3)->GetNom();
    ASSERT_FALSE(quatrieme.empty());
    const auto site = tavo::ConstruitSite(demo.concours, demo.parametres);
    std::string index, profil;
    std::vector<std::string> diagrammes;
    for (const auto& p : site) {
        if (p.nom.starts_with("juge-"))
            diagrammes.push_back(p.nom);
        if (p.nom == "index.html")
            index = p.contenu;
        if (p.nom == "profil-vol-1.html")
            profil = p.contenu;
    }
    std::sort(diagrammes.begin(), diagrammes.end());
    EXPECT_EQ(diagrammes, (std::vector<std::string>{"juge-1.html", "juge-2.html", "juge-3.html"}));
    EXPECT_EQ(index.find("juge-4.html"), std::string::npos);
    ASSERT_FALSE(profil.empty());
    EXPECT_EQ(profil.find(quatrieme), std::string::npos);
}

TEST(Publication, replacesItsOwnFilesAndLeavesOthersAlone)
{
    Demo demo;
    tavo::test::RepertoireTemporaire tmp;
    const fs::path site = tmp.Chemin() / "a" / "b";
    fs::create_directories(site);
    tavo::test::EcritOctets((site / "index.html").string(), PageAncienne("ancien"));
    tavo::test::EcritOctets((site / "style.css").string(), STYLE_ANCIEN);
    tavo::test::EcritOctets((site / "photo.jpg").string(), "photo");

    tavo::ResultatPublication r = tavo::PublieSite(demo.concours, demo.parametres, site.string());
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.fichiers, 42); // 40 pages, the style sheet and the icon
    EXPECT_EQ(LitOctets((site / "photo.jpg").string()), "photo");
    EXPECT_EQ(LitOctets((site / "style.css").string()), tavo::html::FeuilleDeStyle());
    // Published again over itself.
    r = tavo::PublieSite(demo.concours, demo.parametres, site.string());
    EXPECT_TRUE(r.ok) << r.message;
    const std::string index = LitOctets((site / "index.html").string());
    EXPECT_TRUE(index.starts_with("<!DOCTYPE html>"));
    // UTF-8 as given, not the records' Windows-1252.
    EXPECT_NE(index.find("Série 2"), std::string::npos);
    EXPECT_TRUE(fs::exists(site / "pilote-15.html"));
    EXPECT_FALSE(TemporaireRestant(site));
    // The competition is left as it was: no derived score written into it.
    EXPECT_EQ(demo.concours.GetPilotes().front().GetScoreVol(1), 0.0);
}

TEST(Publication, failureSaysWhyAndKeepsEveryPageWhole)
{
    Demo demo;
    tavo::test::RepertoireTemporaire tmp;
    tavo::test::EcritOctets(tmp.Fichier("fichier"), "x");
    tavo::ResultatPublication r =
        tavo::PublieSite(demo.concours, demo.parametres, tmp.Fichier("fichier"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.fichiers, 0);
    EXPECT_TRUE(r.message.starts_with("Impossible de créer le répertoire ")) << r.message;
    EXPECT_EQ(LitOctets(tmp.Fichier("fichier")), "x");

    // A read-only page stops the publication before any page is replaced.
    const fs::path site = tmp.Chemin() / "site";
    fs::create_directories(site);
    tavo::test::EcritOctets((site / "vol-1.html").string(), PageAncienne("ancien"));
    tavo::test::EcritOctets((site / "juge-2.html").string(), PageAncienne("protégé"));
    fs::permissions(site / "juge-2.html", fs::perms::owner_read);
    r = tavo::PublieSite(demo.concours, demo.parametres, site.string());
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("juge-2.html"), std::string::npos) << r.message;
    EXPECT_NE(r.message.find("lecture seule"), std::string::npos) << r.message;
    EXPECT_EQ(LitOctets((site / "vol-1.html").string()), PageAncienne("ancien"));
    EXPECT_EQ(LitOctets((site / "juge-2.html").string()), PageAncienne("protégé"));
    EXPECT_FALSE(TemporaireRestant(site));
}

// The competition's own files, whatever name the folder gives them, and files the site did
// not write stop the publication before any page changes.
TEST(Publication, neverReplacesTheCompetitionsFilesNorFilesOfOthers)
{
    Demo demo;
    tavo::test::RepertoireTemporaire tmp;
    const fs::path dossier = fs::canonical(tmp.Chemin());
    const std::string concours = (dossier / "demo.ccr").string();
    fs::copy_file(DEMO, concours);
    const std::string journal = (dossier / ".demo.ccr.4242-2.journal").string();
    tavo::test::EcritOctets(journal, "notes");
    tavo::test::EcritOctets((dossier / ".autre.ccr.1.journal").string(), "");
    fs::create_symlink("demo.ccr", dossier / "lien.ccr");
    const std::vector<std::string> proteges =
        tavo::FichiersDuConcours((dossier / "lien.ccr").string());
    for (const std::string& fichier : {concours, journal, (dossier / ".~lock.demo.ccr#").string(),
                                       (dossier / ".demo.ccr.terrain").string()})
        EXPECT_NE(std::find(proteges.begin(), proteges.end(), fichier), proteges.end()) << fichier;
    EXPECT_EQ(proteges.size(), 5u); // the name given too

    const fs::path site = dossier / "site";
    fs::create_directory(site);
    tavo::test::EcritOctets((site / "index.html").string(), PageAncienne("ancien"));
    fs::create_hard_link(journal, site / "juge-1.html");
    auto r = tavo::PublieSite(demo.concours, demo.parametres, site.string(), proteges);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.fichiers, 0);
    EXPECT_EQ(r.message, "« juge-1.html » est le fichier « " + journal +
                             " » sous un autre nom : il n'est pas remplacé.");
    EXPECT_EQ(LitOctets(journal), "notes");
    EXPECT_EQ(LitOctets((site / "index.html").string()), PageAncienne("ancien"));
    EXPECT_EQ(std::distance(fs::directory_iterator(site), fs::directory_iterator()), 2);

    fs::remove(site / "juge-1.html");
    tavo::test::EcritOctets((site / "style.css").string(), "body { color: red; }");
    r = tavo::PublieSite(demo.concours, demo.parametres, site.string(), proteges);
    EXPECT_EQ(r.message, "« style.css » n'est pas une page écrite par Tavo 2000 : il n'est "
                         "pas remplacé.");
    EXPECT_EQ(LitOctets((site / "style.css").string()), "body { color: red; }");
    EXPECT_FALSE(TemporaireRestant(site));
    EXPECT_EQ(LitOctets(concours), LitOctets(DEMO));
}

TEST(Publication, hostileTextsAreEscapedAndDamagedCompetitionsPublish)
{
    Demo demo;
    auto& pilote = demo.concours.GetPilotes().front();
    pilote.SetNom("<b>&\"'");
    demo.concours.SetTitre("</title><script>");
    tavo::test::RepertoireTemporaire tmp;
    ASSERT_TRUE(tavo::PublieSite(demo.concours, demo.parametres, tmp.Chemin().string()).ok);
    for (const auto& entree : fs::directory_iterator(tmp.Chemin())) {
        const std::string page = LitOctets(entree.path().string());
        EXPECT_EQ(page.find("<b>&"), std::string::npos) << entree.path();
        EXPECT_EQ(page.find("<script>"), std::string::npos) << entree.path();
    }
    EXPECT_NE(LitOctets(tmp.Fichier("pilote-1.html")).find("&lt;b&gt;&amp;&quot;&#39;"),
              std::string::npos);

    for (const auto& [nom, texte] : tavo::test::ConcoursHostiles(DEMO)) {
        TConcours concours;
        ASSERT_TRUE(concours.Lit(texte)) << nom;
        tavo::test::RepertoireTemporaire site;
        const auto r = tavo::PublieSite(concours, demo.parametres, site.Chemin().string());
        EXPECT_TRUE(r.ok) << nom << ": " << r.message;
        EXPECT_EQ(LitOctets(site.Fichier("index.html")).find('\x01'), std::string::npos) << nom;
    }
}

TEST(Publication, pilotPagesLeadWithTheirPlaceAndLivePagesCarryTheirMarks)
{
    Demo demo;
    const auto site = tavo::ConstruitSite(demo.concours, demo.parametres);
    const auto page = [&](const std::vector<tavo::PageSite>& pages, const std::string& nom) {
        const auto it = std::find_if(pages.begin(), pages.end(),
                                     [&](const tavo::PageSite& p) { return p.nom == nom; });
        return it == pages.end() ? std::string() : it->contenu;
    };
    // Garnier Thomas, first of the entry list, ranks 2nd after 4 flights with 2911.30: the
    // ranking's own cells, before his flights and his sheets.
    const std::string pilote = page(site, "pilote-1.html");
    const auto place = pilote.find("Rang après 4 vols : <strong class=\"valeur-rang\">2</strong> "
                                   "sur 15 &#8211; total <strong class=\"valeur-total\">2911.30");
    ASSERT_NE(place, std::string::npos);
    EXPECT_LT(place, pilote.find("Scores des vols"));
    EXPECT_LT(pilote.find("Scores des vols"), pilote.find("<h2 id=\"vol-1\">"));
    EXPECT_NE(pilote.find("href=\"index.html#classements\""), std::string::npos);
    const std::string classement = page(site, "vol-4.html");
    EXPECT_NE(classement.find("<td class=\"total\">2911.30</td>"), std::string::npos);
    EXPECT_NE(classement.find("class=\"pli\" data-t=\"%V1\""), std::string::npos);
    EXPECT_NE(page(site, "index.html").find("Dernier classement : après 3 fly-off"),
              std::string::npos);
    EXPECT_NE(page(site, "juge-1.html").find("Écart-type : "), std::string::npos);
    EXPECT_NE(page(site, "profil-vol-1.html").find(">Écarts au score moyen %<"), std::string::npos);
    for (const auto& p : site) {
        EXPECT_EQ(p.contenu.find("<!--heure-->"), std::string::npos) << p.nom;
        EXPECT_FALSE(std::regex_search(p.contenu, std::regex(">-0(\\.0+)?<"))) << p.nom;
    }
    EXPECT_TRUE(tavo::EstFichierDuSite(page(site, "favicon.svg"), ""));
    EXPECT_TRUE(page(site, "tableau.html").empty());

    const auto direct = tavo::ConstruitSite(demo.concours, demo.parametres, {true});
    const std::string index = page(direct, "index.html");
    EXPECT_NE(index.find("Mis à jour à <!--heure-->"), std::string::npos);
    EXPECT_NE(index.find("<script src=\"direct.js\" defer></script>"), std::string::npos);
    EXPECT_NE(page(direct, "tableau.html").find("Classement après 3 fly-off"), std::string::npos);
}

// The site made one file at a time gives the files of the site in memory, in its order, and
// stops making any as soon as its receiver says no.
TEST(Publication, siteMadeFileByFileStopsWhenItsReceiverSaysNo)
{
    Demo demo;
    const auto site = tavo::ConstruitSite(demo.concours, demo.parametres, {true});
    std::vector<tavo::PageSite> recues;
    EXPECT_TRUE(tavo::ConstruitSite(demo.concours, demo.parametres, {true},
                                    [&](const std::string& nom, std::string_view contenu) {
                                        recues.push_back({nom, std::string(contenu)});
                                        return true;
                                    }));
    ASSERT_EQ(recues.size(), site.size());
    for (std::size_t i = 0; i < site.size(); ++i) {
        EXPECT_EQ(recues[i].nom, site[i].nom);
        EXPECT_EQ(recues[i].contenu, site[i].contenu) << site[i].nom;
    }
    int appels = 0;
    EXPECT_FALSE(
        tavo::ConstruitSite(demo.concours, demo.parametres, {},
                            [&](const std::string&, std::string_view) { return ++appels < 3; }));
    EXPECT_EQ(appels, 3);
}
