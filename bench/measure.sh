#!/usr/bin/env bash
# Builds the benchmarks and reports, at 5000 draws:
# - time per operation (Google Benchmark);
# - the whole program opening every window and quitting when all are built
#   and painted, side by side with commit 7318244 (the program before text
#   fitting and printing), offscreen and under Xvfb;
# - start-up to the prediction window shown (bundled history), side by side
#   with a minimal Qt MDI program (bench/floor/MdiFloor.cpp), and with the
#   same program showing the prediction window's texts as well (what their
#   glyphs cost alone);
# - the export of the largest grid to PDF and PNG (with the files' sizes).
# Whole-program figures are medians of RUNS runs (default 7): wall time and
# CPU time (user + system) to the millisecond, and peak resident memory.  The
# programs compared take turns run by run, so that a slow spell of the
# machine does not fall on one of them only.  On a busy machine wall times
# are noisy; compare CPU times.
#
# Usage: bench/measure.sh [build-dir]
#   LOTO7_BASE_BUILD=dir  a build of commit 7318244 to compare with (its
#                         src/loto7kazoria); without it, the commit is checked
#                         out in a temporary worktree, built (Release, the
#                         program only) and removed afterwards.
#   RUNS=n                runs per whole-program figure.
#   BENCH_FILTER=regex    only the Google Benchmark cases matching it.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$(realpath "${1:-build}")
runs=${RUNS:-7}
base_commit=7318244
cmake --build "$build" --target bench loto7kazoria >/dev/null
program=$build/src/loto7kazoria
floor=$build/bench/mdi_floor
timer=$build/bench/run_timed

work=$(mktemp -d)
base_tree=
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  [ -n "$base_tree" ] && git -C "$root" worktree remove --force "$base_tree"
  rm -rf "$work"
}
trap cleanup EXIT

if [ -n "${LOTO7_BASE_BUILD:-}" ]; then
  base=$(realpath "$LOTO7_BASE_BUILD")/src/loto7kazoria
else
  echo "Building commit $base_commit for the comparison …"
  base_tree=$work/base
  git -C "$root" worktree add --detach "$base_tree" "$base_commit" >/dev/null 2>&1
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$base_tree" -B "$base_tree/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DLOTO7_BENCH=OFF "${launcher[@]}" >/dev/null
  cmake --build "$base_tree/build" --target loto7kazoria >/dev/null
  base=$base_tree/build/src/loto7kazoria
fi

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work/runtime}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$build/bench/bench_make_history" 5000 > "$work/history.csv"
"$program" import "$work/history.csv" --db "$work/history.mdb" >/dev/null
"$base" import "$work/history.csv" --db "$work/base.mdb" >/dev/null
"$program" import "$root/data/loto7-history.csv" --db "$work/bundled.mdb" >/dev/null

"$build/bench/bench_loto7" --benchmark_min_time=0.2 \
  ${BENCH_FILTER:+"--benchmark_filter=$BENCH_FILTER"}

# The median of the numbers on standard input, one a line.
median() {
  sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# measure NAME…: runs the command of each NAME (the array cmd_NAME) in the
# work folder, one after the other, RUNS rounds of them, so that a slow spell
# of the machine falls on every command alike; then sets NAME_wall and
# NAME_cpu (ms) and NAME_rss (MiB) to each command's medians.
measure() {
  local name run
  for name in "$@"; do : > "$work/times.$name"; done
  for ((run = 0; run < runs; run++)); do
    for name in "$@"; do
      local -n command=cmd_$name
      if ! (cd "$work" && "$timer" "$work/times.$name" "${command[@]}" >/dev/null 2>&1); then
        echo "failed: ${command[*]}" >&2
        exit 1
      fi
    done
  done
  local times
  for name in "$@"; do
    times=$work/times.$name
    printf -v "${name}_wall" '%.0f' "$(awk '{ print $1 * 1000 }' "$times" | median)"
    printf -v "${name}_cpu" '%.0f' "$(awk '{ print ($2 + $3) * 1000 }' "$times" | median)"
    printf -v "${name}_rss" '%.1f' "$(awk '{ print $4 / 1024 }' "$times" | median)"
  done
}

row() {  # label name
  local wall=${2}_wall cpu=${2}_cpu rss=${2}_rss
  printf '  %-44s %8s %8s %9s\n' "$1" "${!wall}" "${!cpu}" "${!rss}"
}

ratio() {  # label name base-name
  local w=${2}_wall c=${2}_cpu bw=${3}_wall bc=${3}_cpu
  awk -v label="$1" -v w="${!w}" -v bw="${!bw}" -v c="${!c}" -v bc="${!bc}" \
    'BEGIN { printf "  %-44s %7.2fx %7.2fx\n", label, w / bw, c / bc }'
}

# The analysis windows and the prediction window, which both builds open
# alike.  (--open-all also opens the entry window, which --open cannot open
# once the prediction window is up, and in this build the back-test window,
# whose worker starts replaying every draw once the window is painted.)
same_windows=()
while read -r window; do
  same_windows+=(--open "$window")
done < <("$program" list | grep -v '^一発カゾリア予想$')

# Every figure for one display (the platform comes from the environment).
measure_all() {
  cmd_open=("$program" --db "$work/history.mdb" --open-all --quit-when-ready)
  cmd_same=("$program" --db "$work/history.mdb" "${same_windows[@]}" --quit-when-ready)
  cmd_baseopen=("$base" --db "$work/base.mdb" --open-all --quit-when-ready)
  cmd_basesame=("$base" --db "$work/base.mdb" "${same_windows[@]}" --quit-when-ready)
  cmd_start=("$program" --db "$work/bundled.mdb" --quit-when-ready)
  cmd_floor=("$floor")
  cmd_floortexts=("$floor" --window-texts)
  cmd_start5000=("$program" --db "$work/history.mdb" --quit-when-ready)
  # Each figure in the same rounds as the one it is compared with.
  measure open baseopen start5000
  measure same basesame
  measure start floor floortexts
  printf '  %-44s %8s %8s %9s\n' "" "wall ms" "CPU ms" "peak MiB"
  row "this build, --open-all, 5000 draws" open
  row "commit $base_commit, --open-all, 5000 draws" baseopen
  ratio "ratio (target <= 0.8x)" open baseopen
  row "this build, analysis + prediction windows" same
  row "commit $base_commit, the same windows" basesame
  ratio "ratio, the same windows" same basesame
  row "this build, start-up only, 5000 draws" start5000
  printf '  %-44s %8s %8s\n' "all windows together (target <= 250 ms)" \
    "$((open_wall - start5000_wall))" "$((open_cpu - start5000_cpu))"
  echo "  (--open-all less start-up; peak memory target <= 100 MiB: --open-all)"
  row "this build, start-up to prediction window" start
  row "minimal Qt MDI program" floor
  ratio "ratio (target <= 1.2x)" start floor
  row "minimal program + prediction window's texts" floortexts
  ratio "  its ratio to the minimal program" floortexts floor
  ratio "  this build's ratio to it" start floortexts
}

echo
echo "Whole program, medians of $runs runs, offscreen"
QT_QPA_PLATFORM=offscreen measure_all

echo
echo "Whole program, medians of $runs runs, under Xvfb"
if command -v Xvfb >/dev/null; then
  Xvfb -displayfd 5 -screen 0 1920x1080x24 -nolisten tcp 5>"$work/display" 2>/dev/null &
  xvfb_pid=$!
  for ((wait = 0; wait < 100; wait++)); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  DISPLAY=:$(cat "$work/display") QT_QPA_PLATFORM=xcb measure_all
else
  echo "  (Xvfb is not installed)"
fi

echo
echo "Export of 分割6データ分析, 5000 draws: the whole command, 3 runs each"
for format in pdf png; do
  for run in 1 2 3; do
    (cd "$work" && /usr/bin/time -f "$format: %e s elapsed, %M KiB peak" \
       "$program" export 分割6データ分析 --db "$work/history.mdb" \
       --out "$work/export.$format") 2>&1 | tail -1
  done
  size=$(stat -c %s "$work/export.$format")
  echo "$format: $((size / 1024)) KiB$( [ "$format" = pdf ] && pdfinfo "$work/export.pdf" | sed -n 's/^Pages: *\(.*\)/, \1 pages/p')"
done
