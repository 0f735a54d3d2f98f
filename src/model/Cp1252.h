// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tavo {

/**
 * Conversion between the Windows-1252 bytes the records hold and UTF-8.
 * Every one of the 256 bytes converts: the five bytes the code page leaves
 * undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same
 * value, so a round trip through UTF-8 gives back the same bytes.
 */
std::string Cp1252VersUtf8(std::string_view cp1252);

/**
 * UTF-8 to Windows-1252. A character the code page cannot hold, or a byte
 * that is not valid UTF-8, becomes '?'.
 */
std::string Utf8VersCp1252(std::string_view utf8);

/** Whether Windows-1252 holds the code point (the C1 controls of its undefined bytes included). */
bool DansCp1252(char32_t cp);

/** The Unicode code point of one Windows-1252 byte. */
char32_t CodePointCp1252(unsigned char octet);

} // namespace tavo
