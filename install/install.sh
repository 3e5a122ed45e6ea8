#!/usr/bin/env bash
# Installs the product into the Wine prefix of a running rig:
#   install/install.sh RIG_DIR BIN_DIR
# - the installation folder C:\Program Files\Quillmark4D with MRegSet.reg and the binaries,
# - HKLM "SOFTWARE\Quillmark4D\1.1" "Path" pointing at it,
# - MInfoCfg.ini in the system directory,
# - the applet MOVRAPANEL.CPL into the system directory, when it is built,
# - the simulated mouse driver as a kernel service (devices/install-driver.sh), when it is built.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
rig=${1:?usage: install.sh RIG_DIR BIN_DIR}
bin=${2:?usage: install.sh RIG_DIR BIN_DIR}
[ -f "$rig/env" ] || { echo "install.sh: no rig is up in $rig; run tools/wine-rig up $rig first" >&2; exit 1; }
[ -d "$bin" ] || { echo "install.sh: $bin does not exist; build the windows-x64 preset first" >&2; exit 1; }
. "$rig/env"
drive_c="$WINEPREFIX/drive_c"
dest="$drive_c/Program Files/Quillmark4D"
mkdir -p "$dest"
cp "$here/MRegSet.reg" "$dest/"
for f in movratray.exe MOVRAPANEL.CPL; do
  if [ -f "$bin/$f" ]; then cp "$bin/$f" "$dest/"; fi
done
if [ -f "$bin/MOVRAPANEL.CPL" ]; then cp "$bin/MOVRAPANEL.CPL" "$drive_c/windows/system32/"; fi
cp "$here/MInfoCfg.ini" "$drive_c/windows/system32/MInfoCfg.ini"
"$here/../tools/wine-rig" run "$rig" -t 30 -- reg add 'HKLM\SOFTWARE\Quillmark4D\1.1' /v Path /d 'C:\Program Files\Quillmark4D' /f >/dev/null 2>&1 \
  || { echo "install.sh: could not write HKLM\\SOFTWARE\\Quillmark4D\\1.1 Path" >&2; exit 1; }
# A driver that already answers stays as it is (a running service cannot be replaced).
if [ -f "$bin/movrasim.sys" ]; then
  if ! "$here/../tools/wine-rig" run "$rig" -t 30 -- "$bin/simctl.exe" reset >/dev/null 2>&1; then
    "$here/../devices/install-driver.sh" "$rig" "$bin"
  fi
fi
