// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Cli.h"
#include "document/Document.h"
#include "model/Concours.h"
#include "model/Fichier.h"
#include "support/Fabrique.h"
#include "support/Interlocuteur.h"
#include "support/TestUtil.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

class Importer : public ::testing::Test
{
protected:
    tavo::test::RepertoireTemporaire rep;
    std::string fichier;
    std::string tableur;

    void SetUp() override
    {
        tavo::test::EcritOctets(rep.Fichier("tavo.ini"), "");
        TConcours c;
        c.SetTitre("Essai");
        tavo::test::AjoutePilote(c, "DEJA", "3");
        fichier = rep.Fichier("essai.ccr");
        ASSERT_TRUE(tavo::EnregistreConcours(c, fichier));
        tableur = std::string(TAVO_TESTS_DIR) + "/model/donnees/inscriptions-libreoffice-utf8.csv";
    }

    int Lance(const std::string& csv, std::string* sortie = nullptr, std::string* erreurs = nullptr)
    {
        std::ostringstream s, e;
        const int code =
            tavo::cli::Execute({"importer", fichier, csv}, s, e, rep.Chemin().string());
        if (sortie)
            *sortie = s.str();
        if (erreurs)
            *erreurs = e.str();
        return code;
    }
};

} // namespace

TEST_F(Importer, addsThePilotsSavesAndReports)
{
    std::string sortie, erreurs;
    ASSERT_EQ(Lance(tableur, &sortie, &erreurs), 0) << erreurs;
    // Bib 3 is the competition's already: that row is skipped and said.
    EXPECT_NE(sortie.find("3 pilotes à ajouter."), std::string::npos) << sortie;
    EXPECT_NE(sortie.find("ligne 4 : dossard 3 (Œuvray Zoé) déjà porté dans le concours"),
              std::string::npos)
        << sortie;
    EXPECT_NE(sortie.find("coupé à 20 caractères"), std::string::npos);
    EXPECT_NE(sortie.find(fichier + " : 3 pilotes ajoutés, enregistré"), std::string::npos);
    TConcours relu;
    ASSERT_TRUE(tavo::OuvreConcours(relu, fichier));
    ASSERT_EQ(relu.NbPilotes(), 4);
    EXPECT_STREQ(relu.GetPilote(1).GetNom(), "DEJA");
    EXPECT_STREQ(relu.GetPilote(2).GetNom(), "Lef\xE8vre");
    EXPECT_STREQ(relu.GetPilote(4).GetDossard(), "004");
    // Everything is saved: no recovery journal is left behind.
    for (const auto& entree : std::filesystem::directory_iterator(rep.Chemin()))
        EXPECT_EQ(entree.path().string().find(".journal"), std::string::npos) << entree.path();

    // Run again: every bib is taken now, nothing is added and the file stays as it is.
    const std::string avant = tavo::test::LitOctets(fichier);
    EXPECT_EQ(Lance(tableur, nullptr, &erreurs), 2);
    EXPECT_NE(erreurs.find("aucun pilote à ajouter"), std::string::npos) << erreurs;
    EXPECT_EQ(tavo::test::LitOctets(fichier), avant);
}

TEST_F(Importer, refusesADamagedSpreadsheetOrAFileOpenInAWindow)
{
    const std::string avant = tavo::test::LitOctets(fichier);
    std::string sortie, erreurs;
    const std::string abime =
        std::string(TAVO_TESTS_DIR) + "/model/donnees/inscriptions-abimee.csv";
    EXPECT_EQ(Lance(abime, &sortie, &erreurs), 2);
    EXPECT_EQ(erreurs.rfind("tavo-cli : " + abime + " : Ligne 3 : un guillemet ouvert", 0), 0u)
        << erreurs;
    EXPECT_EQ(sortie, "");
    EXPECT_EQ(Lance(rep.Fichier("absent.csv"), nullptr, &erreurs), 2);
    EXPECT_NE(erreurs.find("Incapable d'ouvrir le fichier"), std::string::npos) << erreurs;

    tavo::test::InterlocuteurMuet muet;
    tavo::TDocument fenetre(muet);
    ASSERT_EQ(fenetre.Ouvre(fichier), tavo::Issue::Faite);
    EXPECT_EQ(Lance(tableur, nullptr, &erreurs), 2);
    EXPECT_NE(erreurs.find("tavo-cli : " + fichier + " : le concours est ouvert par "),
              std::string::npos)
        << erreurs;
    EXPECT_EQ(tavo::test::LitOctets(fichier), avant);
}

TEST_F(Importer, usageNamesTheSpreadsheet)
{
    std::ostringstream s, e;
    EXPECT_EQ(tavo::cli::Execute({"importer", fichier}, s, e, rep.Chemin().string()), 64);
    EXPECT_NE(e.str().find("la vue importer demande le fichier PILOTES.csv"), std::string::npos)
        << e.str();
}
