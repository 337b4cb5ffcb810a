#!/usr/bin/env bash
# Runs every test program of a build folder the way ctest does (offscreen, in
# a home of its own), first each test function alone, then all its functions
# in reverse order:
#   scripts/check-standalone.sh [BUILD_DIR] [JOBS] [PROGRAM...]
# (build/ and 3 parallel runs by default; every tst_* program when none is
# named). Prints each run that fails and a summary; exits 1 when one fails.
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
jobs=${2:-3}
shift 2 2>/dev/null || shift $#
config="$here/tests/support/screen-1280x1024.json"
export QT_QPA_PLATFORM="offscreen:configfile=$config" WAVIX_SCREEN_CONFIG="$config"
runner="$here/tests/support/run-in-temp-home.sh"
# The sanitizers' options, for a sanitized build folder.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/scripts/lsan-suppressions.txt:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

programs=("$@")
if [ ${#programs[@]} -eq 0 ]; then
  mapfile -t programs < <(find "$build" -type f -executable -name 'tst_*' | sort)
fi
[ ${#programs[@]} -gt 0 ] || { echo "no test program in $build" >&2; exit 1; }

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

# One line per run: the program, then the functions it is given.
plan="$logs/plan"
: >"$plan"
for program in "${programs[@]}"; do
  mapfile -t functions < <("$runner" "$program" -functions 2>/dev/null | sed -n 's/()$//p')
  if [ ${#functions[@]} -eq 0 ]; then
    echo "$program: lists no test function" >&2
    echo "$program" >>"$plan"
    continue
  fi
  for f in "${functions[@]}"; do
    echo "$program $f" >>"$plan"
  done
  reverse=()
  for ((i = ${#functions[@]} - 1; i >= 0; --i)); do
    reverse+=("${functions[i]}")
  done
  [ ${#functions[@]} -gt 1 ] && echo "$program ${reverse[*]}" >>"$plan"
done

export runner logs
run_one() {
  local log
  log="$logs/$(echo "$*" | md5sum | cut -c1-16).log"
  if "$runner" "$@" >"$log" 2>&1; then
    echo "ok"
  else
    # One write per run, so that parallel runs do not mix their lines.
    printf 'FAIL %s %s\n%s\n' "$(basename "$1")" "${*:2}" "$(grep -E \
      '^(FAIL!|QFATAL|.*runtime error|.*ERROR: (Address|Leak)Sanitizer)' "$log" | head -n 5 | sed 's/^/    /')"
  fi
}
export -f run_one

results="$logs/results"
xargs -P "$jobs" -L 1 bash -c 'run_one "$@"' _ <"$plan" >"$results"
runs=$(wc -l <"$plan")
failed=$(grep -c '^FAIL' "$results")
grep -v '^ok$' "$results"
echo "$runs runs of ${#programs[@]} programs (each function alone, then all in reverse order): $failed failed"
[ "$failed" -eq 0 ]
