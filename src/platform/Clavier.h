// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QKeyEvent;

namespace tavo {

/**
 * Virtual-key codes of key-down messages: the key itself, whatever the shift
 * state. Keypad keys have codes of their own; with Num Lock off the keypad
 * digits arrive as the navigation keys they stand for.
 */
enum CodeTouche : int
{
    VK_AUCUNE = 0,
    VK_RETURN = 0x0D,
    VK_ESCAPE = 0x1B,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_0 = 0x30,       ///< main keyboard digits: VK_0 + n
    VK_NUMPAD0 = 0x60, ///< keypad digits: VK_NUMPAD0 + n
    VK_MULTIPLY = 0x6A,
    VK_ADD = 0x6B,
    VK_SUBTRACT = 0x6D,
    VK_DECIMAL = 0x6E,
    VK_DIVIDE = 0x6F,
    VK_OEM_PLUS = 0xBB,  ///< the main keyboard's "=" and "+" key, second right of 0
    VK_OEM_MINUS = 0xBD, ///< the key right of 0: "-" in QWERTY, ")" in AZERTY
};

/**
 * The virtual-key code of a key press; VK_AUCUNE for keys the program does not
 * use. A key of the main digit row is its digit whatever the layout and the
 * shift state (on a French keyboard the key of "à" is 0), taken from the key's
 * position where the platform gives it. So are the two keys right of the
 * digit row: VK_OEM_MINUS and VK_OEM_PLUS.
 */
int CodeVirtuel(const QKeyEvent& event);

} // namespace tavo
