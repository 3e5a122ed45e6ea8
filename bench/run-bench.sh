#!/usr/bin/env bash
# Runs the driver link benchmark in a rig of its own and takes the rig down again:
#   bench/run-bench.sh [EVENTS]
# Needs the windows-x64 build (cmake --preset windows-x64 && cmake --build --preset windows-x64).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bin="$root/build/windows-x64/bin"
[ -f "$bin/driver_bench.exe" ] || { echo "run-bench.sh: $bin/driver_bench.exe is missing; build the windows-x64 preset first" >&2; exit 1; }
rig="$root/build/bench-rig"
trap 'tools/wine-rig down "$rig" >/dev/null 2>&1' EXIT
tools/wine-rig up "$rig"
devices/install-driver.sh "$rig" "$bin"
tools/wine-rig run "$rig" -t 300 -- "$bin/driver_bench.exe" "${1:-2000}"
