#!/usr/bin/env bash
# The Options dialog: the time from choosing Mode > Options... until the dialog is shown
# (MaxCol 5 and 99) and the time of one save, on the X server of a private desktop session
# and on Qt's offscreen platform. Builds into its own Release folder.
#   bench/run-options-bench.sh [BUILD_DIR]      OPTIONS_RUNS=N openings per figure (20)
set -euo pipefail
root_dir=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root_dir/build-bench}
runs=${OPTIONS_RUNS:-20}
cmake -S "$root_dir" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLIMSET_BENCH=ON \
    -DPLIMSET_TESTS=OFF >/dev/null
cmake --build "$dir" -j2 --target options_bench
prog="$dir/bench/options_bench"

echo "== X11 (private desktop session)"
"$root_dir/scripts/desktop-session" "$prog" "$runs"
echo "== offscreen"
QT_QPA_PLATFORM=offscreen "$prog" "$runs"
