#!/usr/bin/env bash
# Builds the benchmarks and reports, at 5000 draws: time per operation (Google
# Benchmark), the wall time and peak memory of the whole program opening
# every window and quitting when all are built and painted, and of the
# export of the largest grid to PDF and PNG (with the files' sizes).
# Usage: bench/measure.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
cmake --build "$build" --target bench loto7kazoria >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/bench_make_history" 5000 > "$work/history.csv"
"$build/src/loto7kazoria" import "$work/history.csv" --db "$work/history.mdb" >/dev/null

"$build/bench/bench_loto7" --benchmark_min_time=0.2

echo
echo "Whole program, 5000 draws: --open-all --quit-when-ready (offscreen), 5 runs"
for run in 1 2 3 4 5; do
  (cd "$work" && QT_QPA_PLATFORM=offscreen /usr/bin/time -f "%e s elapsed, %M KiB peak" \
     "$build/src/loto7kazoria" --db "$work/history.mdb" --open-all --quit-when-ready) 2>&1 | tail -1
done

echo
echo "Export of 分割6データ分析, 5000 draws: the whole command, 3 runs each"
for format in pdf png; do
  for run in 1 2 3; do
    (cd "$work" && /usr/bin/time -f "$format: %e s elapsed, %M KiB peak" \
       "$build/src/loto7kazoria" export 分割6データ分析 --db "$work/history.mdb" \
       --out "$work/export.$format") 2>&1 | tail -1
  done
  size=$(stat -c %s "$work/export.$format")
  echo "$format: $((size / 1024)) KiB$( [ "$format" = pdf ] && pdfinfo "$work/export.pdf" | sed -n 's/^Pages: *\(.*\)/, \1 pages/p')"
done
