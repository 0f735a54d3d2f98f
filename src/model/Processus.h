// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tavo {

/** This process's number. */
long long NumeroProcessus();

/**
 * What tells a process apart from a later one that got the same number: the
 * boot it runs in and its start time, as "<boot id> <start time>"; empty
 * where the system does not say (then only the number is known).
 */
std::string DemarrageProcessus(long long pid);

/**
 * Whether the process `pid` that started as `demarrage` (from
 * `DemarrageProcessus`, possibly empty) still runs on this computer. A live
 * process of that number that started at another time, or in another boot, is
 * another process: false. True when the system cannot tell.
 */
bool ProcessusVivant(long long pid, std::string_view demarrage);

/** This computer's name, as locks and journals record it ("?" when unknown). */
std::string NomOrdinateur();

} // namespace tavo
