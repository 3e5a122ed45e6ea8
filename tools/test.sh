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
# even when ctest is interrupted. The prefix template is made here, to time it on its own.
rig="$root/build/windows-x64/wine-rig"
trap 'tools/wine-rig down "$rig" >/dev/null 2>&1' EXIT
stage prefix tools/wine-rig prepare "$rig" || exit 1

# Counts GoogleTest cases from the programs' XML results; a program that failed without
# writing results (a crash, a time-out) counts as one failure of its own.
summary=()
all_ok=1
run_suite() {
  local name=$1 preset=$2 results="$root/build/$2/test-results" log
  rm -rf "$results"; mkdir -p "$results"
  log=$(mktemp)
  stage "$name suite" ctest --preset "$preset" 2>&1 | tee "$log"
  local pass=0 fail=0 skip=0 f t fl sk er
  for f in "$results"/*.xml; do
    [ -f "$f" ] || continue
    read -r t fl sk er < <(sed -n -E 's/^<testsuites tests="([0-9]+)" failures="([0-9]+)" disabled="[0-9]+" errors="([0-9]+)".*/\1 \2 0 \3/p' "$f" | head -1)
    sk=$(grep -c '<skipped' "$f" || true)
    pass=$((pass + ${t:-0} - ${fl:-0} - ${er:-0} - sk)); fail=$((fail + ${fl:-0} + ${er:-0})); skip=$((skip + sk))
  done
  local crashed
  crashed=$(grep -E '^\s*[0-9]+ - ' "$log" | grep -v -E 'rig_(up|down)' | wc -l)
  if ! grep -q '100% tests passed' "$log"; then
    all_ok=0
    [ "$fail" -eq 0 ] && fail=$((crashed > 0 ? crashed : 1))
  fi
  summary+=("$name: $pass passed, $fail failed, $skip skipped")
  rm -f "$log"
}
run_suite native native
run_suite wine windows-x64

echo "${summary[0]}; ${summary[1]}"
[ "$all_ok" -eq 1 ]
