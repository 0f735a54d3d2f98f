// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Date.h"

#include "model/LecteurTexte.h"

#include <ctime>
#include <gtest/gtest.h>

TEST(Date, newDateIsTodayWithPaddedText)
{
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    char attendu[16];
    std::strftime(attendu, sizeof attendu, "%d/%m/%Y", &local);
    const Date date;
    EXPECT_STREQ(date.GetTexte(), attendu);
    EXPECT_EQ(date.GetAnnee(), local.tm_year + 1900);
}

TEST(Date, settingNumbersRebuildsTheText)
{
    EXPECT_STREQ(Date(5, 7, 2000).GetTexte(), "05/07/2000");
    EXPECT_STREQ(Date(10, 12, 1999).GetTexte(), "10/12/1999");
    EXPECT_STREQ(Date(9, 9, 850).GetTexte(), "09/09/850");
}

TEST(Date, setTexteKeepsTheTextAndReadsFixedPositions)
{
    Date date;
    date.SetTexte("05/07/2000");
    EXPECT_EQ(date.GetJour(), 5);
    EXPECT_EQ(date.GetMois(), 7);
    EXPECT_EQ(date.GetAnnee(), 2000);
    EXPECT_STREQ(date.GetTexte(), "05/07/2000");

    date.SetTexte("ab/cd/efgh");
    EXPECT_EQ(date.GetJour(), 0);
    EXPECT_EQ(date.GetMois(), 0);
    EXPECT_EQ(date.GetAnnee(), 0);
    EXPECT_STREQ(date.GetTexte(), "ab/cd/efgh");

    date.SetTexte("1/2");
    EXPECT_EQ(date.GetJour(), 1);
    EXPECT_EQ(date.GetAnnee(), 0);
    date.SetTexte("01/01/20001234"); // cut to the text's capacity
    EXPECT_STREQ(date.GetTexte(), "01/01/2000");
}

TEST(Date, fileFormHasNoLeadingZerosAndReadsBackPadded)
{
    std::string texte;
    Date(5, 7, 2000).Ecrit(texte);
    EXPECT_EQ(texte, "5/7/2000\r\n");

    tavo::LecteurTexte lecteur("05/07/2000 reste\r\nsuite\r\n");
    Date lue;
    ASSERT_TRUE(lue.Lit(lecteur));
    EXPECT_STREQ(lue.GetTexte(), "05/07/2000");
    std::string_view ligne;
    lecteur.LitLigne(ligne);
    EXPECT_EQ(ligne, "suite");

    tavo::LecteurTexte sansBarre("5-7-2000\r\n");
    EXPECT_FALSE(lue.Lit(sansBarre));
}
