// SPDX-License-Identifier: GPL-3.0-or-later
// How the views show their numbers and lay out their columns, and ties in the rankings.
#include "presentation/Presentation.h"

#include "model/Concours.h"
#include "presentation/PresentationManquantes.h"
#include "support/Fabrique.h"

#include <clocale>
#include <gtest/gtest.h>
#include <string>

using tavo::Fixe;
using tavo::GenreVue;
using tavo::LargeurVueDixiemes;

TEST(Presentation, numbersAreCorrectlyRoundedWithADecimalPointWhateverTheLocale)
{
    const std::string avant = std::setlocale(LC_ALL, nullptr);
    // Where the French locale exists, printf would write "640,62" under it.
    std::setlocale(LC_ALL, "fr_FR.UTF-8");
    // Exact binary halves go to the even digit; others to the nearest.
    EXPECT_EQ(Fixe(640.625, 7, 2), " 640.62");
    EXPECT_EQ(Fixe(640.875, 7, 2), " 640.88");
    EXPECT_EQ(Fixe(0.5, 3, 0), "  0");
    EXPECT_EQ(Fixe(-4.5, 3, 0), " -4");
    EXPECT_EQ(Fixe(2.675, 6, 2), "  2.67"); // 2.67499999... in binary
    EXPECT_EQ(Fixe(1000.0, 7, 2), "1000.00");
    EXPECT_EQ(Fixe(12345.678, 6, 2), "12345.68"); // wider than asked, never cut
    EXPECT_EQ(Fixe(-0.001, 6, 2), "  0.00");      // a negative zero has no sign
    EXPECT_EQ(Fixe(-0.0, 1, 0), "0");
    EXPECT_EQ(Fixe(-0.005001, 1, 2), "-0.01");
    std::setlocale(LC_ALL, avant.c_str());
}

TEST(Presentation, viewWidthsAreTheSumOfTheirColumns)
{
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(LargeurVueDixiemes(GenreVue::ClassementVols, n, 5), 1160 + 280 * (n - 1));
        EXPECT_EQ(LargeurVueDixiemes(GenreVue::FlyOff, n, 5), 1310 + 280 * (n - 1));
    }
    // 3 and 4 judges have their own width; any other panel that of five.
    const std::pair<short, int> juges[] = {{3, 1780}, {4, 2080}, {5, 2380}, {2, 2380}, {0, 2380}};
    for (const auto& [j, largeur] : juges)
        EXPECT_EQ(LargeurVueDixiemes(GenreVue::ClassementJuges, 1, j), largeur) << j;
    EXPECT_EQ(LargeurVueDixiemes(GenreVue::Profil, 1, 3), 1500);
    EXPECT_EQ(LargeurVueDixiemes(GenreVue::Profil, 1, 4), 1850);
    EXPECT_EQ(LargeurVueDixiemes(GenreVue::Profil, 1, 1), 2200);
    EXPECT_EQ(LargeurVueDixiemes(GenreVue::Diagramme, 1, 5), 1980);

    TConcours c;
    tavo::ClassementVols classement;
    classement.vols = 2;
    const tavo::TableVue table = tavo::PresenteClassementVols(c, classement);
    EXPECT_EQ(table.Largeur(), LargeurVueDixiemes(GenreVue::ClassementVols, 2, 5));
    EXPECT_EQ(table.Bloc().sousTitre, "(après 2 vols)");
}

TEST(Presentation, rowsShowTheViewsFormats)
{
    TConcours c;
    c.SetNbJuges(3);
    tavo::test::AjouteJuge(c, "Blanchard");
    tavo::ClassementJuges juges;
    juges.vol = 2;
    juges.juges = {"Blanchard", "", ""};
    juges.lignes.push_back({1, "7", "Dupont", "Jean", 200.0, {{201.0, 0.5, 1}, {199.0, -0.5, 2}}});
    const tavo::TableVue table = tavo::PresenteClassementJuges(c, juges);
    EXPECT_EQ(table.Colonnes()[3].titre, "Bla");
    EXPECT_EQ(table.Ligne(0), (std::vector<std::string>{"1", " Dupont Jean", "200.00 ", "201 ",
                                                        "  0 ", "1 ", "199 ", "  0 ", "2 "}));

    tavo::ProfilJuges profil;
    profil.juges.push_back({"Blanchard", 7.0, 1.0, 62.5, std::nullopt, 12.5});
    const tavo::TableVue vue = tavo::PresenteProfil(c, profil);
    EXPECT_EQ(vue.Ligne(0), (std::vector<std::string>{"Scores acceptés %", " 62"}));
    EXPECT_EQ(vue.Ligne(1), (std::vector<std::string>{"Ecarts au score moyen %", "-"}));
    EXPECT_EQ(vue.Ligne(2), (std::vector<std::string>{"Ecarts à la StDev %", "  12"}));
}

// Enough pilots that an unstable sort would reorder equals: they keep the entry order.
TEST(Presentation, equalTotalsKeepTheEntryOrderInLongRankings)
{
    TConcours c;
    c.SetCategorie("F3A");
    c.SetSerie("2");
    c.SetNbJuges(3);
    c.GetProgramme().Lit(tavo::test::TexteProgramme({1}));
    std::vector<std::string> ordre;
    for (int i = 0; i < 40; ++i) {
        const std::string nom = "Pilote" + std::to_string(i);
        TPilote& p = tavo::test::AjoutePilote(c, nom.c_str(), std::to_string(i + 1).c_str());
        // Two groups of equal scores, interleaved in the entry order.
        const double score = i % 2 == 0 ? 900.0 : 800.0;
        for (short v = 1; v <= 7; ++v) {
            p.SetScoreVol(v, score);
            p.SetScoreVol1000(v, score);
        }
        tavo::test::Note(p, 1, 1, {7, 7, 7});
        ordre.push_back(nom);
    }
    std::vector<std::string> attendu;
    for (int pair = 0; pair < 2; ++pair)
        for (int i = pair; i < 40; i += 2)
            attendu.push_back(ordre[static_cast<std::size_t>(i)]);
    auto noms = [](const auto& lignes) {
        std::vector<std::string> n;
        for (const auto& l : lignes)
            n.push_back(l.nom);
        return n;
    };
    EXPECT_EQ(noms(tavo::CalculeClassementVols(c, 3, true).lignes), attendu);
    EXPECT_EQ(noms(tavo::CalculeClassementFlyOff(c, 1).lignes), attendu);
    // Every pilot has the same marks on flight 1: the entry order, and so are each judge's places.
    const tavo::ClassementJuges juges = tavo::CalculeClassementJuges(c, 1);
    EXPECT_EQ(noms(juges.lignes), ordre);
    for (std::size_t i = 0; i < juges.lignes.size(); ++i)
        EXPECT_EQ(juges.lignes[i].notes[0].place, static_cast<int>(i) + 1);

    for (TPilote& p : c.GetPilotes())
        p.SetNom("Martin");
    std::vector<std::string> dossards;
    for (const TPilote* p : tavo::PilotesDansLOrdre(c, tavo::OrdrePilotes::Alphabetique))
        dossards.push_back(p->GetDossard());
    EXPECT_EQ(dossards.front(), "1");
    EXPECT_EQ(dossards.back(), "40");
    EXPECT_TRUE(std::is_sorted(dossards.begin(), dossards.end(), [](const auto& a, const auto& b) {
        return std::stoi(a) < std::stoi(b);
    }));
}

TEST(FeuillesManquantes, judgesMissingTheSameLinesAreSaidTogether)
{
    tavo::FeuilleManquante feuille;
    feuille.sansNote = false;
    feuille.lignes = {{1, 17, 17}, {3, 17, 17}};
    EXPECT_EQ(tavo::EtatFeuilleManquante(feuille), "juges 1 et 3 : figure 17");
    feuille.lignes = {{2, 15, 20}, {3, 20, 20}};
    EXPECT_EQ(tavo::EtatFeuilleManquante(feuille), "juge 2 : figures 15 à 20 ; juge 3 : figure 20");
    feuille.sansNote = true;
    feuille.lignes.clear();
    EXPECT_EQ(tavo::EtatFeuilleManquante(feuille), "sans note");
}
