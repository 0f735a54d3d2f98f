// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Clavier.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

using namespace tavo;

namespace {

int code(int touche, Qt::KeyboardModifiers modificateurs = Qt::NoModifier, quint32 position = 0)
{
    const QKeyEvent event(QEvent::KeyPress, touche, modificateurs, position, 0, 0);
    return CodeVirtuel(event);
}

} // namespace

TEST(Clavier, keypadAndMainKeyboardDigitsAreToldApart)
{
    EXPECT_EQ(code(Qt::Key_7, Qt::KeypadModifier), VK_NUMPAD0 + 7);
    EXPECT_EQ(code(Qt::Key_7), VK_0 + 7);
    EXPECT_EQ(code(Qt::Key_0), VK_0);
    EXPECT_EQ(code(Qt::Key_Plus, Qt::KeypadModifier), VK_ADD);
    EXPECT_EQ(code(Qt::Key_Minus, Qt::KeypadModifier), VK_SUBTRACT);
    EXPECT_EQ(code(Qt::Key_Enter, Qt::KeypadModifier), VK_RETURN);
    // The shift state does not matter: Shift+7 is still the 7 key.
    EXPECT_EQ(code(Qt::Key_7, Qt::ShiftModifier), VK_0 + 7);
}

TEST(Clavier, frenchDigitRowWithoutShiftGivesItsDigits)
{
    EXPECT_EQ(code(Qt::Key_Agrave), VK_0);
    EXPECT_EQ(code(Qt::Key_Egrave), VK_0 + 7);
    // By position: "&" is the 1 key and "-" the 6 key of a French keyboard...
    EXPECT_EQ(code(Qt::Key_Ampersand, Qt::NoModifier, 10), VK_0 + 1);
    EXPECT_EQ(code(Qt::Key_Minus, Qt::NoModifier, 15), VK_0 + 6);
    // ...but the minus key of another layout is no digit, nor is Shift+7 giving "&".
    EXPECT_EQ(code(Qt::Key_Minus, Qt::NoModifier, 20), VK_OEM_MINUS);
    EXPECT_EQ(code(Qt::Key_ParenRight, Qt::NoModifier, 20), VK_OEM_MINUS);
    EXPECT_EQ(code(Qt::Key_Minus), VK_AUCUNE); // without its position it may be the 6 key
    EXPECT_EQ(code(Qt::Key_Ampersand, Qt::ShiftModifier, 16), VK_0 + 7);
    EXPECT_EQ(code(Qt::Key_Ampersand, Qt::ShiftModifier), VK_AUCUNE);
}

TEST(Clavier, keypadWithNumLockOffSendsNavigationKeys)
{
    EXPECT_EQ(code(Qt::Key_Home, Qt::KeypadModifier), VK_HOME);
    EXPECT_EQ(code(Qt::Key_Up, Qt::KeypadModifier), VK_UP);
    EXPECT_EQ(code(Qt::Key_Escape), VK_ESCAPE);
    EXPECT_EQ(code(Qt::Key_Return), VK_RETURN);
    EXPECT_EQ(code(Qt::Key_A), VK_AUCUNE);
    // The main keyboard's "+" is a key of its own, not the keypad's.
    EXPECT_EQ(code(Qt::Key_Plus), VK_OEM_PLUS);
    EXPECT_EQ(code(Qt::Key_Equal), VK_OEM_PLUS);
}
