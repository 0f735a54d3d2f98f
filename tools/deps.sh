# Sourced by ./run and ./test: installs the Debian packages the build needs, then configures
# and builds in build/. Stops with a clear message when something cannot be had.

TAVO_PACKAGES="g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev clang-format poppler-utils qt6-base-dev qt6-translations-l10n fonts-liberation clang libclang-rt-14-dev locales libx11-dev xvfb xauth dbus at-spi2-core python3-gi gir1.2-atspi-2.0 python3-html5lib dpkg-dev lintian desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl libcpp-httplib-dev nlohmann-json3-dev libqrencode-dev zlib1g-dev chromium chromium-driver python3-selenium"

tavo_die() {
    echo "tavo: $*" >&2
    exit 1
}

tavo_install_deps() {
    local missing=()
    for p in $TAVO_PACKAGES; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    command -v apt-get >/dev/null || tavo_die "missing packages (${missing[*]}) and no apt-get to install them"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || tavo_die "missing packages (${missing[*]}): run as root or install sudo"
        sudo="sudo"
    fi
    echo "tavo: installing ${missing[*]}"
    $sudo apt-get update -qq || tavo_die "apt-get update failed"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" \
        || tavo_die "could not install: ${missing[*]}"
}

# The browser tests' accessibility engine (axe-core), from the npm registry at the version the
# lock file names; Node.js and npm from Debian when the machine has none.
tavo_outils_navigateur() {
    local root
    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    local dossier="$root/tests/terrain/navigateur"
    if ! command -v npm >/dev/null; then
        TAVO_PACKAGES="npm" tavo_install_deps
    fi
    if [ ! -f "$dossier/node_modules/axe-core/axe.min.js" ] \
        || [ "$dossier/package-lock.json" -nt "$dossier/node_modules/.package-lock.json" ]; then
        echo "tavo: installing axe-core for the browser tests"
        npm ci --prefix "$dossier" --no-audit --no-fund --loglevel=error \
            || tavo_die "npm could not install axe-core (tests/terrain/navigateur/package-lock.json)"
    fi
}

# The tests run once more under a French desktop's locale.
tavo_locale_francaise() {
    locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$' && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "tavo: generating the fr_FR.UTF-8 locale"
    $sudo sed -i 's/^# *\(fr_FR\.UTF-8 UTF-8\)/\1/' /etc/locale.gen || tavo_die "cannot edit /etc/locale.gen"
    grep -q '^fr_FR\.UTF-8 UTF-8' /etc/locale.gen || echo 'fr_FR.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null || tavo_die "locale-gen failed"
}

tavo_build() {
    local root
    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    local generator=()
    command -v ninja >/dev/null && generator=(-G Ninja)
    if [ ! -f "$root/build/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$root/build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" \
            || tavo_die "cmake configuration failed"
    else
        cmake -S "$root" -B "$root/build" "$@" >/dev/null || tavo_die "cmake configuration failed"
    fi
    cmake --build "$root/build" --parallel "$(nproc 2>/dev/null || echo 2)" || tavo_die "build failed"
}
