#!/bin/bash
# Runs every writer of the program on a 200 KiB tmpfs filled to seven
# levels and checks that each either wrote a file that reads back whole or
# exited non-zero with a Japanese message, leaving the previous file
# byte-identical.  Needs root (mount) and pdfinfo.
#   scripts/check-full-disk.sh build/src/loto7kazoria data/loto7-history.csv
set -u
program=$(realpath "$1")
history=$(realpath "$2")
work=$(mktemp -d)
trap 'umount "$work/disk" 2>/dev/null; rm -rf "$work"' EXIT
mkdir "$work/disk"
mount -t tmpfs -o size=200k tmpfs "$work/disk" || { echo "cannot mount a tmpfs"; exit 1; }
db="$work/Loto7Kazoria.mdb"
"$program" import "$history" --db "$db" >/dev/null
"$program" dump バラツキ分析 --db "$db" --format csv >"$work/dump.csv"
failures=0

# Whole: the file reads back as what it is.
whole() {
    case "$1" in
        *.csv) cmp -s "$1" <(printf '\xEF\xBB\xBF'; cat "$work/dump.csv") ;;
        *.pdf) pdfinfo "$1" >/dev/null 2>&1 ;;
        *.png) QT_QPA_PLATFORM=offscreen python3 -c '
import sys, zlib, struct
data = open(sys.argv[1], "rb").read()
assert data[:8] == b"\x89PNG\r\n\x1a\n"
pos, idat, end = 8, b"", False
while pos < len(data):
    n, = struct.unpack(">I", data[pos:pos + 4]); kind = data[pos + 4:pos + 8]
    if kind == b"IDAT": idat += data[pos + 8:pos + 8 + n]
    end = kind == b"IEND"; pos += 12 + n
assert end and zlib.decompress(idat)' "$1" 2>/dev/null ;;
        *.ini) [ "$(LC_ALL=C grep -c -E $'^[^=]+Opt=(True|False)\r$' "$1")" = 12 ] &&
               [ "$(wc -l <"$1")" = 12 ] ;;
        *.mdb) "$program" dump 回数別出現分析 --db "$1" >/dev/null 2>&1 ;;
    esac
}

# One writer at one level: run, then judge.
judge() {
    local level=$1 target=$2; shift 2
    local before=""
    [ -e "$target" ] && before=$(md5sum <"$target")
    local err status
    err=$( (cd "$work/disk" && "$@") 2>&1 >/dev/null); status=$?
    if [ $status -eq 0 ] && whole "$target"; then
        echo "free $level KiB  $(basename "$target"): written whole"
    elif [ $status -ne 0 ] && [ "$before" = "$( [ -e "$target" ] && md5sum <"$target")" ] &&
        printf '%s' "$err" | grep -q -P '[\x{3040}-\x{30FF}]'; then
        echo "free $level KiB  $(basename "$target"): status $status, kept: $(printf '%s' "$err" | grep -v QStandardPaths | grep -v propagateSizeHints | head -1)"
    else
        echo "free $level KiB  $(basename "$target"): FAILED (status $status) $err"
        failures=$((failures + 1))
    fi
}

for free in 0 4 12 24 48 96 160; do
    rm -rf "${work:?}/disk/"* "$work/disk/".[!.]* 2>/dev/null
    # The previous files, then filler up to the level.
    printf '頻度分析Opt=True\r\n' | iconv -t SJIS >"$work/disk/ロト7カゾリア.ini"
    for f in o.csv o.png o.pdf; do echo previous >"$work/disk/$f"; done
    fallocate -l $(( $(df -k --output=avail "$work/disk" | tail -1) * 1024 - free * 1024 )) \
        "$work/disk/filler" 2>/dev/null || true
    for f in o.csv o.png o.pdf; do
        judge $free "$work/disk/$f" "$program" export バラツキ分析 --db "$db" --out "$work/disk/$f"
    done
    judge $free "$work/disk/ロト7カゾリア.ini" env QT_QPA_PLATFORM=offscreen "$program" --db "$db" --quit-when-ready
    judge $free "$work/disk/new.mdb" "$program" import "$history" --db "$work/disk/new.mdb"
    leftovers=$(ls -A "$work/disk" | grep -c '^\.')
    [ "$leftovers" = 0 ] || { echo "free $free KiB: $leftovers temporary files left"; failures=$((failures + 1)); }
done
echo "failures: $failures"
[ $failures -eq 0 ]
