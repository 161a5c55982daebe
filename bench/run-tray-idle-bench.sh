#!/usr/bin/env bash
# Idle cost of the notification-area icon: CPU time over 30 s and wake-ups per second
# (voluntary context switches of all the program's threads) while a countdown runs, with
# the icon shown beside the same without it, and with the running time in the icon's tip
# (Progress and ShowAlways, so the tip changes every second); also with the window hidden
# in the tray, while the program watches that the tray stays.
#
#   bench/run-tray-idle-bench.sh [BUILD_DIR]     (default: build; built here when it lacks
#                                                 the program)
#   TRAY_IDLE_SECONDS=N   measuring time per case (default 30).
#
# Runs itself inside scripts/desktop-session (whose panel has a tray) unless it is already
# in one.
set -euo pipefail
root_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$root_dir/build}
seconds=${TRAY_IDLE_SECONDS:-30}

if [[ -z ${PLIMSET_SESSION_DIR:-} ]]; then
  [[ -x $build_dir/plimset ]] || "$root_dir/scripts/build" "$build_dir"
  exec "$root_dir/scripts/desktop-session" "$0" "$build_dir"
fi

# Nanoseconds on a CPU and voluntary context switches, summed over all the threads of a
# process: "<ns> <switches>".
sample() {
  local pid=$1
  echo "$(awk '{ s += $1 } END { print s }' /proc/"$pid"/task/*/schedstat)" \
    "$(awk '/^voluntary_ctxt_switches/ { s += $2 } END { print s }' /proc/"$pid"/task/*/status)"
}

printf '%-40s %12s %8s %12s\n' case "CPU ms/30 s" "CPU %" "wake-ups/s"
run_case() {
  local name=$1 settings=$2 hide=${3:-} folder pid before after
  folder=$(mktemp -d "$PLIMSET_SESSION_DIR/bench-XXXXXX")
  cp "$build_dir/plimset" "$folder/plimset"
  printf '%s' "$settings" >"$folder/plimset.ini"
  XDG_CONFIG_HOME=$folder/config "$folder/plimset" /C 90 >/dev/null 2>&1 &
  pid=$!
  sleep 3 # start-up done, the icon embedded, the count running
  if [[ -n $hide ]]; then # minimized, so hidden in the tray
    xdotool windowminimize "$(xdotool search --onlyvisible --pid "$pid" | head -n 1)"
    sleep 1
  fi
  before=$(sample "$pid")
  sleep "$seconds"
  after=$(sample "$pid")
  kill -TERM "$pid"
  wait "$pid" || true
  read -r t0 s0 <<<"$before"
  read -r t1 s1 <<<"$after"
  awk -v name="$name" -v t=$((t1 - t0)) -v s=$((s1 - s0)) -v secs="$seconds" \
    'BEGIN { ms = t / 1e6 * 30 / secs;
             printf "%-40s %12.1f %8.3f %12.1f\n", name, ms, ms / 300, s / secs }'
}

run_case "no tray icon (TaskTray 0)" $'[Option]\nTaskTray=0\n'
run_case "tray icon (TaskTray 1)" $'[Option]\nTaskTray=1\n'
run_case "tray icon, window hidden in the tray" $'[Option]\nTaskTray=1\n' hide
run_case "time in the caption, no icon" $'[Option]\nTaskTray=0\nProgress=1\nShowAlways=1\n'
run_case "time in the caption and the icon's tip" $'[Option]\nTaskTray=1\nProgress=1\nShowAlways=1\n'
