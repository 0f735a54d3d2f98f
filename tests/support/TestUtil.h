// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tavo::test {

/** A fresh directory under the system's temporary directory, removed afterwards. */
class RepertoireTemporaire
{
public:
    RepertoireTemporaire();
    ~RepertoireTemporaire();
    RepertoireTemporaire(const RepertoireTemporaire&) = delete;
    RepertoireTemporaire& operator=(const RepertoireTemporaire&) = delete;

    const std::filesystem::path& Chemin() const { return m_chemin; }
    std::string Fichier(std::string_view nom) const { return (m_chemin / nom).string(); }

private:
    std::filesystem::path m_chemin;
};

void EcritOctets(const std::string& chemin, std::string_view contenu);
std::string LitOctets(const std::string& chemin);
/** Number of CR LF terminated lines; fails the test on a bare LF or CR. */
int CompteLignesCrLf(std::string_view contenu);

} // namespace tavo::test
