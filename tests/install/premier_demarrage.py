#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The installed program's first start from the desktop's menu, driven as a user would.

Run inside a session bus and an X server (dbus-run-session -- xvfb-run ...):
    premier_demarrage.py PREFIX
Starts PREFIX/bin/tavo in an empty home folder (its current directory, as the menu does),
with no other installed data in sight, on the installed demo competition. Checks that it
made the user's folders with the installed programmes and wrote nothing into the home folder
itself, shows the ranking after one flight, and prints the competition report into a PDF
file through the print dialog: the federation's logo must be on it. Exit 77 when the
accessibility bus cannot be had (the test is then skipped).
"""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from atspi import Atspi, actionne, attend, cherche, dialogue, lance, menu  # noqa: E402
from atspi import trouve_application, vue  # noqa: E402


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 64
    prefixe = os.path.abspath(sys.argv[1])
    with tempfile.TemporaryDirectory() as maison:
        env = {k: v for k, v in os.environ.items()
               if k not in ("XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME")}
        env.update(HOME=maison, XDG_DATA_DIRS="/nonexistent")
        demo = os.path.join(prefixe, "share/tavo/Concours/demo.ccr")
        programme = lance([os.path.join(prefixe, "bin/tavo"), demo], cwd=maison, env=env)
        try:
            return verifie(programme, maison)
        finally:
            programme.kill()
            programme.wait()


def verifie(programme, maison):
    app = trouve_application(programme)
    if app is None:
        print("tavo n'apparaît pas sur le bus d'accessibilité", file=sys.stderr)
        return 77
    erreurs = []
    donnees = os.path.join(maison, ".local/share/tavo")
    vols = sorted(os.listdir(os.path.join(donnees, "Vols")))
    if vols != ["F3A_F27.txt", "F3A_P27.txt", "F3C_P27.txt", "VGM_2026.txt"]:
        erreurs.append(f"programmes copiés : {vols}")
    if os.listdir(os.path.join(donnees, "Concours")):
        erreurs.append("« Concours » n'est pas vide")
    propres = sorted(f for f in os.listdir(maison) if not f.startswith("."))
    if propres:
        erreurs.append(f"écrit dans le dossier personnel : {propres}")

    menu(app, ["Affichage", "Classement des pilotes", "Après 1 vol"])
    classement = attend(lambda: vue(app, "CLASSEMENT DES PILOTES"), 10)
    if classement is None or "Lambert Mathieu" not in classement.get_description():
        erreurs.append("le classement après 1 vol n'est pas montré")

    pdf = os.path.join(tempfile.gettempdir(), f"tavo-pv-{os.getpid()}.pdf")
    menu(app, ["Impression", "Procès-verbal de concours"])
    boite = dialogue(app, "Imprimer")
    if boite is None:
        raise SystemExit("le dialogue « Imprimer » n'apparaît pas")
    fichier = attend(lambda: cherche(boite, Atspi.Role.TEXT, "Fichier de sortie :"), 10)
    imprimer = cherche(boite, Atspi.Role.PUSH_BUTTON, "Imprimer")
    if fichier is None or imprimer is None:
        raise SystemExit("le dialogue « Imprimer » n'offre pas l'impression dans un fichier")
    Atspi.EditableText.set_text_contents(fichier, pdf)
    actionne(imprimer)
    if attend(lambda: True if os.path.exists(pdf) and os.path.getsize(pdf) > 0 else None) is None:
        erreurs.append("le procès-verbal n'a pas été imprimé")
    else:
        images = subprocess.run(["pdfimages", "-list", pdf], capture_output=True, text=True)
        lignes = images.stdout.splitlines()[2:]
        if not lignes:
            erreurs.append("le procès-verbal n'a pas le logo de la fédération")
        texte = subprocess.run(["pdftotext", pdf, "-"], capture_output=True, text=True).stdout
        print(f"procès-verbal : {len(lignes)} image(s), {texte.split(chr(10))[0]!r}")
        os.remove(pdf)
    for e in erreurs:
        print(e, file=sys.stderr)
    return 1 if erreurs else 0


if __name__ == "__main__":
    sys.exit(main())
