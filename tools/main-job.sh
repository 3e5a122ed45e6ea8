#!/usr/bin/env bash
# The main job: builds the Windows programs, installs them into a Wine environment with a
# virtual desktop that has a taskbar and notification area, starts movratray.exe against the
# simulated mouse driver, plays a short scenario through the driver's controller, and writes
# screenshots and a readable trace into a folder that it names at the end.
# Uses the user's X display when $DISPLAY answers, its own Xvfb otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
die() { echo "main-job: $*" >&2; exit 1; }
bash tools/install-deps.sh
cmake --preset windows-x64 >/dev/null || die "configure failed; run cmake --preset windows-x64 to see why"
cmake --build --preset windows-x64 >/dev/null || die "build failed; run cmake --build --preset windows-x64 to see why"

rig="$root/build/main-job/rig"
bin="$root/build/windows-x64/bin"
out="$root/build/main-job/run-$(date +%Y%m%d-%H%M%S)"
mkdir -p "$out"
trace="$out/trace.txt"
user_display=${DISPLAY:-}
tray_pid=""
cleanup() {
  [ -n "$tray_pid" ] && kill "$tray_pid" 2>/dev/null || true
  tools/wine-rig down "$rig" >/dev/null 2>&1 || true
}
trap cleanup EXIT

t0=${EPOCHREALTIME/./}
log() { local us=$(( ${EPOCHREALTIME/./} - t0 )); printf '[%3d.%02d s] %s\n' $((us / 1000000)) $((us % 1000000 / 10000)) "$*" | tee -a "$trace"; }
# Runs a Windows program in the rig; its output goes to the trace, indented.
win() { tools/wine-rig run "$rig" -t 30 -- "$@" 2>/dev/null | sed 's/^/             /' | tee -a "$trace"; return "${PIPESTATUS[0]}"; }
shots=0
shot() {
  shots=$((shots + 1))
  local name; name=$(printf '%02d-%s' "$shots" "$1")
  sleep 0.7   # let the desktop repaint
  import -display "$DISPLAY" -window root "$out/$name.png" || die "screenshot failed; is imagemagick installed (tools/install-deps.sh)?"
  # The notification area, enlarged, beside the whole screen.
  /usr/bin/convert "$out/$name.png" -crop 160x40+864+728 +repage -scale 400% "$out/$name-tray.png"
  log "screenshot $name.png: $2"
}
driver_summary() {
  tools/wine-rig run "$rig" -t 30 -- "$bin/simctl.exe" state 2>/dev/null \
    | sed -n '/^nt/,$p' | grep -E 'open files|started|settings records|#[0-9]+:' | sed 's/^/             /' | tee -a "$trace"
}

log "bringing up the Wine environment"
tools/wine-rig up "$rig" >/dev/null
if [ -n "$user_display" ] && command -v xdpyinfo >/dev/null && xdpyinfo -display "$user_display" >/dev/null 2>&1; then
  sed -i "s/^DISPLAY=.*/DISPLAY=$user_display/" "$rig/env"
  log "using the display $user_display"
fi
. "$rig/env"; export DISPLAY
# One virtual desktop with the shell (taskbar, notification area) for every program.
for r in 'HKCU\Software\Wine\Explorer /v Desktop /d movra' \
         'HKCU\Software\Wine\Explorer\Desktops /v movra /d 1024x768' \
         'HKCU\Software\Wine\Explorer\Desktops\movra /v EnableShell /t REG_DWORD /d 1'; do
  # shellcheck disable=SC2086
  tools/wine-rig run "$rig" -t 30 -- reg add $r /f >/dev/null 2>&1 || die "could not configure the virtual desktop"
done
log "virtual desktop 'movra' (1024x768) with taskbar and notification area"

log "installing: files, HKLM Path, MInfoCfg.ini, applet if built, simulated driver service"
install/install.sh "$rig" "$bin"
tools/wine-rig run "$rig" -t 30 -- "$bin/simctl.exe" reset >/dev/null 2>&1 || die "the simulated driver does not answer"

log "starting movratray.exe (first start for this user: it imports MRegSet.reg)"
tools/wine-rig run "$rig" -t 600 -- 'C:\Program Files\Quillmark4D\movratray.exe' >/dev/null 2>&1 &
tray_pid=$!
win "$bin/trayctl.exe" wait 20 || die "movratray.exe did not start; see $trace"
log "driver after start-up:"
driver_summary
shot idle "icon with no button held"

press() {
  local what=$1; shift
  win "$bin/simctl.exe" inject nt "$@" >/dev/null
  log "driver event: $*"
  shot "$what" "$what"
}
press left-held left-down
press left-right-held right-down
press right-held left-up
press middle-right-held middle-down
press fourth-button-no-change button4-down button4-up
press released right-up middle-up

log "right-click on the icon: the tray menu"
win "$bin/trayctl.exe" click-icon
shot menu "the tray menu with the product name"
win "$bin/trayctl.exe" cancel-menu || true

log "second start of movratray.exe: the running one starts the Control Panel runner"
set +e
tools/wine-rig run "$rig" -t 30 -- 'C:\Program Files\Quillmark4D\movratray.exe' >/dev/null 2>&1
code=$?
set -e
log "second start ended with exit code $code"
[ -f "$bin/MOVRAPANEL.CPL" ] || log "(MOVRAPANEL.CPL is not built yet, so the runner finds no applet to show)"
sleep 2
shot second-start "after the second start"

log "settings changed by the applet's notification"
win "$bin/trayctl.exe" settings-changed
driver_summary

log "Close from the tray menu, answered No"
win "$bin/trayctl.exe" ask-close
win "$bin/trayctl.exe" question
shot question "the close question"
win "$bin/trayctl.exe" answer no
sleep 0.5
win "$bin/trayctl.exe" wait 2
shot still-running "answered No: still running, icon still there"

log "Close from the tray menu, answered Yes"
win "$bin/trayctl.exe" ask-close
win "$bin/trayctl.exe" question
win "$bin/trayctl.exe" answer yes
win "$bin/trayctl.exe" gone 10
set +e
wait "$tray_pid"
code=$?
set -e
tray_pid=""
log "movratray.exe ended with exit code $code"
log "driver after the close (close record: right 2 middle 3, then stopped):"
driver_summary
shot closed "icon gone"

echo "main-job: screenshots and trace in $out"
