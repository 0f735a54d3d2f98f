// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include <QString>

namespace tavo {

/** A record's Windows-1252 text as a QString. */
QString Texte(const char* cp1252);

/** A QString as Windows-1252 bytes for a record (characters it cannot hold become '?'). */
std::string VersCp1252(const QString& texte);

/** A path as the file functions of the core take it (the local 8-bit encoding). */
std::string CheminNatif(const QString& chemin);

} // namespace tavo
