#!/usr/bin/env bash
# Runs every command a user or a script sees (dump and export of every
# window, backtest, randomness, filter, wheel, tickets, check, import, the
# usage and error paths) with two builds of the program and prints every
# difference in what they print, write and exit with.  For a change that
# must not change what users see: nothing printed below the summary line
# means the two builds agree.
#
#   scripts/compare-builds.sh OLD_PROGRAM NEW_PROGRAM [WORK_DIR]
#
# PNG files are compared byte for byte, PDF files by their text with its
# boxes (pdftotext -bbox) and page count.  Both builds run in the same
# folder, one after the other, so that paths in messages are the same.
set -euo pipefail

old=$(realpath "${1:?usage: compare-builds.sh OLD_PROGRAM NEW_PROGRAM [WORK_DIR]}")
new=$(realpath "${2:?usage: compare-builds.sh OLD_PROGRAM NEW_PROGRAM [WORK_DIR]}")
work=${3:-/tmp/loto7-compare}
root=$(cd "$(dirname "$0")/.." && pwd)
history="$root/data/loto7-history.csv"
export QT_QPA_PLATFORM=offscreen
export LC_ALL=C.UTF-8

rm -rf "$work"
mkdir -p "$work/inputs"
run="$work/run"

# A synthetic history of 5000 complete draws, the same every time.
python3 - "$work/inputs/history5000.csv" <<'PY'
import random, sys, datetime
rng = random.Random(20260807)
day = datetime.date(2013, 4, 5)
with open(sys.argv[1], "w", encoding="utf-8", newline="\n") as f:
    f.write("回数,抽せん日,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,ボーナス数字1,ボーナス数字2\n")
    for n in range(1, 5001):
        nine = rng.sample(range(1, 38), 9)
        main = sorted(nine[:7])
        f.write(",".join([str(n), (day + datetime.timedelta(days=7 * (n - 1))).isoformat()]
                         + [str(x) for x in main] + [str(nine[7]), str(nine[8])]) + "\n")
PY
# Draws 690 and 691 after the bundled history, and a file that contradicts
# draw 5 and has a broken row.
cat > "$work/inputs/new-draws.csv" <<'CSV'
回数,抽せん日,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,ボーナス数字1,ボーナス数字2
690,2026-08-14,1,5,9,13,22,30,37,2,11
691,2026-08-21,3,8,14,19,25,31,36,6,21
CSV
{
  head -1 "$history"
  echo "5,2013-05-03,1,2,3,4,5,6,7,8,9"
} > "$work/inputs/conflict.csv"
{
  head -1 "$history"
  echo "692,2026-08-28,1,2,3,4,5,6,99,8,9"
} > "$work/inputs/bad.csv"
cat > "$work/inputs/tickets.csv" <<'CSV'
回,数字1,数字2,数字3,数字4,数字5,数字6,数字7,口数,メモ
689,1,5,9,13,22,30,37,2,テスト
680-689,3,8,14,19,25,31,36,1,継続
CSV
printf '1 2 3 4 5 6 7\n1 2 3 4 8 9 10\n5 6 7 8 9 10 11\n' > "$work/inputs/wheel-tickets.txt"
# Options files: every analysis reflected, and a mixed one.
options_all="$work/inputs/options-all.ini"
options_mixed="$work/inputs/options-mixed.ini"
keys=(頻度分析Opt 間隔分析Opt 出現回数分析Opt バラツキ分析Opt 引っ張り分析Opt 連番飛び石分析Opt
      数字合計分析Opt 組合せパターン分析Opt 5分割傾向分析Opt 分割データ分析Opt 下一桁出現傾向分析Opt
      下一桁連続出現回数分析Opt)

windows=()

# Runs one case with one program: a fresh folder holding the inputs, the
# databases the program made itself, and an options file when given.
#   case NAME SETUP -- ARGS...
# SETUP: none | db689 | db5000 | opts-all | opts-mixed (comma-separated).
case_run() {
  local program=$1 out=$2 name=$3 setup=$4
  shift 5
  rm -rf "$run"
  mkdir -p "$run"
  cp "$work/inputs/"* "$run/"
  local s
  for s in ${setup//,/ }; do
    case $s in
      db689) cp "$out/../db689.mdb" "$run/db.mdb" ;;
      db5000) cp "$out/../db5000.mdb" "$run/db.mdb" ;;
      opts-all) cp "$options_all" "$run/ロト7カゾリア.ini" ;;
      opts-mixed) cp "$options_mixed" "$run/ロト7カゾリア.ini" ;;
      none) ;;
    esac
  done
  local dir="$out/$name"
  mkdir -p "$dir"
  set +e
  (cd "$run" && timeout 300 "$program" "$@" > "$dir/stdout" 2> "$dir/stderr")
  echo $? > "$dir/status"
  set -e
  local f
  for f in "$run"/*; do
    local base
    base=$(basename "$f")
    [ -e "$work/inputs/$base" ] && continue
    case $base in
      *.png) cp "$f" "$dir/$base" ;;
      *.pdf)
        pdfinfo "$f" | grep -E '^Pages:' > "$dir/$base.pages" || true
        pdftotext -bbox "$f" - | sed -e 's/<meta name="CreationDate".*//' \
                                     -e 's/<meta name="ModDate".*//' > "$dir/$base.bbox" ;;
      *.csv|*.ini|*.txt) cp "$f" "$dir/$base" ;;
      *.mdb)
        # The file is encrypted: compare what is stored through the program.
        (cd "$run" && "$program" tickets list --db "$base" --format json \
           > "$dir/$base.tickets" 2>&1 || true)
        (cd "$run" && "$program" dump 出現頻度分析 --db "$base" --format csv \
           > "$dir/$base.draws" 2>&1 || true) ;;
    esac
  done
}

run_all() {
  local program=$1 out=$2
  mkdir -p "$out"
  # The databases every reading case starts from, made by the build itself.
  rm -rf "$run" && mkdir -p "$run"
  (cd "$run" && "$program" import "$history" --db db.mdb > "$out/import689.txt" 2>&1)
  cp "$run/db.mdb" "$out/../db689.mdb"
  rm -rf "$run" && mkdir -p "$run"
  (cd "$run" && "$program" import "$work/inputs/history5000.csv" --db db.mdb \
     > "$out/import5000.txt" 2>&1)
  cp "$run/db.mdb" "$out/../db5000.mdb"

  mapfile -t windows < <("$program" list)
  local w size
  for size in 689 5000; do
    for w in "${windows[@]}"; do
      case_run "$program" "$out" "dump-json-$size-$w" "db$size" -- dump "$w" --db db.mdb
      case_run "$program" "$out" "dump-csv-$size-$w" "db$size" -- dump "$w" --db db.mdb --format csv
    done
  done
  case_run "$program" "$out" dump-prediction-opts-all db689,opts-all -- dump 一発カゾリア予想 --db db.mdb
  case_run "$program" "$out" dump-prediction-opts-mixed db689,opts-mixed -- dump 一発カゾリア予想 --db db.mdb
  for w in "${windows[@]}"; do
    case_run "$program" "$out" "export-689-$w" db689 -- export "$w" --db db.mdb --out "out.csv"
    case_run "$program" "$out" "export-png-689-$w" db689 -- export "$w" --db db.mdb --out "out.png"
    case_run "$program" "$out" "export-pdf-689-$w" db689 -- export "$w" --db db.mdb --out "out.pdf"
  done
  for w in 出現頻度分析 バラツキ分析 分割6データ分析 一発カゾリア予想; do
    case_run "$program" "$out" "export-png-5000-$w" db5000 -- export "$w" --db db.mdb --out "out.png"
    case_run "$program" "$out" "export-pdf-5000-$w" db5000 -- export "$w" --db db.mdb --out "out.pdf"
  done
  case_run "$program" "$out" export-bad-suffix db689 -- export バラツキ分析 --db db.mdb --out out.txt
  case_run "$program" "$out" export-no-out db689 -- export バラツキ分析 --db db.mdb
  case_run "$program" "$out" export-unknown db689 -- export 無い窓 --db db.mdb --out out.csv
  case_run "$program" "$out" dump-unknown db689 -- dump 無い窓 --db db.mdb
  case_run "$program" "$out" dump-bad-format db689 -- dump バラツキ分析 --db db.mdb --format xml
  case_run "$program" "$out" dump-two-words db689 -- dump バラツキ分析 出現頻度分析 --db db.mdb
  case_run "$program" "$out" dump-missing-db none -- dump バラツキ分析 --db missing.mdb

  # The back-test.
  case_run "$program" "$out" backtest-json db689 -- backtest --db db.mdb
  case_run "$program" "$out" backtest-csv db689 -- backtest --db db.mdb --format csv
  case_run "$program" "$out" backtest-range db689,opts-mixed -- backtest --db db.mdb --from 400 --to 450
  case_run "$program" "$out" backtest-range-csv db689,opts-all -- backtest --db db.mdb --from 600 --format csv
  case_run "$program" "$out" backtest-5000 db5000 -- backtest --db db.mdb --from 4800
  case_run "$program" "$out" backtest-bad-from db689 -- backtest --db db.mdb --from x
  case_run "$program" "$out" backtest-from-low db689 -- backtest --db db.mdb --from 1
  case_run "$program" "$out" backtest-to-high db689 -- backtest --db db.mdb --to 9999
  case_run "$program" "$out" backtest-reversed db689 -- backtest --db db.mdb --from 500 --to 400
  case_run "$program" "$out" backtest-bad-format db689 -- backtest --db db.mdb --format xml
  case_run "$program" "$out" backtest-extra-word db689 -- backtest extra --db db.mdb

  # The randomness tests.
  case_run "$program" "$out" randomness-json db689 -- randomness --db db.mdb
  case_run "$program" "$out" randomness-csv db689 -- randomness --db db.mdb --format csv
  case_run "$program" "$out" randomness-seed db689 -- randomness --db db.mdb --seed 7 --simulations 20000 --from 100 --to 600
  case_run "$program" "$out" randomness-5000 db5000 -- randomness --db db.mdb --format csv
  case_run "$program" "$out" randomness-bad-sim db689 -- randomness --db db.mdb --simulations 5
  case_run "$program" "$out" randomness-bad-seed db689 -- randomness --db db.mdb --seed -1
  case_run "$program" "$out" randomness-bad-from db689 -- randomness --db db.mdb --from 0
  case_run "$program" "$out" randomness-bad-to db689 -- randomness --db db.mdb --to 700
  case_run "$program" "$out" randomness-one-draw db689 -- randomness --db db.mdb --from 10 --to 10
  case_run "$program" "$out" randomness-bad-format db689 -- randomness --db db.mdb --format tsv

  # The filters.
  case_run "$program" "$out" filter-none db689 -- filter --db db.mdb
  case_run "$program" "$out" filter-many db689 -- filter --db db.mdb --sum 100-160 --odd 3,4 --low 3,4 --consecutive 0,1 --not-won
  case_run "$program" "$out" filter-all-kinds-csv db689 -- filter --db db.mdb --skip 0-2 --last-digits 5-7 --same-digit-max 2 --range4 1-3/1-3/1-3/1-3 --carry 0-2 --include 3 --exclude 13 --at-least 2:1,5,9,12 --format csv
  case_run "$program" "$out" filter-groups db689 -- filter --db db.mdb --group6 0-2/0-2/0-2/0-2/0-2/0-2 --group7 0-2/0-2/0-2/0-2/0-2/0-2/0-2
  case_run "$program" "$out" filter-group9 db689 -- filter --db db.mdb --group9 0-2/0-2/0-2/0-2/0-2/0-2/0-2/0-2/0-2 --format csv
  case_run "$program" "$out" filter-generate db689 -- filter --db db.mdb --sum 120-140 --generate 10 --seed 42
  case_run "$program" "$out" filter-generate-spread db689 -- filter --db db.mdb --odd 3 --generate 12 --seed 5 --spread --format csv
  case_run "$program" "$out" filter-5000 db5000 -- filter --db db.mdb --sum 110-150 --not-won --generate 3 --seed 1
  case_run "$program" "$out" filter-bad-sum db689 -- filter --db db.mdb --sum 300-10
  case_run "$program" "$out" filter-bad-odd db689 -- filter --db db.mdb --odd 9
  case_run "$program" "$out" filter-bad-atleast db689 -- filter --db db.mdb --at-least 2
  case_run "$program" "$out" filter-empty-atleast db689 -- filter --db db.mdb --at-least 2:
  case_run "$program" "$out" filter-bad-same db689 -- filter --db db.mdb --same-digit-max 0
  case_run "$program" "$out" filter-bad-generate db689 -- filter --db db.mdb --generate 0
  case_run "$program" "$out" filter-seed-alone db689 -- filter --db db.mdb --seed 4
  case_run "$program" "$out" filter-spread-alone db689 -- filter --db db.mdb --spread
  case_run "$program" "$out" filter-blank db689 -- filter --db db.mdb --include ""
  case_run "$program" "$out" filter-option-elsewhere db689 -- dump バラツキ分析 --db db.mdb --sum 1-2
  case_run "$program" "$out" filter-bad-format db689 -- filter --db db.mdb --format xml

  # Wheels: searches that reach their bound at once, verified lists, errors.
  case_run "$program" "$out" wheel-9-3of3 none -- wheel --numbers 1-9 --guarantee 3/3 --seed 1
  case_run "$program" "$out" wheel-10-4of4-csv none -- wheel --numbers 1-10 --guarantee 4/4 --seed 2 --format csv
  case_run "$program" "$out" wheel-keys none -- wheel --numbers 1,3,5,7,9,11,13,15,17,19 --keys 1 --guarantee 3/4 --seed 3
  case_run "$program" "$out" wheel-8-5of6 none -- wheel --numbers 30-37 --guarantee 5/6 --seed 4 --format csv
  case_run "$program" "$out" wheel-verify none -- wheel --verify wheel-tickets.txt
  case_run "$program" "$out" wheel-verify-guarantee none -- wheel --verify wheel-tickets.txt --guarantee 3/4
  case_run "$program" "$out" wheel-verify-numbers none -- wheel --verify wheel-tickets.txt --numbers 1-11 --guarantee 2/3 --format csv
  case_run "$program" "$out" wheel-verify-missing none -- wheel --verify missing.txt
  case_run "$program" "$out" wheel-verify-bad-g none -- wheel --verify wheel-tickets.txt --guarantee 5/4
  case_run "$program" "$out" wheel-verify-bad-numbers none -- wheel --verify wheel-tickets.txt --numbers 1-5
  case_run "$program" "$out" wheel-verify-seed none -- wheel --verify wheel-tickets.txt --seed 1
  case_run "$program" "$out" wheel-no-guarantee none -- wheel --numbers 1-9
  case_run "$program" "$out" wheel-bad-numbers none -- wheel --numbers 1,x --guarantee 3/3
  case_run "$program" "$out" wheel-bad-keys none -- wheel --numbers 1-9 --keys a --guarantee 3/3
  case_run "$program" "$out" wheel-bad-guarantee none -- wheel --numbers 1-9 --guarantee 3
  case_run "$program" "$out" wheel-bad-seconds none -- wheel --numbers 1-9 --guarantee 3/3 --seconds 0
  case_run "$program" "$out" wheel-bad-seconds-text none -- wheel --numbers 1-9 --guarantee 3/3 --seconds 1s
  case_run "$program" "$out" wheel-bad-seed none -- wheel --numbers 1-9 --guarantee 3/3 --seed -3
  case_run "$program" "$out" wheel-too-few none -- wheel --numbers 1-7 --guarantee 3/3
  case_run "$program" "$out" wheel-t-above-m none -- wheel --numbers 1-9 --guarantee 4/3
  case_run "$program" "$out" wheel-too-big none -- wheel --numbers 1-37 --guarantee 6/7
  case_run "$program" "$out" wheel-bad-format none -- wheel --numbers 1-9 --guarantee 3/3 --format xml

  # The ticket book and the quick check.
  case_run "$program" "$out" tickets-add db689 -- tickets add --draw 689 1 5 9 13 22 30 37 --units 3 --memo メモ --db db.mdb
  case_run "$program" "$out" tickets-add-range db689 -- tickets add --draw 680-690 3 8 14 19 25 31 36 --db db.mdb
  case_run "$program" "$out" tickets-import db689 -- tickets import tickets.csv --db db.mdb
  case_run "$program" "$out" tickets-list-empty db689 -- tickets list --db db.mdb
  case_run "$program" "$out" tickets-add-no-draw db689 -- tickets add 1 2 3 4 5 6 7 --db db.mdb
  case_run "$program" "$out" tickets-add-six db689 -- tickets add --draw 689 1 2 3 4 5 6 --db db.mdb
  case_run "$program" "$out" tickets-add-repeat db689 -- tickets add --draw 689 1 1 3 4 5 6 7 --db db.mdb
  case_run "$program" "$out" tickets-add-bad-units db689 -- tickets add --draw 689 1 2 3 4 5 6 7 --units 0 --db db.mdb
  case_run "$program" "$out" tickets-add-bad-draw db689 -- tickets add --draw 0 1 2 3 4 5 6 7 --db db.mdb
  case_run "$program" "$out" tickets-delete-bad db689 -- tickets delete x --db db.mdb
  case_run "$program" "$out" tickets-delete-missing db689 -- tickets delete 5 --db db.mdb
  case_run "$program" "$out" tickets-no-verb db689 -- tickets --db db.mdb
  case_run "$program" "$out" tickets-bad-verb db689 -- tickets sell --db db.mdb
  case_run "$program" "$out" tickets-check-two-draws db689 -- tickets check --draw 5-6 --db db.mdb
  case_run "$program" "$out" tickets-list-bad-format db689 -- tickets list --db db.mdb --format xml
  case_run "$program" "$out" check-json db689 -- check 1 5 9 13 22 30 37 --db db.mdb
  case_run "$program" "$out" check-csv db689 -- check 3 8 14 19 25 31 36 --db db.mdb --format csv
  case_run "$program" "$out" check-5000 db5000 -- check 1 2 3 4 5 6 7 --db db.mdb
  case_run "$program" "$out" check-six db689 -- check 1 2 3 4 5 6 --db db.mdb
  case_run "$program" "$out" check-range db689 -- check 1 2 3 4 5 6 38 --db db.mdb
  case_run "$program" "$out" check-bad-format db689 -- check 1 2 3 4 5 6 7 --db db.mdb --format xml
  # A book with tickets: listed, checked and deleted in one case each.
  rm -rf "$run" && mkdir -p "$run" && cp "$out/../db689.mdb" "$run/db.mdb"
  (cd "$run" && "$program" tickets import "$work/inputs/tickets.csv" --db db.mdb > /dev/null &&
     "$program" tickets add --draw 640-689 7 8 9 10 11 12 13 --units 2 --db db.mdb > /dev/null)
  cp "$run/db.mdb" "$out/../tickets.mdb"
  local verb
  for verb in "tickets list" "tickets list --format csv" "tickets check" \
              "tickets check --format csv" "tickets check --draw 689" \
              "tickets check --draw 685 --format csv" "tickets delete 2" "tickets delete 99"; do
    rm -rf "$run" && mkdir -p "$run" && cp "$out/../tickets.mdb" "$run/db.mdb"
    local dir="$out/book-${verb// /_}"
    mkdir -p "$dir"
    set +e
    # shellcheck disable=SC2086
    (cd "$run" && "$program" $verb --db db.mdb > "$dir/stdout" 2> "$dir/stderr")
    echo $? > "$dir/status"
    (cd "$run" && "$program" tickets list --db db.mdb --format json > "$dir/after" 2>&1)
    set -e
  done

  # Import.
  case_run "$program" "$out" import-new db689 -- import new-draws.csv --db db.mdb
  case_run "$program" "$out" import-again-same db689 -- import "$history" --db db.mdb
  case_run "$program" "$out" import-conflict db689 -- import conflict.csv --db db.mdb
  case_run "$program" "$out" import-replace db689 -- import conflict.csv --db db.mdb --replace
  case_run "$program" "$out" import-bad db689 -- import bad.csv --db db.mdb
  case_run "$program" "$out" import-missing-file db689 -- import nothing.csv --db db.mdb
  case_run "$program" "$out" import-no-file db689 -- import --db db.mdb
  case_run "$program" "$out" import-new-db none -- import new-draws.csv --db fresh.mdb

  # Usage, version, and the errors of the command line itself.
  case_run "$program" "$out" help none -- --help
  case_run "$program" "$out" help-short none -- -h
  case_run "$program" "$out" version none -- --version
  case_run "$program" "$out" list none -- list
  case_run "$program" "$out" unknown-command none -- frobnicate --db db.mdb
  case_run "$program" "$out" unknown-option none -- dump バラツキ分析 --colour
  case_run "$program" "$out" missing-value none -- dump バラツキ分析 --db
  case_run "$program" "$out" empty-db none -- dump バラツキ分析 --db ""
  case_run "$program" "$out" empty-out none -- export バラツキ分析 --out ""
  case_run "$program" "$out" data-folder-command none -- list --data-folder
  case_run "$program" "$out" single-dash none -- dump -x
  case_run "$program" "$out" open-all db689 -- --db db.mdb --open-all --quit-when-ready
  case_run "$program" "$out" open-unknown db689 -- --db db.mdb --open 無い窓 --quit-when-ready
}

for k in "${keys[@]}"; do echo "${k}=True"; done | iconv -f UTF-8 -t SHIFT_JIS | sed 's/$/\r/' > "$options_all"
i=0
for k in "${keys[@]}"; do
  if ((i % 3 == 0)); then echo "${k}=False"; else echo "${k}=True"; fi
  i=$((i + 1))
done | iconv -f UTF-8 -t SHIFT_JIS | sed 's/$/\r/' > "$options_mixed"

# What differs from one run to the next whatever the build: the time a
# ticket was added and the seconds a wheel search took.
normalise() {
  find "$1" -type f \( -name stdout -o -name after -o -name '*.tickets' \) -print0 |
    xargs -0 sed -i -E -e 's/"added": "[^"]*"/"added": "(time)"/g' \
                       -e 's/"seconds": [0-9.e+-]+/"seconds": (time)/g'
}

mkdir -p "$work/old" "$work/new"
run_all "$old" "$work/old/out"
run_all "$new" "$work/new/out"
normalise "$work/old/out"
normalise "$work/new/out"
cases=$(find "$work/old/out" -mindepth 1 -maxdepth 1 | wc -l)
if diff -r "$work/old/out" "$work/new/out" > "$work/differences.txt"; then
  echo "compare-builds: $cases cases, no difference"
else
  echo "compare-builds: $cases cases, differences:"
  cat "$work/differences.txt"
  exit 1
fi
