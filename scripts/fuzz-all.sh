#!/usr/bin/env bash
# Runs every reader's fuzzer one after another for a given time each, starting
# from its committed corpus, and prints a table of executions and findings.
#   scripts/fuzz-all.sh [seconds per target, default 1800] [build dir, default build-fuzz] [target...]
# Naming targets runs only those, so a long campaign can be done in parts.
# New inputs go to a scratch corpus beside the build; crashes, leaks and
# timeouts to <build dir>/findings/<target>/. Merge what is worth keeping into
# fuzz/corpus/<target> with the fuzzer's -merge=1.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-1800}"
build="${2:-build-fuzz}"

if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DKELVARY_FUZZ=ON >/dev/null
fi
shift $(($# < 2 ? $# : 2))
targets="${*:-$(sed -n 's/^kelvary_fuzzer(\([a-z_]*\) .*/\1/p' fuzz/CMakeLists.txt)}"
# shellcheck disable=SC2086
cmake --build "$build" --target $targets >/dev/null

printf '%-20s %12s %8s %9s %6s %s\n' target executions seconds 'peak MiB' slow findings
for target in $targets; do
  scratch="$build/scratch-corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$scratch" "$findings"
  log="$build/findings/$target.log"
  status=0
  "$build/fuzz/$target" "$scratch" "fuzz/corpus/$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$findings/" -rss_limit_mb=2560 >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  peak=$(sed -n 's/^stat::peak_rss_mb: *//p' "$log" | tail -n 1)
  # Slow inputs are only noted: on a loaded machine any input can be slow.
  slow=$(find "$findings" -type f -name 'slow-unit-*' | wc -l)
  found=$(find "$findings" -type f ! -name 'slow-unit-*' | wc -l)
  [ "$status" -eq 0 ] || found="$found (exit $status, see $log)"
  printf '%-20s %12s %8s %9s %6s %s\n' "$target" "${runs:-?}" "$seconds" "${peak:-?}" "$slow" "$found"
done
