#!/usr/bin/env bash
# Installs every Debian package the project needs and builds it into build/.
# Usage: scripts/setup.sh [build-dir] [extra cmake options...]
#        scripts/setup.sh --packages-only
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libsqlcipher-dev sqlcipher
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev clang-format
  qt6-charts-dev libqt6opengl6-dev libpng-dev poppler-utils
  fonts-noto-cjk qt6-translations-l10n xvfb xauth time
  dpkg-dev file lintian
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [ "${1:-}" = "--packages-only" ]; then exit 0; fi

build="${1:-build}"
shift || true
cmake -S . -B "$build" -G Ninja "$@"
cmake --build "$build" -j "$(nproc)"
