// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Cli.h"

#include "cli/CommandeTerrain.h"
#include "model/Fichier.h"
#include "model/Option.h"
#include "presentation/Tableau.h"
#include "support/Fabrique.h"
#include "support/TestUtil.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <tuple>

using tavo::test::AjoutePilote;
using tavo::test::Note;

namespace {

struct Sortie
{
    int code = -1;
    std::string sortie;
    std::string erreurs;
};

/**
 * A small competition on disk: three judges (two of them entered), one flight
 * of one figure of K 2. B scores 18, A 14, C has not flown.
 */
class Cli : public ::testing::Test
{
protected:
    tavo::test::RepertoireTemporaire rep;
    std::string fichier;

    void SetUp() override
    {
        std::filesystem::create_directory(rep.Chemin() / "Vols");
        tavo::test::EcritOctets(rep.Fichier("tavo.ini"), ""); // the start-up directory
        tavo::test::EcritOctets(rep.Fichier("Vols/K2.txt"), tavo::test::TexteProgramme({2}));
        TConcours c;
        c.SetTitre("Essai");
        c.SetCategorie("F3A");
        c.SetSerie("2");
        c.SetNbJuges(3);
        c.SetNbVols(1);
        c.SetProgrammeVol("K2.txt", 0);
        tavo::test::AjouteJuge(c, "Blanchard");
        tavo::test::AjouteJuge(c, "Gauthier");
        Note(AjoutePilote(c, "A", "1", "J\xE9r\xF4me"), 1, 1, {6, 7, 8});
        Note(AjoutePilote(c, "B", "2"), 1, 1, {9, 9, 9});
        AjoutePilote(c, "C", "3");
        fichier = rep.Fichier("essai.ccr");
        ASSERT_TRUE(tavo::EnregistreConcours(c, fichier));
    }

    Sortie Lance(std::vector<std::string> arguments, const std::string& courant = {})
    {
        std::ostringstream sortie;
        std::ostringstream erreurs;
        Sortie s;
        s.code = tavo::cli::Execute(arguments, sortie, erreurs,
                                    courant.empty() ? rep.Chemin().string() : courant);
        s.sortie = sortie.str();
        s.erreurs = erreurs.str();
        return s;
    }
};

} // namespace

TEST_F(Cli, rankingJsonFollowsTheContract)
{
    // The programmes directory defaults to Vols in the current directory.
    const Sortie s = Lance({"classement", fichier, "--vols", "1", "--format", "json"});
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(
        s.sortie,
        R"({"vue":"classement","vols":1,"regle":1,"lignes":[)"
        R"({"rang":1,"dossard":"2","nom":"B","prenom":"","scores":[18],"scores1000":[1000],"total":1000},)"
        R"({"rang":2,"dossard":"1","nom":"A","prenom":"Jérôme","scores":[14],"scores1000":[777.7777777777778],"total":777.7777777777778},)"
        R"({"rang":3,"dossard":"3","nom":"C","prenom":"","scores":[0],"scores1000":[0],"total":0}]})"
        "\n");
    EXPECT_EQ(s.erreurs, "");
}

TEST_F(Cli, judgeRankingJsonListsOnlyPilotsWhoHaveFlown)
{
    const Sortie s = Lance({"juges", fichier, "--vol=1", "--format=json"});
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(
        s.sortie,
        R"({"vue":"juges","vol":1,"juges":["Blanchard","Gauthier",""],"lignes":[)"
        R"({"rang":1,"dossard":"2","nom":"B","prenom":"","final":18,"notes":[)"
        R"({"score":18,"ecart":0,"place":1},{"score":18,"ecart":0,"place":1},{"score":18,"ecart":0,"place":1}]},)"
        R"({"rang":2,"dossard":"1","nom":"A","prenom":"Jérôme","final":14,"notes":[)"
        R"({"score":12,"ecart":-14.285714285714286,"place":2},{"score":14,"ecart":0,"place":2},)"
        R"({"score":16,"ecart":14.285714285714286,"place":2}]}]})"
        "\n");
}

TEST_F(Cli, diagramJson)
{
    const Sortie s = Lance({"diagramme", fichier, "--juge", "1", "--format", "json"});
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(s.sortie,
              R"({"vue":"diagramme","juge":1,"nom":"Blanchard","moyenne":7.5,)"
              R"("ecart_type":2.1213203435596424,"pourcentages":[0,0,0,0,0,0,50,0,0,50,0]})"
              "\n");
}

TEST_F(Cli, diagramOfAJudgeThePanelLacksFails)
{
    for (const char* format : {"texte", "csv", "json"}) {
        const Sortie s = Lance({"diagramme", fichier, "--juge", "4", "--format", format});
        EXPECT_EQ(s.code, 2) << format;
        EXPECT_EQ(s.sortie, "") << format;
        EXPECT_EQ(s.erreurs, "tavo-cli : " + fichier + " : Le concours n'a que 3 juges\n");
    }
}

TEST_F(Cli, sheetJsonGivesEveryJudgesMarkAndTheFlightScore)
{
    const Sortie s =
        Lance({"feuille", fichier, "--vol", "1", "--dossard", "1", "--format", "json"});
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(s.sortie,
              R"({"vue":"feuille","vol":1,"dossard":"1","programme":"Essai","lignes":[)"
              R"({"nom":"Figure 1","k":2,"notes":[6,7,8]}],"scores_juges":[12,14,16],"score":14})"
              "\n");
    EXPECT_EQ(Lance({"feuille", fichier, "--vol", "1", "--dossard", "9"}).code, 2);
    EXPECT_EQ(Lance({"imprimer", "feuille", fichier, "--vol", "1", "--pdf", "x.pdf"}).code, 64);
}

TEST_F(Cli, profileJson)
{
    // Two flown pilots: judges' spreads 0 (fewer than three), the panel's from six scores.
    const Sortie s = Lance({"profil", fichier, "--vol", "1", "--format", "json"});
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(s.sortie,
              R"({"vue":"profil","vol":1,"moyenne_jury":16,"ecart_type_jury":2.5298221281347035,)"
              R"("juges":[{"nom":"Blanchard","moyenne":15,"ecart_type":0,"acceptes":100,)"
              R"("ecart_moyen":93.75,"ecart_stdev":0},)"
              R"({"nom":"Gauthier","moyenne":16,"ecart_type":0,"acceptes":100,)"
              R"("ecart_moyen":100,"ecart_stdev":0},)"
              R"({"nom":"","moyenne":17,"ecart_type":0,"acceptes":100,)"
              R"("ecart_moyen":106.25,"ecart_stdev":0}]})"
              "\n");
}

TEST_F(Cli, agreementJsonComparesEachJudgeWithThePanel)
{
    // B is first for every judge as for the panel; "-" (null) would need fewer than 2 pilots.
    const Sortie s = Lance({"accord", fichier, "--vol", "1", "--format", "json"});
    EXPECT_EQ(s.code, 0) << s.erreurs;
    EXPECT_EQ(s.sortie.rfind(R"({"vue":"accord","vol":1,"pilotes":2,"juges":[{"juge":1,)"
                             R"("nom":"Blanchard","spearman":1,"kendall":1,"ecart_moyen":-7.)",
                             0),
              0u)
        << s.sortie;
}

TEST_F(Cli, profileJsonGivesNullWhenNoPilotHasFlown)
{
    TConcours c;
    ASSERT_TRUE(tavo::OuvreConcours(c, fichier));
    for (TPilote& p : c.GetPilotes())
        for (short j = 1; j <= 3; ++j)
            p.SetNote(1, 1, j, 0);
    ASSERT_TRUE(tavo::EnregistreConcours(c, fichier));
    const Sortie s = Lance({"profil", fichier, "--vol", "1", "--format", "json"});
    EXPECT_EQ(s.code, 0);
    EXPECT_NE(s.sortie.find(R"({"nom":"Blanchard","moyenne":0,"ecart_type":0,"acceptes":0,)"
                            R"("ecart_moyen":null,"ecart_stdev":null})"),
              std::string::npos)
        << s.sortie;
    const Sortie texte = Lance({"profil", fichier, "--vol", "1"});
    EXPECT_NE(texte.sortie.find("Ecarts au score moyen %"), std::string::npos);
}

TEST_F(Cli, flyOffWithoutRuleHasNoRow)
{
    const Sortie json = Lance({"flyoff", fichier, "--flyoffs", "4", "--format", "json"});
    EXPECT_EQ(json.code, 0);
    EXPECT_EQ(json.sortie, R"({"vue":"flyoff","flyoffs":4,"regle":0,"qualif_vols":3,"lignes":[]})"
                           "\n");
    const Sortie texte = Lance({"flyoff", fichier, "--flyoffs", "4"});
    EXPECT_NE(texte.sortie.find("Pas de classement après 4 fly-off"), std::string::npos);
}

TEST_F(Cli, textHasTheTitleBlockAndTheScreenFormats)
{
    const Sortie s = Lance({"classement", fichier, "--vols", "1"});
    EXPECT_EQ(s.code, 0);
    EXPECT_NE(s.sortie.find("Essai\nSérie 2\n"), std::string::npos);
    EXPECT_NE(s.sortie.find("CLASSEMENT DES PILOTES\n(après 1 vol)\n"), std::string::npos);
    EXPECT_NE(s.sortie.find("A Jérôme"), std::string::npos);
    EXPECT_NE(s.sortie.find("777.78"), std::string::npos);
    EXPECT_NE(s.sortie.find("Rang  Nom Prénom"), std::string::npos);
}

TEST_F(Cli, csvHasAByteOrderMarkAHeaderSemicolonsAndDecimalCommas)
{
    const Sortie s = Lance({"classement", fichier, "--vols", "1", "--format", "csv"});
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(s.sortie, "\xEF\xBB\xBFRang;Nom Prénom;V1;%V1;Total\n"
                        "1;B;18,00;1000,00;1000,00\n"
                        "2;A Jérôme;14,00;777,78;777,78\n"
                        "3;C;0,00;0,00;0,00\n");
}

TEST_F(Cli, optionsOverrideTheOptionsFile)
{
    TOption options(rep.Chemin().string());
    options.SetRapport1000(0);
    options.SetRepProgrammes("/nonexistent");
    ASSERT_TRUE(options.Enregistre(rep.Chemin().string()));
    const std::string vols = rep.Fichier("Vols");
    Sortie s = Lance({"classement", fichier, "--vols", "1", "--format", "csv"});
    EXPECT_EQ(s.code, 2);
    s = Lance({"classement", fichier, "--vols", "1", "--format", "csv", "--programmes", vols});
    EXPECT_EQ(s.code, 0);
    EXPECT_NE(s.sortie.find("1;B;18,00;1000,00;18,00\n"), std::string::npos) << s.sortie;
    s = Lance({"classement", fichier, "--vols", "1", "--format", "csv", "--programmes", vols,
               "--rapport1000"});
    EXPECT_NE(s.sortie.find("1;B;18,00;1000,00;1000,00\n"), std::string::npos) << s.sortie;
}

// Every failure names the file, and a missing programme the flight, the file looked for and where.
TEST_F(Cli, errorsNameTheFileAndTheProgrammeLookedFor)
{
    const std::string prefixe = "tavo-cli : " + fichier + " : ";
    Sortie s = Lance({"juges", fichier, "--vol", "3"});
    EXPECT_EQ(s.code, 2);
    EXPECT_EQ(s.erreurs, prefixe + "Le programme de vol 3 est introuvable : aucun programme "
                                   "n'est choisi pour le vol 3\n");
    EXPECT_EQ(s.sortie, "");
    s = Lance({"classement", fichier, "--vols", "1", "--programmes", "/nonexistent"});
    EXPECT_EQ(s.code, 2);
    EXPECT_EQ(s.erreurs, prefixe + "Au moins un programme de vol n'a pas été trouvé : vol 1 : "
                                   "« K2.txt » introuvable ou illisible dans « /nonexistent »\n");
    // A ranking counting more flights than the competition has names the flight without one.
    EXPECT_EQ(Lance({"classement", fichier, "--vols", "2"}).erreurs,
              prefixe + "Au moins un programme de vol n'a pas été trouvé : le concours n'a que 1 "
                        "vol, le vol 2 n'a pas de programme\n");
    EXPECT_EQ(Lance({"feuille", fichier, "--vol", "1", "--dossard", "9"}).erreurs,
              prefixe + "Aucun pilote ne porte le dossard 9\n");
    const std::string absent = rep.Fichier("absent.ccr");
    EXPECT_EQ(Lance({"classement", absent, "--vols", "1"}).erreurs,
              "tavo-cli : " + absent +
                  " : Incapable d'ouvrir le fichier : Le fichier est introuvable ou illisible.\n");
    std::ostringstream sortie, erreurs;
    EXPECT_EQ(tavo::cli::Terrain({"terrain", absent}, sortie, erreurs, rep.Chemin().string()), 2);
    EXPECT_EQ(erreurs.str().rfind("tavo-cli : " + absent + " : Incapable d'ouvrir le fichier", 0),
              0u)
        << erreurs.str();
    tavo::test::EcritOctets(rep.Fichier("abime.ccr"), "Titre\r\nLieu\r\n");
    s = Lance({"concours", rep.Fichier("abime.ccr")});
    EXPECT_EQ(s.code, 2);
    EXPECT_EQ(s.erreurs.rfind("tavo-cli : " + rep.Fichier("abime.ccr") + " : ", 0), 0u);
}

// Started outside a folder with tavo.ini, the user's programmes folder that holds no programme
// gives way to the installed programmes.
TEST_F(Cli, anEmptyProgrammesFolderOfTheUserFallsBackOnTheInstalledOnes)
{
    namespace fs = std::filesystem;
    fs::create_directories(rep.Chemin() / "data/tavo/Vols");
    tavo::test::EcritOctets(rep.Fichier("data/tavo/Vols/lisez-moi.md"), "");
    fs::create_directories(rep.Chemin() / "share/tavo/Vols");
    tavo::test::EcritOctets(rep.Fichier("share/tavo/Vols/K2.txt"), tavo::test::TexteProgramme({2}));
    fs::create_directory(rep.Chemin() / "ailleurs");
    setenv("XDG_DATA_HOME", rep.Fichier("data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", rep.Fichier("config").c_str(), 1);
    setenv("XDG_DATA_DIRS", rep.Fichier("share").c_str(), 1);
    const Sortie vide = Lance({"classement", fichier, "--vols", "1"}, rep.Fichier("ailleurs"));
    tavo::test::EcritOctets(rep.Fichier("data/tavo/Vols/K2.txt"), tavo::test::TexteProgramme({4}));
    const Sortie propre =
        Lance({"classement", fichier, "--vols", "1", "--format", "csv"}, rep.Fichier("ailleurs"));
    for (const char* nom : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS"})
        unsetenv(nom);
    EXPECT_EQ(vide.code, 0) << vide.erreurs;
    // The user's own programme, once there, is the one read (K 4: 36 for B).
    EXPECT_NE(propre.sortie.find("1;B;36,00;"), std::string::npos) << propre.sortie;
}

TEST_F(Cli, versionHelpOfOneCommandAndTheEndOfOptions)
{
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--version"}, {"classement", fichier, "--bavard", "-V"}}) {
        const Sortie s = Lance(arguments);
        EXPECT_EQ(s.code, 0);
        EXPECT_EQ(s.sortie, "tavo-cli " TAVO_VERSION "\n");
    }
    std::ostringstream sortie, erreurs;
    EXPECT_EQ(tavo::cli::Terrain({"terrain", "-V"}, sortie, erreurs, rep.Chemin().string()), 0);
    EXPECT_EQ(sortie.str(), "tavo-cli " TAVO_VERSION "\n");

    Sortie s = Lance({"classement", "--help"});
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(s.sortie.rfind("Usage : tavo-cli classement FICHIER.ccr --vols N [options]\n\n"
                             "  classement des pilotes après N vols (N de 1 à 4)\n",
                             0),
              0u)
        << s.sortie;
    EXPECT_NE(s.sortie.find("--format FORMAT"), std::string::npos);
    EXPECT_EQ(s.sortie.find("flyoff"), std::string::npos);
    s = Lance({"imprimer", "notes", fichier, "-h"});
    EXPECT_EQ(s.sortie.rfind("Usage : tavo-cli imprimer notes FICHIER.ccr --dossard B --vol V "
                             "--pdf SORTIE.pdf [options]\n",
                             0),
              0u)
        << s.sortie;
    EXPECT_EQ(s.sortie.find("--format"), std::string::npos);
    EXPECT_EQ(Lance({"inconnue", "--help"}).code, 64);

    // After "--", names that look like options are files.
    const auto courant = std::filesystem::current_path();
    std::filesystem::current_path(rep.Chemin());
    std::filesystem::copy_file(fichier, "--vols");
    const Sortie fin = Lance({"classement", "--vols", "1", "--", "--vols"});
    const Sortie version = Lance({"concours", "--", "-V"});
    std::filesystem::current_path(courant);
    EXPECT_EQ(fin.code, 0) << fin.erreurs;
    EXPECT_NE(fin.sortie.find("(après 1 vol)"), std::string::npos);
    EXPECT_EQ(version.code, 2);
    EXPECT_EQ(version.erreurs.rfind("tavo-cli : -V : Incapable d'ouvrir le fichier", 0), 0u);
}

// Flight 1: C has no mark. Flight 2 (three figures): A's judges 2 and 3 stopped after the first,
// C has no mark. Flight 3: all typed. Flight 4: nobody has flown. Flight 5: no programme file.
TEST_F(Cli, missingSheetsInTextCsvAndJsonAndWhenPublishing)
{
    tavo::test::EcritOctets(rep.Fichier("Vols/Trois.txt"), tavo::test::TexteProgramme({1, 1, 1}));
    TConcours c;
    ASSERT_TRUE(tavo::OuvreConcours(c, fichier));
    c.SetNbVols(5);
    for (short v = 1; v <= 4; ++v)
        c.SetProgrammeVol(v == 2 ? "Trois.txt" : "K2.txt", static_cast<short>(v - 1));
    c.SetProgrammeVol("Absent.txt", 4);
    auto pilote = c.GetPilotes().begin();
    TPilote& a = *pilote++;
    TPilote& b = *pilote++;
    Note(a, 2, 1, {7, 7, 7});
    Note(a, 2, 2, {7, 7, 0});
    Note(a, 2, 3, {8, 8});
    for (short ligne = 1; ligne <= 3; ++ligne)
        Note(b, 2, ligne, {9, 9, 9});
    for (TPilote& p : c.GetPilotes())
        Note(p, 3, 1, {6, 6, 6});
    // Only B is in the fly-offs (flights 4 and 5): A and C have no fly-off sheet to type.
    Note(b, 4, 1, {5, 5, 5});
    ASSERT_TRUE(tavo::EnregistreConcours(c, fichier));

    const Sortie texte = Lance({"manquantes", fichier});
    EXPECT_EQ(texte.code, 0) << texte.erreurs;
    EXPECT_NE(texte.sortie.find("FEUILLES MANQUANTES\n(sans note ou incomplètes)\n\n"
                                "Vol 1 (Essai)\nDos   Nom Prénom"),
              std::string::npos)
        << texte.sortie;
    EXPECT_NE(texte.sortie.find(" 3    C"), std::string::npos);
    EXPECT_NE(texte.sortie.find("  juge 3 : figures 2 à 3\n"), std::string::npos);
    EXPECT_NE(texte.sortie.find("Vol 3 (Essai)\ntoutes les feuilles sont saisies\n"),
              std::string::npos);
    EXPECT_NE(texte.sortie.find("Vol 5 (Absent.txt : programme introuvable)\n"), std::string::npos);
    EXPECT_NE(texte.sortie.find("Vol 4 (Essai)\ntoutes les feuilles sont saisies\n"),
              std::string::npos);
    EXPECT_NE(texte.sortie.find("\n4 feuilles manquantes ou incomplètes\n"), std::string::npos);

    const Sortie csv = Lance({"manquantes", fichier, "--format", "csv"});
    EXPECT_EQ(csv.sortie, "\xEF\xBB\xBFVol;Dos;Nom Prénom;Feuille\n"
                          "1;3;C;sans note\n"
                          "2;1;A Jérôme;juge 3 : figures 2 à 3\n"
                          "2;3;C;sans note\n"
                          "5;2;B;sans note\n")
        << csv.sortie;

    const Sortie json = Lance({"manquantes", fichier, "--format", "json"});
    EXPECT_NE(json.sortie.find(
                  R"({"vol":2,"programme":"Trois.txt","nom_programme":"Essai","programme_lu":true,)"
                  R"("sans_note":1,"incompletes":1,"pilotes":[{"position":1,"dossard":"1",)"
                  R"("nom":"A","prenom":"Jérôme","sans_note":false,"lignes":[)"
                  R"({"juge":3,"premiere":2,"derniere":3}]},)"),
              std::string::npos)
        << json.sortie;
    EXPECT_NE(json.sortie.find(R"("programme_lu":false,)"), std::string::npos);
    EXPECT_NE(json.sortie.find(R"(],"total":4}
)"),
              std::string::npos);

    // Published all the same; flights 4 (every fly-off sheet typed) and 5 (not published) are
    // not told.
    const Sortie publie = Lance({"publier", fichier, rep.Fichier("site")});
    EXPECT_EQ(publie.code, 0);
    EXPECT_EQ(publie.erreurs, "Attention : vol 1 : 1 feuille manquante ou incomplète\n"
                              "Attention : vol 2 : 2 feuilles manquantes ou incomplètes\n");
}

TEST_F(Cli, badUsageExitsWith64AndAShortUsage)
{
    const std::vector<std::vector<std::string>> mauvais = {
        {},
        {"classement"},
        {"inconnue", fichier},
        {"classement", fichier},
        {"classement", fichier, "--vols", "5"},
        {"classement", fichier, "--vols", "deux"},
        {"classement", fichier, "--vols"},
        {"classement", fichier, "--vol", "1"},
        {"juges", fichier, "--vol", "8"},
        {"diagramme", fichier, "--juge", "0"},
        {"profil", fichier, "--vol", "1", "--format", "xml"},
        {"profil", fichier, "--vol", "1", "--bavard"},
        {"profil", fichier, fichier, "--vol", "1"},
        {"concours", fichier, "--format", "json"},
        {"classement", fichier, "--vols", "1", "--tbl=1"},
        {"classement", fichier, "--vols", "1", "--pdf", "c.pdf"},
        {"publier", fichier},
        {"publier", fichier, "site", "autre"},
    };
    for (const auto& arguments : mauvais) {
        const Sortie s = Lance(arguments);
        EXPECT_EQ(s.code, 64) << ::testing::PrintToString(arguments);
        EXPECT_NE(s.erreurs.find("Usage : tavo-cli"), std::string::npos);
    }
}

TEST_F(Cli, controlCharactersOfTheFileNeverReachTheTerminal)
{
    TConcours c;
    ASSERT_TRUE(tavo::OuvreConcours(c, fichier));
    c.SetTitre("Essai\x1B[2J");
    TPilote& b = *std::next(c.GetPilotes().begin());
    b.SetNom("B\x1B]0;x\x07");
    b.SetPrenom("\x81\x7F"); // Windows-1252 has no character for 0x81: U+0081
    ASSERT_TRUE(tavo::EnregistreConcours(c, fichier));

    Sortie s = Lance({"classement", fichier, "--vols", "1"});
    EXPECT_NE(s.sortie.find("Essai?[2J\n"), std::string::npos) << s.sortie;
    EXPECT_NE(s.sortie.find("B?]0;x? ??  "), std::string::npos) << s.sortie;
    s = Lance({"classement", fichier, "--vols", "1", "--format", "csv"});
    EXPECT_NE(s.sortie.find("\n1;\"B?]0;x? ??\";18,00;"), std::string::npos) << s.sortie;
    s = Lance({"classement", fichier, "--vols", "1", "--format", "json"});
    EXPECT_NE(s.sortie.find(R"("nom":"B\u001b]0;x\u0007","prenom":"\u0081\u007f")"),
              std::string::npos)
        << s.sortie;
}

TEST_F(Cli, pdfOverTheCompetitionFileIsRefusedBeforeAnythingIsWritten)
{
    const std::string avant = tavo::test::LitOctets(fichier);
    const std::string lien = rep.Fichier("lien.ccr");
    std::filesystem::create_hard_link(fichier, lien);
    for (const std::string& pdf : {fichier, rep.Fichier("Vols/../essai.ccr"), lien}) {
        const Sortie s = Lance({"imprimer", "pilotes", fichier, "--pdf", pdf});
        EXPECT_EQ(s.code, 64) << pdf;
        EXPECT_NE(s.erreurs.find("est le fichier du concours lui-même"), std::string::npos);
    }
    EXPECT_EQ(tavo::test::LitOctets(fichier), avant);
}

TEST_F(Cli, outputThatCannotBeWrittenExitsWithTwo)
{
    struct TamponPlein : std::streambuf
    {
        int overflow(int) override { return traits_type::eof(); }
    } plein;
    std::ostream sortie(&plein);
    std::ostringstream erreurs;
    EXPECT_EQ(tavo::cli::Execute({"classement", fichier, "--vols", "1"}, sortie, erreurs,
                                 rep.Chemin().string()),
              2);
    EXPECT_NE(erreurs.str().find("impossible d'écrire le résultat sur la sortie standard"),
              std::string::npos)
        << erreurs.str();
}

TEST_F(Cli, helpExplainsEveryViewAndOption)
{
    const Sortie s = Lance({"--help"});
    EXPECT_EQ(s.code, 0);
    for (const char* mot :
         {"concours",
          "classement --vols N     classement des pilotes après N vols (N de 1 à 4)",
          "flyoff --flyoffs",
          "juges --vol V           classement des juges sur le vol V (V de 1 à 7)",
          "diagramme --juge",
          "profil --vol",
          "notes --dossard B --vol V  feuille de notes",
          "pilotes [--ordre dossards|alphabetique]",
          "proces-verbal",
          "accord --vol V",
          "publier REP",
          "feuille --dossard B --vol V",
          "manquantes              feuilles de notes manquantes",
          "-V, --version",
          "tavo-cli terrain FICHIER.ccr",
          "juges [--accord] --vol V",
          "--programmes",
          "--tbl",
          "--sans-tbl",
          "--rapport1000",
          "--sans-rapport1000",
          "--format"})
        EXPECT_NE(s.sortie.find(mot), std::string::npos) << mot;
    EXPECT_EQ(s.sortie.find('{'), std::string::npos) << s.sortie;
    EXPECT_NE(Lance({}).erreurs.find(
                  "        | diagramme --juge J | profil --vol V | accord --vol V\n"
                  "        | feuille --dossard B --vol V | manquantes | publier REP\n"),
              std::string::npos);
}

TEST_F(Cli, printingWithoutAGuiApplicationFailsCleanly)
{
    // The GUI application that painting needs is the main's: here there is none.
    const std::string pdf = rep.Fichier("pilotes.pdf");
    const Sortie s = Lance({"imprimer", "pilotes", fichier, "--pdf", pdf});
    EXPECT_EQ(s.code, 2);
    EXPECT_NE(s.erreurs.find("tavo-cli : " + fichier + " : l'impression "), std::string::npos)
        << s.erreurs;
    EXPECT_EQ(s.sortie, "");
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST_F(Cli, neverWritesTheCompetitionFile)
{
    const std::string avant = tavo::test::LitOctets(fichier);
    const auto date = std::filesystem::last_write_time(fichier);
    for (const char* vue : {"classement --vols 1", "juges --vol 1", "profil --vol 1",
                            "diagramme --juge 3", "flyoff --flyoffs 1"}) {
        std::istringstream mots(vue);
        std::vector<std::string> arguments{std::istream_iterator<std::string>(mots), {}};
        arguments.insert(arguments.begin() + 1, fichier);
        Lance(arguments);
    }
    EXPECT_EQ(tavo::test::LitOctets(fichier), avant);
    EXPECT_EQ(std::filesystem::last_write_time(fichier), date);
}

// Whatever names the folder gives them, the competition, its journals and the options file
// are never written, and the refusal is a failure.
TEST_F(Cli, publishingNeverWritesTheCompetitionItsJournalOrTheOptions)
{
    namespace fs = std::filesystem;
    const fs::path site = rep.Chemin() / "pub";
    fs::create_directory(site);
    const std::string ini = rep.Fichier("tavo.ini");
    const std::string journal = rep.Fichier(".essai.ccr.4242.journal");
    tavo::test::EcritOctets(journal, "notes");
    const std::string avant = tavo::test::LitOctets(fichier);
    const std::vector<std::tuple<std::string, std::string, bool>> cas{
        {"vol-1.html", fichier, false}, {"index.html", ini, true}, {"juge-1.html", journal, false}};
    for (const auto& [page, cible, lien] : cas) {
        fs::remove_all(site / page);
        if (lien)
            fs::create_symlink(cible, site / page);
        else
            fs::create_hard_link(cible, site / page);
        const Sortie s = Lance({"publier", fichier, site.string()});
        EXPECT_EQ(s.code, 2) << page;
        EXPECT_NE(s.erreurs.find("« " + page + " » "), std::string::npos) << s.erreurs;
        EXPECT_NE(s.erreurs.find(lien ? "(lien symbolique)" : "sous un autre nom"),
                  std::string::npos)
            << s.erreurs;
        EXPECT_EQ(s.sortie, "");
        fs::remove(site / page);
    }
    EXPECT_EQ(tavo::test::LitOctets(fichier), avant);
    EXPECT_EQ(tavo::test::LitOctets(ini), "");
    EXPECT_EQ(tavo::test::LitOctets(journal), "notes");
    EXPECT_EQ(Lance({"publier", fichier, site.string()}).code, 0);
}

TEST(CliDemo, everyViewRunsOnTheDemoCompetition)
{
    const std::string demo = std::string(TAVO_DATA_DIR) + "/Concours/demo.ccr";
    const std::string vols = std::string(TAVO_DATA_DIR) + "/Vols";
    auto lance = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin() + 1, demo);
        arguments.insert(arguments.end(), {"--programmes", vols, "--format", "json"});
        std::ostringstream sortie, erreurs;
        EXPECT_EQ(tavo::cli::Execute(arguments, sortie, erreurs, "."), 0) << erreurs.str();
        return sortie.str();
    };
    const std::string classement = lance({"classement", "--vols", "3"});
    EXPECT_EQ(classement.rfind(R"({"vue":"classement","vols":3,"regle":3,"lignes":[{"rang":1,)", 0),
              0u);
    EXPECT_NE(classement.find(R"("rang":15,)"), std::string::npos);
    const std::string flyoff = lance({"flyoff", "--flyoffs", "3"});
    EXPECT_EQ(flyoff.rfind(R"({"vue":"flyoff","flyoffs":3,"regle":12,"qualif_vols":3,)", 0), 0u);
    // Bib 10 missed flight 2: 14 rows.
    const std::string juges = lance({"juges", "--vol", "2"});
    EXPECT_NE(juges.find(R"("rang":14,)"), std::string::npos);
    EXPECT_EQ(juges.find(R"("rang":15,)"), std::string::npos);
    EXPECT_NE(lance({"diagramme", "--juge", "5"}).find(R"("pourcentages":[)"), std::string::npos);
    EXPECT_NE(lance({"profil", "--vol", "6"}).find(R"("acceptes":100,)"), std::string::npos);
}

TEST(CliDemo, titlesSayWhenTheTblCorrectionIsApplied)
{
    const std::string demo = std::string(TAVO_DATA_DIR) + "/Concours/demo.ccr";
    const std::string vols = std::string(TAVO_DATA_DIR) + "/Vols";
    auto texte = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin() + 1, demo);
        arguments.insert(arguments.end(), {"--programmes", vols});
        std::ostringstream sortie, erreurs;
        EXPECT_EQ(tavo::cli::Execute(arguments, sortie, erreurs, "."), 0) << erreurs.str();
        return sortie.str();
    };
    const std::string avec = ", avec correction TBL)";
    EXPECT_NE(texte({"classement", "--vols", "2", "--tbl"}).find("(après 2 vols" + avec),
              std::string::npos);
    EXPECT_NE(texte({"flyoff", "--flyoffs", "1", "--tbl"}).find("(après 1 fly-off" + avec),
              std::string::npos);
    EXPECT_EQ(texte({"classement", "--vols", "2", "--sans-tbl"}).find("TBL"), std::string::npos);
    // The judge ranking and a sheet are always on the plain scores.
    EXPECT_EQ(texte({"juges", "--vol", "1", "--tbl"}).find("correction TBL"), std::string::npos);
    EXPECT_EQ(texte({"feuille", "--dossard", "1", "--vol", "1", "--tbl"}).find("correction TBL"),
              std::string::npos);
}

TEST(CliDemo, theProgramsCsvExportIsTavoCliCsvByteForByte)
{
    const std::string demo = std::string(TAVO_DATA_DIR) + "/Concours/demo.ccr";
    tavo::ParametresCalcul parametres;
    parametres.repProgrammes = std::string(TAVO_DATA_DIR) + "/Vols";
    using G = tavo::GenreVue;
    const std::pair<const char*, const char*> options[] = {{"classement", "--vols"},
                                                           {"flyoff", "--flyoffs"},
                                                           {"juges", "--vol"},
                                                           {"diagramme", "--juge"},
                                                           {"profil", "--vol"}};
    const G genres[] = {G::ClassementVols, G::FlyOff, G::ClassementJuges, G::Diagramme, G::Profil};
    for (std::size_t i = 0; i < std::size(genres); ++i) {
        std::ostringstream sortie, erreurs;
        ASSERT_EQ(tavo::cli::Execute({options[i].first, demo, options[i].second, "2",
                                      "--programmes", parametres.repProgrammes, "--sans-tbl",
                                      "--rapport1000", "--format", "csv"},
                                     sortie, erreurs, "."),
                  0)
            << erreurs.str();
        TConcours concours;
        ASSERT_TRUE(tavo::OuvreConcours(concours, demo));
        const auto table = tavo::TableDeVue(concours, parametres, genres[i], 2);
        ASSERT_TRUE(table.statut);
        EXPECT_EQ(tavo::FichierCsv(tavo::TableauDe(table.valeur)), sortie.str())
            << options[i].first;
    }
}
