# SPDX-License-Identifier: GPL-3.0-or-later
"""What the browser tests of `tavo-cli terrain` share: a copy of the demo competition, the server
started on a free port and read for its links, the command line's JSON, the judges' API and
Debian's chromium as a phone.

`prepare(CLI, DATA-DIR, PREFIX)` first; then every function here works on that copy.
"""
import json
import os
import select
import shutil
import signal
import socket
import subprocess
import tempfile
import time
import urllib.request

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service

CLI = TMP = CCR = VOLS = None
PORT = 0
echecs = []


def prepare(cli, donnees, prefixe):
    """Copies the demo competition and its programmes into a new directory; returns it."""
    global CLI, TMP, CCR, VOLS, PORT
    CLI = cli
    TMP = tempfile.mkdtemp(prefix=prefixe)
    CCR = os.path.join(TMP, "demo.ccr")
    VOLS = os.path.join(TMP, "Vols")
    shutil.copy(os.path.join(donnees, "Concours", "demo.ccr"), CCR)
    shutil.copytree(os.path.join(donnees, "Vols"), VOLS)
    open(os.path.join(TMP, "tavo.ini"), "w").close()
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        PORT = s.getsockname()[1]
    return TMP, CCR, VOLS, PORT


def verifie(condition, quoi):
    print(("ok   " if condition else "ÉCHEC ") + quoi, flush=True)
    if not condition:
        echecs.append(quoi)


class Serveur:
    """`tavo-cli terrain` on the copy; `liens` holds each judge's link, on loopback."""

    def __init__(self):
        self.p = subprocess.Popen([CLI, "terrain", CCR, "--port", str(PORT), "--programmes", VOLS],
                                  cwd=TMP, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                  bufsize=0)
        self.tampon = b""
        self.liens = {}
        self.lignes = []
        fin = time.time() + 20
        while time.time() < fin and not (self.liens and not self.lit(1.0)):
            self.lit(1.0)
        if not self.liens:
            self.p.kill()
            raise SystemExit("tavo-cli terrain did not start: %s" % self.lignes)

    def lit(self, delai):
        """Reads what the server printed within `delai` seconds; false when nothing came."""
        if not select.select([self.p.stdout], [], [], delai)[0]:
            return False
        morceau = os.read(self.p.stdout.fileno(), 65536)
        if not morceau:
            return False
        self.tampon += morceau
        while b"\n" in self.tampon:
            ligne, self.tampon = self.tampon.split(b"\n", 1)
            ligne = ligne.decode()
            self.lignes.append(ligne)
            if ligne.startswith("Juge "):
                numero = int(ligne.split()[1])
                lien = ligne.rsplit(" : ", 1)[1].strip()
                # The link names this computer's address; the browser reaches it on loopback.
                self.liens[numero] = "http://127.0.0.1:%d/%s" % (PORT, lien.split("/", 3)[3])
        return True

    def sortie(self):
        """What it printed since, without waiting."""
        while self.lit(0.2):
            pass
        return self.lignes

    def arrete(self, sig=signal.SIGTERM):
        self.p.send_signal(sig)
        self.p.wait(timeout=20)
        return self.p.returncode


def cli_json(*arguments):
    sortie = subprocess.run([CLI, *arguments, "--programmes", VOLS, "--format", "json"], cwd=TMP,
                            capture_output=True, text=True, check=True).stdout
    return json.loads(sortie)


def cle(lien):
    return lien.split("#", 1)[1]


def api(lien, chemin, corps=None):
    """A judge's request with the key of his link; its JSON answer."""
    requete = urllib.request.Request("http://127.0.0.1:%d%s" % (PORT, chemin),
                                     headers={"X-Tavo-Cle": cle(lien),
                                              "Content-Type": "application/json"},
                                     data=None if corps is None else json.dumps(corps).encode())
    with urllib.request.urlopen(requete, timeout=10) as r:
        return json.loads(r.read())


def navigateur():
    """Debian's chromium as a phone: 390 CSS pixels wide, touch."""
    options = Options()
    options.binary_location = "/usr/bin/chromium"
    for a in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
              "--lang=fr-FR"):
        options.add_argument(a)
    options.add_experimental_option("mobileEmulation", {
        "deviceMetrics": {"width": 390, "height": 844, "pixelRatio": 2, "touch": True}})
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_script_timeout(60)
    return driver
