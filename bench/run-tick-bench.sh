#!/usr/bin/env bash
# Measures one timer-engine tick in each mode: nanoseconds per tick (Google Benchmark) and
# instructions per tick (callgrind; the difference between two loop lengths, so start-up
# work cancels out). Builds into its own Release folder.
#   bench/run-tick-bench.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-bench}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLIMSET_BENCH=ON \
    -DPLIMSET_TESTS=OFF >/dev/null
cmake --build "$dir" -j2 --target tick_bench
prog="$dir/bench/tick_bench"

echo "== time per tick"
"$prog" --benchmark_min_time=0.5

if ! command -v valgrind >/dev/null; then
    echo "valgrind is not installed: no instruction counts" >&2
    exit 0
fi

instructions() { # mode ticks
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$prog" --loop "$1" "$2" 2>&1 |
        awk '/Collected :/ { print $NF }'
}

echo "== instructions per tick (callgrind)"
short=2000
long=22000
for mode in alarm countdown stopwatch; do
    a=$(instructions "$mode" "$short")
    b=$(instructions "$mode" "$long")
    echo "$mode: $(( (b - a) / (long - short) )) instructions per tick"
done
