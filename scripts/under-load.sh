#!/usr/bin/env bash
# under-load.sh CPUS COMMAND...: runs COMMAND while stress-ng keeps CPUS workers
# busy, and stops them however COMMAND ends. Exits with COMMAND's status.
set -uo pipefail
cpus=${1:?number of busy workers}
shift
command -v stress-ng >/dev/null || { echo "stress-ng is missing: run make setup" >&2; exit 2; }
stress-ng --cpu "$cpus" --cpu-method matrixprod --quiet &
load=$!
trap 'kill "$load" 2>/dev/null; wait "$load" 2>/dev/null' EXIT
"$@"
