#!/usr/bin/env bash
# Runs screen_reader.py against the program: a copy of the bundled history
# in a folder of its own, a D-Bus session for the accessibility bus, and an
# X server.  Usage: screen_reader.sh PROGRAM HISTORY.csv
set -euo pipefail
program=$1
history=$2
for tool in dbus-run-session xvfb-run /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "missing: $tool (scripts/setup.sh --test installs it)"; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
  { echo "missing: python3-pyatspi (scripts/setup.sh --test installs it)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$program" import "$history" --db "$work/Loto7Kazoria.mdb" >/dev/null
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
dbus-run-session -- xvfb-run -a -s "-screen 0 1366x768x24" \
  /usr/bin/python3 "$(dirname "$0")/screen_reader.py" "$program" "$work/Loto7Kazoria.mdb"
