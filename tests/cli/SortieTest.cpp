// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Sortie.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace tavo::cli;
using tavo::Alignement;
using tavo::EcritCsv;
using tavo::Fixe;
using tavo::Tableau;

TEST(Sortie, jsonNumbersAreTheShortestTextThatReadsBack)
{
    EXPECT_EQ(NombreJson(0.1), "0.1");
    EXPECT_EQ(NombreJson(1000.0), "1000");
    EXPECT_EQ(NombreJson(-0.0), "0");
    EXPECT_EQ(NombreJson(1750.0 * 1000 / 1950), "897.4358974358975");
    EXPECT_EQ(NombreJson(-14.285714285714286), "-14.285714285714286");
    EXPECT_EQ(std::stod(NombreJson(2.0 / 3.0)), 2.0 / 3.0);
}

TEST(Sortie, jsonTextsAreEscaped)
{
    Json json;
    json.DebutObjet().Cle("nom").Valeur("Le \"Grand\" \\ Tr\xC3\xA9sor\t").Cle("vide").Nul();
    json.Cle("liste").DebutTableau().Valeur(1).Valeur(2.5).DebutObjet().FinObjet().FinTableau();
    EXPECT_EQ(json.FinObjet().Texte(),
              "{\"nom\":\"Le \\\"Grand\\\" \\\\ Tr\xC3\xA9sor\\u0009\",\"vide\":null,"
              "\"liste\":[1,2.5,{}]}");
}

TEST(Sortie, csvQuotesFieldsThatNeedItAndUsesDecimalCommas)
{
    Tableau t;
    t.colonnes = {{"Nom", 10, Alignement::Gauche}, {"Score", 6}, {"", 0, Alignement::Gauche, true}};
    t.lignes.push_back({Texte("Dupont; \"Jo\""), Nombre(Fixe(12.345, 6, 2) + " "), Texte("###")});
    t.lignes.push_back({Texte("Martin"), Nombre(Fixe(-4.5, 3, 0) + " "), Texte("")});
    std::ostringstream csv;
    EcritCsv(t, csv);
    EXPECT_EQ(csv.str(), "Nom;Score\n\"Dupont; \"\"Jo\"\"\";12,35\nMartin;-4\n");
}

TEST(Sortie, textColumnsArePaddedByCharactersNotBytes)
{
    Tableau t;
    t.colonnes = {{"Nom", 8, Alignement::Gauche}, {"Total", 7, Alignement::Droite}};
    t.lignes.push_back({Texte("Jérôme"), Nombre(Fixe(1000.0, 7, 2) + " ")});
    std::ostringstream texte;
    EcritTexte(t, texte);
    EXPECT_EQ(texte.str(), "Nom         Total\nJérôme    1000.00\n");
    EXPECT_EQ(Largeur("Jérôme"), 6u);
}
