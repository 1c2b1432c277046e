#!/usr/bin/env bash
# Takes the README's picture of the main window anew, after the window has
# changed: Tarnwick from the build, started on a display of its own with a
# fresh home on the Welcome site's first page, its preview beside the source
# and the tool notebook above. Writes data/screenshots/main-window.png.
# Usage: scripts/screenshot.sh [BUILD]   (make build first)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
scripts/setup.sh scripts/debian-packages-deb.txt
[ -x "$build/bin/tarnwick" ] || { echo "No $build/bin/tarnwick: run make build first" >&2; exit 2; }
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p data/screenshots
HOME=$home TARNWICK_HOME=$home/tarnwick XDG_CONFIG_HOME=$home/config \
  timeout 120 xvfb-run -a -s "-screen 0 1600x900x24" sh -c '
  "$0/bin/tarnwick" "$1" > "$HOME/tarnwick.log" 2>&1 &
  pid=$!
  window=$(xdotool search --sync --onlyvisible --name Tarnwick | head -1)
  # The first start shows the tip of the day: close it, then let the preview draw.
  sleep 3
  xdotool key Escape
  sleep 3
  import -window root -crop "$(xdotool getwindowgeometry "$window" | sed -n "s/.*Geometry: //p")+0+0" \
    png8:data/screenshots/main-window.png
  kill $pid
  wait $pid 2> /dev/null || true' "$build" "$PWD/data/Welcome/readme.htm"
echo "data/screenshots/main-window.png"
