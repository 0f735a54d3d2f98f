// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace tavo {

/**
 * Whether Caps Lock (true) or Num Lock (false) is locked on, read from the
 * window system's keyboard state (XKB under X11); empty where the platform
 * cannot tell (Wayland, offscreen, other systems).
 */
std::optional<bool> VerrouActif(bool majuscules);

} // namespace tavo
