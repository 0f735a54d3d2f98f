// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include <QByteArray>
#include <QImage>
#include <QString>

namespace tavo {

/** The largest picture read (a splash, the federation's bitmap). */
constexpr std::uint64_t TAILLE_MAX_IMAGE = std::uint64_t{64} << 20;

/**
 * Reads a whole file as every file the program opens is read: only a regular
 * file (a pipe or a device is never waited on), never more than `tailleMax`
 * bytes. A Qt resource (":/...") is read from the program itself. False,
 * `contenu` left as it was, when it cannot be read so.
 */
bool LitFichierBorne(const QString& chemin, QByteArray& contenu, std::uint64_t tailleMax);

/** A picture file read that way; a null image when it cannot be read or decoded. */
QImage LitImage(const QString& chemin);

} // namespace tavo
