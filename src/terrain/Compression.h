// SPDX-License-Identifier: GPL-3.0-or-later
// Compressed forms of the results site: each file gzip-compressed once, the whole site as a zip.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavo::terrain {

/** `octets` compressed in the gzip format (RFC 1952). */
std::string Gzip(std::string_view octets);

/** A zip archive of these files (name, content), each deflated; names are UTF-8. */
std::string Zip(const std::vector<std::pair<std::string, std::string>>& fichiers);

} // namespace tavo::terrain
