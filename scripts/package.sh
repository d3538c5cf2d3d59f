#!/usr/bin/env bash
# Builds the Debian package build-package/loto7kazoria_<version>_<arch>.deb:
# a Release build of the program alone with Debian's compiler and linker
# flags, stripped by CPack, which also reads the library packages the
# program needs from the binary.  Then checks the package with lintian.
# Usage: scripts/package.sh (builds in build-package/, the package preset)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --packages-only
# Debian's hardening flags, all of them (bindnow too); CMake reads no
# CPPFLAGS, so they join CXXFLAGS.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS
build=build-package
cmake --preset package
cmake --build --preset package -j "$(nproc)"
rm -f "$build"/loto7kazoria_*.deb
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/loto7kazoria_*.deb)
lintian --fail-on error "$deb"
echo "$deb"
