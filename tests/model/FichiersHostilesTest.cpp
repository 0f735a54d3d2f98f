// SPDX-License-Identifier: GPL-3.0-or-later
// Files written elsewhere, damaged or hostile: never a crash, an overflow or a lost file.

#include "model/Concours.h"
#include "model/ErreurSysteme.h"
#include "model/Fichier.h"
#include "model/Option.h"
#include "model/Programme.h"
#include "support/TestUtil.h"

#include <cerrno>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using tavo::CodeLecture;
using namespace tavo::test;

namespace {

std::string avecPilotes(int nombre)
{
    TConcours c;
    c.SetTitre("Concours");
    for (int p = 1; p <= nombre; ++p) {
        c.AjoutePilote();
        TPilote pilote;
        pilote.SetDossard(std::to_string(p).c_str());
        pilote.SetNote(1, 1, 1, static_cast<short>(p % 11));
        c.SetPilote(pilote, p);
    }
    return c.Ecrit();
}

// Offset of the 1-based line n.
std::size_t debutLigne(const std::string& texte, int n)
{
    std::size_t pos = 0;
    for (int ligne = 1; ligne < n; ++ligne)
        pos = texte.find('\n', pos) + 1;
    return pos;
}

} // namespace

TEST(FichiersHostiles, emptyBinaryAndDirectoryAreRefused)
{
    RepertoireTemporaire rep;
    TConcours c;
    c.SetTitre("intact");
    EcritOctets(rep.Fichier("vide.ccr"), "");
    EXPECT_EQ(tavo::OuvreConcours(c, rep.Fichier("vide.ccr")).code, CodeLecture::FinPrematuree);
    std::string binaire;
    for (int i = 0; i < 4096; ++i)
        binaire += static_cast<char>((i * 37) % 256);
    EcritOctets(rep.Fichier("binaire.ccr"), binaire);
    EXPECT_FALSE(tavo::OuvreConcours(c, rep.Fichier("binaire.ccr")));
    EXPECT_EQ(tavo::OuvreConcours(c, rep.Chemin().string()).code, CodeLecture::FichierIntrouvable);
    EXPECT_STREQ(c.GetTitre(), "intact");
}

TEST(FichiersHostiles, countsOutsideTheUsualRangesLoadAsTheyAreOrAreRefused)
{
    std::string texte = avecPilotes(0);
    // Section 1 line 21 (judges) and 22 (flights).
    const auto remplace = [&](const std::string& de, const std::string& par) {
        std::string t = texte;
        t.replace(t.find(de), de.size(), par);
        return t;
    };
    for (const char* nbJuges : {"0", "-3", "32767"}) {
        TConcours c;
        ASSERT_TRUE(c.Lit(remplace("\r\n5\r\n1\r\n", std::string("\r\n") + nbJuges + "\r\n1\r\n")))
            << nbJuges;
        EXPECT_EQ(c.GetNbJuges(), std::stoi(nbJuges));
    }
    for (const char* nbVols : {"0", "8", "-1"}) {
        TConcours c;
        ASSERT_TRUE(c.Lit(remplace("\r\n5\r\n1\r\n", std::string("\r\n5\r\n") + nbVols + "\r\n")));
        EXPECT_EQ(c.GetNbVols(), std::stoi(nbVols));
    }
    TConcours c;
    EXPECT_EQ(c.Lit(remplace("\r\n5\r\n1\r\n", "\r\n70000\r\n1\r\n")).code,
              CodeLecture::NombreHorsLimites);
    EXPECT_EQ(c.Lit(remplace("\r\n0\r\n0\r\n", "\r\n100000\r\n0\r\n")).code,
              CodeLecture::FinPrematuree); // announces pilots it does not hold
    EXPECT_EQ(c.Lit(remplace("\r\n0\r\n0\r\n", "\r\n0\r\n-2\r\n")).code,
              CodeLecture::NombreHorsLimites);
    EXPECT_EQ(c.Lit(remplace("\r\n0\r\n0\r\n", "\r\n0\r\n99999999999999999999\r\n")).code,
              CodeLecture::FinPrematuree);
}

TEST(FichiersHostiles, longLinesAndControlBytesStayInsideTheirFields)
{
    const std::string texte = avecPilotes(1);
    std::string noms;
    for (int octet = 1; octet < 256; ++octet)
        if (octet != '\n')
            noms += static_cast<char>(octet);
    std::string t = texte;
    t.replace(t.find("Concours"), 8, std::string(10000, 'x'));
    TConcours c;
    ASSERT_TRUE(c.Lit(t));
    EXPECT_EQ(std::string(c.GetTitre()), std::string(50, 'x'));

    // The pilot's name (line 33) made of every byte but the line end: cut to 20 bytes.
    t = texte;
    t.insert(debutLigne(t, 33), noms);
    ASSERT_TRUE(c.Lit(t));
    EXPECT_EQ(std::string(c.GetPilote(1).GetNom()), noms.substr(0, 20));
    EXPECT_STREQ(c.GetPilote(1).GetDossard(), "1");

    // A NUL byte cannot end a text early.
    t = texte;
    t.replace(t.find("Concours"), 8, std::string("a\0b", 3));
    ASSERT_TRUE(c.Lit(t));
    EXPECT_STREQ(c.GetTitre(), "a b");
    const char figure[] = "P\r\n1/1/2000\r\n0\r\n0\r\n\r\n1\r\nA\0B\r\n3\r\n";
    TProgramme programme;
    programme.Lit(std::string(figure, sizeof figure - 1));
    EXPECT_STREQ(programme.GetFigure(1).GetNom(), "A B");
}

TEST(FichiersHostiles, onlyRegularFilesOfASensibleSizeAreRead)
{
    RepertoireTemporaire rep;
    const std::string tube = rep.Fichier("tube.ccr");
    ASSERT_EQ(::mkfifo(tube.c_str(), 0600), 0);
    const std::string creux = rep.Fichier("creux.ccr");
    EcritOctets(creux, "");
    ASSERT_EQ(::truncate(creux.c_str(), static_cast<off_t>(tavo::TailleMaxConcours() + 1)), 0);

    TConcours c;
    c.SetTitre("intact");
    EXPECT_EQ(tavo::OuvreConcours(c, tube).code, CodeLecture::PasUnFichier);
    EXPECT_EQ(tavo::OuvreConcours(c, "/dev/zero").code, CodeLecture::PasUnFichier);
    EXPECT_EQ(tavo::OuvreConcours(c, rep.Chemin().string()).code, CodeLecture::FichierIntrouvable);
    EXPECT_EQ(tavo::OuvreConcours(c, creux).code, CodeLecture::FichierTropGrand);
    EXPECT_STREQ(c.GetTitre(), "intact");
    for (auto code : {CodeLecture::PasUnFichier, CodeLecture::FichierTropGrand})
        EXPECT_FALSE(tavo::MessageLecture({code, 0}).empty());
}

TEST(FichiersHostiles, programmesAndOptionsAreReadOnlyFromSmallRegularFiles)
{
    RepertoireTemporaire rep;
    const std::string d = rep.Chemin().string();
    ASSERT_EQ(::mkfifo(rep.Fichier("tube.txt").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(rep.Fichier("tavo.ini").c_str(), 0600), 0);
    std::string grand = "Grand\r\n1/1/2000\r\n0\r\n0\r\n\r\n1\r\nFigure\r\n1\r\n";
    grand.resize((1 << 20) + 1, ' ');
    EcritOctets(rep.Fichier("grand.txt"), grand);
    ASSERT_EQ(::symlink("/dev/zero", rep.Fichier("zero.txt").c_str()), 0);

    TConcours c;
    for (const char* nom : {"tube.txt", "grand.txt", "zero.txt"}) {
        c.SetProgrammeVol(nom, 0);
        EXPECT_FALSE(c.ChargeProgramme(1, d)) << nom;
    }
    grand.resize(1 << 20);
    EcritOctets(rep.Fichier("grand.txt"), grand);
    c.SetProgrammeVol("grand.txt", 0);
    EXPECT_TRUE(c.ChargeProgramme(1, d)); // exactly 1 MiB is still read

    TOption o(d);
    o.Charge(d);
    EXPECT_EQ(o.Ecrit(), TOption(d).Ecrit());
}

TEST(FichiersHostiles, programmeNamesNeverLeaveTheProgrammesDirectory)
{
    RepertoireTemporaire rep;
    const std::string programme = "Secret\r\n1/1/2000\r\n0\r\n0\r\n\r\n1\r\nroot:x:0\r\n1\r\n";
    std::filesystem::create_directory(rep.Chemin() / "Vols");
    EcritOctets(rep.Fichier("secret.txt"), programme);
    EcritOctets(rep.Fichier("Vols/a\\b.txt"), programme);
    EcritOctets(rep.Fichier("Vols/bon.txt"), programme);
    const std::string vols = rep.Fichier("Vols");

    TConcours c;
    for (const std::string& nom : {std::string("../secret.txt"), rep.Fichier("secret.txt"),
                                   std::string("a\\b.txt"), std::string(".."), std::string(".")}) {
        c.SetProgrammeVol(nom.c_str(), 0);
        EXPECT_FALSE(c.ChargeProgramme(1, vols)) << nom;
    }
    c.SetProgrammeVol("bon.txt", 0);
    EXPECT_TRUE(c.ChargeProgramme(1, vols));
}

TEST(FichiersHostiles, textsWithLineBreaksAreWrittenOnTheirOneLine)
{
    TConcours c;
    c.SetTitre("a\r\nb");
    c.AjoutePilote();
    TPilote pilote;
    pilote.SetNom("x\ny");
    c.SetPilote(pilote, 1);
    c.AjouteJuge();
    TJuge juge;
    juge.SetClub("c\rd");
    c.SetJuge(juge, 1);
    const std::string texte = c.Ecrit();
    EXPECT_EQ(CompteLignesCrLf(texte), 33 + 190 + 5);
    TConcours lu;
    ASSERT_TRUE(lu.Lit(texte));
    EXPECT_STREQ(lu.GetTitre(), "a  b");
    EXPECT_STREQ(lu.GetPilote(1).GetNom(), "x y");
    EXPECT_STREQ(lu.GetJuge(1).GetClub(), "c d");

    TOption o("/d");
    o.SetRepConcours("/un\nautre");
    o.SetRepPublication("/site\r\nweb");
    EXPECT_EQ(CompteLignesCrLf(o.Ecrit()), 12);
}

TEST(FichiersHostiles, optionsWithHugePathsAndNegativeFlags)
{
    TOption o("/d");
    o.Lit("-5\n99999999999\n0\n1\n0\n" + std::string(5000, 'p') + "\n" + std::string(5000, 'q'));
    EXPECT_NE(o.GetSauvegardeAuto(), 0);
    EXPECT_NE(o.GetImpressionAuto(), 0);
    EXPECT_EQ(std::string(o.GetRepConcours()).size(), 254u);
    EXPECT_EQ(std::string(o.GetRepProgrammes()).size(), 254u);
    TOption binaire("/d");
    binaire.Lit(std::string("\xFF\xFE\0\x01", 4));
    EXPECT_EQ(binaire.GetImpressionAuto(), 1);
    EXPECT_STREQ(binaire.GetRepProgrammes(), "/d/Vols");
}

// A small full file system, where mounting one is allowed (root in a sandbox).
class DisquePlein : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (::geteuid() != 0 ||
            ::mount("tavo", m_rep.Chemin().c_str(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "cannot mount a small tmpfs here";
        m_monte = true;
    }
    void TearDown() override
    {
        if (m_monte)
            ::umount(m_rep.Chemin().c_str());
    }
    RepertoireTemporaire m_rep;
    bool m_monte = false;
};

TEST_F(DisquePlein, saveThatDoesNotFitFailsAndKeepsThePreviousFile)
{
    const std::string chemin = m_rep.Fichier("concours.ccr");
    const std::string petit = avecPilotes(2);
    ASSERT_TRUE(tavo::EcritFichierSur(chemin, petit));
    std::string erreur;
    EXPECT_FALSE(tavo::EcritFichierSur(chemin, avecPilotes(40), &erreur)); // about 90 KB
    EXPECT_EQ(erreur, tavo::RaisonSysteme(ENOSPC));
    EXPECT_EQ(LitOctets(chemin), petit);
    int fichiers = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(m_rep.Chemin()))
        ++fichiers;
    EXPECT_EQ(fichiers, 1); // the partial temporary file is gone
}

TEST_F(DisquePlein, hardLinkedFileThatDoesNotFitIsLeftWhole)
{
    const std::string chemin = m_rep.Fichier("concours.ccr");
    const std::string petit = avecPilotes(2);
    ASSERT_TRUE(tavo::EcritFichierSur(chemin, petit));
    ASSERT_EQ(::link(chemin.c_str(), m_rep.Fichier("lien.ccr").c_str()), 0);
    std::string erreur;
    EXPECT_FALSE(tavo::EcritFichierSur(chemin, avecPilotes(40), &erreur));
    EXPECT_EQ(erreur, tavo::RaisonSysteme(ENOSPC));
    EXPECT_EQ(LitOctets(chemin), petit);
    EXPECT_EQ(LitOctets(m_rep.Fichier("lien.ccr")), petit);
}

TEST(FichiersHostiles, killedWhileSavingLeavesAWholeFile)
{
    RepertoireTemporaire rep;
    const std::string chemin = rep.Fichier("concours.ccr");
    const std::string ancien = avecPilotes(3);
    const std::string nouveau = avecPilotes(3000); // several megabytes
    ASSERT_TRUE(tavo::EcritFichierSur(chemin, ancien));
    for (int essai = 0; essai < 3; ++essai) {
        const pid_t enfant = ::fork();
        ASSERT_GE(enfant, 0);
        if (enfant == 0) {
            for (;;)
                tavo::EcritFichierSur(chemin, nouveau);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + 15 * essai));
        ::kill(enfant, SIGKILL);
        ::waitpid(enfant, nullptr, 0);
        const std::string lu = LitOctets(chemin);
        EXPECT_TRUE(lu == ancien || lu == nouveau) << "size " << lu.size();
    }
}
