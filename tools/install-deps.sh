#!/usr/bin/env bash
# Installs the build and test dependencies with apt-get. Idempotent: does nothing when all are present.
set -euo pipefail
pkgs=(g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 xvfb xauth googletest libgtest-dev imagemagick cmake ninja-build g++)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq || { echo "install-deps: apt-get update failed; check the network or the apt sources" >&2; exit 1; }
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null \
  || { echo "install-deps: apt-get install failed for: ${missing[*]}; run it by hand to see why" >&2; exit 1; }
