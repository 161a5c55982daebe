#!/usr/bin/env bash
# Alert sound benchmark: milliseconds from an alert's sound action to the first audible
# sample at the audio server (the session's null sink, heard on its monitor), for the
# default sound file (the first play of a process; later replays from the start and later
# opens) and for the beep (first and later), medians of ALERT_RUNS (default 10); and the
# resident memory of the process before and after its first play.
#
#   bench/run-alert-sound-bench.sh [BUILD_DIR]   (default: build-bench, built here with
#                                                 -DPLIMSET_BENCH=ON when it lacks the bench)
#
# Runs itself inside scripts/desktop-session unless it is already in one. The session's
# null sink sleeps for up to two seconds when idle (no hardware sink or PipeWire graph
# does); a stream of silence keeps it awake so that the figures are the program's own.
# Goal: the sound heard within 100 ms of the action.
set -euo pipefail
root_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$root_dir/build-bench}
runs=${ALERT_RUNS:-10}
sound=${ALERT_SOUND:-/usr/share/sounds/freedesktop/stereo/alarm-clock-elapsed.oga}
bench=$build_dir/bench/alerts/alert_sound_bench

if [[ -z ${PLIMSET_SESSION_DIR:-} ]]; then
  if [[ ! -x $bench ]]; then
    "$root_dir/scripts/build" "$build_dir" -DPLIMSET_BENCH=ON -DPLIMSET_TESTS=OFF
  fi
  exec "$root_dir/scripts/desktop-session" "$0" "$build_dir"
fi

# The bench's program is not beside the sound module.
export PLIMSET_SOUND_MODULE=$build_dir/plimset_sound.so

pacat --raw --latency-msec=10 --rate=44100 --channels=1 --format=s16le </dev/zero &
keeper=$!
trap 'kill "$keeper" 2>/dev/null; wait "$keeper" 2>/dev/null || true' EXIT
sleep 0.5

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

out=$PLIMSET_SESSION_DIR/alert-bench.txt
: >"$out"
# One run first so that the media back end's plugin registry is cached, as on a desktop.
"$bench" first-file "$sound" >/dev/null
for ((i = 1; i <= runs; i++)); do
  "$bench" first-file "$sound" >>"$out"
  "$bench" first-beep >>"$out"
done
"$bench" later "$sound" "$runs" >>"$out"

printf 'Alert sound, milliseconds from the sound action to the first audible sample (median of %d)\n' "$runs"
for what in first-file replay later-open-play first-beep later-beep; do
  values=$(awk -v w="$what" '$1 == w { print $2 }' "$out")
  printf '  %-16s %8s ms   runs: %s\n' "$what" "$(median <<<"$values")" "$(tr '\n' ' ' <<<"$values")"
done
for what in rss-at-start rss-before-first-play rss-after-first-play; do
  printf '  %-22s %8s KiB (median)\n' "$what" "$(awk -v w="$what" '$1 == w { print $2 }' "$out" | median)"
done
