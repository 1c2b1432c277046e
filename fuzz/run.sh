#!/usr/bin/env bash
# Runs the libFuzzer harnesses of a fuzz build (make fuzz, make fuzz-check).
#   fuzz/run.sh check BUILD          each harness once over its committed corpus
#   fuzz/run.sh fuzz BUILD SECONDS   each harness for SECONDS from its corpus; new
#                                    inputs go to BUILD/fuzz-scratch/<parser>, crash
#                                    inputs to BUILD/fuzz-crashes/<parser>
# FUZZERS="dct wordlist" picks harnesses by parser name; all when empty.
# Fails when a harness crashes or breaks one of its properties.
set -uo pipefail
mode=${1:?check or fuzz} build=${2:?build directory} seconds=${3:-60}
corpora=$(cd "$(dirname "$0")" && pwd)/corpus
shopt -s nullglob
harnesses=()
if [ -n "${FUZZERS:-}" ]; then
  for parser in $FUZZERS; do harnesses+=("$build/bin/fuzz_$parser"); done
else
  harnesses=("$build"/bin/fuzz_*)
fi
[ ${#harnesses[@]} -gt 0 ] || { echo "No harnesses in $build/bin: run make fuzz-build" >&2; exit 2; }

# The harnesses' scratch files, in memory where the system allows.
scratchroot=$(mktemp -d /dev/shm/tarnwick-fuzz.XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$scratchroot"' EXIT
export TARNWICK_FUZZ_SCRATCH=$scratchroot

failed=()
for harness in "${harnesses[@]}"; do
  parser=${harness##*/fuzz_}
  if [ ! -x "$harness" ]; then
    echo "$parser: no harness $harness" >&2
    failed+=("$parser")
    continue
  fi
  corpus=$corpora/$parser
  seeds=("$corpus"/*)
  if [ ${#seeds[@]} -eq 0 ]; then
    echo "$parser: no seed corpus in $corpus" >&2
    failed+=("$parser")
    continue
  fi
  log=$build/fuzz-logs/$parser.log
  mkdir -p "$build/fuzz-logs"
  case $mode in
    check)
      "$harness" -timeout=120 "${seeds[@]}" >"$log" 2>&1
      status=$?
      echo "$parser: ${#seeds[@]} corpus files, exit $status"
      ;;
    fuzz)
      scratch=$build/fuzz-scratch/$parser crashes=$build/fuzz-crashes/$parser/
      mkdir -p "$scratch" "$crashes"
      nice -n 10 "$harness" -max_total_time="$seconds" -timeout=20 -max_len=8192 \
        -artifact_prefix="$crashes" -print_final_stats=1 "$scratch" "$corpus" >"$log" 2>&1
      status=$?
      runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
      added=$(grep -o 'stat::new_units_added: *[0-9]*' "$log" | grep -o '[0-9]*$')
      echo "$parser: ${runs:-?} runs in ${seconds}s, ${added:-?} new inputs kept in $scratch, exit $status"
      ;;
    *)
      echo "Unknown mode $mode" >&2
      exit 2
      ;;
  esac
  if [ "$status" -ne 0 ]; then
    failed+=("$parser")
    grep -E 'ERROR|property failed|runtime error|Test unit written' "$log" | head -5 | sed 's/^/    /'
    echo "    full log: $log"
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Failed: ${failed[*]}" >&2
  exit 1
fi
