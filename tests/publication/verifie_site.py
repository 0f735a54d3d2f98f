#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Publishes a competition with tavo-cli and checks the site: every page parses as HTML5
without a single parse error (html5lib, strict), every local link and anchor resolves, and
the numbers of the ranking pages are those tavo-cli writes for the same views.

Usage: verifie_site.py TAVO_CLI FILE.ccr PROGRAMMES_DIR OUT_DIR
"""
import os
import re
import shutil
import subprocess
import sys
from urllib.parse import urldefrag

import html5lib

NOMBRE = re.compile(r"^-?\d+(\.\d+)?$")
XHTML = "{http://www.w3.org/1999/xhtml}"


def cli(tavo, *arguments):
    return subprocess.run([tavo, *arguments], check=True, capture_output=True,
                          text=True).stdout


def texte(element):
    return "".join(element.itertext()).strip()


def nombres_tables(arbre):
    """The numbers of each table's body, row by row, in reading order."""
    tables = []
    for table in arbre.iter(XHTML + "table"):
        nombres = []
        for corps in table.iter(XHTML + "tbody"):
            for cellule in corps.iter():
                if cellule.tag in (XHTML + "td", XHTML + "th") and NOMBRE.match(texte(cellule)):
                    nombres.append(texte(cellule))
        tables.append(nombres)
    return tables


def nombres_cli(sortie):
    """The numbers of a view's rows in tavo-cli's text: the subtitle, a blank line, the column
    heads, then the rows."""
    lignes = sortie.splitlines()
    sous_titre = next(i for i, l in enumerate(lignes) if re.match(r"^\((après|sur le vol) ", l))
    return [mot for l in lignes[sous_titre + 3:] for mot in l.split() if NOMBRE.match(mot)]


def main():
    tavo, concours, programmes, sortie = sys.argv[1:5]
    shutil.rmtree(sortie, ignore_errors=True)
    print(cli(tavo, "publier", concours, sortie, "--programmes", programmes), end="")
    pages = sorted(f for f in os.listdir(sortie) if f.endswith(".html"))
    erreurs = []
    arbres = {}
    for page in pages:
        analyseur = html5lib.HTMLParser(strict=True, namespaceHTMLElements=True)
        with open(os.path.join(sortie, page), "rb") as flux:
            try:
                arbres[page] = analyseur.parse(flux)
            except Exception as e:  # html5lib's ParseError names the first fault
                erreurs.append(f"{page}: HTML invalide: {e}")
    for page, arbre in arbres.items():
        ids = {e.get("id") for e in arbre.iter() if e.get("id")}
        for element in arbre.iter():
            for attribut in ("href", "src"):
                cible = element.get(attribut)
                if not cible or cible.startswith("http://www.w3.org/"):
                    continue
                if re.match(r"^[a-z]+:", cible) or cible.startswith("//"):
                    erreurs.append(f"{page}: ressource extérieure {cible}")
                    continue
                fichier, ancre = urldefrag(cible)
                if fichier and not os.path.isfile(os.path.join(sortie, fichier)):
                    erreurs.append(f"{page}: lien mort {cible}")
                if ancre and not fichier and ancre not in ids:
                    erreurs.append(f"{page}: ancre absente {cible}")
    if "index.html" not in arbres or not os.path.isfile(os.path.join(sortie, "style.css")):
        erreurs.append("index.html ou style.css manque")

    commun = ["--programmes", programmes]
    vues = []
    for page in pages:
        if m := re.fullmatch(r"vol-(\d)\.html", page):
            vues.append((page, 0, ["classement", "--vols", m[1]]))
        elif m := re.fullmatch(r"flyoff-(\d)\.html", page):
            vues.append((page, 0, ["flyoff", "--flyoffs", m[1]]))
        elif m := re.fullmatch(r"juges-vol-(\d)\.html", page):
            vues.append((page, 0, ["juges", "--vol", m[1]]))
            vues.append((page, 1, ["accord", "--vol", m[1]]))
        elif m := re.fullmatch(r"profil-vol-(\d)\.html", page):
            vues.append((page, 0, ["profil", "--vol", m[1]]))
    for page, table, vue in vues:
        attendus = nombres_cli(cli(tavo, vue[0], concours, *vue[1:], *commun))
        publies = nombres_tables(arbres[page])[table] if page in arbres else []
        if not attendus or publies != attendus:
            erreurs.append(f"{page}: les nombres diffèrent de tavo-cli {' '.join(vue)}")
    if not vues:
        erreurs.append("aucune page de classement")

    for erreur in erreurs:
        print(erreur)
    print(f"{len(pages)} pages, {len(vues)} vues comparées, {len(erreurs)} erreurs")
    return 1 if erreurs else 0


if __name__ == "__main__":
    sys.exit(main())
