#!/usr/bin/env bash
# Start-up benchmark: how long Plimset takes from its start until its window is mapped,
# and how much resident memory it holds 5 s later, next to a minimal Qt Widgets window
# (bench/startup/minimal_window.cpp) measured in the same run and the same session.
#
#   bench/run-startup-bench.sh [BUILD_DIR]      (default: build-bench, built here with
#                                                -DPLIMSET_BENCH=ON when it lacks the bench)
#   STARTUP_RUNS=N   runs per program (default 5); medians are reported.
#
# Runs itself inside scripts/desktop-session unless it is already in one. The goal is
# Plimset within 1.3 times the minimal window on both figures.
set -euo pipefail
root_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$root_dir/build-bench}
runs=${STARTUP_RUNS:-5}
settle_seconds=5

if [[ -z ${PLIMSET_SESSION_DIR:-} ]]; then
  if [[ ! -x $build_dir/bench/startup/minimal_window ]]; then
    "$root_dir/scripts/build" "$build_dir" -DPLIMSET_BENCH=ON -DPLIMSET_TESTS=OFF
  fi
  exec "$root_dir/scripts/desktop-session" "$0" "$build_dir"
fi

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Milliseconds from the start of a program until one of its windows is viewable; then
# its VmRSS in KiB after settle_seconds. Prints "<ms> <kib>".
measure() {
  local exe=$1 start pid wid="" elapsed rss
  start=$(now_ms)
  "$exe" >/dev/null 2>&1 &
  pid=$!
  while [[ -z $wid ]]; do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "benchmark: $exe ended before showing a window" >&2
      exit 1
    fi
    if (($(now_ms) - start > 20000)); then
      echo "benchmark: no window from $exe within 20 s" >&2
      exit 1
    fi
    wid=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 || true)
  done
  elapsed=$(($(now_ms) - start))
  sleep "$settle_seconds"
  rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
  kill -TERM "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$elapsed $rss"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Each program runs from a folder of its own, so nothing it writes lands in the build.
work=$PLIMSET_SESSION_DIR/bench
mkdir -p "$work/plimset" "$work/minimal"
cp "$build_dir/plimset" "$work/plimset/plimset"
cp "$build_dir/bench/startup/minimal_window" "$work/minimal/minimal_window"

# Warm the file cache once so the first measured run is not the only cold one.
measure "$work/minimal/minimal_window" >/dev/null
measure "$work/plimset/plimset" >/dev/null

: >"$work/plimset.txt"
: >"$work/minimal.txt"
for ((i = 1; i <= runs; i++)); do
  # Alternate the order so that neither program always runs on a warmer machine.
  if ((i % 2)); then
    measure "$work/minimal/minimal_window" >>"$work/minimal.txt"
    measure "$work/plimset/plimset" >>"$work/plimset.txt"
  else
    measure "$work/plimset/plimset" >>"$work/plimset.txt"
    measure "$work/minimal/minimal_window" >>"$work/minimal.txt"
  fi
done

p_ms=$(cut -d' ' -f1 "$work/plimset.txt" | median)
p_kib=$(cut -d' ' -f2 "$work/plimset.txt" | median)
m_ms=$(cut -d' ' -f1 "$work/minimal.txt" | median)
m_kib=$(cut -d' ' -f2 "$work/minimal.txt" | median)

printf 'Start-up, median of %d runs each (start to window mapped; VmRSS %d s later)\n' \
  "$runs" "$settle_seconds"
printf '  %-16s %8s ms %10s KiB   runs: %s\n' "minimal window" "$m_ms" "$m_kib" \
  "$(tr '\n' ';' <"$work/minimal.txt")"
printf '  %-16s %8s ms %10s KiB   runs: %s\n' "plimset" "$p_ms" "$p_kib" \
  "$(tr '\n' ';' <"$work/plimset.txt")"
awk -v pm="$p_ms" -v mm="$m_ms" -v pk="$p_kib" -v mk="$m_kib" 'BEGIN {
  tr = pm / mm; mr = pk / mk
  printf "  ratio plimset / minimal: time %.2f, memory %.2f (goal: both <= 1.30) %s\n", tr, mr,
    (tr <= 1.3 && mr <= 1.3) ? "MET" : "NOT MET"
}'
