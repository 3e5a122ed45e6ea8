#!/usr/bin/env bash
# The main job: builds the Windows programs, prepares a Wine environment with a sample
# installation, and shows what a fresh installation reads.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash tools/install-deps.sh
cmake --preset windows-x64 >/dev/null || { echo "main-job: configure failed; run cmake --preset windows-x64 to see why" >&2; exit 1; }
cmake --build --preset windows-x64 >/dev/null || { echo "main-job: build failed; run cmake --build --preset windows-x64 to see why" >&2; exit 1; }
rig="$root/build/main-job/rig"
bin="$root/build/windows-x64/bin"
trap 'tools/wine-rig down "$rig" >/dev/null 2>&1' EXIT
tools/wine-rig up "$rig"
install/install.sh "$rig" "$bin"
. "$rig/env"
# The first start of the tray program imports MRegSet.reg; do the same here.
tools/wine-rig run "$rig" -t 30 -- regedit /s 'C:\Program Files\Quillmark4D\MRegSet.reg' >/dev/null 2>&1 || true
tools/wine-rig run "$rig" -t 30 -- "$bin/showsettings.exe"
