// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Verrou.h"

#include "support/TestUtil.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace tavo;
using namespace tavo::test;

// Another process may take over a lock it believed stale: letting go of ours never removes its.
TEST(Verrou, releasingLeavesALockAnotherProcessHasTaken)
{
    RepertoireTemporaire rep;
    const std::string fichier = rep.Fichier("concours.ccr");
    EcritOctets(fichier, "");
    const std::string autre = "marc\nportable-du-jury\n4242\n2026-06-13T08:00:00\n";
    const std::string verrou = TVerrou::CheminVerrou(fichier);
    {
        TVerrou v;
        ASSERT_TRUE(v.Prend(fichier));
        EcritOctets(verrou, autre); // rewritten in place
    }
    EXPECT_EQ(LitOctets(verrou), autre);
    std::filesystem::remove(verrou);
    {
        TVerrou v;
        ASSERT_TRUE(v.Prend(fichier));
        std::filesystem::remove(verrou); // replaced by a file of its own
        EcritOctets(verrou, autre);
    }
    EXPECT_EQ(LitOctets(verrou), autre);
    std::filesystem::remove(verrou);
    {
        TVerrou v;
        ASSERT_TRUE(v.Prend(fichier));
    }
    EXPECT_FALSE(std::filesystem::exists(verrou)); // ours goes
}
