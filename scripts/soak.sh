#!/usr/bin/env bash
# Builds and runs the monkey soak of the main window headless.
#   scripts/soak.sh [steps] [seed] [build folder]
# Defaults: 100000 steps, a seed from the clock, build-soak. KELVARY_SOAK_MAX_SIDE
# and the other KELVARY_SOAK_* variables pass through. The steps go to
# <build folder>/soak-<seed>.log; on a failure or a crash the last of them are
# printed with the seed, and the same steps and seed replay the run.
set -euo pipefail
cd "$(dirname "$0")/.."
steps="${1:-100000}"
seed="${2:-$(date +%s)}"
build="${3:-build-soak}"

if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build" --target soak_test -j"$(nproc)"

log="$build/soak-$seed.log"
export QT_QPA_PLATFORM=offscreen KELVARY_SOAK_STEPS="$steps" KELVARY_SOAK_SEED="$seed" KELVARY_SOAK_LOG="$PWD/$log"
export KELVARY_SOAK_SETTLE_EVERY="${KELVARY_SOAK_SETTLE_EVERY:-500}"
start=$(date +%s)
status=0
/usr/bin/time -f "soak: %e s, peak resident %M KiB" "$build/tests/soak/soak_test" || status=$?
echo "soak: $steps steps asked, seed $seed, $(( $(date +%s) - start )) s, log $log"
if [ "$status" -ne 0 ]; then
  echo "soak: FAILED (exit $status); last steps:"
  tail -n 20 "$log"
  echo "soak: replay with: KELVARY_SOAK_MAX_SIDE=${KELVARY_SOAK_MAX_SIDE:-3000} scripts/soak.sh $steps $seed $build"
fi
exit "$status"
