// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Emplacements.h"

#include "support/TestUtil.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace fs = std::filesystem;
using tavo::test::EcritOctets;
using tavo::test::LitOctets;

namespace {

/** A home of the run's own: XDG folders and an installed "share" with two programmes. */
class Emplacements : public ::testing::Test
{
protected:
    tavo::test::RepertoireTemporaire rep;
    std::string courant;
    std::string installe;

    void SetUp() override
    {
        courant = rep.Fichier("menu");
        installe = rep.Fichier("share/tavo");
        fs::create_directories(courant);
        fs::create_directories(fs::path(installe) / "Vols");
        fs::create_directories(fs::path(installe) / "Concours");
        EcritOctets(installe + "/Vols/F3A.txt", "installed");
        EcritOctets(installe + "/ffam.bmp", "BM");
        Variable("XDG_DATA_HOME", rep.Fichier("data"));
        Variable("XDG_CONFIG_HOME", rep.Fichier("config"));
        Variable("XDG_DATA_DIRS", "relative/ignored:" + rep.Fichier("share"));
    }
    void TearDown() override
    {
        for (const char* nom : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS"})
            unsetenv(nom);
    }
    static void Variable(const char* nom, const std::string& valeur)
    {
        setenv(nom, valeur.c_str(), 1);
    }
};

} // namespace

TEST_F(Emplacements, aFolderWithAnOptionsFileIsTheStartDirectoryAndNothingElseIsMade)
{
    EcritOctets(courant + "/tavo.ini", "");
    const tavo::Emplacements e = tavo::TrouveEmplacements(courant, true);
    EXPECT_EQ(e.depart, courant);
    EXPECT_EQ(e.options, courant);
    EXPECT_FALSE(e.utilisateur);
    EXPECT_FALSE(fs::exists(rep.Fichier("data")));
    EXPECT_FALSE(fs::exists(rep.Fichier("config")));
}

TEST_F(Emplacements, elsewhereTheUsersFoldersAreMadeOnceWithTheInstalledProgrammes)
{
    EXPECT_EQ(tavo::RepertoireInstalle(), installe);
    // Only asked: nothing is made.
    EXPECT_EQ(tavo::TrouveEmplacements(courant, false).depart, rep.Fichier("data/tavo"));
    EXPECT_FALSE(fs::exists(rep.Fichier("data")));

    const tavo::Emplacements e = tavo::TrouveEmplacements(courant, true);
    EXPECT_TRUE(e.utilisateur);
    EXPECT_EQ(e.depart, rep.Fichier("data/tavo"));
    EXPECT_EQ(e.options, rep.Fichier("config/tavo"));
    EXPECT_EQ(LitOctets(e.depart + "/Vols/F3A.txt"), "installed");
    EXPECT_TRUE(fs::is_empty(e.depart + "/Concours"));
    EXPECT_TRUE(fs::is_directory(e.options));
    EXPECT_TRUE(fs::is_empty(courant));

    // The user's own programmes are never replaced, even one they deleted.
    EcritOctets(e.depart + "/Vols/F3A.txt", "mine");
    fs::remove(e.depart + "/Concours");
    tavo::TrouveEmplacements(courant, true);
    EXPECT_EQ(LitOctets(e.depart + "/Vols/F3A.txt"), "mine");
    EXPECT_TRUE(fs::is_directory(e.depart + "/Concours"));
    fs::remove(e.depart + "/Vols/F3A.txt");
    tavo::TrouveEmplacements(courant, true);
    EXPECT_FALSE(fs::exists(e.depart + "/Vols/F3A.txt"));
}

TEST_F(Emplacements, picturesComeFromTheStartDirectoryElseFromTheInstalledData)
{
    EXPECT_EQ(tavo::CheminDonnee(courant, "ffam.bmp"), installe + "/ffam.bmp");
    EcritOctets(courant + "/ffam.bmp", "BM");
    EXPECT_EQ(tavo::CheminDonnee(courant, "ffam.bmp"), courant + "/ffam.bmp");
    // Neither: the start directory's name, which the caller finds missing.
    EXPECT_EQ(tavo::CheminDonnee(courant, "logo.bmp"), courant + "/logo.bmp");
}
