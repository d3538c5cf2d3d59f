#!/usr/bin/env bash
# Installs the Debian packages the project needs and builds it.
#
#   scripts/setup.sh [build-dir] [cmake options...]
#       what building and starting the program needs; builds the program
#       alone into build/ (Release, no tests, no benchmarks)
#   scripts/setup.sh --test [build-dir] [cmake options...]
#       adds what the tests, CI, benchmarks and packaging use, and builds
#       everything (tests included) into build/
#   scripts/setup.sh [--test] --preset NAME
#       the same, configured by a preset of CMakePresets.json
#   scripts/setup.sh [--test] --packages-only
set -euo pipefail
cd "$(dirname "$0")/.."

program_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libsqlcipher-dev qt6-charts-dev libqt6opengl6-dev libpng-dev
  fonts-noto-cjk qt6-translations-l10n
)
test_packages=(
  git sqlcipher
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev clang-format
  poppler-utils xvfb xauth time
  dbus-daemon at-spi2-core python3-pyatspi
  dpkg-dev file lintian
)

with_tests=false
packages_only=false
preset=""
while (($#)); do
  case "$1" in
    --test) with_tests=true; shift ;;
    --packages-only) packages_only=true; shift ;;
    --preset) preset="${2:?--preset needs a name}"; shift 2 ;;
    *) break ;;
  esac
done

packages=("${program_packages[@]}")
$with_tests && packages+=("${test_packages[@]}")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      cat >&2 <<EOF
パッケージを入れるには管理者(root)の権限が要りますが、sudo がありません。
root で scripts/setup.sh を実行するか、次のパッケージを入れてから実行し直してください。
Installing packages needs root, and sudo is not available. Run scripts/setup.sh
as root, or install these packages first and run it again:
  ${missing[*]}
EOF
      exit 1
    fi
    sudo=(sudo)
  fi
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
fi

if $packages_only; then exit 0; fi

if [ -n "$preset" ]; then
  cmake --preset "$preset"
  cmake --build --preset "$preset" -j "$(nproc)"
  exit 0
fi

build="${1:-build}"
shift || true
if $with_tests; then
  cmake -S . -B "$build" -G Ninja -DLOTO7_TESTS=ON -DLOTO7_BENCH=ON "$@"
  cmake --build "$build" -j "$(nproc)"
else
  # Warnings never stop the user's build, also in a folder CI configured.
  # Each library is compiled as one unit: a third of the time.
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLOTO7_TESTS=OFF \
    -DLOTO7_BENCH=OFF -DLOTO7_WERROR=OFF -DCMAKE_UNITY_BUILD=ON \
    -DCMAKE_UNITY_BUILD_BATCH_SIZE=0 "$@"
  cmake --build "$build" -j "$(nproc)" --target loto7kazoria
fi
