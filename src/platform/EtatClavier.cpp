// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/EtatClavier.h"

#include <QGuiApplication>

#if defined(TAVO_AVEC_X11) && QT_CONFIG(xcb)
#define TAVO_XKB
#include <QtGui/qguiapplication_platform.h>
// Xlib after Qt: its macros (None, Bool, Status...) would clash with Qt's names.
#include <X11/XKBlib.h>
#include <X11/keysym.h>
#endif

namespace tavo {

std::optional<bool> VerrouActif(bool majuscules)
{
#ifdef TAVO_XKB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* affichage = x11 ? x11->display() : nullptr;
    if (affichage == nullptr)
        return std::nullopt;
    // The locked modifiers, not the LEDs: a keyboard may have no LED, a remote one is not ours.
    const unsigned masque =
        majuscules ? static_cast<unsigned>(LockMask) : XkbKeysymToModifiers(affichage, XK_Num_Lock);
    XkbStateRec etat{};
    if (masque == 0 || XkbGetState(affichage, XkbUseCoreKbd, &etat) != Success)
        return std::nullopt;
    return (etat.locked_mods & masque) != 0;
#else
    (void)majuscules;
    return std::nullopt;
#endif
}

} // namespace tavo
