// SPDX-License-Identifier: GPL-3.0-or-later
#include "publication/Publication.h"

#include "model/Concours.h"
#include "model/Fichier.h"
#include "support/Hostile.h"
#include "support/TestUtil.h"

#include <filesystem>
#include <gtest/gtest.h>

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

bool TemporaireRestant(const fs::path& dossier)
{
    for (const auto& entree : fs::directory_iterator(dossier))
        if (entree.path().filename().string().find(".tavo-") != std::string::npos)
            return true;
    return false;
}

} // namespace

TEST(Publication, replacesItsOwnFilesAndLeavesOthersAlone)
{
    Demo demo;
    tavo::test::RepertoireTemporaire tmp;
    const fs::path site = tmp.Chemin() / "a" / "b";
    fs::create_directories(site);
    tavo::test::EcritOctets((site / "index.html").string(), "ancien");
    tavo::test::EcritOctets((site / "photo.jpg").string(), "photo");

    const tavo::ResultatPublication r =
        tavo::PublieSite(demo.concours, demo.parametres, site.string());
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.fichiers, 41);
    EXPECT_EQ(LitOctets((site / "photo.jpg").string()), "photo");
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
    tavo::test::EcritOctets((site / "vol-1.html").string(), "ancien");
    tavo::test::EcritOctets((site / "juge-2.html").string(), "protégé");
    fs::permissions(site / "juge-2.html", fs::perms::owner_read);
    r = tavo::PublieSite(demo.concours, demo.parametres, site.string());
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("juge-2.html"), std::string::npos) << r.message;
    EXPECT_NE(r.message.find("lecture seule"), std::string::npos) << r.message;
    EXPECT_EQ(LitOctets((site / "vol-1.html").string()), "ancien");
    EXPECT_EQ(LitOctets((site / "juge-2.html").string()), "protégé");
    EXPECT_FALSE(TemporaireRestant(site));
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
