#!/usr/bin/env bash
# Installs a built package with apt as a user would, runs its programs from
# /usr/bin, starts the editor under xvfb-run with a fresh home until its
# window is visible, then purges the package and checks that none of its
# files is left. Usage: scripts/check-package.sh PACKAGE.deb
set -euo pipefail
deb=$(realpath "${1:?package file}")
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
start=$(date +%s)
step() { echo "== $* ($(( $(date +%s) - start )) s)"; }

step "apt-get install $deb"
$sudo apt-get install -y "$deb"
files=$(mktemp)
trap 'rm -f "$files"' EXIT
dpkg -L tarnwick > "$files"

step "the programs from /usr/bin"
/usr/bin/tarnwick --version
/usr/bin/tarnwick-publish --help > /dev/null
/usr/bin/tarnwick-dct --help > /dev/null
/usr/bin/tarnwick-check --help > /dev/null
for page in tarnwick tarnwick-publish tarnwick-check tarnwick-dct; do
  man -w "$page" > /dev/null
done

step "the editor on a display, with a fresh home"
home=$(mktemp -d)
HOME=$home timeout 120 xvfb-run -a sh -c '
  /usr/bin/tarnwick > "$HOME/tarnwick.log" 2>&1 &
  pid=$!
  xdotool search --sync --onlyvisible --name Tarnwick > /dev/null
  kill $pid
  wait $pid 2> /dev/null || true'
rm -rf "$home"

step "apt-get purge tarnwick"
$sudo apt-get purge -y tarnwick
left=0
while read -r path; do
  # Folders other packages share stay; the package's own files must not.
  if [ -e "$path" ] && [ ! -d "$path" ]; then
    echo "left behind: $path" >&2
    left=1
  fi
done < "$files"
for dir in /usr/share/tarnwick /usr/share/doc/tarnwick; do
  if [ -e "$dir" ]; then echo "left behind: $dir" >&2; left=1; fi
done
[ "$left" -eq 0 ]
step "done"
