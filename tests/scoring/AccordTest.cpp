// SPDX-License-Identifier: GPL-3.0-or-later
#include "scoring/Accord.h"

#include "model/Concours.h"
#include "presentation/Presentation.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>

namespace {

// Two judges on a flight: finals 300, 250, 250, 200 (panel ranks 1, 2.5, 2.5, 4).
tavo::ClassementJuges Classement(std::size_t pilotes)
{
    const double finals[] = {300, 250, 250, 200};
    const double juge1[] = {290, 260, 240, 240}; // ranks 1, 2, 3.5, 3.5
    const double juge2[] = {250, 250, 250, 250}; // one score for everyone
    tavo::ClassementJuges c;
    c.vol = 3;
    c.juges = {"Blanchard", "Gauthier"};
    for (std::size_t i = 0; i < pilotes; ++i) {
        tavo::LigneJuges ligne;
        ligne.final = finals[i];
        for (double score : {juge1[i], juge2[i]})
            ligne.notes.push_back({score, (score - finals[i]) * 100 / finals[i], 0});
        c.lignes.push_back(ligne);
    }
    return c;
}

} // namespace

TEST(Accord, tiesTakeAverageRanks)
{
    EXPECT_EQ(tavo::RangsMoyens({300, 250, 250, 200}), (std::vector<double>{1, 2.5, 2.5, 4}));
    EXPECT_EQ(tavo::RangsMoyens({5, 5, 5}), (std::vector<double>{2, 2, 2}));
}

TEST(Accord, matchesTheHandComputedFiguresOfAPanelWithTies)
{
    const tavo::AccordJuges a = tavo::CalculeAccord(Classement(4));
    ASSERT_EQ(a.juges.size(), 2u);
    EXPECT_EQ(a.pilotes, 4);
    // Rank deviations (-1.5, 0, 0, 1.5) and (-1.5, -0.5, 1, 1): 3.75 / sqrt(4.5 x 4.5).
    EXPECT_NEAR(*a.juges[0].spearman, 3.75 / 4.5, 1e-12);
    // 4 concordant pairs, no discordant one, one tie on each side: 4 / sqrt(5 x 5).
    EXPECT_NEAR(*a.juges[0].kendall, 0.8, 1e-12);
    // (-10/300 + 10/250 - 10/250 + 40/200) x 100 / 4 = (-3.33 + 4 - 4 + 20) / 4.
    EXPECT_NEAR(*a.juges[0].ecartMoyen, (-10.0 / 3 + 4 - 4 + 20) / 4, 1e-12);
    // A judge who gave everyone the same score orders nobody: no correlation.
    EXPECT_FALSE(a.juges[1].spearman);
    EXPECT_FALSE(a.juges[1].kendall);
    EXPECT_TRUE(a.juges[1].ecartMoyen);

    TConcours concours;
    const tavo::TableVue table = tavo::PresenteAccord(concours, a);
    EXPECT_EQ(table.Bloc().entete, "ACCORD DES JUGES");
    EXPECT_EQ(table.Bloc().sousTitre, "(sur le vol 3)");
    EXPECT_EQ(table.Ligne(0),
              (std::vector<std::string>{"1", " Blanchard", " 0.83", " 0.80", "  4.2"}));
    EXPECT_EQ(table.Ligne(1)[2], "-");
}

TEST(Accord, fewerThanTwoPilotsGiveNoFigure)
{
    for (std::size_t pilotes : {0u, 1u}) {
        const tavo::AccordJuges a = tavo::CalculeAccord(Classement(pilotes));
        ASSERT_EQ(a.juges.size(), 2u);
        for (const tavo::AccordJuge& juge : a.juges)
            EXPECT_FALSE(juge.spearman || juge.kendall || juge.ecartMoyen) << pilotes;
    }
}

TEST(Accord, reversedOrderGivesMinusOne)
{
    const std::vector<double> a{1, 2, 3, 4, 5};
    const std::vector<double> b{5, 4, 3, 2, 1};
    EXPECT_DOUBLE_EQ(*tavo::CorrelationRangs(a, b), -1.0);
    EXPECT_DOUBLE_EQ(*tavo::KendallTauB(a, b), -1.0);
    EXPECT_DOUBLE_EQ(*tavo::KendallTauB(a, a), 1.0);
}

// The pairwise definition, as the figure was first computed: the fast one must give its bits.
TEST(Accord, kendallTauBIsThePairwiseDefinitionToTheLastBitWithTies)
{
    const auto parPaires = [](const std::vector<double>& a,
                              const std::vector<double>& b) -> std::optional<double> {
        const auto signe = [](double x) { return (x > 0.0) - (x < 0.0); };
        long long s = 0, egauxA = 0, egauxB = 0;
        const std::size_t n = a.size();
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = i + 1; j < n; ++j) {
                s += signe(a[i] - a[j]) * signe(b[i] - b[j]);
                egauxA += a[i] == a[j];
                egauxB += b[i] == b[j];
            }
        const auto paires = static_cast<long long>(n * (n - 1) / 2);
        if (egauxA == paires || egauxB == paires)
            return std::nullopt;
        return static_cast<double>(s) / std::sqrt(static_cast<double>(paires - egauxA) *
                                                  static_cast<double>(paires - egauxB));
    };
    std::mt19937 hasard(24);
    for (int essai = 0; essai < 400; ++essai) {
        const std::size_t n = 2 + hasard() % 120;
        const unsigned valeurs = 1 + hasard() % 12; // few values: many ties
        std::vector<double> a(n), b(n);
        for (std::size_t i = 0; i < n; ++i) {
            a[i] = static_cast<double>(hasard() % valeurs) / 2.0;
            b[i] = essai % 3 == 0 ? a[i] : static_cast<double>(hasard() % valeurs) / 2.0;
        }
        const auto attendu = parPaires(a, b);
        const auto calcule = tavo::KendallTauB(a, b);
        ASSERT_EQ(attendu.has_value(), calcule.has_value()) << essai;
        if (attendu) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(*attendu),
                      std::bit_cast<std::uint64_t>(*calcule))
                << essai;
        }
    }
}
