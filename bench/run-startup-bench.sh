#!/usr/bin/env bash
# Start-up and counting benchmark: how long Plimset takes from its start until its window
# is mapped, how much resident memory it holds 5 s later, and how much of a core it uses
# and how often its main thread wakes while a stopwatch or a countdown counts, each next
# to a minimal Qt Widgets window (bench/startup/minimal_window.cpp, counting seconds in a
# label with --count, on a 200 ms tick and on a tick a second) measured in the same run and
# the same session, with accessibility on as the session has it.
#
#   bench/run-startup-bench.sh [BUILD_DIR] [PLIMSET...]
#       BUILD_DIR  default build-bench, built here with -DPLIMSET_BENCH=ON when it lacks
#                  the minimal window. PLIMSET: the programs to measure (default
#                  BUILD_DIR/plimset); give two builds to compare them in one session.
#   STARTUP_RUNS=N      start-up runs per program (default 5); medians are reported.
#   COUNTING_RUNS=N     counting runs per program (default 3); medians are reported.
#   COUNTING_SECONDS=N  how long each count is measured (default 30).
#   COUNTING_SCREEN_READER=0  counts without a listener on the accessibility bus (by
#                       default one listens for every event as a screen reader does, so
#                       that the programs send what accessibility on costs them; it needs
#                       /usr/bin/python3 with pyatspi, as the desktop tests do).
#
# CPU time is utime + stime of /proc/PID/stat over the counting window (all threads,
# in clock ticks), as a percentage of one core; the run time of the live threads in
# nanoseconds (schedstat), their wake-ups per second (voluntary context switches), the
# main thread's run time and wake-ups alone and the accessibility events per second are
# printed beside it.
#
# Runs itself inside scripts/desktop-session unless it is already in one. The goals:
# Plimset within 1.1 times the minimal window on start-up time and on idle memory, and
# a counting stopwatch or countdown at most 0.07 % of a core with its main thread waking
# at most 1.5 times a second.
set -euo pipefail
root_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(realpath -m "${1:-$root_dir/build-bench}")
shift || true
programs=()
for program in "${@:-$build_dir/plimset}"; do
  programs+=("$(realpath -m "$program")")
done
runs=${STARTUP_RUNS:-5}
counting_runs=${COUNTING_RUNS:-3}
counting_seconds=${COUNTING_SECONDS:-30}
screen_reader=${COUNTING_SCREEN_READER:-1}
settle_seconds=5
goal_ratio=1.10
goal_cpu=0.07
goal_wakes=1.5

if [[ -z ${PLIMSET_SESSION_DIR:-} ]]; then
  if [[ ! -x $build_dir/bench/startup/minimal_window ]]; then
    "$root_dir/scripts/build" "$build_dir" -DPLIMSET_BENCH=ON -DPLIMSET_TESTS=OFF
  fi
  exec "$root_dir/scripts/desktop-session" "$0" "$build_dir" "${programs[@]}"
fi

now_ms() { echo $(($(date +%s%N) / 1000000)); }
clock_ticks=$(getconf CLK_TCK)

# Starts a program (a copy in its own folder, see below) and waits until one of its
# windows is viewable; sets started_pid, started_ms (milliseconds to the window) and
# started_cpu_ms (the CPU time it used until then, which a busy machine hardly changes).
start_program() {
  local exe=$1 start wid=""
  shift
  start=$(now_ms)
  # The sound module beside the original, found through the environment from the copy.
  PLIMSET_SOUND_MODULE=${module_of[$exe]:-} "$exe" "$@" >/dev/null 2>&1 &
  started_pid=$!
  while [[ -z $wid ]]; do
    if ! kill -0 "$started_pid" 2>/dev/null; then
      echo "benchmark: $exe ended before showing a window" >&2
      exit 1
    fi
    if (($(now_ms) - start > 20000)); then
      echo "benchmark: no window from $exe within 20 s" >&2
      exit 1
    fi
    wid=$(xdotool search --onlyvisible --pid "$started_pid" 2>/dev/null | head -n 1 || true)
  done
  started_ms=$(($(now_ms) - start))
  started_cpu_ms=$(cpu_ms "$started_pid")
}

# utime + stime of the whole process, in milliseconds.
cpu_ms() {
  local stat
  stat=$(cat "/proc/$1/stat")
  stat=${stat##*) } # the fields after the command name, which may hold spaces
  awk -v hz="$clock_ticks" '{ print ($12 + $13) * 1000 / hz }' <<<"$stat"
}

stop_program() {
  kill -TERM "$1"
  wait "$1" 2>/dev/null || true
}

# Milliseconds from the start of a program until its window is viewable; then its VmRSS
# in KiB after settle_seconds. Prints "<ms> <kib> <CPU ms until the window>".
measure_startup() {
  local rss
  start_program "$1"
  sleep "$settle_seconds"
  rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$started_pid/status")
  stop_program "$started_pid"
  echo "$started_ms $rss $started_cpu_ms"
}

# utime + stime of the whole process in clock ticks, the run time of its live threads in
# nanoseconds and their voluntary context switches (each one a sleep the thread woke
# from), then the run time and voluntary switches of the main thread alone (the one that
# runs the event loop): "<ticks> <ns> <switches> <main ns> <main switches>".
cpu_sample() {
  local pid=$1 stat
  stat=$(cat "/proc/$pid/stat")
  stat=${stat##*) } # the fields after the command name, which may hold spaces
  echo "$(awk '{ print $12 + $13 }' <<<"$stat")" \
    "$(awk '{ s += $1 } END { print s }' /proc/"$pid"/task/*/schedstat)" \
    "$(awk '/^voluntary_ctxt_switches/ { s += $2 } END { print s }' /proc/"$pid"/task/*/status)" \
    "$(awk '{ print $1 }' /proc/"$pid"/task/"$pid"/schedstat)" \
    "$(awk '/^voluntary_ctxt_switches/ { print $2 }' /proc/"$pid"/task/"$pid"/status)"
}

# With a screen reader's listener on the accessibility bus (see above), started before the
# program so that the program sees it as it starts. Prints nothing; sets listener_pid and
# listener_out.
start_listener() {
  local i
  listener_out=$(mktemp "$work/listener-XXXXXX")
  /usr/bin/python3 "$root_dir/bench/startup/accessibility_listener.py" >"$listener_out" 2>&1 &
  listener_pid=$!
  for ((i = 0; i < 200; i++)); do
    grep -q '^ready$' "$listener_out" && return 0
    sleep 0.05
  done
  echo "benchmark: the accessibility listener did not start:" >&2
  cat "$listener_out" >&2
  exit 1
}

# Starts a program counting, lets start-up work settle, and measures counting_seconds of
# its count. Prints "<% of a core from stat> <% from schedstat> <wake-ups per second>
# <accessibility events per second> <main thread's % from schedstat> <main thread's
# wake-ups per second>" (events 0 without a listener).
measure_counting() {
  local exe=$1 before after events=0
  shift
  ((screen_reader)) && start_listener
  start_program "$exe" "$@"
  sleep 3
  before=$(cpu_sample "$started_pid")
  ((screen_reader)) && kill -USR1 "$listener_pid"
  sleep "$counting_seconds"
  after=$(cpu_sample "$started_pid")
  ((screen_reader)) && kill -USR1 "$listener_pid"
  stop_program "$started_pid"
  if ((screen_reader)); then
    sleep 0.5
    kill -TERM "$listener_pid"
    wait "$listener_pid" 2>/dev/null || true
    events=$(tail -n 2 "$listener_out" | awk 'NR == 1 { a = $1 } NR == 2 { print $1 - a }')
  fi
  read -r t0 n0 s0 mn0 ms0 <<<"$before"
  read -r t1 n1 s1 mn1 ms1 <<<"$after"
  awk -v t=$((t1 - t0)) -v n=$((n1 - n0)) -v s=$((s1 - s0)) -v e="$events" \
    -v mn=$((mn1 - mn0)) -v ms=$((ms1 - ms0)) -v hz="$clock_ticks" -v secs="$counting_seconds" \
    'BEGIN { printf "%.3f %.3f %.2f %.1f %.3f %.2f\n", 100 * t / hz / secs, 100 * n / 1e9 / secs,
             s / secs, e / secs, 100 * mn / 1e9 / secs, ms / secs }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Each program runs from a folder of its own, so nothing it writes lands in the build.
work=$PLIMSET_SESSION_DIR/bench
declare -A module_of
names=(minimal)
copies=("$work/minimal/minimal_window")
mkdir -p "$work/minimal"
cp "$build_dir/bench/startup/minimal_window" "${copies[0]}"
for ((p = 0; p < ${#programs[@]}; p++)); do
  mkdir -p "$work/plimset$p"
  cp "${programs[p]}" "$work/plimset$p/plimset"
  names+=("plimset$p")
  copies+=("$work/plimset$p/plimset")
  if [[ -e $(dirname "${programs[p]}")/plimset_sound.so ]]; then
    module_of[$work/plimset$p/plimset]=$(dirname "${programs[p]}")/plimset_sound.so
  fi
done

# What counts, and how: the bare window with the 200 ms tick Plimset once had and with a
# tick a second; each Plimset as a stopwatch and as a countdown.
counters=(bare-200ms bare-1s)
declare -A counter_exe counter_args
counter_exe[bare-200ms]=${copies[0]}
counter_args[bare-200ms]="--count"
counter_exe[bare-1s]=${copies[0]}
counter_args[bare-1s]="--count --tick=1000"
for ((p = 1; p < ${#names[@]}; p++)); do
  counters+=("${names[p]}-stopwatch" "${names[p]}-countdown")
  counter_exe[${names[p]}-stopwatch]=${copies[p]}
  counter_args[${names[p]}-stopwatch]="/S"
  counter_exe[${names[p]}-countdown]=${copies[p]}
  counter_args[${names[p]}-countdown]="/C 600"
done
for name in "${names[@]}"; do
  : >"$work/$name.startup"
done
for name in "${counters[@]}"; do
  : >"$work/$name.counting"
done

# Measures the start-up of every program, appending to its file ".$3". The order
# alternates from run ($2) to run, so that no program always runs on a warmer machine.
measure_startups() {
  local run=$1 suffix=$2 i p n=${#names[@]}
  for ((i = 0; i < n; i++)); do
    p=$(((run % 2) ? i : n - 1 - i))
    measure_startup "${copies[p]}" >>"$work/${names[p]}.$suffix"
  done
}

# Measures every counter once, in alternating order as above.
measure_counters() {
  local run=$1 i c n=${#counters[@]} name
  for ((i = 0; i < n; i++)); do
    c=$(((run % 2) ? i : n - 1 - i))
    name=${counters[c]}
    # shellcheck disable=SC2086 # the arguments are words
    measure_counting "${counter_exe[$name]}" ${counter_args[$name]} >>"$work/$name.counting"
  done
}

# Warm the file cache once so the first measured run is not the only cold one.
measure_startups 0 warm
for ((i = 1; i <= runs; i++)); do
  measure_startups "$i" startup
done
for ((i = 1; i <= counting_runs; i++)); do
  measure_counters "$i"
done

column_median() { cut -d' ' -f"$2" "$work/$1" | median; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }
verdict() { awk -v v="$1" -v goal="$2" 'BEGIN { print (v <= goal) ? "met" : "NOT MET" }'; }

m_ms=$(column_median minimal.startup 1)
m_kib=$(column_median minimal.startup 2)
printf 'Start-up: median of %d runs each (start to window mapped, the CPU used until then; VmRSS %d s later)\n' \
  "$runs" "$settle_seconds"
printf '  %-10s %6s ms (CPU %s ms) %7s KiB\n' minimal "$m_ms" \
  "$(column_median minimal.startup 3)" "$m_kib"
for ((p = 1; p < ${#names[@]}; p++)); do
  ms=$(column_median "${names[p]}.startup" 1)
  kib=$(column_median "${names[p]}.startup" 2)
  printf '  %-10s %6s ms (CPU %s ms) %7s KiB  %s\n' "${names[p]}" "$ms" \
    "$(column_median "${names[p]}.startup" 3)" "$kib" "${programs[p - 1]}"
  time_ratio=$(ratio "$ms" "$m_ms")
  memory_ratio=$(ratio "$kib" "$m_kib")
  printf '    start-up %sx (goal <= %s: %s; its CPU %sx), idle memory %sx (goal <= %s: %s)\n' \
    "$time_ratio" "$goal_ratio" "$(verdict "$time_ratio" "$goal_ratio")" \
    "$(ratio "$(column_median "${names[p]}.startup" 3)" "$(column_median minimal.startup 3)")" \
    "$memory_ratio" "$goal_ratio" "$(verdict "$memory_ratio" "$goal_ratio")"
done

printf 'Counting: median of %d runs each, %d s (plimset /S and /C 600; bare window --count), %s\n' \
  "$counting_runs" "$counting_seconds" \
  "$( ((screen_reader)) && echo "a screen reader's listener on" || echo "no listener")"
printf '  %-22s %8s %9s %9s %10s %10s %9s\n' "" "% core" "schedst %" "wakes/s" "main %" \
  "main wk/s" "events/s"
b_cpu=$(column_median bare-200ms.counting 1)
b1_cpu=$(column_median bare-1s.counting 1)
for name in "${counters[@]}"; do
  f=$name.counting
  printf '  %-22s %8s %9s %9s %10s %10s %9s\n' "$name" "$(column_median "$f" 1)" \
    "$(column_median "$f" 2)" "$(column_median "$f" 3)" "$(column_median "$f" 5)" \
    "$(column_median "$f" 6)" "$(column_median "$f" 4)"
  if [[ $name == plimset* ]]; then
    cpu=$(column_median "$f" 1)
    main_wakes=$(column_median "$f" 6)
    printf '    %s %% of a core (goal <= %s %%: %s; %sx bare-200ms, %sx bare-1s), main thread %s wake-ups/s (goal <= %s: %s)\n' \
      "$cpu" "$goal_cpu" "$(verdict "$cpu" "$goal_cpu")" "$(ratio "$cpu" "$b_cpu")" \
      "$(ratio "$cpu" "$b1_cpu")" "$main_wakes" "$goal_wakes" "$(verdict "$main_wakes" "$goal_wakes")"
  fi
done
for name in "${names[@]}"; do
  printf '  runs of %s: start-up %s\n' "$name" "$(tr '\n' ';' <"$work/$name.startup")"
done
for name in "${counters[@]}"; do
  printf '  runs of %s: counting %s\n' "$name" "$(tr '\n' ';' <"$work/$name.counting")"
done
