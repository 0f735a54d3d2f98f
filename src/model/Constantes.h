// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

/** Fixed limits of a competition; they size every marks grid. */
constexpr int MAX_JUGES = 5;            ///< judges in a competition
constexpr int MAX_VOLS = 7;             ///< flights (rounds) in a competition
constexpr int MAX_FIGURES = 25;         ///< figure lines of one flight in the grid
constexpr int MAX_FIGURES_FICHIER = 24; ///< figures read from one programme file
constexpr int MAX_FLYOFFS = 4;          ///< fly-offs after the qualifying flights

/** Longest text taken from one line of a file. */
constexpr int MAX_LIGNE_FICHIER = 254;
