#!/usr/bin/env bash
# Installs and starts the simulated mouse driver as a kernel service in a running rig's prefix:
#   devices/install-driver.sh RIG_DIR BIN_DIR
# BIN_DIR holds movrasim.sys and simctl.exe (build/windows-x64/bin). The service starts
# automatically with the prefix's services from then on; the driver is loaded from BIN_DIR.
# Ends with the driver answering on its control device, or with a one-line error.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
rig=${1:?usage: install-driver.sh RIG_DIR BIN_DIR}
bin=${2:?usage: install-driver.sh RIG_DIR BIN_DIR}
bin=$(cd "$bin" && pwd)
run() { "$here/../tools/wine-rig" run "$rig" -t 30 -- "$@"; }
[ -f "$rig/env" ] || { echo "install-driver.sh: no rig is up in $rig; run tools/wine-rig up $rig first" >&2; exit 1; }
[ -f "$bin/movrasim.sys" ] && [ -f "$bin/simctl.exe" ] \
  || { echo "install-driver.sh: $bin lacks movrasim.sys or simctl.exe; build the windows-x64 preset first" >&2; exit 1; }
sys='Z:'$(echo "$bin/movrasim.sys" | tr / '\\')
key='HKLM\System\CurrentControlSet\Services\MovraSim'
if run reg query "$key" /v ImagePath >/dev/null 2>&1; then
  # Installed before (Wine's sc has no config): point it at this build and load it afresh.
  run sc stop MovraSim >/dev/null 2>&1 || true
  run reg add "$key" /v ImagePath /t REG_EXPAND_SZ /d "$sys" /f >/dev/null 2>&1 \
    || { echo "install-driver.sh: could not update $key ImagePath" >&2; exit 1; }
else
  run sc create MovraSim type= kernel start= auto binPath= "$sys" >/dev/null 2>&1 \
    || { echo "install-driver.sh: sc create MovraSim failed" >&2; exit 1; }
fi
run sc start MovraSim >/dev/null 2>&1 || true
for _ in $(seq 50); do
  run "$bin/simctl.exe" reset >/dev/null 2>&1 && exit 0
  sleep 0.2
done
echo "install-driver.sh: the simulated driver did not answer; try: tools/wine-rig run $rig -- sc query MovraSim" >&2
exit 1
