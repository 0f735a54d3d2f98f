// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Option.h"

#include "support/TestUtil.h"

#include <gtest/gtest.h>

using namespace tavo::test;

TEST(Option, firstRunUsesTheDefaults)
{
    RepertoireTemporaire rep;
    const std::string d = rep.Chemin().string();
    TOption o(d);
    o.Charge(d); // no options file: silently the defaults
    EXPECT_EQ(o.GetSauvegardeAuto(), 0);
    EXPECT_EQ(o.GetImpressionAuto(), 1);
    EXPECT_EQ(o.GetMiseEnPageAuto(), 1);
    EXPECT_EQ(o.GetRapport1000(), 1);
    EXPECT_EQ(o.GetTBL(), 0);
    EXPECT_EQ(std::string(o.GetRepProgrammes()), d + "/Vols");
    EXPECT_EQ(std::string(o.GetRepConcours()), d + "/Concours");
}

TEST(Option, rootStartDirectoryKeepsTheDoubledSeparator)
{
    const TOption o("/");
    EXPECT_STREQ(o.GetRepProgrammes(), "//Vols");
    EXPECT_STREQ(o.GetRepConcours(), "//Concours");
}

TEST(Option, savingTheDefaultsWritesTwelveLines)
{
    RepertoireTemporaire rep;
    const std::string d = rep.Chemin().string();
    const TOption o(d);
    ASSERT_TRUE(o.Enregistre(d));
    EXPECT_EQ(LitOctets(d + "/tavo.ini"), "0\r\n1\r\n1\r\n1\r\n0\r\n" + d + "/Concours\r\n" + d +
                                              "/Vols\r\n0\r\n0\r\n\r\n8000\r\n0\r\n");
}

TEST(Option, saveAndLoadRoundTrip)
{
    RepertoireTemporaire rep;
    const std::string d = rep.Chemin().string();
    TOption o(d);
    o.SetSauvegardeAuto(1);
    o.SetImpressionAuto(0);
    o.SetMiseEnPageAuto(0);
    o.SetRapport1000(0);
    o.SetTBL(1);
    o.SetRepProgrammes("/données/Programmes ");
    o.SetRepConcours("/données/Concours");
    o.SetPublicationAuto(1);
    o.SetAccordJuges(1);
    o.SetRepPublication("/srv/www/résultats");
    o.SetPortTerrain(8080);
    o.SetClavierSansPave(1);
    ASSERT_TRUE(o.Enregistre(d));
    TOption lu(d);
    lu.Charge(d);
    EXPECT_EQ(lu.Ecrit(), o.Ecrit());
    EXPECT_STREQ(lu.GetRepProgrammes(), "/données/Programmes ");
    EXPECT_STREQ(lu.GetRepPublication(), "/srv/www/résultats");
    EXPECT_EQ(lu.GetPortTerrain(), 8080);
    EXPECT_EQ(lu.GetClavierSansPave(), 1);

    // A file of seven lines, as older versions wrote, leaves the site's settings unset.
    TOption ancien(d);
    ancien.Lit("1\r\n1\r\n1\r\n1\r\n1\r\n/c\r\n/p\r\n");
    EXPECT_STREQ(ancien.GetRepProgrammes(), "/p");
    EXPECT_EQ(ancien.GetPublicationAuto() + ancien.GetAccordJuges(), 0);
    EXPECT_STREQ(ancien.GetRepPublication(), "");
    EXPECT_EQ(ancien.GetPortTerrain(), 8000);
    // Eleven lines: the keyboard has its keypad.
    ancien.SetClavierSansPave(1);
    ancien.Lit("0\r\n1\r\n1\r\n1\r\n0\r\n/c\r\n/p\r\n0\r\n0\r\n\r\n8000\r\n");
    EXPECT_EQ(ancien.GetClavierSansPave(), 1);
    EXPECT_EQ(ancien.GetPortTerrain(), 8000);
}

TEST(Option, anyNonZeroFlagCountsAsSetAndMissingFieldsKeepTheirValues)
{
    TOption o("/d");
    o.Lit("2\n0\n0\n7\n-1\n");
    EXPECT_NE(o.GetSauvegardeAuto(), 0);
    EXPECT_EQ(o.GetImpressionAuto(), 0);
    EXPECT_NE(o.GetRapport1000(), 0);
    EXPECT_NE(o.GetTBL(), 0);
    EXPECT_STREQ(o.GetRepConcours(), "/d/Concours");
    EXPECT_STREQ(o.GetRepProgrammes(), "/d/Vols");

    TOption tronque("/d");
    tronque.Lit("1\r\n0\r\nabc\r\n");
    EXPECT_EQ(tronque.GetSauvegardeAuto(), 1);
    EXPECT_EQ(tronque.GetImpressionAuto(), 0);
    EXPECT_EQ(tronque.GetMiseEnPageAuto(), 1);

    TOption longChemin("/d");
    longChemin.Lit("0\n1\n1\n1\n0\n" + std::string(5000, 'c') + "\n/p\n");
    EXPECT_EQ(std::string(longChemin.GetRepConcours()), std::string(254, 'c'));
    EXPECT_STREQ(longChemin.GetRepProgrammes(), "/p");
}

TEST(Option, unwritableStartDirectoryReportsFailureQuietly)
{
    const TOption o("/d");
    EXPECT_FALSE(o.Enregistre("/nonexistent-directory-for-tavo"));
}
