// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tavo {

/**
 * Why a system call failed, in French (UTF-8), for the messages shown to the
 * user: the common file errors in our own words, the others as the system's
 * `strerror` gives them.
 */
std::string RaisonSysteme(int numeroErreur);

} // namespace tavo
