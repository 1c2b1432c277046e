#!/usr/bin/env bash
# Installs the Debian packages of scripts/debian-packages.txt that are missing.
# Runs as root (CI, containers) or through sudo.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# The list to install: the build's and tests' by default, or the one named
# (scripts/debian-packages-deb.txt for make deb).
list=${1:-$here/debian-packages.txt}
mapfile -t wanted < <(grep -v -E '^\s*(#|$)' "$list")
missing=()
for pkg in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
# The package lists may be missing or stale on a fresh machine.
if ! $sudo apt-get install -y --no-install-recommends "${missing[@]}"; then
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
