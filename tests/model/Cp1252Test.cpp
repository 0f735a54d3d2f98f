// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Cp1252.h"

#include <gtest/gtest.h>

using namespace tavo;

TEST(Cp1252, everyByteRoundTripsThroughUtf8)
{
    std::string tous;
    for (int octet = 1; octet < 256; ++octet)
        tous += static_cast<char>(octet);
    const std::string utf8 = Cp1252VersUtf8(tous);
    EXPECT_EQ(Utf8VersCp1252(utf8), tous);
    EXPECT_EQ(Cp1252VersUtf8(std::string(1, '\0')), std::string(1, '\0'));
}

TEST(Cp1252, mapsTheAccentedLettersAndThe80To9FBlock)
{
    EXPECT_EQ(Cp1252VersUtf8("\xE9t\xE9"), "été");
    EXPECT_EQ(Cp1252VersUtf8("Agr\xE9\xE9"), "Agréé");
    EXPECT_EQ(Cp1252VersUtf8("\x80"), "€");
    EXPECT_EQ(Cp1252VersUtf8("\x9C"), "œ");
    EXPECT_EQ(Cp1252VersUtf8("\x92"), "’");
    EXPECT_EQ(Cp1252VersUtf8("\x85"), "…");
    EXPECT_EQ(Cp1252VersUtf8("\x9F"), "Ÿ");
    EXPECT_EQ(Cp1252VersUtf8("\xB0"), "°");
    // Undefined bytes keep their C1 control value.
    EXPECT_EQ(CodePointCp1252(0x81), U'\u0081');
    EXPECT_EQ(CodePointCp1252(0x9D), U'\u009D');
    EXPECT_EQ(Utf8VersCp1252("€ Œuvre « Château »"), "\x80 \x8Cuvre \xAB Ch\xE2teau \xBB");
    for (char32_t cp : {U'€', U'Œ', U'Ÿ', U'ÿ', U'’', U'\u0081'})
        EXPECT_TRUE(DansCp1252(cp)) << static_cast<unsigned>(cp);
    for (char32_t cp : {U'ő', U'Ł', U'\u0080', U'\u2212', U'\U0001F600'})
        EXPECT_FALSE(DansCp1252(cp)) << static_cast<unsigned>(cp);
}

TEST(Cp1252, replacesWhatTheCodePageCannotHold)
{
    EXPECT_EQ(Utf8VersCp1252("a\u4E2Db"), "a?b");     // CJK
    EXPECT_EQ(Utf8VersCp1252("x\U0001F600y"), "x?y"); // emoji, 4 bytes
    EXPECT_EQ(Utf8VersCp1252("\xC3"), "?");           // truncated sequence
    EXPECT_EQ(Utf8VersCp1252("\xE9t\xE9"), "?t?");    // Latin-1 bytes are not UTF-8
    EXPECT_EQ(Utf8VersCp1252("\xC0\xAF"), "?");       // overlong form
    EXPECT_EQ(Utf8VersCp1252("\xED\xA0\x80"), "?");   // surrogate
}
