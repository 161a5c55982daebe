#!/usr/bin/env bash
# Kills a settings writer with SIGKILL at random moments until 1,000 saves (or SAVES) have
# completed, and checks after every kill that the settings file is whole: each save either
# landed completely or not at all. Prints the number of kills and saves.
#
#   bench/run-kill-during-save.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$root_dir/build}
[[ -x $build_dir/tests/unit/settings_tests ]] || "$root_dir/scripts/build" "$build_dir"
PLIMSET_KILL_SAVES=${SAVES:-1000} "$build_dir/tests/unit/settings_tests" \
  --gtest_filter='SettingsFileKill.*' --gtest_output=json:/dev/stdout |
  grep -E '"(saves|kills|result)"'
