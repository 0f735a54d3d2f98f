// SPDX-License-Identifier: GPL-3.0-or-later
// "tavo-cli imprimer" on the demo competition: every form into a PDF whose text is read back
// with pdftotext.
#include "cli/Cli.h"
#include "model/Concours.h"
#include "model/Fichier.h"
#include "support/TestUtil.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/mount.h>
#include <unistd.h>

namespace {

const std::string DEMO = TAVO_DATA_DIR "/Concours/demo.ccr";
const std::string VOLS = TAVO_DATA_DIR "/Vols";

class Imprimer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (std::system("pdftotext -v > /dev/null 2>&1") != 0)
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        dossier =
            std::filesystem::temp_directory_path() /
            ("tavo-imprimer-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dossier);
    }
    void TearDown() override
    {
        std::error_code e;
        std::filesystem::remove_all(dossier, e);
    }

    /** Runs tavo-cli; the PDF's text, or "" when it failed. */
    std::string Imprime(std::vector<std::string> arguments, const std::string& nom)
    {
        const std::string pdf = (dossier / nom).string();
        arguments.insert(arguments.begin(), "imprimer");
        for (const std::string& a : {std::string("--pdf"), pdf, std::string("--programmes"), VOLS})
            arguments.push_back(a);
        std::ostringstream sortie;
        code = tavo::cli::Execute(arguments, sortie, erreurs, TAVO_DATA_DIR);
        if (code != 0)
            return {};
        return Texte(pdf);
    }
    static std::string Texte(const std::string& pdf)
    {
        std::string texte;
        FILE* flux = popen(("pdftotext -layout '" + pdf + "' - 2>/dev/null").c_str(), "r");
        if (flux == nullptr)
            return texte;
        std::array<char, 4096> tampon{};
        std::size_t lu = 0;
        while ((lu = std::fread(tampon.data(), 1, tampon.size(), flux)) > 0)
            texte.append(tampon.data(), lu);
        pclose(flux);
        return texte;
    }
    static bool Contient(const std::string& texte, const std::string& partie)
    {
        return texte.find(partie) != std::string::npos;
    }

    std::filesystem::path dossier;
    std::ostringstream erreurs;
    int code = -1;
};

} // namespace

TEST_F(Imprimer, rankingsCarryTheHeadingTheColumnsAndTheResults)
{
    std::string t = Imprime({"classement", DEMO, "--vols", "3"}, "c3.pdf");
    ASSERT_EQ(code, 0) << erreurs.str();
    for (const char* partie :
         {"Concours de voltige F3A de Bourgogne", "Série 2", "CLASSEMENT DES PILOTES",
          "(après 3 vols)", "%V3", "Total", "Garnier Thomas", "2000.00", "Tavo 2000 version"})
        EXPECT_TRUE(Contient(t, partie)) << partie << "\n" << t;
    t = Imprime({"flyoff", DEMO, "--flyoffs", "2"}, "f2.pdf");
    ASSERT_EQ(code, 0) << erreurs.str();
    for (const char* partie : {"(après 2 fly-off)", "Qualif", "%F2"})
        EXPECT_TRUE(Contient(t, partie)) << partie;
    t = Imprime({"juges", DEMO, "--vol", "1"}, "j1.pdf");
    ASSERT_EQ(code, 0) << erreurs.str();
    for (const char* partie : {"CLASSEMENT DES JUGES", "(sur le vol 1)", "Final", "Clt", "Bla"})
        EXPECT_TRUE(Contient(t, partie)) << partie;
}

TEST_F(Imprimer, sheetsListsReportAndDiagramPrintTheirTexts)
{
    std::string t = Imprime({"notes", DEMO, "--dossard", "7", "--vol", "1"}, "n.pdf");
    ASSERT_EQ(code, 0) << erreurs.str();
    for (const char* partie : {"Garnier", "N° Dossard", "SCORES DES JUGES", "TOTAL DU VOL",
                               "ECARTS DES JUGES EN %", "Triangle avec 1/2 tonneaux"})
        EXPECT_TRUE(Contient(t, partie)) << partie << "\n" << t;
    t = Imprime({"programme", DEMO, "--vol", "2"}, "p.pdf");
    ASSERT_EQ(code, 0) << erreurs.str();
    for (const char* partie : {"VOL RADIOCOMMANDE", "VOLTIGE F3A", "SERIE 2 NATIONALE", "NOTES/10",
                               "BRUIT :", "CONFORMITE AVEC LA DOCUMENTATION", "TOTAL :"})
        EXPECT_TRUE(Contient(t, partie)) << partie;
    t = Imprime({"proces-verbal", DEMO}, "pv.pdf");
    ASSERT_EQ(code, 0) << erreurs.str();
    for (const char* partie :
         {"PROCES-VERBAL DE CONCOURS", "Fédération Française d'Aéro-Modélisme",
          "- Nombre de concurrents : 15", "DEROULEMENT :", "Nom, Prénom, Date et Signature :"})
        EXPECT_TRUE(Contient(t, partie)) << partie;
    t = Imprime({"pilotes", DEMO, "--ordre", "alphabetique"}, "l.pdf");
    ASSERT_EQ(code, 0) << erreurs.str();
    EXPECT_TRUE(Contient(t, "LISTE DES PILOTES"));
    EXPECT_TRUE(Contient(t, "(ordre alphabétique)"));
    EXPECT_LT(t.find("Bonnet"), t.find("Roux"));
    t = Imprime({"diagramme", DEMO, "--juge", "1"}, "d.pdf");
    ASSERT_EQ(code, 0) << erreurs.str();
    for (const char* partie : {"DIAGRAMME DES NOTES", "Moyenne : ", "Ecart-Type : ", "50%"})
        EXPECT_TRUE(Contient(t, partie)) << partie;
}

TEST_F(Imprimer, failuresSayWhyAndWriteNoFile)
{
    Imprime({"notes", DEMO, "--dossard", "404", "--vol", "1"}, "x.pdf");
    EXPECT_EQ(code, 2);
    EXPECT_TRUE(Contient(erreurs.str(), "Aucun pilote ne porte le dossard 404"));
    Imprime({"flyoff", DEMO, "--flyoffs", "4"}, "x.pdf");
    EXPECT_EQ(code, 2);
    EXPECT_TRUE(Contient(erreurs.str(), "fly-off n'est pas prévu"));
    EXPECT_FALSE(std::filesystem::exists(dossier / "x.pdf"));

    std::ostringstream sortie;
    std::ostringstream erreur;
    code = tavo::cli::Execute({"imprimer", "programme", DEMO, "--vol", "1", "--programmes",
                               (dossier / "vide").string(), "--pdf", (dossier / "y.pdf").string()},
                              sortie, erreur, TAVO_DATA_DIR);
    EXPECT_EQ(code, 2);
    EXPECT_TRUE(
        Contient(erreur.str(), "Le programme du vol 1 n'a pas été trouvé ou n'est pas défini"));
    code = tavo::cli::Execute({"imprimer", "pilotes", DEMO, "--pdf", "/nonexistent/dir/z.pdf"},
                              sortie, erreur, TAVO_DATA_DIR);
    EXPECT_EQ(code, 2);
    EXPECT_TRUE(Contient(erreur.str(), "Impossible d'écrire le fichier /nonexistent/dir/z.pdf"));
    // A device that takes no byte: the PDF was not written.
    code = tavo::cli::Execute({"imprimer", "pilotes", DEMO, "--pdf", "/dev/full"}, sortie, erreur,
                              TAVO_DATA_DIR);
    EXPECT_EQ(code, 2);
    EXPECT_TRUE(Contient(erreur.str(), "Impossible d'écrire le fichier /dev/full : "));
}

TEST(ImprimerDisquePlein, pdfThatDoesNotFitLeavesThePreviousFile)
{
    tavo::test::RepertoireTemporaire rep;
    if (::geteuid() != 0 || ::mount("tavo", rep.Chemin().c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here";
    const std::string pdf = rep.Fichier("liste.pdf");
    tavo::test::EcritOctets(pdf, "ancien");
    tavo::test::EcritOctets(rep.Fichier("plein"), std::string(40 * 1024, 'x')); // 20 KB left
    std::ostringstream sortie;
    std::ostringstream erreurs;
    const int code = tavo::cli::Execute({"imprimer", "pilotes", DEMO, "--pdf", pdf}, sortie,
                                        erreurs, TAVO_DATA_DIR); // about 26 KB
    const std::string lu = tavo::test::LitOctets(pdf);
    const auto fichiers = std::distance(std::filesystem::directory_iterator(rep.Chemin()), {});
    ::umount(rep.Chemin().c_str());
    EXPECT_EQ(code, 2);
    EXPECT_NE(erreurs.str().find("Impossible d'écrire le fichier " + pdf + " : "),
              std::string::npos)
        << erreurs.str();
    EXPECT_EQ(sortie.str(), "");
    EXPECT_EQ(lu, "ancien");
    EXPECT_EQ(fichiers, 2);
}

namespace {

struct Mot
{
    double gauche, haut, droite, bas;
    std::string texte;
};

struct PagePdf
{
    double largeur = 0, hauteur = 0;
    std::vector<Mot> mots;
};

// The words of each page of a PDF, with their boxes in points (pdftotext -bbox).
std::vector<PagePdf> Mots(const std::string& pdf)
{
    std::vector<PagePdf> pages;
    FILE* flux = popen(("pdftotext -bbox '" + pdf + "' - 2>/dev/null").c_str(), "r");
    if (flux == nullptr)
        return pages;
    std::string xml;
    std::array<char, 4096> tampon{};
    std::size_t lu = 0;
    while ((lu = std::fread(tampon.data(), 1, tampon.size(), flux)) > 0)
        xml.append(tampon.data(), lu);
    pclose(flux);
    std::istringstream lignes(xml);
    auto attribut = [](const std::string& ligne, const std::string& nom) {
        const auto debut = ligne.find(nom + "=\"");
        return debut == std::string::npos ? 0.0 : std::stod(ligne.substr(debut + nom.size() + 2));
    };
    for (std::string ligne; std::getline(lignes, ligne);) {
        if (ligne.find("<page ") != std::string::npos)
            pages.push_back({attribut(ligne, "width"), attribut(ligne, "height"), {}});
        else if (ligne.find("<word ") != std::string::npos && !pages.empty()) {
            const auto debut = ligne.find('>') + 1;
            pages.back().mots.push_back({attribut(ligne, "xMin"), attribut(ligne, "yMin"),
                                         attribut(ligne, "xMax"), attribut(ligne, "yMax"),
                                         ligne.substr(debut, ligne.find("</word>") - debut)});
        }
    }
    return pages;
}

} // namespace

// Every text at its longest: on every form each word stays where a printer can print it and
// no word runs into another (a name over the next column, a title past the edges, a place over
// a field).
TEST_F(Imprimer, everyFormKeepsItsLongestTextsPrintableAndApart)
{
    TConcours concours;
    ASSERT_TRUE(tavo::OuvreConcours(concours, DEMO));
    concours.SetTitre("GRAND CHAMPIONNAT DE FRANCE DE VOLTIGE RADIOCOMMAN");
    concours.SetLieu("AERODROME DE SAINT-REMY-DE-PRO");
    concours.SetDepartement("ALPES-DE-HAUTE-PROVENCE (04) X");
    std::string texte;
    while (texte.size() + 9 <= 254)
        texte += "remarque ";
    concours.SetObservations(texte.c_str());
    concours.SetIncidents(texte.c_str());
    TPilote& pilote = concours.GetPilotes().front();
    pilote.SetNom("DE LA ROCHEFOUCAULD");
    pilote.SetPrenom("JEAN-CHRISTOPHE");
    pilote.SetClub("AEROMODELISME CLUB W");
    const std::string fichier = (dossier / "long.ccr").string();
    ASSERT_TRUE(tavo::EcritFichierSur(fichier, concours.Ecrit()));

    const std::vector<std::vector<std::string>> formulaires{
        {"classement", "--vols", "4"},
        {"flyoff", "--flyoffs", "3"},
        {"juges", "--vol", "1"},
        {"notes", "--dossard", pilote.GetDossard(), "--vol", "1"},
        {"programme", "--vol", "1"},
        {"proces-verbal"},
        {"pilotes"},
        {"diagramme", "--juge", "1"}};
    for (const auto& [concoursImprime, formulaire] :
         {std::pair{DEMO, formulaires}, std::pair{fichier, formulaires}})
        for (std::vector<std::string> arguments : formulaire) {
            const std::string nom = arguments[0];
            arguments.insert(arguments.begin() + 1, concoursImprime);
            Imprime(arguments, nom + ".pdf");
            ASSERT_EQ(code, 0) << nom << ": " << erreurs.str();
            const auto pages = Mots((dossier / (nom + ".pdf")).string());
            ASSERT_FALSE(pages.empty()) << nom;
            for (const PagePdf& page : pages)
                for (std::size_t i = 0; i < page.mots.size(); ++i) {
                    const Mot& a = page.mots[i];
                    // A printer prints nothing in the 5 mm along the edges.
                    const double marge = 5 * 72 / 25.4 - 0.5;
                    EXPECT_TRUE(a.gauche >= marge && a.droite <= page.largeur - marge &&
                                a.haut >= marge && a.bas <= page.hauteur - marge)
                        << nom << ": " << a.texte << " leaves the printable area";
                    for (std::size_t j = i + 1; j < page.mots.size(); ++j) {
                        const Mot& b = page.mots[j];
                        // Boxes overlapping by more than half a point either way.
                        const bool chevauche =
                            std::min(a.droite, b.droite) - std::max(a.gauche, b.gauche) > 0.5 &&
                            std::min(a.bas, b.bas) - std::max(a.haut, b.haut) > 0.5;
                        EXPECT_FALSE(chevauche)
                            << nom << ": \"" << a.texte << "\" over \"" << b.texte << "\"";
                    }
                }
        }
}
