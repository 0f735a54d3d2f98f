// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Printout.h"
#include "support/RecordingDC.h"

#include <string>
#include <vector>

#include <QString>
#include <QStringList>

/** Helpers of the printout tests: pages drawn on a recording device context. */
namespace tavo::test {

/** A4 at 254 dpi: one pixel is a tenth of a millimetre. */
constexpr int DPI = 254;
constexpr TSize A4_PORTRAIT{2100, 2970};
constexpr TSize A4_PAYSAGE{2970, 2100};

/** Every page the printer would ask for, each page's operations apart, as one rendering. */
std::vector<std::vector<TTrace>> Pages(TPrintout& printout, TSize page, int dpi = DPI);

/** The texts of a page, in drawing order. */
QStringList Textes(const std::vector<TTrace>& page);

/** The first text operation that drew exactly `texte`, or null. */
const TTrace* Cherche(const std::vector<TTrace>& page, const QString& texte);

/** The lines of a page: horizontal ones (top == bottom) or vertical ones. */
std::vector<TRect> Lignes(const std::vector<TTrace>& page, bool horizontales);

/**
 * The text of a PDF as `pdftotext -layout` reads it, pages apart by form feeds; only page
 * `page` when given. Empty when pdftotext (poppler-utils) is missing or fails.
 */
QString TextePdf(const QString& chemin, int page = 0);

/** A programme file of these figures (name, K), with the noise and conformity types. */
void EcritProgramme(const std::string& chemin,
                    const std::vector<std::pair<std::string, int>>& figures, int typeBruit,
                    int typeConformite);

} // namespace tavo::test
