// SPDX-License-Identifier: GPL-3.0-or-later
// The arguments of "tavo-cli imprimer", read without printing anything.
#include "cli/Commande.h"

#include <gtest/gtest.h>

using tavo::cli::Analyse;
using tavo::cli::AnalyseArguments;

namespace {

Analyse Lit(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "imprimer");
    return AnalyseArguments(arguments);
}

} // namespace

TEST(ArgumentsImprimer, readsEachFormWithItsNumberAndOptions)
{
    Analyse a = Lit({"classement", "c.ccr", "--pdf", "o.pdf", "--vols", "3", "--sans-tbl"});
    ASSERT_EQ(a.genre, Analyse::Genre::Commande) << a.erreur;
    EXPECT_EQ(a.commande.vue, "imprimer");
    EXPECT_EQ(a.commande.formulaire, "classement");
    EXPECT_EQ(a.commande.fichier, "c.ccr");
    EXPECT_EQ(a.commande.pdf, "o.pdf");
    EXPECT_EQ(a.commande.nombre, 3);
    EXPECT_EQ(a.commande.tbl, false);

    a = Lit({"notes", "c.ccr", "--pdf=o.pdf", "--dossard", "12", "--vol=2"});
    ASSERT_EQ(a.genre, Analyse::Genre::Commande) << a.erreur;
    EXPECT_EQ(a.commande.dossard, "12");
    EXPECT_EQ(a.commande.nombre, 2);

    a = Lit({"pilotes", "c.ccr", "--pdf", "o.pdf", "--ordre", "alphabetique"});
    ASSERT_EQ(a.genre, Analyse::Genre::Commande) << a.erreur;
    EXPECT_TRUE(a.commande.alphabetique);
    EXPECT_EQ(Lit({"proces-verbal", "c.ccr", "--pdf", "o.pdf"}).genre, Analyse::Genre::Commande);
}

TEST(ArgumentsImprimer, refusesWhatAFormDoesNotTake)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cas = {
        {{}, "il manque le formulaire à imprimer"},
        {{"affiche", "c.ccr", "--pdf", "o.pdf"}, "formulaire inconnu : affiche"},
        {{"classement", "c.ccr", "--vols", "2"}, "il manque le fichier PDF à écrire"},
        {{"classement", "--pdf", "o.pdf", "--vols", "2"}, "il manque le fichier du concours"},
        {{"classement", "c.ccr", "--pdf", "o.pdf", "--vols", "5"},
         "--vols attend un nombre de 1 à 4"},
        {{"juges", "c.ccr", "--pdf", "o.pdf"}, "le formulaire juges demande l'option --vol"},
        {{"notes", "c.ccr", "--pdf", "o.pdf", "--vol", "1"}, "demande l'option --dossard"},
        {{"programme", "c.ccr", "--pdf", "o.pdf", "--vol", "1", "--dossard", "3"},
         "--dossard ne s'applique qu'au formulaire notes"},
        {{"notes", "c.ccr", "--pdf", "o.pdf", "--vol", "1", "--dossard", "12345"},
         "--dossard attend un dossard de 1 à 4 caractères (reçu : 12345)"},
        {{"notes", "c.ccr", "--pdf", "o.pdf", "--ordre", "dossards"},
         "l'option --ordre ne s'applique qu'au formulaire pilotes"},
        {{"pilotes", "c.ccr", "--pdf", "o.pdf", "--format", "csv"}, "option inconnue : --format"},
        {{"pilotes", "c.ccr", "--pdf", "o.pdf", "--ordre", "age"}, "ordre inconnu : age"},
        {{"diagramme", "c.ccr", "--pdf", "o.pdf", "--vol", "1"},
         "l'option --vol ne s'applique pas au formulaire diagramme"},
        {{"pilotes", "c.ccr", "d.ccr", "--pdf", "o.pdf"}, "argument en trop : d.ccr"},
        {{"pilotes", "c.ccr", "--pdf", "./c.ccr"}, "est le fichier du concours lui-même"},
    };
    for (const auto& [arguments, erreur] : cas) {
        const Analyse a = Lit(arguments);
        EXPECT_EQ(a.genre, Analyse::Genre::Erreur) << erreur;
        EXPECT_NE(a.erreur.find(erreur), std::string::npos) << a.erreur;
    }
}
