#!/usr/bin/env bash
# Starts the program from build/src, seeding its database from the bundled
# history the first time.  It runs in build/src, where the options file and
# the help file live.  Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
cd build/src
if [ ! -f Loto7Kazoria.mdb ]; then
  ./loto7kazoria import "$root/data/loto7-history.csv" --db Loto7Kazoria.mdb
fi
exec ./loto7kazoria "$@"
