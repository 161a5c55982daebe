#!/usr/bin/env bash
# Runs every fuzz target for SECONDS each (default 60) and prints, per target, the
# executions, the executions per second, the inputs the corpus gained and the findings.
# Builds the targets first (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer)
# in build-fuzz. Inputs found stay in build-fuzz/fuzz/bench-corpus/<target>, so a later run
# goes on from there; findings are written to build-fuzz/fuzz/findings/.
#   bench/run-fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[[ ${#targets[@]} -eq 0 ]] && targets=(settings_read settings_write numeric_value time_text
                                       command_line option_records)

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DPLIMSET_FUZZ=ON -DPLIMSET_TESTS=OFF >/dev/null
cmake --build build-fuzz --target plimset_fuzzers >/dev/null

out=build-fuzz/fuzz
mkdir -p "$out/findings" "$out/logs"
printf '%-16s %8s %12s %10s %10s %9s\n' target seconds executions exec/s new_inputs findings
total_findings=0
for t in "${targets[@]}"; do
  corpus=$out/bench-corpus/$t
  mkdir -p "$corpus"
  dict=()
  [[ $t == settings_* || $t == option_records ]] && dict=(-dict=fuzz/settings.dict)
  log=$out/logs/$t.log
  before=$(find "$out/findings" -name "$t-*" | wc -l)
  set +e
  ASAN_OPTIONS=detect_leaks=1 "$out/fuzz_$t" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 "${dict[@]}" \
    -artifact_prefix="$out/findings/$t-" "$corpus" "fuzz/corpus/$t" >"$log" 2>&1
  status=$?
  set -e
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  added=$(sed -n 's/^stat::new_units_added: *//p' "$log")
  findings=$(( $(find "$out/findings" -name "$t-*" | wc -l) - before ))
  if [[ $status -ne 0 && $findings -eq 0 ]]; then
    findings=1
  fi
  total_findings=$((total_findings + findings))
  printf '%-16s %8s %12s %10s %10s %9s\n' "$t" "$seconds" "${runs:-?}" "${rate:-?}" \
    "${added:-?}" "$findings"
  if [[ $findings -ne 0 ]]; then
    grep -m3 -E 'fuzz check failed|ERROR: |runtime error' "$log" | sed 's/^/    /' || true
    echo "    log: $log"
  fi
done
echo "findings: $total_findings (inputs in $out/findings/)"
