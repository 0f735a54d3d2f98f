#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the program installed under a prefix, as a desktop user or a packager gets it.
#   verifie.sh installe PREFIX BUILD CMAKE  install BUILD into a fresh PREFIX
#   verifie.sh bureau PREFIX                desktop entry, AppStream, the .ccr file type
#   verifie.sh contenu PREFIX SOURCES       data files, manual pages, the programs run
#   verifie.sh paquet BUILD DIR CPACK       cpack -G DEB into DIR, then lintian
set -euo pipefail

echec() {
    echo "ÉCHEC : $*" >&2
    exit 1
}

outil() {
    command -v "$1" >/dev/null || echec "$1 is missing (tools/deps.sh installs it)"
}

installe() {
    local prefixe=$1 build=$2 cmake=$3
    rm -rf "$prefixe"
    "$cmake" --install "$build" --prefix "$prefixe"
}

# What a desktop with only this prefix's data sees: its own mime database and menu entries.
bureau() {
    local prefixe=$1 id=fr.tavo.Tavo2000 type=application/x-tavo-concours
    local desktop=$prefixe/share/applications/$id.desktop
    for o in desktop-file-validate appstreamcli update-mime-database update-desktop-database \
        xdg-mime mimetype; do
        outil "$o"
    done
    desktop-file-validate "$desktop" || echec "desktop-file-validate $desktop"
    appstreamcli validate --no-net "$prefixe/share/metainfo/$id.metainfo.xml" \
        || echec "appstreamcli validate"
    grep -qE "^MimeType=(.*;)?$type;" "$desktop" || echec "$desktop does not list $type"

    # vide stays global: the trap runs after the function has returned
    vide=$(mktemp -d)
    trap 'rm -rf "$vide"' EXIT
    update-mime-database "$prefixe/share/mime"
    update-desktop-database "$prefixe/share/applications"
    cp "$prefixe/share/tavo/Concours/demo.ccr" "$vide/demo.ccr"
    cp "$vide/demo.ccr" "$vide/DEMO.CCR"
    : >"$vide/vide.ccr"
    # A plain desktop: xdg-mime asks no desktop environment of the session.
    unset XDG_CURRENT_DESKTOP KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID MATE_DESKTOP_SESSION_ID \
        DESKTOP_SESSION DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
    export XDG_DATA_DIRS=$prefixe/share XDG_DATA_HOME=$vide/donnees XDG_CONFIG_HOME=$vide/config \
        XDG_CONFIG_DIRS=$vide/config
    local f trouve
    for f in demo.ccr DEMO.CCR vide.ccr; do
        trouve=$(xdg-mime query filetype "$vide/$f")
        [ "$trouve" = "$type" ] || echec "xdg-mime gives $f the type $trouve"
    done
    trouve=$(xdg-mime query default "$type")
    [ "$trouve" = "$id.desktop" ] || echec "xdg-mime opens $type with '$trouve'"
}

# Every file the program looks for under share/tavo is there, the same as in the sources.
contenu() {
    local prefixe=$1 sources=$2 donnees=$1/share/tavo f sortie
    for f in Vols/F3A_F27.txt Vols/F3A_P27.txt Vols/F3C_P27.txt Vols/VGM_2026.txt \
        Concours/demo.ccr ffam.bmp logo.bmp; do
        [ -f "$donnees/$f" ] && [ ! -L "$donnees/$f" ] || echec "$donnees/$f is not installed"
        cmp -s "$donnees/$f" "$sources/data/$f" || echec "$donnees/$f differs from data/$f"
    done
    cmp -s "$donnees/aide/Tavo.html" "$sources/res/aide/Tavo.html" \
        || echec "$donnees/aide/Tavo.html differs from res/aide/Tavo.html"
    for f in tavo tavo-cli; do
        gzip -t "$prefixe/share/man/man1/$f.1.gz" || echec "manual page $f(1)"
        sortie=$("$prefixe/bin/$f" --help) && [[ $sortie == *"Usage : $f "* ]] \
            || echec "$f --help"
    done
    # From an empty home folder, the installed demo competition ranks with the installed
    # programmes alone, and nothing is made there.
    local maison
    maison=$(mktemp -d)
    sortie=$(cd "$maison" && env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$maison" \
        XDG_DATA_DIRS=/nonexistent "$prefixe/bin/tavo-cli" classement "$donnees/Concours/demo.ccr" \
        --vols 4) && [[ $sortie == *"après 4 vols"* ]] \
        || echec "the installed demo competition cannot be ranked"
    [ -z "$(ls -A "$maison")" ] || echec "tavo-cli wrote into the home folder"
    rm -rf "$maison"
}

# The Debian package, with no lintian error or warning (tools/paquet.sh makes the real one).
paquet() {
    local build=$1 sortie=$2 cpack=$3 deb
    outil lintian
    rm -rf "$sortie"
    "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$sortie" >/dev/null
    deb=$(ls "$sortie"/tavo_*.deb)
    lintian --fail-on error,warning "$deb" || echec "lintian $deb"
}

"$@"
