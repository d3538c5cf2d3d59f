#!/usr/bin/env bash
# Builds the Debian package build-package/loto7kazoria_<version>_<arch>.deb:
# a Release build of the program alone with Debian's compiler and linker
# flags, stripped by CPack, which also reads the library packages the
# program needs from the binary.  Then checks the package with lintian.
# Usage: scripts/package.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-package}"

scripts/setup.sh --packages-only
# Debian's hardening flags, all of them (bindnow too); CMake reads no
# CPPFLAGS, so they join CXXFLAGS.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLOTO7_TESTS=OFF -DLOTO7_BENCH=OFF
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/loto7kazoria_*.deb
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/loto7kazoria_*.deb)
lintian --fail-on error "$deb"
echo "$deb"
