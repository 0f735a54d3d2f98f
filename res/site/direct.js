// Tavo 2000 : les résultats en direct. Every few seconds the page asks for the site's version;
// when it changed, the page fetches itself again and replaces its content in place, keeping
// the reader's place. Nothing is asked again while nothing changed.
(function () {
  'use strict';
  var INTERVALLE = 3000;
  var PAGE_TABLEAU = 10000;
  var meta = document.querySelector('meta[name="tavo-version"]');
  var version = meta ? meta.content : '';
  var etagVersion = null;

  // The big screen: pages through the ranking's rows, as many as the screen holds.
  var tableau = document.body.classList.contains('tableau');
  var pageTableau = 0;
  function pagine() {
    if (!tableau) return;
    var lignes = document.querySelectorAll('main tbody tr');
    var indicateur = document.querySelector('main .page');
    if (!lignes.length) return;
    lignes.forEach(function (l) { l.hidden = false; });
    window.scrollTo(0, 0);
    var haut = lignes[0].getBoundingClientRect().top;
    var hauteur = lignes[0].getBoundingClientRect().height || 1;
    // What stands below the rows (the page number, the margins) stays on the screen too.
    var dessous = document.documentElement.scrollHeight -
      lignes[lignes.length - 1].getBoundingClientRect().bottom;
    var place = window.innerHeight - haut - Math.max(dessous, hauteur);
    var parPage = Math.max(1, Math.floor(place / hauteur));
    var pages = Math.ceil(lignes.length / parPage);
    if (pageTableau >= pages) pageTableau = 0;
    lignes.forEach(function (l, i) {
      l.hidden = Math.floor(i / parPage) !== pageTableau;
    });
    if (indicateur) indicateur.textContent = pages > 1 ? 'Page ' + (pageTableau + 1) + ' / ' + pages : '';
  }
  if (tableau) {
    pagine();
    window.addEventListener('resize', pagine);
    setInterval(function () { pageTableau += 1; pagine(); }, PAGE_TABLEAU);
  }

  // Where the reader is: the page's scroll, each table's, the link that has the focus.
  function position() {
    var defiles = Array.prototype.map.call(document.querySelectorAll('main .defile'),
      function (d) { return d.scrollLeft; });
    var actif = document.activeElement;
    return {
      x: window.scrollX, y: window.scrollY, defiles: defiles,
      lien: actif && actif.getAttribute ? actif.getAttribute('href') : null
    };
  }
  function retrouve(p) {
    document.querySelectorAll('main .defile').forEach(function (d, i) {
      if (i < p.defiles.length) d.scrollLeft = p.defiles[i];
    });
    if (p.lien) {
      var lien = document.querySelector('main a[href="' + CSS.escape(p.lien) + '"]');
      if (lien) lien.focus({ preventScroll: true });
    }
    window.scrollTo(p.x, p.y);
  }

  function remplace(texte) {
    var nouveau = new DOMParser().parseFromString(texte, 'text/html');
    var main = nouveau.querySelector('main');
    if (!main) return;
    var p = position();
    document.querySelector('main').replaceWith(document.adoptNode(main));
    var maj = nouveau.querySelector('header .maj');
    var ici = document.querySelector('header .maj');
    if (maj && ici) ici.textContent = maj.textContent;
    var m = nouveau.querySelector('meta[name="tavo-version"]');
    if (m && meta) meta.content = m.content;
    document.title = nouveau.title;
    retrouve(p);
    pagine();
  }

  function suit() {
    var entetes = etagVersion ? { 'If-None-Match': etagVersion } : {};
    fetch('version', { cache: 'no-store', headers: entetes }).then(function (r) {
      if (r.status === 304 || !r.ok) return null;
      etagVersion = r.headers.get('ETag');
      return r.json();
    }).then(function (v) {
      if (!v || !v.version || v.version === version) return null;
      return fetch(location.pathname, { cache: 'no-store' }).then(function (r) {
        if (!r.ok) return null;
        return r.text().then(function (texte) { version = v.version; remplace(texte); });
      });
    }).catch(function () { /* the network is away: the next turn asks again */ })
      .then(function () { setTimeout(suit, INTERVALLE); });
  }
  setTimeout(suit, INTERVALLE);
}());
