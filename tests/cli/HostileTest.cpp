// SPDX-License-Identifier: GPL-3.0-or-later
// tavo-cli on competitions written elsewhere: every view in every format, and every printed
// form where printing is built, ends with 0 or with the program's own message and status 2.
#include "support/Hostile.h"

#include "cli/Cli.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace {

const std::string VOLS = TAVO_DATA_DIR "/Vols";

[[maybe_unused]] std::vector<std::vector<std::string>> vues()
{
    std::vector<std::vector<std::string>> liste;
    for (int n = 1; n <= 4; ++n) {
        liste.push_back({"classement", "--vols", std::to_string(n)});
        liste.push_back({"flyoff", "--flyoffs", std::to_string(n)});
    }
    for (int v = 1; v <= 7; ++v) {
        liste.push_back({"juges", "--vol", std::to_string(v)});
        liste.push_back({"profil", "--vol", std::to_string(v)});
    }
    for (int j = 1; j <= 5; ++j)
        liste.push_back({"diagramme", "--juge", std::to_string(j)});
    liste.push_back({"manquantes", "--programmes", VOLS});
    return liste;
}

class HostileCli : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dossier = std::filesystem::temp_directory_path() /
                  ("tavo-hostile-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(dossier);
        for (const auto& [nom, texte] :
             tavo::test::ConcoursHostiles(TAVO_DATA_DIR "/Concours/demo.ccr")) {
            const std::string chemin = (dossier / (nom + ".ccr")).string();
            std::ofstream(chemin, std::ios::binary) << texte;
            fichiers.push_back(chemin);
        }
    }
    void TearDown() override
    {
        std::error_code e;
        std::filesystem::remove_all(dossier, e);
    }

    int Lance(std::vector<std::string> arguments)
    {
        std::ostringstream sortie;
        std::ostringstream erreurs;
        const int code = tavo::cli::Execute(arguments, sortie, erreurs, TAVO_DATA_DIR);
        EXPECT_TRUE(code == 0 || code == 2) << code << " " << erreurs.str();
        if (code == 2) {
            EXPECT_FALSE(erreurs.str().empty());
        }
        return code;
    }

    std::filesystem::path dossier;
    std::vector<std::string> fichiers;
};

} // namespace

#ifndef TAVO_AVEC_IMPRESSION
TEST_F(HostileCli, everyViewInEveryFormatEndsCleanly)
{
    for (const std::string& fichier : fichiers)
        for (std::vector<std::string> vue : vues())
            for (const char* format : {"texte", "csv", "json"}) {
                SCOPED_TRACE(fichier + " " + vue[0] + " " + vue[2] + " " + format);
                vue.insert(vue.begin() + 1, fichier);
                std::vector<std::string> arguments = vue;
                for (const std::string& a : {std::string("--programmes"), VOLS,
                                             std::string("--format"), std::string(format)})
                    arguments.push_back(a);
                Lance(arguments);
                vue.erase(vue.begin() + 1);
            }
}
#else
TEST_F(HostileCli, everyPrintedFormEndsCleanly)
{
    const std::vector<std::vector<std::string>> formulaires = {
        {"classement", "--vols", "3"},
        {"flyoff", "--flyoffs", "2"},
        {"juges", "--vol", "1"},
        {"notes", "--dossard", "7", "--vol", "1"},
        {"programme", "--vol", "1"},
        {"proces-verbal"},
        {"pilotes"},
        {"diagramme", "--juge", "1"}};
    int numero = 0;
    for (const std::string& fichier : fichiers)
        for (const std::vector<std::string>& formulaire : formulaires) {
            SCOPED_TRACE(fichier + " " + formulaire[0]);
            std::vector<std::string> arguments = {"imprimer", formulaire[0], fichier};
            arguments.insert(arguments.end(), formulaire.begin() + 1, formulaire.end());
            for (const std::string& a : {std::string("--programmes"), VOLS, std::string("--pdf"),
                                         (dossier / (std::to_string(++numero) + ".pdf")).string()})
                arguments.push_back(a);
            Lance(arguments);
        }
}
#endif
