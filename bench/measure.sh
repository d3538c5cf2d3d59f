#!/usr/bin/env bash
# Builds the benchmarks and reports, at 5000 draws: time per operation (Google
# Benchmark), and the wall time and peak memory of the whole program opening
# every window and quitting when all are built and painted.
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
