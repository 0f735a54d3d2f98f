#!/usr/bin/env python3
"""Generate the demo flight programmes (data/Vols) and the demo competition
(data/Concours/demo.ccr).

Run from the project root:  python3 tools/gen_demo.py
Output is deterministic (fixed seed). Files are Windows-1252 with CR LF.
"""

import os
import random

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
VOLS_DIR = os.path.join(ROOT, "data", "Vols")
CONCOURS_DIR = os.path.join(ROOT, "data", "Concours")

MAX_JUGES, MAX_VOLS, MAX_FIGURES = 5, 7, 25


def write_lines(path, lines):
    """Write text lines as cp1252 bytes, each ending with CR LF."""
    data = b"".join(line.encode("cp1252") + b"\r\n" for line in lines)
    with open(path, "wb") as f:
        f.write(data)


def fit(text, capacity):
    """Check that a text fits a fixed field of the given capacity (NUL included)."""
    assert len(text) <= capacity - 1, "too long for %d: %r" % (capacity, text)
    return text


# --- Flight programmes --------------------------------------------------------
# Each: file name, name, date, (noise type, K), (conformity type, K), figures.

PROGRAMMES = [
    ("F3A_P27.txt", "F3A Préliminaire P-27", "1/9/2025", (2, 1), (1, 1), [
        ("Triangle avec 1/2 tonneaux", 3),
        ("Demi-boucle carrée avec 1/2 tonneau", 2),
        ("Boucle carrée sur la pointe", 5),
        ("Figure P avec 1/2 tonneau", 3),
        ("Combinaison de tonneaux", 4),
        ("Renversement avec 1/4 de tonneaux", 3),
        ("Double Immelmann", 4),
        ("Humpty bump avec 1/2 tonneau", 3),
        ("Boucle", 5),
        ("Demi-boucle carrée sur la pointe", 2),
        ("Trèfle", 5),
        ("Figure ET", 4),
        ("Vrille 2 tours 1/2", 3),
        ("Chapeau haut de forme", 3),
        ("Figure Z avec 1/2 tonneau", 4),
        ("Comète", 3),
        ("Figure S", 5),
    ]),
    ("F3A_F27.txt", "F3A Finale F-27", "1/9/2025", (2, 1), (1, 1), [
        ("Renversement avec tonneaux", 3),
        ("Huit cubain avec 1/2 tonneaux", 4),
        ("Tonneau à 4 facettes", 4),
        ("Boucle avec tonneau intégré", 5),
        ("Humpty bump avec déclenché", 3),
        ("Figure M avec 1/4 de tonneaux", 4),
        ("Demi-boucle avec 1/2 tonneau", 2),
        ("Triangle inversé", 4),
        ("Demi-huit cubain", 2),
        ("Vrille inversée 1 tour 1/2", 4),
        ("Huit vertical", 5),
        ("Chapeau haut de forme inversé", 3),
        ("Tonneau lent", 4),
        ("Figure 9 avec tonneau", 3),
        ("Immelmann avec tonneau déclenché", 3),
        ("Carré sur la pointe avec tonneaux", 5),
        ("Demi-huit cubain inversé", 2),
    ]),
    ("VGM_2026.txt", "VGM Programme 2026", "15/10/2025", (1, 2), (1, 1), [
        ("Décollage", 1),
        ("Boucle", 2),
        ("Tonneau lent", 3),
        ("Renversement", 3),
        ("Immelmann", 2),
        ("Vrille 3 tours", 3),
        ("Huit cubain", 3),
        ("Tonneau à 4 facettes", 4),
        ("Humpty bump", 2),
        ("Demi-boucle avec tonneau", 4),
        ("Déclenché positif", 5),
        ("Atterrissage", 1),
    ]),
    ("F3C_P27.txt", "F3C Préliminaire P-27", "1/9/2025", (3, 1), (0, 0), [
        ("Vol stationnaire en triangle", 2),
        ("Huit stationnaire", 3),
        ("Pirouette stationnaire 360°", 2),
        ("Carré vertical stationnaire", 3),
        ("Montée et descente en escalier", 2),
        ("Boucle", 3),
        ("Tonneau", 3),
        ("Renversement avec pirouette", 4),
        ("Huit cubain", 4),
        ("Vol dos en triangle", 5),
        ("Autorotation avec virage à 180°", 4),
    ]),
]


def programme_lines(name, date, noise, conf, figures):
    assert len(figures) <= 24 and len(figures) + (noise[0] != 0) + (conf[0] != 0) <= MAX_FIGURES
    lines = [fit(name, 25), date, str(noise[0])]
    if noise[0]:
        lines.append(str(noise[1]))
    lines.append(str(conf[0]))
    if conf[0]:
        lines.append(str(conf[1]))
    lines += ["", str(len(figures))]
    for fig, k in figures:
        lines += [fit(fig, 255), str(k)]
    return lines


# --- Competition ---------------------------------------------------------------

IDENT = [  # (text, capacity), lines 1-20 of the competition file
    ("Concours de voltige F3A de Bourgogne", 51),
    ("Terrain des Grands Prés, Cluny", 31),
    ("Saône-et-Loire (71)", 31),
    ("Aéromodèle Club Clunisois", 31),
    ("412", 4),
    ("F3A", 4),
    ("2", 6),
    ("Bernard Lacroix", 31),
    ("Pierre Vasseur, Sylvie Moreau", 51),
    ("Annie Lefèvre, Marc Dupuis", 51),
    ("Gérard Thomas", 31),
    ("Claude Perret", 31),
    ("Martine Colin", 31),
    ("Dr Hélène Fabre (secours), Luc Bernard (sono)", 51),
    ("Samedi : briefing à 8h30, vols de 9h00 à 18h30. Dimanche : vols de 8h30 "
     "à 12h00, fly-offs de 13h30 à 16h30, proclamation des résultats à 17h00.", 255),
    ("Samedi : ciel dégagé, vent d'ouest de 10 à 15 km/h, 24 °C. Dimanche : "
     "passages nuageux le matin, vent faiblissant l'après-midi, 22 °C.", 255),
    ("Licences FFAM et assurances vérifiées, contrôle des fréquences, pesée des "
     "modèles (5 kg maximum) et mesure du bruit : tous les modèles conformes.", 255),
    ("Stéphane Girard n'a pas pu effectuer son 2e vol (panne de récepteur). "
     "Aucun accident corporel ni matériel à signaler.", 255),
    ("Aucune réclamation.", 255),
    ("Pénalité de conformité appliquée à Benoît Roux au 2e vol. Très bonne "
     "organisation ; merci aux bénévoles du club et à la mairie de Cluny.", 255),
]
DATE_DEBUT, DATE_FIN = "13/6/2026", "14/6/2026"
PROG_QUALIF, PROG_FINALE = "F3A_P27.txt", "F3A_F27.txt"
NB_JUGES, NB_VOLS, NB_QUALIF, NB_FINALISTES = 5, 6, 3, 5

# Nom, Prenom, Club, NumClub, Licence, Frequence1, Frequence2, Dossard, skill
PILOTES = [
    ("Garnier", "Thomas", "MAC Dijon", "214", "1204587", "02.400", "", "7", 8.4),
    ("Moreau", "Sébastien", "Aéro-Club Mâconnais", "187", "0987412", "35.040", "41.100", "3", 7.2),
    ("Lefèvre", "Julien", "AC Clunisois", "412", "1310256", "02.400", "", "12", 6.6),
    ("Rousseau", "Frédéric", "Les Ailes Bressanes", "356", "0854127", "35.120", "", "1", 7.7),
    ("Bonnet", "Élodie", "CAM Lyon Bron", "129", "1452003", "02.400", "", "9", 8.0),
    ("Chevalier", "Laurent", "RC Club Beaune", "275", "0763318", "41.020", "35.200", "14", 6.1),
    ("Faure", "Nicolas", "AMC Besançon", "498", "1128874", "02.400", "", "5", 7.0),
    ("Girard", "Stéphane", "Air Modèle Chalon", "331", "0695521", "35.080", "", "10", 7.4),
    ("Mercier", "François", "Aéromodélisme Nevers", "562", "1387410", "02.400", "", "2", 5.6),
    ("Dubois", "Cédric", "AC Clunisois", "412", "1499236", "41.060", "", "15", 6.3),
    ("Lambert", "Mathieu", "MAC Dijon", "214", "1036695", "02.400", "", "8", 8.7),
    ("Fontaine", "Jérôme", "CAM Lyon Bron", "129", "0921147", "35.160", "41.140", "4", 6.9),
    ("Perrin", "Christophe", "Les Ailes Bressanes", "356", "1275580", "02.400", "", "11", 5.9),
    ("Roux", "Benoît", "RC Club Beaune", "275", "1163092", "02.400", "", "6", 7.5),
    ("Marchand", "Aurélien", "Air Modèle Chalon", "331", "1401968", "35.220", "", "13", 6.5),
]
PILOTE_CAPACITES = (21, 16, 21, 4, 8, 7, 7, 5)

# Nom, Prenom, Licence, Club, Grade, bias (marks)
JUGES = [
    ("Blanchard", "Michel", "0412233", "MAC Dijon", 3, 0.0),
    ("Gauthier", "Jean-Pierre", "0530871", "CAM Lyon Bron", 3, -0.5),
    ("Renaud", "Isabelle", "0977154", "RC Club Beaune", 2, 0.4),
    ("Masson", "Philippe", "1088420", "AMC Besançon", 2, -0.2),
    ("Caron", "Olivier", "1342617", "Les Ailes Bressanes", 1, 0.7),
]

ABSENT = ("Girard", 2)  # missed flight 2
# Special lines: (pilot, flight) -> marks of judges 1-5
BRUIT = {("Lambert", 1): [-5, -5, 0, -5, 0], ("Bonnet", 3): [5, 5, 5, 0, 5],
         ("Faure", 2): [0, 0, -5, 0, 0], ("Moreau", 1): [0, 5, 0, 0, 0]}
CONFORMITE = {("Roux", 2): [-10, -10, -10, 0, -10], ("Dubois", 3): [0, 0, 0, 0, -10]}

rng = random.Random(7)
progs = {p[0]: p for p in PROGRAMMES}


def fly(grid, vol, skill, prog_file, nom):
    """Fill the marks of one flight for one pilot (grid[j][v][k], 0-based)."""
    _, _, _, noise, conf, figures = progs[prog_file]
    form = rng.gauss(0, 0.35)
    for k, (_, kf) in enumerate(figures):
        level = skill + form - 0.12 * (kf - 3) + rng.gauss(0, 0.3)
        zero = rng.random() < 0.004  # figure flown wrongly: most judges give 0
        for j, juge in enumerate(JUGES):
            m = round(level + juge[5] + rng.gauss(0, 0.6))
            if zero:
                m = 2 if j == 4 else 0
            grid[j][vol - 1][k] = max(0, min(10, m))
    k = len(figures)
    if noise[0]:
        for j, m in enumerate(BRUIT.get((nom, vol), [0] * 5)):
            grid[j][vol - 1][k] = m
        k += 1
    if conf[0]:
        for j, m in enumerate(CONFORMITE.get((nom, vol), [0] * 5)):
            grid[j][vol - 1][k] = m


def score_vol(grid, vol, prog_file):
    """Flight score for five judges: trimmed figure sums, majority special lines."""
    _, _, _, noise, conf, figures = progs[prog_file]
    lines = [("fig", kf) for _, kf in figures]
    if noise[0]:
        lines.append(("fig" if noise[0] == 1 else "bruit%d" % noise[0], noise[1]))
    if conf[0]:
        lines.append(("conf", conf[1]))
    total = 0.0
    for k, (kind, kf) in enumerate(lines):
        m = [grid[j][vol - 1][k] for j in range(NB_JUGES)]
        if kind == "fig":
            total += kf * (sum(m) - min(m) - max(m))
        elif kind == "bruit2":
            total += kf * (-15 if m.count(-5) >= 3 else 15 if m.count(5) >= 3 else 0)
        else:
            total += kf * (-30 if m.count(-10) >= 3 else 0)
    return total / 3


def vol1000(scores):
    best = max(scores)
    div = best if abs(int(best)) >= 1 else 1.0
    return [s * 1000 / div for s in scores]


def main():
    os.makedirs(VOLS_DIR, exist_ok=True)
    os.makedirs(CONCOURS_DIR, exist_ok=True)
    for fname, name, date, noise, conf, figures in PROGRAMMES:
        write_lines(os.path.join(VOLS_DIR, fname),
                    programme_lines(name, date, noise, conf, figures))

    grids = {p[0]: [[[0] * MAX_FIGURES for _ in range(MAX_VOLS)] for _ in range(MAX_JUGES)]
             for p in PILOTES}

    # Qualification flights, then best two of three in thousandths.
    s1000 = {}
    for vol in range(1, NB_QUALIF + 1):
        for p in PILOTES:
            if (p[0], vol) != ABSENT:
                fly(grids[p[0]], vol, p[8], PROG_QUALIF, p[0])
        scores = [score_vol(grids[p[0]], vol, PROG_QUALIF) for p in PILOTES]
        for p, s in zip(PILOTES, vol1000(scores)):
            s1000.setdefault(p[0], []).append(s)
    qualif = {n: sum(v) - min(v) for n, v in s1000.items()}
    order = sorted(PILOTES, key=lambda p: -qualif[p[0]])
    assert qualif[order[NB_FINALISTES - 1][0]] - qualif[order[NB_FINALISTES][0]] > 1
    finalistes = order[:NB_FINALISTES]

    for vol in range(NB_QUALIF + 1, NB_VOLS + 1):
        for p in finalistes:
            fly(grids[p[0]], vol, p[8], PROG_FINALE, p[0])
        scores = [score_vol(grids[p[0]], vol, PROG_FINALE) for p in PILOTES]
        for p, s in zip(PILOTES, vol1000(scores)):
            s1000[p[0]].append(s)

    # Competition file.
    lines = [fit(t, c) for t, c in IDENT]
    lines += [str(NB_JUGES), str(NB_VOLS)]
    lines += [PROG_QUALIF] * NB_QUALIF + [PROG_FINALE] * (NB_VOLS - NB_QUALIF)
    lines += [""] * (MAX_VOLS - NB_VOLS)
    lines += [DATE_DEBUT, DATE_FIN, str(len(PILOTES))]
    for p in PILOTES:
        lines += [fit(t, c) for t, c in zip(p[:8], PILOTE_CAPACITES)]
        g = grids[p[0]]
        for v in range(MAX_VOLS):
            for k in range(MAX_FIGURES):
                lines.append("".join("%d " % g[j][v][k] for j in range(MAX_JUGES)))
            lines.append("")
    lines.append(str(len(JUGES)))
    for nom, prenom, licence, club, grade, _ in JUGES:
        lines += [fit(nom, 21), fit(prenom, 16), fit(licence, 8), fit(club, 21), str(grade)]
    write_lines(os.path.join(CONCOURS_DIR, "demo.ccr"), lines)

    print("Qualification (best 2 of 3, thousandths), then fly-offs 4-6:")
    for rank, p in enumerate(order, 1):
        print("%2d. bib %-3s %-10s %-10s %8.2f  %s" % (rank, p[7], p[0], p[1], qualif[p[0]],
              " ".join("%7.2f" % s for s in s1000[p[0]])))


if __name__ == "__main__":
    main()
