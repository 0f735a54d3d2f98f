#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a screen reader hears of tavo, read from the AT-SPI tree.

Run inside a session bus and an X server (dbus-run-session -- xvfb-run ...):
    arbre_atspi.py TAVO DEMO.ccr PROGRAMMES
Starts TAVO on DEMO in a start-up directory of its own (its programmes in PROGRAMMES), opens "Saisie, Pilotes" and checks
that every field of the dialog is named; closes it, shows the ranking after one flight and
checks the view tells its heading and rows. Prints the dialog's tree. Exit 0 when all holds,
77 when the accessibility bus cannot be had (the test is then skipped).
"""
import os
import subprocess
import sys
import tempfile
import threading
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

CHAMPS = {
    Atspi.Role.TEXT,
    Atspi.Role.ENTRY,
    Atspi.Role.PASSWORD_TEXT,
    Atspi.Role.COMBO_BOX,
    Atspi.Role.SPIN_BUTTON,
    Atspi.Role.CHECK_BOX,
    Atspi.Role.RADIO_BUTTON,
    Atspi.Role.PUSH_BUTTON,
    Atspi.Role.LIST,
    Atspi.Role.TABLE,
    Atspi.Role.TREE_TABLE,
    Atspi.Role.PAGE_TAB,
}


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


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 64
    tavo, demo, programmes = sys.argv[1:]
    with tempfile.TemporaryDirectory() as depart:
        with open(os.path.join(depart, "tavo.ini"), "w", newline="") as options:
            options.write("0\r\n0\r\n1\r\n1\r\n0\r\n" + depart + "\r\n" + programmes + "\r\n")
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                   HOME=depart, XDG_CONFIG_HOME=os.path.join(depart, "config"),
                   XDG_STATE_HOME=os.path.join(depart, "state"))
        env.pop("QT_QPA_PLATFORM", None)
        programme = subprocess.Popen([tavo, demo], cwd=depart, env=env)
        try:
            return verifie(programme)
        finally:
            programme.kill()
            programme.wait()


def verifie(programme):
    app = attend(lambda: application(programme.pid))
    if app is None:
        print("tavo n'apparaît pas sur le bus d'accessibilité", file=sys.stderr)
        return 77
    app.set_cache_mask(Atspi.Cache.NONE)  # menus fill when they open: always ask the program
    erreurs = []

    def vue(entete):
        for noeud, _ in parcours(app):
            try:
                if noeud.get_name().upper().startswith(entete) and noeud.get_description():
                    return noeud
            except Exception:
                pass
        return None

    caracteristiques = attend(lambda: vue("CARACTÉRISTIQUES DU CONCOURS"), 10)
    if caracteristiques is None or "Nombre de pilotes : " not in caracteristiques.get_description():
        erreurs.append("la vue des caractéristiques ne dit pas son texte")

    menu(app, ["Saisie", "Pilotes"])
    boite = dialogue(app, "Pilotes du concours")
    if boite is None:
        raise SystemExit("le dialogue « Pilotes du concours » n'apparaît pas")
    for noeud, profondeur in parcours(boite):
        role, nom = noeud.get_role(), noeud.get_name()
        print(f"{'  ' * profondeur}{noeud.get_role_name()}: {nom!r}")
        if role in CHAMPS and noeud.get_state_set().contains(Atspi.StateType.SHOWING) \
                and not nom.strip():
            erreurs.append(f"champ sans nom : {noeud.get_role_name()}")
    annuler = cherche(boite, Atspi.Role.PUSH_BUTTON, "Annuler")
    if annuler is None:
        erreurs.append("pas de bouton « Annuler »")
    else:
        actionne(annuler)
        attend(lambda: None if cherche(app, Atspi.Role.DIALOG, "Pilotes du concours") else True, 10)

    menu(app, ["Affichage", "Classement des pilotes", "Après 1 vol"])

    classement = attend(lambda: vue("CLASSEMENT DES PILOTES"), 10)
    if classement is None:
        erreurs.append("la vue du classement ne dit ni son titre ni ses lignes")
    else:
        print(f"vue : {classement.get_name()!r}")
        print(f"  {classement.get_description()[:200]!r}")
    for e in erreurs:
        print(e, file=sys.stderr)
    return 1 if erreurs else 0


if __name__ == "__main__":
    sys.exit(main())
