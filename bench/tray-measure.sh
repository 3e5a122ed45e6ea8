#!/usr/bin/env bash
# Figures of the tray program, each against a trivial GUI program with a tray icon:
# start-to-icon time, idle wake-ups over 30 s, resident memory; and the binary sizes.
#   bash bench/tray-measure.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
die() { echo "tray-measure: $*" >&2; exit 1; }
for p in windows-x64 windows-x86; do
  cmake --preset $p >/dev/null && cmake --build --preset $p >/dev/null || die "building $p failed; run cmake --build --preset $p"
done
bin="$root/build/windows-x64/bin"
rig="$root/build/bench/rig"
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; tools/wine-rig down "$rig" >/dev/null 2>&1' EXIT
tools/wine-rig up "$rig" >/dev/null
install/install.sh "$rig" "$bin" >/dev/null
tools/wine-rig run "$rig" -- reg add 'HKCU\SOFTWARE\Quillmark4D\1.1' /f >/dev/null 2>&1
win='Z:'$(echo "$bin" | tr / '\\')

tools/wine-rig run "$rig" -t 300 -- "$bin/startup_bench.exe" "$win" 2>/dev/null

# Idle: both programs running, no events; count context switches of every thread of each.
switches() { local n=0 t; for t in /proc/"$1"/task/*/status; do
  n=$((n + $(awk '/^voluntary_ctxt_switches|^nonvoluntary_ctxt_switches/{s+=$2} END{print s}' "$t"))); done; echo $n; }
rss() { awk '/^VmRSS/{print $2}' /proc/"$1"/status; }
tools/wine-rig run "$rig" -t 120 -- "$bin/movratray.exe" >/dev/null 2>&1 & pids+=($!)
tools/wine-rig run "$rig" -t 120 -- "$bin/trivial_gui.exe" >/dev/null 2>&1 & pids+=($!)
sleep 5
# The Wine process is the one whose first argument is the program itself (not timeout).
winpid() { local p; for p in $(pgrep -f "$1"); do
  case "$(tr '\0' '\n' < /proc/$p/cmdline | head -1)" in *"$1") echo "$p"; return 0;; esac; done; return 0; }
tray=$(winpid 'movratray.exe'); trivial=$(winpid 'trivial_gui.exe')
[ -n "$tray" ] && [ -n "$trivial" ] || die "the programs did not start"
a1=$(switches "$tray"); b1=$(switches "$trivial")
sleep 30
a2=$(switches "$tray"); b2=$(switches "$trivial")
echo "idle 30 s, context switches of all threads: movratray.exe $((a2 - a1)), trivial_gui.exe $((b2 - b1))"
echo "threads: movratray.exe $(ls /proc/$tray/task | wc -l), trivial_gui.exe $(ls /proc/$trivial/task | wc -l)"
echo "resident memory: movratray.exe $(rss "$tray") kB, trivial_gui.exe $(rss "$trivial") kB"
echo "binary size: movratray.exe x64 $(stat -c %s "$bin/movratray.exe") bytes, i686 $(stat -c %s "$root/build/windows-x86/bin/movratray.exe") bytes"
