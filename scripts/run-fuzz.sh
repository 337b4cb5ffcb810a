#!/usr/bin/env bash
# Runs each fuzz target for a bounded time: run-fuzz.sh BUILD_DIR SECONDS TARGET...
# New inputs grow BUILD_DIR/corpus/<target>, seeded from fuzz/corpus/<target>;
# a failing input is kept in fuzz/fixtures/<target>/. Prints the executions
# of each target and stops at the first finding.
set -euo pipefail
build=$1 seconds=$2
shift 2
here=$(cd "$(dirname "$0")/.." && pwd)
export QT_QPA_PLATFORM=offscreen
# The targets' scratch files (homes, settings files, saved exercises) go to a
# memory file system when there is one: the program syncs what it writes.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  scratch=$(mktemp -d /dev/shm/wavix-fuzz.XXXXXX)
else
  scratch=$(mktemp -d)
fi
trap 'rm -rf "$scratch"' EXIT
export TMPDIR="$scratch"
summary=()
for target in "$@"; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus" "$here/fuzz/fixtures/$target"
  log="$build/fuzz_$target.log"
  echo "== fuzz_$target, ${seconds} s"
  if ! "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$here/fuzz/fixtures/$target/" "$corpus" "$here/fuzz/corpus/$target" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz_$target found a fault: the input is in fuzz/fixtures/$target/" >&2
    exit 1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
  summary+=("fuzz_$target: $runs executions in ${seconds} s, no finding")
done
printf '%s\n' "${summary[@]}"
