// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/EcritureDocument.h"

#include "model/ErreurSysteme.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

TEST(EcritureDocument, pipeNamedByItsDescriptorIsWrittenInPlace)
{
    int tube[2];
    ASSERT_EQ(::pipe(tube), 0);
    std::string erreur;
    EXPECT_TRUE(tavo::EcritDocument("/dev/fd/" + std::to_string(tube[1]), "%PDF-1.4", &erreur))
        << erreur;
    ::close(tube[1]);
    char lu[16] = {};
    EXPECT_EQ(::read(tube[0], lu, sizeof lu), 8);
    EXPECT_EQ(std::string(lu), "%PDF-1.4");
    ::close(tube[0]);

    EXPECT_FALSE(tavo::EcritDocument("/dev/full", "%PDF-1.4", &erreur));
    EXPECT_EQ(erreur, tavo::RaisonSysteme(ENOSPC));
    EXPECT_FALSE(tavo::EcritDocument("/dev/absent", "%PDF-1.4", &erreur));
    EXPECT_NE(::access("/dev/absent", F_OK), 0); // never made
}
