#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times the start of Tarnwick in a real X session as a user meets it: from
# starting the program until a visible window names the page it was given.
# Geany and Bluefish are timed the same way when they are installed (they are
# not dependencies of the project), each start of each program in turn, so
# that all of them meet the same load on the machine. Prints the medians and
# each peer's median divided by Tarnwick's.
#
# Usage: bench/startup-x.sh [starts] [tarnwick program]
#   starts: of each program (8 unless given); the program: build/bin/tarnwick.
# Runs itself under xvfb-run when there is no display. Needs xdotool.
set -euo pipefail

starts=${1:-8}
here=$(cd "$(dirname "$0")" && pwd)
tarnwick=$(realpath "${2:-$here/../build/bin/tarnwick}")

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$starts" "$tarnwick"
fi
command -v xdotool >/dev/null || { echo "xdotool is needed: apt-get install xdotool" >&2; exit 1; }
[ -x "$tarnwick" ] || { echo "no program at $tarnwick (make build first)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
page="$work/startpage.htm"
{
  echo '<!DOCTYPE html>'
  echo '<html><head><meta charset="utf-8"><title>Start</title></head><body>'
  for i in $(seq 1 200); do echo "<p>Paragraph $i of the page to open, with <b>some</b> markup.</p>"; done
  echo '</body></html>'
} > "$page"

# Each program starts from a home that a first start has already set up
# (copied afresh for every start, so that no start finds what the one before left).
mkdir -p "$work/seed-tarnwick"
HOME="$work/seed-tarnwick" XDG_CONFIG_HOME="$work/seed-tarnwick/.config" \
  timeout 60 "$tarnwick" --home "$work/seed-tarnwick/home" --no-splash --startup-trace \
  >/dev/null 2>&1 || true

programs=(tarnwick)
command -v geany >/dev/null && programs+=(geany)
command -v bluefish >/dev/null && programs+=(bluefish)

# Starts one program once; prints the milliseconds until its window naming the page is visible.
start_once() {
  local name=$1 run="$work/run-$1"
  rm -rf "$run"
  if [ -d "$work/seed-$name" ]; then cp -r "$work/seed-$name" "$run"; else mkdir -p "$run"; fi
  local -a command
  case $name in
    tarnwick) command=("$tarnwick" --home "$run/home" "$page") ;;
    geany) command=(geany --new-instance --config "$run/geany" "$page") ;;
    bluefish) command=(bluefish "$page") ;;
  esac
  python3 - "$run" "$(basename "$page")" "${command[@]}" <<'EOF'
import os, re, subprocess, sys, time
run, page, command = sys.argv[1], sys.argv[2], sys.argv[3:]
env = dict(os.environ, HOME=run, XDG_CONFIG_HOME=run + "/.config", XDG_DATA_HOME=run + "/.local/share")
started = time.monotonic()
process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
pattern = re.escape(page)  # xdotool matches regardless of case
elapsed = -1
while time.monotonic() - started < 30:
    found = subprocess.run(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(process.pid),
                            "--name", pattern], capture_output=True, text=True).stdout.strip()
    if found:
        elapsed = (time.monotonic() - started) * 1000
        break
    time.sleep(0.003)
process.kill()
process.wait()
print(f"{elapsed:.0f}")
EOF
}

declare -A times
for name in "${programs[@]}"; do
  start_once "$name" >/dev/null # a first start of each warms the disk cache and sets itself up
  if [ "$name" != tarnwick ]; then cp -r "$work/run-$name" "$work/seed-$name"; fi
done
for i in $(seq 1 "$starts"); do
  for name in "${programs[@]}"; do
    times[$name]+="$(start_once "$name") "
  done
done

median() { tr ' ' '\n' | grep -v '^$' | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
printf 'start to a visible window naming the page, %d starts each, interleaved\n' "$starts"
tarnwick_median=$(echo "${times[tarnwick]}" | median)
for name in "${programs[@]}"; do
  m=$(echo "${times[$name]}" | median)
  ratio=$(awk -v a="$m" -v b="$tarnwick_median" 'BEGIN {printf "%.2f", a / b}')
  printf '%-9s median %5d ms   (%s)   %s x Tarnwick\n' "$name" "$m" "${times[$name]% }" "$ratio"
done
if [ ${#programs[@]} -eq 1 ]; then
  echo "(Geany and Bluefish are timed too when they are installed)"
fi
