// SPDX-License-Identifier: GPL-3.0-or-later
// Compressed forms of the results site: each file gzip-compressed once, the whole site as a zip.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavo::terrain {

/** `octets` compressed in the gzip format (RFC 1952). */
std::string Gzip(std::string_view octets);

/** `octets` deflated fast, to be kept in memory until `Detasse` gives them back. */
std::string Tasse(std::string_view octets);
/** The `taille` bytes that `Tasse` made `donnees` of; throws when they are not. */
std::string Detasse(std::string_view donnees, std::size_t taille);

/** A zip archive made one file at a time: each deflated as it comes, its text not kept. */
class TArchiveZip
{
public:
    TArchiveZip();
    /** Adds a file; `nom` is UTF-8. */
    void Ajoute(const std::string& nom, std::string_view contenu);
    /** The whole archive; the object is then empty. */
    std::string Termine();

private:
    std::string m_archive, m_repertoire;
    std::uint64_t m_nombre = 0;
    std::uint16_t m_heure = 0, m_date = 0;
};

/** A zip archive of these files (name, content), each deflated; names are UTF-8. */
std::string Zip(const std::vector<std::pair<std::string, std::string>>& fichiers);

} // namespace tavo::terrain
