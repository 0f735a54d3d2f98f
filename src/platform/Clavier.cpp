// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Clavier.h"

#include <QKeyEvent>

namespace tavo {

namespace {

int pave(int touche)
{
    if (touche >= Qt::Key_0 && touche <= Qt::Key_9)
        return VK_NUMPAD0 + (touche - Qt::Key_0);
    switch (touche) {
    case Qt::Key_Plus:
        return VK_ADD;
    case Qt::Key_Minus:
        return VK_SUBTRACT;
    case Qt::Key_Asterisk:
        return VK_MULTIPLY;
    case Qt::Key_Slash:
        return VK_DIVIDE;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return VK_DECIMAL;
    case Qt::Key_Enter:
        return VK_RETURN;
    default:
        return VK_AUCUNE;
    }
}

// Keys of the digit row that only a French layout gives without Shift: "à", "é", "è", "ç".
// The others ("&", "\"", "'", "(", "-", "_") are keys of their own elsewhere, so they are
// only taken from the key's position.
int chiffreAzerty(int touche)
{
    switch (touche) {
    case Qt::Key_Agrave:
        return 0;
    case Qt::Key_Eacute:
        return 2;
    case Qt::Key_Egrave:
        return 7;
    case Qt::Key_Ccedilla:
        return 9;
    default:
        return -1;
    }
}

// Position of a key of the digit row, from the XKB key code (X11 and Wayland): 10 to 18 are
// the keys 1 to 9, 19 the key 0, whatever the layout and the shift state.
int chiffrePosition(quint32 codeNatif)
{
    if (codeNatif >= 10 && codeNatif <= 18)
        return static_cast<int>(codeNatif) - 9;
    if (codeNatif == 19)
        return 0;
    return -1;
}

// The two keys right of the digit row, from the XKB key code: 20 and 21.
int signePosition(quint32 codeNatif)
{
    if (codeNatif == 20)
        return VK_OEM_MINUS;
    if (codeNatif == 21)
        return VK_OEM_PLUS;
    return VK_AUCUNE;
}

int signe(int touche)
{
    switch (touche) {
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return VK_OEM_PLUS;
    case Qt::Key_Minus:
        return VK_OEM_MINUS;
    default:
        return VK_AUCUNE;
    }
}

int navigation(int touche)
{
    switch (touche) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    default:
        return VK_AUCUNE;
    }
}

} // namespace

int CodeVirtuel(const QKeyEvent& event)
{
    const int touche = event.key();
    if (event.modifiers() & Qt::KeypadModifier) {
        // With Num Lock off the keypad sends navigation keys.
        const int code = pave(touche);
        return code != VK_AUCUNE ? code : navigation(touche);
    }
    if (const int code = navigation(touche); code != VK_AUCUNE)
        return code;
    if (const int chiffre = chiffrePosition(event.nativeScanCode()); chiffre >= 0)
        return VK_0 + chiffre;
    if (const int code = signePosition(event.nativeScanCode()); code != VK_AUCUNE)
        return code;
    if (touche >= Qt::Key_0 && touche <= Qt::Key_9)
        return VK_0 + (touche - Qt::Key_0);
    if (const int chiffre = chiffreAzerty(touche); chiffre >= 0)
        return VK_0 + chiffre;
    // Without a key position (a platform that gives none), "-" may be the AZERTY digit 6.
    if (event.nativeScanCode() == 0 && touche == Qt::Key_Minus)
        return VK_AUCUNE;
    return signe(touche);
}

} // namespace tavo
