#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Three judges' phones against `tavo-cli terrain`, in a real browser at phone size.

Each judge taps a whole sheet and sends it; the saved file holds exactly those marks and the
flight score is `tavo-cli classement`'s. Then the server stops in the middle of a sheet, the
judge goes on and sends, the server starts again: the sheet arrives once and whole. Then the
server is killed with SIGKILL after acknowledgements: every acknowledged mark comes back.

usage: juges_terrain.py TAVO-CLI DATA-DIR SCREENSHOT-DIR
"""
import os
import shutil
import signal
import sys
import time

from selenium.common.exceptions import WebDriverException
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select, WebDriverWait

import commun
from commun import Serveur, api, cli_json, echecs, navigateur, verifie

CLI, DONNEES, CAPTURES = sys.argv[1], sys.argv[2], sys.argv[3]
os.makedirs(CAPTURES, exist_ok=True)
TMP, CCR, VOLS, PORT = commun.prepare(CLI, DONNEES, "tavo-terrain-")


def feuille(dossard):
    return cli_json("feuille", CCR, "--vol", "1", "--dossard", dossard)


def attend(driver, condition, delai=15):
    try:
        return WebDriverWait(driver, delai, poll_frequency=0.1).until(lambda d: condition(d))
    except WebDriverException:
        driver.save_screenshot(os.path.join(CAPTURES, "echec.png"))
        print("state shown: %r" % [e.text for e in driver.find_elements(By.ID, "etat-envoi")],
          flush=True)
        raise


def etat(driver):
    return driver.find_element(By.ID, "etat-envoi").text


def ouvre(driver, lien, dossard):
    driver.get(lien)
    attend(driver, lambda d: d.find_element(By.ID, "choix").is_displayed())
    Select(driver.find_element(By.ID, "vol")).select_by_value("1")
    attend(driver, lambda d: dossard in [o.get_attribute("value") for o in
                                        Select(d.find_element(By.ID, "pilote")).options])
    Select(driver.find_element(By.ID, "pilote")).select_by_value(dossard)
    attend(driver, lambda d: d.find_element(By.ID, "saisie").is_displayed()
           and d.find_elements(By.CSS_SELECTOR, "#valeurs button"))


def lignes(driver):
    return len(driver.find_elements(By.CSS_SELECTOR, "#lignes > li"))


def tape(driver, valeur):
    """Taps the button of `valeur` on the current line: the page then moves to the next."""
    avant = driver.find_element(By.ID, "lc-rang").text
    boutons = driver.find_elements(By.CSS_SELECTOR, "#valeurs button")
    textes = [b.text for b in boutons]
    texte = str(valeur) if str(valeur) in textes else "+%d" % valeur
    boutons[textes.index(texte)].click()
    return avant


def marque(juge, ligne, valeurs):
    """The mark judge `juge` gives on line `ligne`: a figure's from 0 to 10, else 0."""
    return (juge * 3 + ligne) % 11 if 10 in valeurs else 0


def tape_feuille(driver, juge, de, a):
    """Taps lines de..a (from 1) of the sheet; returns their marks."""
    notes = {}
    for ligne in range(de, a + 1):
        attend(driver, lambda d: d.find_element(By.ID, "lc-rang").text.startswith(
            "Ligne %d " % ligne))
        valeurs = [int(b.text.replace("+", "")) for b in
                   driver.find_elements(By.CSS_SELECTOR, "#valeurs button")]
        notes[ligne] = marque(juge, ligne, valeurs)
        tape(driver, notes[ligne])
    return notes


def envoie(driver):
    attend(driver, lambda d: d.find_element(By.ID, "envoyer").is_enabled())
    driver.find_element(By.ID, "envoyer").click()
    attend(driver, lambda d: d.find_element(By.ID, "confirmer").is_displayed())
    driver.save_screenshot(os.path.join(CAPTURES, "recapitulatif.png"))
    driver.find_element(By.ID, "confirmer").click()


def erreurs_console(driver):
    try:
        return [e for e in driver.get_log("browser") if e["level"] == "SEVERE"
                and "favicon" not in e["message"]]
    except WebDriverException:
        return []


serveur = Serveur()
verifie(serveur.lignes[0].startswith("Adresse : http://"), "tavo-cli prints the address")
juges = sorted(serveur.liens)
verifie(len(juges) == 5, "one link per judge of the panel")
programme = api(serveur.liens[1], "/api/juge/feuille?vol=1&dossard=3")
N = len(programme["lignes"])

# 1. Three judges on their phones, two more by plain requests: pilot 3's whole sheet.
attendu = {}
for juge in (1, 2, 3):
    driver = navigateur()
    try:
        ouvre(driver, serveur.liens[juge], "3")
        verifie("Juge %d" % juge in driver.find_element(By.ID, "titre").text, "heading of judge %d" % juge)
        verifie(lignes(driver) == N, "every line of the sheet shown")
        if juge == 1:
            driver.save_screenshot(os.path.join(CAPTURES, "feuille-390.png"))
            petits = driver.execute_script(
                "return [...document.querySelectorAll('button')].filter(b => b.offsetParent &&"
                " (b.getBoundingClientRect().height < 48 || b.getBoundingClientRect().width < 48))"
                ".map(b => b.textContent)")
            verifie(not petits, "every button at least 48 px: %s" % petits)
            large = driver.execute_script("return document.documentElement.scrollWidth")
            verifie(large <= 390, "nothing wider than the phone (%d px)" % large)
        attendu[juge] = tape_feuille(driver, juge, 1, N)
        envoie(driver)
        attend(driver, lambda d: d.find_element(By.ID, "feuille-envoyee").is_displayed())
        attend(driver, lambda d: etat(d) == "Envoyée")
        verifie(not driver.find_elements(By.CSS_SELECTOR, "#valeurs button")
                or not driver.find_element(By.ID, "saisie").is_displayed(),
                "a sent sheet is read-only")
        if juge == 1:
            driver.save_screenshot(os.path.join(CAPTURES, "envoyee-390.png"))
        verifie(not erreurs_console(driver), "no console error (judge %d): %s" %
                (juge, erreurs_console(driver)))
    finally:
        driver.quit()
for juge in (4, 5):
    notes = [marque(juge, l["ligne"], l["valeurs"]) for l in programme["lignes"]]
    attendu[juge] = {i + 1: n for i, n in enumerate(notes)}
    verifie(api(serveur.liens[juge], "/api/juge/envoi",
                {"vol": 1, "dossard": "3", "notes": notes}) == {"ok": True}, "judge %d sends" % juge)
time.sleep(0.5)
verifie(any(l.startswith("Vol 1, dossard 3 : ") and l.endswith("(enregistré)")
            for l in serveur.sortie()), "the finished sheet is saved at once")
lue = feuille("3")
verifie(all(lue["lignes"][l - 1]["notes"][j - 1] == attendu[j][l]
            for j in juges for l in range(1, N + 1)), "the saved file holds exactly those marks")
classement = cli_json("classement", CCR, "--vols", "1")
score = [r for r in classement["lignes"] if r["dossard"] == "3"][0]["scores"][0]
verifie(abs(score - lue["score"]) < 1e-9 and score > 0,
        "the flight score is tavo-cli classement's (%s, %s)" % (score, lue["score"]))

# 2. The server stops in the middle of a sheet; the judge goes on, sends; the server comes back.
driver = navigateur()
try:
    ouvre(driver, serveur.liens[1], "7")
    notes = tape_feuille(driver, 1, 1, 3)
    attend(driver, lambda d: etat(d) == "Envoyée")
    boutons = lambda d: [b.rect for b in d.find_elements(By.CSS_SELECTOR, "#valeurs button")]
    avant = boutons(driver)
    verifie(serveur.arrete() == 0, "SIGTERM stops the server cleanly")
    # The network's loss is told without moving the buttons under the judge's finger.
    attend(driver, lambda d: d.find_element(By.ID, "connexion").is_displayed(), 30)
    verifie(boutons(driver) == avant, "the buttons stay where they were when the network drops")
    notes.update(tape_feuille(driver, 1, 4, N))
    envoie(driver)
    attend(driver, lambda d: etat(d) == "En attente du réseau")
    driver.save_screenshot(os.path.join(CAPTURES, "en-attente-390.png"))
    # The phone leaves the page while the network is down and opens it again once it is back:
    # what it had not sent is still on it, and goes.
    driver.get("about:blank")
    serveur = Serveur()
    driver.get(serveur.liens[1].split("#")[0])
    attend(driver, lambda d: etat(d) == "Envoyée", 30)
    attend(driver, lambda d: d.find_element(By.ID, "feuille-envoyee").is_displayed())
finally:
    driver.quit()
etat1 = api(serveur.liens[1], "/api/juge/etat")
verifie([p["envoyees"] for p in etat1["pilotes"] if p["dossard"] == "7"] == [[1]],
        "the sheet arrived once")
serveur.arrete()
lue = feuille("7")
recues = [l["notes"][0] for l in lue["lignes"]]
tapees = [notes[l] for l in range(1, N + 1)]
verifie(recues == tapees, "the sheet arrived whole (saved %s, tapped %s)" % (recues, tapees))

# 3. SIGKILL after acknowledgements: every acknowledged mark is recovered.
serveur = Serveur()
driver = navigateur()
try:
    ouvre(driver, serveur.liens[2], "12")
    notes = tape_feuille(driver, 2, 1, 5)
    attend(driver, lambda d: etat(d) == "Envoyée")
finally:
    driver.quit()
serveur.arrete(signal.SIGKILL)
serveur = Serveur()  # takes the journal back and saves
serveur.arrete()
lue = feuille("12")
verifie([lue["lignes"][l - 1]["notes"][1] for l in range(1, 6)] == [notes[l] for l in range(1, 6)],
        "every acknowledged mark survives kill -9")

shutil.rmtree(TMP, ignore_errors=True)
print("%d failed" % len(echecs))
sys.exit(1 if echecs else 0)
