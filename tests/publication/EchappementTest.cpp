// SPDX-License-Identifier: GPL-3.0-or-later
// Every text a competition holds, from the organiser, the pilots, the judges or a programme
// file, is text on every page of the site: never markup.
#include "model/Concours.h"
#include "model/Fichier.h"
#include "publication/Site.h"
#include "support/Fabrique.h"
#include "support/TestUtil.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace tavo::test;

namespace {

/** Markup and a field's marker: "<b>&'x1" for marker x1. */
std::string Balise(const std::string& marque)
{
    return "<b>&'\"" + marque;
}

} // namespace

TEST(Echappement, everyTextOfTheCompetitionIsEscapedOnEveryPage)
{
    RepertoireTemporaire rep;
    const fs::path vols = rep.Chemin() / "Vols";
    fs::create_directories(vols);
    ASSERT_TRUE(tavo::EcritFichierSur((vols / "p.txt").string(),
                                      Balise("prog") + "\r\n1/9/2025\r\n0\r\n0\r\n\r\n2\r\n" +
                                          Balise("fig1") + "\r\n2\r\n" + Balise("fig2") +
                                          "\r\n3\r\n"));
    TConcours c;
    using Set = void (TConcours::*)(const char*);
    const std::pair<Set, const char*> textes[] = {{&TConcours::SetTitre, "titre"},
                                                  {&TConcours::SetLieu, "lieu"},
                                                  {&TConcours::SetDepartement, "dep"},
                                                  {&TConcours::SetOrganisateur, "org"},
                                                  {&TConcours::SetDirecteur, "dir"},
                                                  {&TConcours::SetCommissaires, "com"},
                                                  {&TConcours::SetChronometreurs, "chr"},
                                                  {&TConcours::SetJury1, "j1"},
                                                  {&TConcours::SetJury2, "j2"},
                                                  {&TConcours::SetJury3, "j3"},
                                                  {&TConcours::SetAutres, "aut"},
                                                  {&TConcours::SetHoraires, "hor"},
                                                  {&TConcours::SetConditionsMeteo, "met"},
                                                  {&TConcours::SetControles, "ctl"},
                                                  {&TConcours::SetIncidents, "inc"},
                                                  {&TConcours::SetReclamations, "rec"},
                                                  {&TConcours::SetObservations, "obs"}};
    for (const auto& [set, marque] : textes)
        (c.*set)(Balise(marque).c_str());
    c.SetNumAffiliation("<b>");
    c.SetNbJuges(3);
    c.SetProgrammeVol("p.txt", 0);
    for (int j = 1; j <= 3; ++j) {
        c.AjouteJuge();
        TJuge juge;
        const std::string n = std::to_string(j);
        juge.SetNom(Balise("jn" + n).c_str());
        juge.SetPrenom(Balise("jp" + n).c_str());
        juge.SetClub(Balise("jc" + n).c_str());
        juge.SetLicence("<b>&");
        c.SetJuge(juge, j);
    }
    for (int p = 1; p <= 2; ++p) {
        const std::string n = std::to_string(p);
        TPilote& pilote =
            AjoutePilote(c, Balise("pn" + n).c_str(), ("<b" + n).c_str(), Balise("pp" + n).c_str());
        pilote.SetClub(Balise("pc" + n).c_str());
        pilote.SetNumClub("<b>");
        pilote.SetLicence("<b>&'\"");
        pilote.SetFrequence1("<b>&'\"");
        pilote.SetFrequence2("<b>&'\"");
        Note(pilote, 1, 1, {8, 7, 9});
        Note(pilote, 1, 2, {static_cast<short>(5 + p), 6, 7});
    }
    tavo::ParametresCalcul parametres;
    parametres.repProgrammes = vols.string();
    const fs::path site = rep.Chemin() / "site";
    ASSERT_TRUE(tavo::PublieSite(c, parametres, site.string()).ok);

    int pages = 0;
    for (const auto& entree : fs::directory_iterator(site)) {
        if (entree.path().extension() != ".html")
            continue;
        ++pages;
        SCOPED_TRACE(entree.path().filename().string());
        const std::string page = LitOctets(entree.path().string());
        EXPECT_EQ(page.find("<b>"), std::string::npos);
        EXPECT_EQ(page.find("<b1"), std::string::npos);
        EXPECT_EQ(page.find("&'"), std::string::npos);
        // The heading of every page: title, place, department.
        for (const char* marque : {"titre", "lieu", "dep"})
            EXPECT_NE(page.find("&lt;b&gt;&amp;&#39;&quot;" + std::string(marque)),
                      std::string::npos)
                << marque;
    }
    EXPECT_GT(pages, 8);
    const std::string pilote = LitOctets((site / "pilote-1.html").string());
    for (const char* marque : {"pn1", "pp1", "pc1", "prog", "fig1", "fig2"})
        EXPECT_NE(pilote.find(std::string("&lt;b&gt;&amp;&#39;&quot;") + marque), std::string::npos)
            << marque;
}
