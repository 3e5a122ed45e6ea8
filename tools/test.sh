#!/usr/bin/env bash
# Builds all three presets with warnings as errors and runs the native and the Wine suites.
# Prints the time of each stage and ends with one line of passed and failed counts.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

quiet() { "$@" >/dev/null; }
stage() { local name=$1; shift; local t0=$SECONDS; "$@"; local rc=$?; echo "stage '$name': $((SECONDS - t0)) s (rc $rc)"; return $rc; }

stage dependencies bash tools/install-deps.sh || exit 1

for preset in native windows-x64 windows-x86; do
  stage "configure $preset" quiet cmake --preset "$preset" -DMOVRA_WERROR=ON || { echo "test.sh: configuring $preset failed; see the messages above" >&2; exit 1; }
  stage "build $preset" cmake --build --preset "$preset" || { echo "test.sh: building $preset failed; see the compiler messages above" >&2; exit 1; }
done

# The Wine suite brings its rig up and down through ctest fixtures; the trap takes it down
# even when ctest is interrupted.
rig="$root/build/windows-x64/wine-rig"
trap 'tools/wine-rig down "$rig" >/dev/null 2>&1' EXIT

summary=()
total_pass=0; total_fail=0
run_suite() {
  local name=$1 preset=$2 log
  log=$(mktemp)
  stage "$name suite" ctest --preset "$preset" 2>&1 | tee "$log"
  local line pass fail total
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
  fail=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")
  if [ -z "$line" ]; then fail=1; total=1; fi
  pass=$((total - fail))
  total_pass=$((total_pass + pass)); total_fail=$((total_fail + fail))
  summary+=("$name: $pass passed, $fail failed")
  rm -f "$log"
}
run_suite native native
run_suite wine windows-x64

echo "${summary[0]}; ${summary[1]}; total: $total_pass passed, $total_fail failed"
[ "$total_fail" -eq 0 ]
