// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestUtil.h"

#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace tavo::test {

RepertoireTemporaire::RepertoireTemporaire()
{
    std::random_device alea;
    m_chemin = std::filesystem::temp_directory_path() /
               ("tavo-test-" + std::to_string(alea()) + std::to_string(alea()));
    std::filesystem::create_directories(m_chemin);
}

RepertoireTemporaire::~RepertoireTemporaire()
{
    std::error_code ec;
    std::filesystem::permissions(m_chemin, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_chemin, ec);
}

void EcritOctets(const std::string& chemin, std::string_view contenu)
{
    std::ofstream f(chemin, std::ios::binary);
    f.write(contenu.data(), static_cast<std::streamsize>(contenu.size()));
}

std::string LitOctets(const std::string& chemin)
{
    std::ifstream f(chemin, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

int CompteLignesCrLf(std::string_view contenu)
{
    int lignes = 0;
    for (std::size_t i = 0; i < contenu.size(); ++i) {
        if (contenu[i] == '\n') {
            EXPECT_TRUE(i > 0 && contenu[i - 1] == '\r') << "bare LF at byte " << i;
            ++lignes;
        } else if (contenu[i] == '\r') {
            EXPECT_TRUE(i + 1 < contenu.size() && contenu[i + 1] == '\n')
                << "bare CR at byte " << i;
        }
    }
    EXPECT_TRUE(contenu.empty() || contenu.back() == '\n') << "last line has no line end";
    return lignes;
}

} // namespace tavo::test
