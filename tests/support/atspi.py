# SPDX-License-Identifier: GPL-3.0-or-later
"""Reading and driving a running program through the AT-SPI tree, as a screen reader does."""
import os
import sys
import subprocess
import threading
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402,F401

def enfants(noeud):
    try:
        n = noeud.get_child_count()
    except Exception:
        return []
    resultat = []
    for i in range(n):
        try:
            enfant = noeud.get_child_at_index(i)
        except Exception:
            enfant = None
        if enfant is not None:
            resultat.append(enfant)
    return resultat


def parcours(noeud, profondeur=0):
    yield noeud, profondeur
    if profondeur < 40:
        for enfant in enfants(noeud):
            yield from parcours(enfant, profondeur + 1)


def attend(condition, delai=20.0):
    fin = time.monotonic() + delai
    while time.monotonic() < fin:
        trouve = condition()
        if trouve is not None:
            return trouve
        time.sleep(0.2)
    return None


def application(pid):
    bureau = Atspi.get_desktop(0)
    for app in enfants(bureau):
        try:
            if app.get_process_id() == pid:
                return app
        except Exception:
            pass
    return None


def cherche(racine, roles, nom):
    roles = roles if isinstance(roles, set) else {roles}
    for noeud, _ in parcours(racine):
        try:
            if noeud.get_role() in roles and noeud.get_name() == nom:
                return noeud
        except Exception:
            pass
    return None


def actionne(noeud):
    # A command that opens a modal dialog answers only when the dialog closes: not waited for.
    def action():
        try:
            Atspi.Action.do_action(noeud, 0)
        except gi.repository.GLib.Error:
            pass  # no answer in time: the tree tells what happened

    threading.Thread(target=action, daemon=True).start()


def menu(app, chemin):
    """Opens each menu of the path and presses its last item."""
    courant = app
    for i, nom in enumerate(chemin):
        noeud = attend(lambda: cherche(courant, {Atspi.Role.MENU, Atspi.Role.MENU_ITEM}, nom), 10)
        if noeud is None:
            for n, p in parcours(app):
                print(f"{'  ' * p}{n.get_role_name()}: {n.get_name()!r}", file=sys.stderr)
            raise SystemExit(f"menu « {' / '.join(chemin[: i + 1])} » introuvable")
        actionne(noeud)
        courant = noeud
        time.sleep(0.5)


def dialogue(app, titre):
    return attend(lambda: cherche(app, Atspi.Role.DIALOG, titre))


def lance(commande, **kwargs):
    """Starts a program with Qt's accessibility on, on the X server of the run."""
    env = dict(kwargs.pop("env", os.environ), QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               QT_ACCESSIBILITY="1")
    env.pop("QT_QPA_PLATFORM", None)
    return subprocess.Popen(commande, env=env, **kwargs)


def trouve_application(programme):
    """The program's accessible application, never cached (menus fill when they open)."""
    app = attend(lambda: application(programme.pid))
    if app is not None:
        app.set_cache_mask(Atspi.Cache.NONE)
    return app


def vue(app, entete):
    """The drawn view whose name starts with `entete` and that tells its text."""
    for noeud, _ in parcours(app):
        try:
            if noeud.get_name().upper().startswith(entete) and noeud.get_description():
                return noeud
        except Exception:
            pass
    return None
