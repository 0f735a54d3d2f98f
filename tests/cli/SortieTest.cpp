// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Sortie.h"

#include "model/Texte.h"

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

TEST(Sortie, aResultWrittenInBlocksIsTheWholeResultMadeHarmless)
{
    // A C1 control whose two bytes fall on each side of a block's end, and one at the very end.
    std::string texte(64 * 1024 - 1, 'a');
    texte += "\xC2\x85 \x1B[2J\n\xC3\xA9";
    texte += std::string(70 * 1024, 'b') + "\xC2";
    const auto ecrit = [&](bool sansControle, bool bom, const std::string& t) {
        std::ostringstream sortie;
        SortieResultat resultat(sortie, sansControle, bom);
        std::ostream(&resultat) << t;
        EXPECT_TRUE(resultat.Termine());
        return sortie.str();
    };
    EXPECT_EQ(ecrit(true, false, texte), tavo::SansControle(texte, true));
    EXPECT_EQ(ecrit(false, false, texte), texte);
    EXPECT_EQ(ecrit(true, true, "x;1\n"), "\xEF\xBB\xBFx;1\n");
    EXPECT_EQ(ecrit(true, true, ""), "");

    std::ostringstream flux;
    Json enBlocs(flux);
    Json entier;
    for (Json* json : {&enBlocs, &entier}) {
        json->DebutTableau();
        for (int i = 0; i < 20000; ++i)
            json->DebutObjet().Cle("rang").Valeur(i).Cle("nom").Valeur("\x1B").FinObjet();
        json->FinTableau();
    }
    enBlocs.Termine();
    EXPECT_EQ(flux.str(), entier.Texte() + '\n');
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
