#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package: a Release build in build-paquet/ with Debian's hardening flags
# (dpkg-buildflags), then cpack and lintian. Prints the path of the .deb.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/deps.sh
tavo_install_deps
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-paquet "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DTAVO_BUILD_TESTS=OFF -DTAVO_BUILD_BENCHMARKS=OFF >/dev/null \
    || tavo_die "configuration of build-paquet failed"
cmake --build build-paquet --parallel "$(nproc 2>/dev/null || echo 2)" || tavo_die "build failed"
(cd build-paquet && cpack -G DEB) || tavo_die "cpack failed"
deb="$(ls -t build-paquet/tavo_*.deb | head -n 1)"
lintian --display-info --fail-on error,warning "$deb" || tavo_die "lintian found faults in $deb"
echo "$deb"
