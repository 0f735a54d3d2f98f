// Judge's phone page: marks one sheet at a time, keeps every unacknowledged request in
// localStorage and sends it again until the field server acknowledges it.
'use strict';

(() => {
  const PREFIXE = 'tavo2000.';
  const DELAI_REQUETE = 5000;   // ms before a request is given up as lost
  const PERIODE_ETAT = 1000;    // each poll also tells the server this judge is here
  const REESSAI = 1500;         // after a network error, a timeout or a 5xx
  const REESSAI_CLE = 5000;     // while the key is refused
  const RAFRAICHIR_FEUILLE = 5; // refetch the shown sheet every N polls
  const FORME_CLE = /^[0-9a-f]{32}$/;

  const NON_NOTE = 'non noté';
  const ENVOYEE = 'Envoyée';
  const EN_ATTENTE = 'En attente du réseau';

  const $ = (id) => document.getElementById(id);

  // ---- Storage: localStorage, with a memory copy in case the browser refuses to write.

  const memoire = new Map();
  let stockageEnPanne = false;

  function lire(nom) {
    if (memoire.has(nom)) return memoire.get(nom);
    let v = null;
    try {
      const s = window.localStorage.getItem(PREFIXE + nom);
      if (s !== null) v = JSON.parse(s);
    } catch (e) {
      v = null;
    }
    memoire.set(nom, v);
    return v;
  }

  let partie = false;  // set once the page is about to reload on another key

  function ecrire(nom, v) {
    if (partie) return;
    memoire.set(nom, v);
    try {
      window.localStorage.setItem(PREFIXE + nom, JSON.stringify(v));
      stockageEnPanne = false;
    } catch (e) {
      stockageEnPanne = true;
    }
  }

  // Data of other keys is dropped when a new link is opened, unless it still has requests
  // the server never acknowledged: those wait until their own link is opened again.
  function oublierAutresCles(garder) {
    const noms = [];
    try {
      for (let i = 0; i < window.localStorage.length; i++) noms.push(window.localStorage.key(i));
    } catch (e) {
      return;
    }
    const parCle = new Map();
    for (const n of noms) {
      const m = /^tavo2000\.k\.([0-9a-f]{32})\./.exec(n || '');
      if (!m || m[1] === garder) continue;
      if (!parCle.has(m[1])) parCle.set(m[1], []);
      parCle.get(m[1]).push(n);
    }
    for (const [c, liste] of parCle) {
      const f = lire(`k.${c}.file`);
      if (Array.isArray(f) && f.length) continue;
      for (const n of liste) {
        try { window.localStorage.removeItem(n); } catch (e) { /* nothing to do */ }
        memoire.delete(n.slice(PREFIXE.length));
      }
    }
  }

  // ---- State

  let cle = null;
  let etat = null;                                      // last /etat answer, live or cached
  let choix = { vol: null, dossard: null, appel: undefined };
  let courante = -1;                                    // index of the current line
  let resumeOuvert = false;
  let horsLigne = false;
  let cleRefusee = false;
  let messageErreur = '';
  let erreurFeuille = '';
  let generationAccuses = 0;                            // bumped on every ack or refusal
  let sondages = 0;

  const nomFile = () => `k.${cle}.file`;
  const nomEtat = () => `k.${cle}.etat`;
  const nomChoix = () => `k.${cle}.choix`;
  const nomFeuille = (vol, dossard) => `k.${cle}.f.${vol}.${encodeURIComponent(dossard)}`;

  const texte = (x) => (x === null || x === undefined ? '' : String(x));

  function lireCle() {
    const fragment = location.hash.replace(/^#/, '').trim().toLowerCase();
    if (location.hash) history.replaceState(null, '', location.pathname + location.search);
    if (fragment) {
      if (!FORME_CLE.test(fragment)) {
        // A cut link must not leave the previous judge's key in use; its data stays.
        try { window.localStorage.removeItem(`${PREFIXE}cle`); } catch (e) { /* nothing to do */ }
        memoire.delete('cle');
        return null;
      }
      if (lire('cle') !== fragment) {
        oublierAutresCles(fragment);
        ecrire('cle', fragment);
      }
      return fragment;
    }
    const s = lire('cle');
    return typeof s === 'string' && FORME_CLE.test(s) ? s : null;
  }

  // ---- Pending requests, in order: {id, t: 'note'|'envoi', vol, dossard, ligne, note | notes}

  function file() {
    const f = lire(nomFile());
    return Array.isArray(f) ? f : [];
  }

  function ajouter(item) {
    item.id = Date.now().toString(36) + Math.random().toString(36).slice(2, 8);
    ecrire(nomFile(), file().concat([item]));
  }

  function retirer(id) {
    ecrire(nomFile(), file().filter((x) => x.id !== id));
  }

  // ---- Server

  async function appeler(methode, chemin, corps) {
    const controle = new AbortController();
    const minuterie = setTimeout(() => controle.abort(), DELAI_REQUETE);
    const init = {
      method: methode,
      headers: { 'X-Tavo-Cle': cle, 'Accept': 'application/json' },
      cache: 'no-store',
      credentials: 'same-origin',
      redirect: 'error',
      signal: controle.signal,
    };
    if (corps !== undefined) {
      init.headers['Content-Type'] = 'application/json';
      init.body = JSON.stringify(corps);
    }
    try {
      const r = await fetch(chemin, init);
      let donnees = null;
      try { donnees = await r.json(); } catch (e) { donnees = null; }
      return { statut: r.status, donnees };
    } catch (e) {
      return { statut: 0, donnees: null };
    } finally {
      clearTimeout(minuterie);
    }
  }

  const accepte = (r) => r.statut >= 200 && r.statut < 300 && r.donnees !== null
    && typeof r.donnees === 'object';

  // Network-like: keep the request and try again. An answer without our JSON (a captive
  // portal, a proxy, a cut answer) is neither an acknowledgement nor a refusal.
  const panneReseau = (r) => r.statut === 0 || r.statut >= 500 || r.statut === 408
    || r.statut === 429 || (r.statut < 400 && !accepte(r))
    || (r.statut !== 401 && !(r.donnees && typeof r.donnees.erreur === 'string'));

  function texteErreur(r) {
    const e = r.donnees && typeof r.donnees.erreur === 'string' ? r.donnees.erreur.trim() : '';
    return e || `Le serveur a refusé la demande (code ${r.statut}).`;
  }

  function etatValide(e) {
    return !!e && typeof e === 'object' && Array.isArray(e.vols) && Array.isArray(e.pilotes)
      && e.vols.every((v) => v && Number.isFinite(v.vol))
      && e.pilotes.every((p) => p && p.dossard !== undefined && p.dossard !== null);
  }

  function feuilleValide(f) {
    return !!f && typeof f === 'object' && Array.isArray(f.lignes) && f.lignes.length > 0
      && f.lignes.every((l) => l && Number.isFinite(l.ligne) && Array.isArray(l.valeurs)
        && l.valeurs.length > 0 && l.valeurs.every(Number.isFinite));
  }

  let envoiEnCours = false;
  let minuterieFile = null;

  function planifierFile(delai) {
    clearTimeout(minuterieFile);
    minuterieFile = setTimeout(viderFile, delai);
  }

  async function viderFile() {
    if (envoiEnCours || !cle) return;
    envoiEnCours = true;
    clearTimeout(minuterieFile);
    minuterieFile = null;
    try {
      for (;;) {
        const tete = file()[0];
        if (!tete) break;
        const r = tete.t === 'envoi'
          ? await appeler('POST', '/api/juge/envoi',
            { vol: tete.vol, dossard: tete.dossard, notes: tete.notes })
          : await appeler('POST', '/api/juge/note',
            { vol: tete.vol, dossard: tete.dossard, ligne: tete.ligne, note: tete.note });
        if (accepte(r) && r.donnees.ok === true) {
          accuser(tete);
          retirer(tete.id);
          horsLigne = false;
          cleRefusee = false;
          rendre();
          continue;
        }
        if (r.statut === 401) {
          cleRefusee = true;
          planifierFile(REESSAI_CLE);
          break;
        }
        if (panneReseau(r) || r.statut < 400) {
          planifierFile(REESSAI);
          break;
        }
        // Refused for good: drop it and let the sheet follow the server again.
        retirer(tete.id);
        generationAccuses++;
        messageErreur = texteErreur(r);
        if (tete.vol === choix.vol && tete.dossard === choix.dossard) chargerFeuille();
        rendre();
      }
    } finally {
      envoiEnCours = false;
      rendre();
    }
  }

  // The server stored it: the cached sheet now says so too.
  function accuser(it) {
    generationAccuses++;
    const nom = nomFeuille(it.vol, it.dossard);
    const f = lire(nom);
    if (feuilleValide(f)) {
      const notes = f.lignes.map((l, i) => (Array.isArray(f.notes) ? f.notes[i] : null));
      if (it.t === 'note') {
        const i = f.lignes.findIndex((l) => l.ligne === it.ligne);
        if (i >= 0) notes[i] = it.note;
      } else {
        it.notes.forEach((n, i) => { if (i < notes.length) notes[i] = n; });
        f.envoyee = true;
      }
      f.notes = notes;
      ecrire(nom, f);
    }
    if (it.t === 'envoi') {
      const p = etat && etat.pilotes.find((x) => texte(x.dossard) === it.dossard);
      if (p) {
        if (!Array.isArray(p.envoyees)) p.envoyees = [];
        if (!p.envoyees.includes(it.vol)) p.envoyees.push(it.vol);
        ecrire(nomEtat(), etat);
      }
      if (it.vol === choix.vol && it.dossard === choix.dossard) chargerFeuille();
    }
  }

  let minuterieEtat = null;
  let sondageEnCours = false;

  async function sonder() {
    clearTimeout(minuterieEtat);
    if (sondageEnCours || !cle) return;
    sondageEnCours = true;
    let delai = PERIODE_ETAT;
    const r = await appeler('GET', '/api/juge/etat');
    sondageEnCours = false;
    if (r.statut === 200 && etatValide(r.donnees)) {
      horsLigne = false;
      cleRefusee = false;
      ecrire(nomEtat(), r.donnees);
      appliquerEtat(r.donnees);
      if (file().length && !envoiEnCours) viderFile();
      if (++sondages % RAFRAICHIR_FEUILLE === 0 || !feuilleMontree()) chargerFeuille();
    } else if (r.statut === 401) {
      cleRefusee = true;
      delai = REESSAI_CLE;
    } else if (panneReseau(r)) {
      horsLigne = true;
    } else {
      messageErreur = texteErreur(r);
      delai = REESSAI_CLE;
    }
    rendre();
    minuterieEtat = setTimeout(sonder, delai);
  }

  let feuilleEnCours = '';

  async function chargerFeuille() {
    const vol = choix.vol;
    const dossard = choix.dossard;
    if (vol === null || dossard === null || !cle) return;
    const sig = `${vol}|${dossard}`;
    if (feuilleEnCours === sig) return;
    feuilleEnCours = sig;
    const generation = generationAccuses;
    const r = await appeler('GET',
      `/api/juge/feuille?vol=${encodeURIComponent(vol)}&dossard=${encodeURIComponent(dossard)}`);
    if (feuilleEnCours === sig) feuilleEnCours = '';
    const montree = vol === choix.vol && dossard === choix.dossard;
    if (r.statut === 200 && feuilleValide(r.donnees)) {
      if (generation !== generationAccuses) {
        // An ack came in meanwhile: this answer may predate it.
        setTimeout(chargerFeuille, 100);
        return;
      }
      ecrire(nomFeuille(vol, dossard), r.donnees);
      if (montree) erreurFeuille = '';
    } else if (r.statut === 401) {
      cleRefusee = true;
    } else if (!panneReseau(r)) {
      if (montree) erreurFeuille = texteErreur(r);
    }
    rendre();
  }

  // ---- Choice of flight and pilot

  function existe(e, vol, dossard) {
    return e.vols.some((v) => v.vol === vol) && e.pilotes.some((p) => texte(p.dossard) === dossard);
  }

  function choisir(vol, dossard) {
    if (choix.vol === vol && choix.dossard === dossard) return;
    choix.vol = vol;
    choix.dossard = dossard;
    courante = -1;
    erreurFeuille = '';
    resumeOuvert = false;
    ecrire(nomChoix(), choix);
    chargerFeuille();
  }

  function appliquerEtat(e) {
    etat = e;
    const a = e.appel && typeof e.appel === 'object' ? e.appel : null;
    const appel = a && existe(e, Number(a.vol), texte(a.dossard))
      ? { vol: Number(a.vol), dossard: texte(a.dossard) } : null;
    const sigAppel = appel ? `${appel.vol}|${appel.dossard}` : '';
    // A newly called pilot is shown at once, but never under a sheet being confirmed.
    if (sigAppel !== choix.appel && !resumeOuvert) {
      choix.appel = sigAppel;
      ecrire(nomChoix(), choix);
      if (appel) choisir(appel.vol, appel.dossard);
    }
    if (!existe(e, choix.vol, choix.dossard)) {
      const vol = e.vols.some((v) => v.vol === choix.vol) ? choix.vol
        : (e.vols.length ? e.vols[0].vol : null);
      const dossard = e.pilotes.some((p) => texte(p.dossard) === choix.dossard) ? choix.dossard
        : (e.pilotes.length ? texte(e.pilotes[0].dossard) : null);
      if (vol !== null && dossard !== null) choisir(vol, dossard);
    }
  }

  // ---- Marks of a sheet: the server's, overridden by what is still pending here.

  function marques(f, vol, dossard) {
    const notes = f.lignes.map((l, i) => {
      const n = Array.isArray(f.notes) ? f.notes[i] : null;
      return Number.isFinite(n) ? n : null;
    });
    let envoiEnAttente = false;
    for (const it of file()) {
      if (it.vol !== vol || it.dossard !== dossard) continue;
      if (it.t === 'note') {
        const i = f.lignes.findIndex((l) => l.ligne === it.ligne);
        if (i >= 0) notes[i] = it.note;
      } else if (it.t === 'envoi') {
        envoiEnAttente = true;
        it.notes.forEach((n, i) => { if (i < notes.length) notes[i] = n; });
      }
    }
    return { notes, envoiEnAttente };
  }

  const signee = (l) => l.valeurs.some((v) => v < 0);

  function texteValeur(v, signe) {
    const t = String(v).replace('.', ',');
    return signe && v > 0 ? `+${t}` : t;
  }

  function texteNote(l, n) {
    return n === null ? NON_NOTE : texteValeur(n, signee(l));
  }

  function feuilleMontree() {
    if (choix.vol === null || choix.dossard === null) return null;
    const f = lire(nomFeuille(choix.vol, choix.dossard));
    return feuilleValide(f) ? f : null;
  }

  // ---- Spoken figure names

  const synthese = window.speechSynthesis && typeof window.SpeechSynthesisUtterance === 'function'
    ? window.speechSynthesis : null;
  let derniereAnnonce = '';

  function voixFrancaise() {
    try {
      return synthese.getVoices().find((v) => /^fr([-_]|$)/i.test(v.lang)) || null;
    } catch (e) {
      return null;
    }
  }

  function preparerAnnonce() {
    const zone = $('annonce-zone');
    const caseAnnonce = $('annonce');
    if (!synthese) {
      zone.hidden = true;
      caseAnnonce.disabled = true;
      return;
    }
    zone.hidden = false;
    const reglerParDefaut = () => {
      const choisi = lire('annonce');
      caseAnnonce.checked = typeof choisi === 'boolean' ? choisi : !!voixFrancaise();
    };
    reglerParDefaut();
    if (typeof synthese.addEventListener === 'function') {
      synthese.addEventListener('voiceschanged', reglerParDefaut);
    }
    caseAnnonce.addEventListener('change', () => {
      ecrire('annonce', caseAnnonce.checked);
      if (!caseAnnonce.checked) synthese.cancel();
    });
  }

  function annoncer(nom) {
    if (!synthese || !$('annonce').checked || !nom) return;
    try {
      synthese.cancel();
      const u = new window.SpeechSynthesisUtterance(nom);
      u.lang = 'fr-FR';
      const voix = voixFrancaise();
      if (voix) u.voice = voix;
      synthese.speak(u);
    } catch (e) {
      // Speech is a help only.
    }
  }

  // ---- Rendering (textContent only: names come from the server)

  function element(type, classe, contenu) {
    const e = document.createElement(type);
    if (classe) e.className = classe;
    if (contenu !== undefined) e.textContent = contenu;
    return e;
  }

  const signatures = new WeakMap();

  // Rebuilds only when the content changed, so that a poll never swaps a button under a finger.
  function changer(noeud, contenu) {
    const sig = JSON.stringify(contenu);
    if (signatures.get(noeud) === sig) return false;
    signatures.set(noeud, sig);
    return true;
  }

  function remplirListe(select, options, valeur) {
    if (changer(select, options)) {
      select.textContent = '';
      for (const [v, t] of options) {
        const o = element('option', '', t);
        o.value = v;
        select.appendChild(o);
      }
    }
    if (valeur !== null && select.value !== valeur) select.value = valeur;
  }

  function envoiLocal(vol, dossard) {
    return file().some((it) => it.t === 'envoi' && it.vol === vol && it.dossard === dossard);
  }

  function rendreChoix() {
    remplirListe($('vol'), etat.vols.map((v) => [String(v.vol),
      `Vol ${v.vol}${texte(v.programme) ? ` – ${texte(v.programme)}` : ''}`]),
    choix.vol === null ? null : String(choix.vol));
    remplirListe($('pilote'), etat.pilotes.map((p) => {
      const dossard = texte(p.dossard);
      let libelle = [dossard, texte(p.nom), texte(p.prenom)].filter(Boolean).join(' ');
      if (Array.isArray(p.envoyees) && p.envoyees.includes(choix.vol)) libelle += ' (envoyée)';
      else if (envoiLocal(choix.vol, dossard)) libelle += ' (envoi en attente)';
      return [dossard, libelle];
    }), choix.dossard);
  }

  function rendre() {
    const attente = cle !== null && file().length > 0;
    const etatEnvoi = $('etat-envoi');
    etatEnvoi.hidden = cle === null;
    etatEnvoi.textContent = attente ? EN_ATTENTE : ENVOYEE;
    etatEnvoi.classList.toggle('attente', attente);
    etatEnvoi.classList.toggle('ok', !attente);

    $('connexion').hidden = !horsLigne;
    $('cle-refusee').hidden = !cleRefusee;
    $('stockage').hidden = !stockageEnPanne;
    $('message').hidden = !messageErreur;
    $('message-texte').textContent = messageErreur;
    $('chargement').hidden = !!etat || cleRefusee;

    if (!etat) {
      $('choix').hidden = true;
      $('feuille').hidden = true;
      $('resume').hidden = true;
      return;
    }
    const nom = [texte(etat.nom), texte(etat.prenom)].filter(Boolean).join(' ');
    $('titre').textContent = `Juge ${texte(etat.juge)} : ${nom}`;
    document.title = `Juge ${texte(etat.juge)} – Tavo 2000`;

    rendreChoix();
    const f = feuilleMontree();
    const m = f ? marques(f, choix.vol, choix.dossard) : null;
    if (resumeOuvert && !(f && m.notes.every((n) => n !== null))) resumeOuvert = false;
    $('choix').hidden = resumeOuvert;
    $('feuille').hidden = resumeOuvert;
    $('resume').hidden = !resumeOuvert;
    if (resumeOuvert) rendreResume(f, m);
    else rendreFeuille(f, m);
  }

  const nomPilote = (f) => [texte(f.dossard || choix.dossard), texte(f.nom), texte(f.prenom)]
    .filter(Boolean).join(' ');
  const nomVol = (f) => `Vol ${choix.vol}${texte(f.programme) ? ` – ${texte(f.programme)}` : ''}`;

  function rendreFeuille(f, m) {
    const absente = $('feuille-absente');
    if (erreurFeuille || !f) {
      absente.hidden = false;
      if (erreurFeuille) absente.textContent = erreurFeuille;
      else if (!etat.vols.length || !etat.pilotes.length) absente.textContent = 'Aucune feuille à noter pour l\'instant.';
      else if (horsLigne) absente.textContent = 'Feuille non disponible : en attente du réseau.';
      else absente.textContent = 'Chargement de la feuille…';
      $('feuille-titre').textContent = '';
      $('feuille-envoyee').hidden = true;
      $('saisie').hidden = true;
      $('lignes').hidden = true;
      changer($('lignes'), null);
      return;
    }
    absente.hidden = true;
    $('lignes').hidden = false;

    const lectureSeule = f.envoyee === true || m.envoiEnAttente;
    const n = f.lignes.length;
    if (courante < 0 || courante >= n) {
      courante = m.notes.indexOf(null);
      if (courante < 0) courante = 0;
    }

    // In full: long names are cut in the closed lists above.
    $('feuille-titre').textContent = `${nomPilote(f)} – ${nomVol(f)}`;

    const bandeau = $('feuille-envoyee');
    bandeau.hidden = !lectureSeule;
    bandeau.textContent = m.envoiEnAttente ? 'Feuille remise : envoi en attente du réseau' : 'Feuille envoyée';
    bandeau.classList.toggle('attente', m.envoiEnAttente);

    $('saisie').hidden = lectureSeule;
    if (!lectureSeule) rendreSaisie(f, m);

    const liste = $('lignes');
    if (changer(liste, [choix.vol, choix.dossard, f.lignes, m.notes, lectureSeule ? -1 : courante])) {
      liste.textContent = '';
      f.lignes.forEach((l, i) => {
        const li = element('li', 'ligne-item');
        const rangee = element(lectureSeule ? 'div' : 'button', 'ligne');
        if (!lectureSeule) {
          rangee.type = 'button';
          rangee.dataset.index = String(i);
          if (i === courante) rangee.setAttribute('aria-current', 'step');
        }
        if (i === courante && !lectureSeule) li.classList.add('courante');
        rangee.appendChild(element('span', 'l-numero', texte(l.numero)));
        rangee.appendChild(element('span', 'l-nom', texte(l.nom)));
        rangee.appendChild(element('span', 'l-k', `K ${texte(l.k)}`));
        const note = element('span', 'l-note', texteNote(l, m.notes[i]));
        if (m.notes[i] === null) note.classList.add('non-note');
        rangee.appendChild(note);
        li.appendChild(rangee);
        liste.appendChild(li);
      });
    }

    const ici = `${choix.vol}|${choix.dossard}|${courante}`;
    if (!lectureSeule && ici !== derniereAnnonce) {
      derniereAnnonce = ici;
      annoncer(texte(f.lignes[courante].nom));
    }
  }

  function rendreSaisie(f, m) {
    const n = f.lignes.length;
    const l = f.lignes[courante];
    const note = m.notes[courante];
    $('lc-rang').textContent = `Ligne ${courante + 1} sur ${n}`;
    $('lc-numero').textContent = texte(l.numero);
    $('lc-numero').hidden = !texte(l.numero);
    $('lc-nom').textContent = texte(l.nom);
    $('lc-k').textContent = `K ${texte(l.k)}`;
    $('lc-note').textContent = texteNote(l, note);
    $('lc-note').classList.toggle('non-note', note === null);

    const valeurs = $('valeurs');
    const signe = signee(l);
    if (changer(valeurs, [choix.vol, choix.dossard, courante, l.valeurs])) {
      const avaitFocus = valeurs.contains(document.activeElement);
      valeurs.textContent = '';
      valeurs.classList.toggle('peu', l.valeurs.length <= 4);
      l.valeurs.forEach((v, i) => {
        const b = element('button', 'bouton valeur', texteValeur(v, signe));
        b.type = 'button';
        b.dataset.i = String(i);
        valeurs.appendChild(b);
      });
      if (avaitFocus && valeurs.firstChild) valeurs.firstChild.focus();
    }
    for (const b of valeurs.children) {
      const choisie = note !== null && l.valeurs[Number(b.dataset.i)] === note;
      b.setAttribute('aria-pressed', choisie ? 'true' : 'false');
    }

    $('precedente').disabled = courante === 0;
    $('suivante').disabled = courante === n - 1;
    const reste = m.notes.filter((x) => x === null).length;
    $('envoyer').disabled = reste > 0;
    $('reste').hidden = reste === 0;
    $('reste').textContent = reste === 1 ? 'Il reste 1 ligne à noter.' : `Il reste ${reste} lignes à noter.`;
  }

  function rendreResume(f, m) {
    $('resume-pilote').textContent = nomPilote(f);
    $('resume-vol').textContent = nomVol(f);
    const liste = $('resume-lignes');
    if (!changer(liste, [choix.vol, choix.dossard, f.lignes, m.notes])) return;
    liste.textContent = '';
    f.lignes.forEach((l, i) => {
      const li = element('li', 'ligne-item');
      const rangee = element('div', 'ligne');
      rangee.appendChild(element('span', 'l-numero', texte(l.numero)));
      rangee.appendChild(element('span', 'l-nom', texte(l.nom)));
      rangee.appendChild(element('span', 'l-k', `K ${texte(l.k)}`));
      rangee.appendChild(element('span', 'l-note', texteNote(l, m.notes[i])));
      li.appendChild(rangee);
      liste.appendChild(li);
    });
  }

  // ---- Actions

  function noter(i) {
    const f = feuilleMontree();
    if (!f || erreurFeuille) return;
    const m = marques(f, choix.vol, choix.dossard);
    if (f.envoyee === true || m.envoiEnAttente) return;
    const l = f.lignes[courante];
    if (!l || i < 0 || i >= l.valeurs.length) return;
    ajouter({ t: 'note', vol: choix.vol, dossard: choix.dossard, ligne: l.ligne, note: l.valeurs[i] });
    if (courante < f.lignes.length - 1) courante++;
    rendre();
    viderFile();
  }

  function aller(i) {
    const f = feuilleMontree();
    if (!f) return;
    courante = Math.max(0, Math.min(f.lignes.length - 1, i));
    rendre();
  }

  function confirmer() {
    const f = feuilleMontree();
    if (!f) return;
    const m = marques(f, choix.vol, choix.dossard);
    if (m.notes.some((n) => n === null) || m.envoiEnAttente || f.envoyee === true) {
      resumeOuvert = false;
      rendre();
      return;
    }
    ajouter({ t: 'envoi', vol: choix.vol, dossard: choix.dossard, notes: m.notes });
    resumeOuvert = false;
    rendre();
    window.scrollTo(0, 0);
    viderFile();
  }

  function lier() {
    $('valeurs').addEventListener('click', (ev) => {
      const b = ev.target.closest('button[data-i]');
      if (b) noter(Number(b.dataset.i));
    });
    $('lignes').addEventListener('click', (ev) => {
      const b = ev.target.closest('button[data-index]');
      if (!b) return;
      aller(Number(b.dataset.index));
      $('ligne-courante').scrollIntoView({ block: 'start' });
    });
    $('precedente').addEventListener('click', () => aller(courante - 1));
    $('suivante').addEventListener('click', () => aller(courante + 1));
    $('vol').addEventListener('change', () => {
      choisir(Number($('vol').value), choix.dossard);
      rendre();
    });
    $('pilote').addEventListener('change', () => {
      choisir(choix.vol, $('pilote').value);
      rendre();
    });
    $('envoyer').addEventListener('click', () => {
      resumeOuvert = true;
      rendre();
      if (resumeOuvert) {
        window.scrollTo(0, 0);
        $('confirmer').focus();
      }
    });
    $('confirmer').addEventListener('click', confirmer);
    $('retour').addEventListener('click', () => {
      resumeOuvert = false;
      rendre();
      $('envoyer').focus();
    });
    $('message-fermer').addEventListener('click', () => {
      messageErreur = '';
      rendre();
    });

    const relancer = () => {
      if (!cle) return;
      sonder();
      viderFile();
    };
    window.addEventListener('online', relancer);
    window.addEventListener('pageshow', relancer);
    document.addEventListener('visibilitychange', () => {
      if (document.visibilityState === 'visible') relancer();
    });
    // Another tab of this page changed the stored data.
    window.addEventListener('storage', (ev) => {
      if (stockageEnPanne) return;
      if (ev.key === null) memoire.clear();
      else if (ev.key.startsWith(PREFIXE)) memoire.delete(ev.key.slice(PREFIXE.length));
      rendre();
    });
    // A new code scanned while this page is open only changes the fragment.
    window.addEventListener('hashchange', () => {
      if (location.hash.length > 1) {
        lireCle();
        partie = true;
        location.reload();
      }
    });
  }

  function demarrer() {
    cle = lireCle();
    lier();
    if (!cle) {
      $('lien-incomplet').hidden = false;
      $('chargement').hidden = true;
      rendre();
      return;
    }
    const c = lire(nomChoix());
    if (c && typeof c === 'object') {
      choix = {
        vol: Number.isFinite(c.vol) ? c.vol : null,
        dossard: typeof c.dossard === 'string' ? c.dossard : null,
        appel: typeof c.appel === 'string' ? c.appel : undefined,
      };
    }
    preparerAnnonce();
    const e = lire(nomEtat());
    if (etatValide(e)) appliquerEtat(e);
    rendre();
    chargerFeuille();
    sonder();
    viderFile();
  }

  demarrer();
})();
