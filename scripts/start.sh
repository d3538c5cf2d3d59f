#!/usr/bin/env bash
# Starts the program from build/, seeding its database from the bundled
# history the first time.  Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
program=build/src/loto7kazoria
database=build/src/Loto7Kazoria.mdb
if [ ! -f "$database" ]; then
  "$program" import data/loto7-history.csv --db "$database"
fi
exec "$program" "$@"
