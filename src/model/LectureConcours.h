// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

namespace tavo {

/** Why a competition file could not be read. */
enum class CodeLecture
{
    Ok,
    FichierIntrouvable, ///< cannot be opened (missing, unreadable, a directory)
    PasUnFichier,       ///< a device, a pipe or a socket: never read
    FichierTropGrand,   ///< larger than any competition memory could hold
    FinPrematuree,      ///< the text ends before the last judge
    NombreAttendu,      ///< text where a number belongs
    NombreHorsLimites,  ///< a number too large or negative for its field
};

/** Outcome of reading a competition file, with the line where it went wrong. */
struct ResultatLecture
{
    CodeLecture code = CodeLecture::Ok;
    std::size_t ligne = 0;

    explicit operator bool() const { return code == CodeLecture::Ok; }
};

/** The reason in French (UTF-8), for the messages of the program and the command line. */
std::string MessageLecture(const ResultatLecture& resultat);

} // namespace tavo
