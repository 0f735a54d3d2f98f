#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a screen reader hears of tavo, read from the AT-SPI tree.

Run inside a session bus and an X server (dbus-run-session -- xvfb-run ...):
    arbre_atspi.py TAVO DEMO.ccr PROGRAMMES
Starts TAVO on a copy of DEMO in a start-up directory of its own (its programmes in
PROGRAMMES), so that no other run finds the competition open:
the characteristics view tells its texts; every field of "Saisie, Pilotes" is named (the
dialog's tree is printed); the ranking after one flight tells its heading and rows. Exit 0
when all holds, 77 when the accessibility bus cannot be had (the test is then skipped).
"""
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from atspi import Atspi, actionne, attend, cherche, dialogue, lance, menu, parcours  # noqa: E402
from atspi import trouve_application, vue  # noqa: E402

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
PILOTES = "Pilotes du concours"


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 64
    tavo, demo, programmes = sys.argv[1:]
    with tempfile.TemporaryDirectory() as depart:
        with open(os.path.join(depart, "tavo.ini"), "w", newline="") as options:
            options.write("0\r\n0\r\n1\r\n1\r\n0\r\n" + depart + "\r\n" + programmes + "\r\n")
        env = dict(os.environ, HOME=depart, XDG_CONFIG_HOME=os.path.join(depart, "config"),
                   XDG_STATE_HOME=os.path.join(depart, "state"))
        copie = os.path.join(depart, os.path.basename(demo))
        shutil.copyfile(demo, copie)
        programme = lance([tavo, copie], cwd=depart, env=env)
        try:
            return verifie(programme)
        finally:
            programme.kill()
            programme.wait()


def verifie(programme):
    app = trouve_application(programme)
    if app is None:
        print("tavo n'apparaît pas sur le bus d'accessibilité", file=sys.stderr)
        return 77
    erreurs = []

    caracteristiques = attend(lambda: vue(app, "CARACTÉRISTIQUES DU CONCOURS"), 10)
    if caracteristiques is None or "Nombre de pilotes : " not in caracteristiques.get_description():
        erreurs.append("la vue des caractéristiques ne dit pas son texte")

    menu(app, ["Saisie", "Pilotes"])
    boite = dialogue(app, PILOTES)
    if boite is None:
        raise SystemExit(f"le dialogue « {PILOTES} » n'apparaît pas")
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
        attend(lambda: None if cherche(app, Atspi.Role.DIALOG, PILOTES) else True, 10)

    menu(app, ["Affichage", "Classement des pilotes", "Après 1 vol"])
    classement = attend(lambda: vue(app, "CLASSEMENT DES PILOTES"), 10)
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
