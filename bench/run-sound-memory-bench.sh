#!/usr/bin/env bash
# Sound memory benchmark: Plimset's resident memory idle, after its first alert with the
# default sound file, after a hundred rings of it, and after a beep alert, next to a
# minimal Qt Widgets window (bench/startup/minimal_window.cpp) in the same run and session.
#
#   bench/run-sound-memory-bench.sh [BUILD_DIR] [PLIMSET]
#       BUILD_DIR  default build-bench, built here with -DPLIMSET_BENCH=ON when it lacks
#                  the minimal window; PLIMSET: the program to measure (default
#                  BUILD_DIR/plimset), so that two builds can be compared in one session.
#
# Goals: idle at most 1.1 times the minimal window, after the first alert at most 1.3
# times, after a hundred rings no more than after the first (within 1 MB).
set -euo pipefail
root_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(realpath -m "${1:-$root_dir/build-bench}")
program=$(realpath -m "${2:-$build_dir/plimset}")

if [[ -z ${PLIMSET_SESSION_DIR:-} ]]; then
  if [[ ! -x $build_dir/bench/startup/minimal_window ]]; then
    "$root_dir/scripts/build" "$build_dir" -DPLIMSET_BENCH=ON -DPLIMSET_TESTS=OFF
  fi
  exec "$root_dir/scripts/desktop-session" "$0" "$build_dir" "$program"
fi

# The programs run from copies: the sound module is found through the environment.
if [[ -z ${PLIMSET_SOUND_MODULE:-} && -e $(dirname "$program")/plimset_sound.so ]]; then
  export PLIMSET_SOUND_MODULE=$(dirname "$program")/plimset_sound.so
fi

# Starts a program from a folder of its own with the settings given, waits for its
# window, sleeps, and prints its VmRSS in KiB at each of the times given (seconds from
# the window's showing, ascending).
rss_at() {
  local exe=$1 settings=$2 args=$3
  shift 3
  local dir pid wid="" elapsed=0 t
  dir=$(mktemp -d "$PLIMSET_SESSION_DIR/bench-XXXX")
  cp "$exe" "$dir/"
  exe=$dir/$(basename "$exe")
  [[ -n $settings ]] && printf '[Option]\n%b' "$settings" >"$exe.ini"
  # shellcheck disable=SC2086
  (cd "$dir" && exec "$exe" $args >/dev/null 2>&1) &
  pid=$!
  while [[ -z $wid ]]; do
    wid=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 || true)
    sleep 0.05
  done
  for t in "$@"; do
    sleep $((t - elapsed))
    elapsed=$t
    awk '/^VmRSS:/ { printf "%s ", $2 }' "/proc/$pid/status"
  done
  echo
  kill -TERM "$pid"
  wait "$pid" 2>/dev/null || true
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

read -r minimal < <(rss_at "$build_dir/bench/startup/minimal_window" "" "" 5)
read -r idle < <(rss_at "$program" "" "" 5)
# A one-second countdown that rings for a second, then once more for 100 s.
read -r first < <(rss_at "$program" 'RingDuration=0.01\nMessageBox=0\n' "/C 0:01" 5)
read -r ring1 ring100 < <(rss_at "$program" 'RingDuration=0\nMessageBox=0\n' "/C 0:01" 3 103)
read -r beep < <(rss_at "$program" 'SoundFlag=0\nRingDuration=0.01\nMessageBox=0\n' "/C 0:01" 5)

printf 'Resident memory, KiB (ratio to the minimal Qt window, %s KiB)\n' "$minimal"
printf '  %-28s %8s  %sx\n' "idle" "$idle" "$(ratio "$idle" "$minimal")"
printf '  %-28s %8s  %sx\n' "after the first alert" "$first" "$(ratio "$first" "$minimal")"
printf '  %-28s %8s  %sx\n' "ringing, after the first ring" "$ring1" "$(ratio "$ring1" "$minimal")"
printf '  %-28s %8s  %sx\n' "ringing, after 100 rings" "$ring100" "$(ratio "$ring100" "$minimal")"
printf '  %-28s %8s  %sx\n' "after a beep alert" "$beep" "$(ratio "$beep" "$minimal")"
