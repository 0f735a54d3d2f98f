#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The live results of `tavo-cli terrain`, in a real browser at phone size.

From the index a reader follows the latest ranking: every total fits a 390 px and a 360 px
phone. A pilot's page gives `tavo-cli classement`'s rank. Five judges send a sheet of flight 1
through their API: the open ranking shows the new totals within seconds, without a reload.
Every page passes axe-core (no serious or critical violation), shows no "-0" and logs no error.

usage: resultats_direct.py TAVO-CLI DATA-DIR SCREENSHOT-DIR AXE-JS
"""
import io
import os
import re
import shutil
import sys
import time
import urllib.request
import zipfile

from selenium.common.exceptions import TimeoutException
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

import commun
from commun import Serveur, api, cli_json, echecs, navigateur, verifie

CLI, DONNEES, CAPTURES, AXE = sys.argv[1:5]
os.makedirs(CAPTURES, exist_ok=True)
TMP, CCR, VOLS, PORT = commun.prepare(CLI, DONNEES, "tavo-direct-")
BASE = "http://127.0.0.1:%d/" % PORT
with open(AXE, encoding="utf-8") as f:
    AXE_SOURCE = f.read()


def ecran(driver, largeur, hauteur=844):
    """A phone `largeur` CSS pixels wide."""
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": largeur, "height": hauteur, "deviceScaleFactor": 2, "mobile": True})


erreurs = []


def ouvre(driver, page):
    driver.get(BASE + page)
    WebDriverWait(driver, 15).until(
        lambda d: d.execute_script("return document.readyState") == "complete")
    console(driver, page)


def console(driver, page):
    erreurs.extend("%s: %s" % (page, e["message"]) for e in driver.get_log("browser")
                   if e["level"] == "SEVERE" and "favicon.ico" not in e["message"])


def capture(driver, nom):
    """The whole page at 390 px, as tall as it is."""
    hauteur = driver.execute_script("return document.documentElement.scrollHeight")
    ecran(driver, 390, max(844, min(hauteur, 8000)))
    driver.save_screenshot(os.path.join(CAPTURES, nom + ".png"))
    ecran(driver, 390)


def totaux_dans_l_ecran(driver, page):
    """The Total of the first and last pilots lie inside the width; nothing scrolls sideways."""
    mesure = driver.execute_script("""
        const lignes = document.querySelectorAll('table.repli tbody tr');
        const boite = (tr) => {
          window.scrollTo(0, window.scrollY + tr.getBoundingClientRect().top - 100);
          const r = tr.querySelector('td.total').getBoundingClientRect();
          return [r.left, r.right];
        };
        const m = {largeur: window.innerWidth, document: document.documentElement.scrollWidth,
                   lignes: lignes.length, premier: boite(lignes[0]),
                   dernier: boite(lignes[lignes.length - 1])};
        window.scrollTo(0, 0);
        return m;""")
    w = mesure["largeur"]
    dedans = all(g >= 0 and d <= w for g, d in (mesure["premier"], mesure["dernier"]))
    verifie(dedans and mesure["document"] <= w,
            "%s at %d px: first and last totals inside, no sideways scroll (%s)"
            % (page, w, mesure))


MOINS_ZERO = re.compile(r"^-0([.,]0*)?$")


def sans_moins_zero(driver, page):
    textes = driver.execute_script(
        "return [...document.querySelectorAll('main td, main th')].map(c => c.textContent.trim())")
    fautifs = [t for t in textes if MOINS_ZERO.match(t)]
    verifie(textes and not fautifs, "%s: no -0 among %d cells %s" % (page, len(textes), fautifs))


AXE_RUN = """
const fini = arguments[arguments.length - 1];
axe.run(document, {runOnly: {type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa',
                                                   'wcag22aa', 'best-practice']}})
  .then(r => fini(r.violations.map(v => ({id: v.id, impact: v.impact, aide: v.help,
      noeuds: v.nodes.length,
      exemples: v.nodes.slice(0, 3).map(n => ({cible: n.target.join(' '), html: n.html}))}))))
  .catch(e => fini([{id: 'axe-error', impact: 'critical', aide: String(e), noeuds: 0,
                     exemples: []}]));
"""


def accessible(driver, page):
    driver.execute_script(AXE_SOURCE)
    violations = driver.execute_async_script(AXE_RUN)
    graves = [v for v in violations if v["impact"] in ("serious", "critical")]
    for v in violations:
        print("     axe %s %s [%s] %s (%d)" % (page, v["id"], v["impact"], v["aide"], v["noeuds"]))
        for e in v["exemples"]:
            print("         %s  %s" % (e["cible"], e["html"][:160]))
    verifie(not graves, "%s: axe finds no serious or critical violation %s" %
            (page, [v["id"] for v in graves]))


def lignes_affichees(driver):
    return driver.execute_script("""
        return [...document.querySelectorAll('main table.repli tbody tr')].map(tr =>
          ['.rang', '.nom', '.total'].map(c => tr.querySelector(c).textContent.trim()));""")


def lignes_attendues(classement):
    return [[str(l["rang"]), "%s %s" % (l["nom"], l["prenom"]), "%.2f" % l["total"]]
            for l in classement["lignes"]]


def zip_page(page):
    with urllib.request.urlopen(BASE + "resultats.zip", timeout=10) as r:
        with zipfile.ZipFile(io.BytesIO(r.read())) as z:
            noms = [n for n in z.namelist() if n == page or n.endswith("/" + page)]
            return z.read(noms[0]).decode() if noms else ""


serveur = Serveur()
verifie(any(l.startswith("Résultats : http://") for l in serveur.lignes),
        "tavo-cli prints the results' address")
juges = sorted(serveur.liens)


def version_prete():
    try:
        with urllib.request.urlopen(BASE + "version", timeout=5) as r:
            return r.status == 200
    except OSError:
        return False


# The first version is built in the background: until then "/" asks the reader to wait.
fin = time.monotonic() + 120
while not version_prete() and time.monotonic() < fin:
    time.sleep(0.2)
driver = navigateur()
try:
    # The index, one tap to the latest ranking: it fits a phone.
    ouvre(driver, "")
    capture(driver, "index-390")
    accessible(driver, "index")
    driver.find_element(By.CSS_SELECTOR, "p.dernier a").click()
    WebDriverWait(driver, 15).until(lambda d: d.find_elements(By.CSS_SELECTOR, "table.repli"))
    dernier = driver.current_url.rsplit("/", 1)[1]
    console(driver, dernier)
    totaux_dans_l_ecran(driver, dernier)
    capture(driver, "dernier-classement-390")
    accessible(driver, dernier)
    # Chromium's phone emulation comes back with each load: narrow the loaded page.
    ecran(driver, 360, 780)
    WebDriverWait(driver, 5).until(lambda d: d.execute_script("return innerWidth") == 360)
    totaux_dans_l_ecran(driver, dernier)
    ecran(driver, 390)

    # Every ranking, judges' ranking and profile: fits (rankings), no -0.
    ouvre(driver, "")
    pages = driver.execute_script(
        "return [...document.querySelectorAll('nav a')].map(a => a.getAttribute('href'))"
        ".filter(h => /^(vol|flyoff|juges-vol|profil-vol)-\\d+\\.html$/.test(h))")
    verifie(len(pages) >= 10, "the index links every ranking and profile (%d)" % len(pages))
    for page in pages:
        ouvre(driver, page)
        if page.startswith(("vol-", "flyoff-")) and page != dernier:
            totaux_dans_l_ecran(driver, page)
        sans_moins_zero(driver, page)
    ouvre(driver, "vol-4.html")
    quatre = cli_json("classement", CCR, "--vols", "4")
    verifie(lignes_affichees(driver) == lignes_attendues(quatre),
            "vol-4.html: ranks, names and totals are tavo-cli classement's")
    ouvre(driver, "juges-vol-1.html")
    capture(driver, "juges-vol-1-390")
    accessible(driver, "juges-vol-1.html")
    for page in ("profil-vol-1.html", "juge-1.html", "tableau"):
        ouvre(driver, page)
        accessible(driver, page)
    capture(driver, "tableau-390")
    ecran(driver, 1920, 1080)
    driver.save_screenshot(os.path.join(CAPTURES, "tableau-1920.png"))
    ecran(driver, 390)

    # A pilot's page, one tap from the list of names: his rank is tavo-cli's.
    ouvre(driver, "")
    lien = driver.find_elements(By.CSS_SELECTOR, "ul.noms a")[0]
    dossard = re.search(r"dossard (\S+)$", lien.text).group(1)
    lien.click()
    WebDriverWait(driver, 15).until(lambda d: d.find_elements(By.CSS_SELECTOR, ".valeur-rang"))
    page_pilote = driver.current_url.rsplit("/", 1)[1]
    console(driver, page_pilote)
    bilan = driver.find_element(By.CSS_SELECTOR, ".bilan").text
    trouve = re.search(r"Rang après (\d+) vols? : (\d+) sur (\d+) – total (\S+)", bilan)
    verifie(trouve is not None, "%s tells the rank after the flights: %r" % (page_pilote, bilan))
    if trouve:
        classement = cli_json("classement", CCR, "--vols", trouve.group(1))
        ligne = [l for l in classement["lignes"] if l["dossard"] == dossard][0]
        verifie([trouve.group(2), trouve.group(3), trouve.group(4)] ==
                [str(ligne["rang"]), str(len(classement["lignes"])), "%.2f" % ligne["total"]],
                "bib %s: rank %s of %s, total %s as tavo-cli classement --vols %s" %
                (dossard, ligne["rang"], len(classement["lignes"]), "%.2f" % ligne["total"],
                 trouve.group(1)))
    sans_moins_zero(driver, page_pilote)
    capture(driver, "pilote-390")
    accessible(driver, page_pilote)

    # Five judges send a sheet of flight 1: the open ranking follows without a reload.
    avant = cli_json("classement", CCR, "--vols", "1")
    cible = avant["lignes"][-1]  # the last one, who will climb
    bib = cible["dossard"]
    ouvre(driver, "vol-1.html")
    verifie(lignes_affichees(driver) == lignes_attendues(avant),
            "vol-1.html is tavo-cli classement --vols 1 before the sheet")
    driver.execute_script("window.__marque = 1")
    maj_avant = driver.find_element(By.CSS_SELECTOR, "p.maj").text
    for juge in juges:
        feuille = api(serveur.liens[juge], "/api/juge/feuille?vol=1&dossard=" + bib)
        verifie(not feuille["envoyee"], "judge %d: the sheet of bib %s is still open" % (juge, bib))
        notes = [9 if 10 in l["valeurs"] else 0 for l in feuille["lignes"]]
        recues = [api(serveur.liens[juge], "/api/juge/note",
                      {"vol": 1, "dossard": bib, "ligne": l["ligne"], "note": n})
                  for l, n in zip(feuille["lignes"], notes)]
        reponse = api(serveur.liens[juge], "/api/juge/envoi", {"vol": 1, "dossard": bib,
                                                               "notes": notes})
        envoi = time.monotonic()
        verifie(recues == [{"ok": True}] * len(notes) and reponse == {"ok": True},
                "judge %d enters and sends the sheet" % juge)
    apres = cli_json("classement", CCR, "--vols", "1")
    nouveau = [l for l in apres["lignes"] if l["dossard"] == bib][0]
    verifie("%.2f" % nouveau["total"] != "%.2f" % cible["total"],
            "bib %s's total changes: %.2f -> %.2f, rank %d -> %d" %
            (bib, cible["total"], nouveau["total"], cible["rang"], nouveau["rang"]))
    attendu = lignes_attendues(apres)
    try:
        WebDriverWait(driver, 8, poll_frequency=0.1).until(
            lambda d: lignes_affichees(d) == attendu)
        delai = time.monotonic() - envoi
    except TimeoutException:
        delai = None
    verifie(delai is not None, "the open ranking shows the new totals (%s s after the last "
            "sending; aim: 5 s)" % ("%.1f" % delai if delai is not None else "more than 8"))
    if delai is not None and delai > 5:
        print("     note: slower than the 5 s aimed at (%.1f s)" % delai)
    verifie(driver.execute_script("return window.__marque") == 1, "the page was not reloaded")
    verifie(driver.find_element(By.CSS_SELECTOR, "p.maj").text != maj_avant,
            "the time of the update changed (%r -> %r)" %
            (maj_avant, driver.find_element(By.CSS_SELECTOR, "p.maj").text))
    console(driver, "vol-1.html (live)")
    verifie(any(l.startswith("Vol 1, dossard %s : " % bib) and l.endswith("(enregistré)")
                for l in serveur.sortie()), "the finished sheet is saved")
    verifie("%.2f" % nouveau["total"] in zip_page("vol-1.html"),
            "resultats.zip holds the new ranking")

    # Nothing went wrong in the browser.
    verifie(not erreurs, "no console error: %s" % erreurs)
except BaseException:
    serveur.p.kill()
    raise
finally:
    driver.quit()

# SIGTERM stops the server cleanly.
verifie(serveur.arrete() == 0, "SIGTERM stops the server with status 0")
shutil.rmtree(TMP, ignore_errors=True)
print("%d failed" % len(echecs))
sys.exit(1 if echecs else 0)
