#!/usr/bin/env bash
# Installs the product into the Wine prefix of a running rig:
#   install/install.sh RIG_DIR BIN_DIR
# - the installation folder C:\Program Files\Quillmark4D with MRegSet.reg and the binaries,
# - HKLM "SOFTWARE\Quillmark4D\1.1" "Path" pointing at it,
# - MInfoCfg.ini in the system directory.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
rig=${1:?usage: install.sh RIG_DIR BIN_DIR}
bin=${2:?usage: install.sh RIG_DIR BIN_DIR}
[ -f "$rig/env" ] || { echo "install.sh: no rig is up in $rig; run tools/wine-rig up $rig first" >&2; exit 1; }
. "$rig/env"
drive_c="$WINEPREFIX/drive_c"
dest="$drive_c/Program Files/Quillmark4D"
mkdir -p "$dest"
cp "$here/MRegSet.reg" "$dest/"
for f in movratray.exe MOVRAPANEL.CPL; do
  [ -f "$bin/$f" ] && cp "$bin/$f" "$dest/"
done
[ -f "$bin/MOVRAPANEL.CPL" ] && cp "$bin/MOVRAPANEL.CPL" "$drive_c/windows/system32/"
cp "$here/MInfoCfg.ini" "$drive_c/windows/system32/MInfoCfg.ini"
"$here/../tools/wine-rig" run "$rig" -t 30 -- reg add 'HKLM\SOFTWARE\Quillmark4D\1.1' /v Path /d 'C:\Program Files\Quillmark4D' /f >/dev/null 2>&1 \
  || { echo "install.sh: could not write HKLM\\SOFTWARE\\Quillmark4D\\1.1 Path" >&2; exit 1; }
