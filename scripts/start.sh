#!/usr/bin/env bash
# Starts the program from build/src, seeding its database from the bundled
# history the first time.  It runs in build/src, where the options file and
# the help file live.  Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

# Without a display Qt would abort with its own message: say how to start.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<'MSG'
画面(ディスプレイ)が見つかりません。デスクトップの端末から起動するか、次のどちらかで起動してください。
  xvfb-run -a scripts/start.sh                      (仮想の画面で動かす)
  QT_QPA_PLATFORM=offscreen scripts/start.sh --open-all --quit-when-ready   (表示せずに動作を確かめる)
No display found. Start it from a desktop terminal, or with one of the commands above.
MSG
  exit 1
fi

if [ ! -x build/src/loto7kazoria ]; then
  echo "build/src/loto7kazoria がありません。先に scripts/setup.sh を実行してください。" >&2
  exit 1
fi
cd build/src
if [ ! -f Loto7Kazoria.mdb ]; then
  ./loto7kazoria import "$root/data/loto7-history.csv" --db Loto7Kazoria.mdb
fi
exec ./loto7kazoria "$@"
