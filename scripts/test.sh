#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the whole
# suite headless, then the non-widget tests and the monkey soak of the main
# window again under AddressSanitizer and UndefinedBehaviorSanitizer (which
# also replays the fuzz corpora).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVARY_SANITIZE=ON
cmake --build build-asan -j"$jobs" --target core_tests soak_test
ctest --test-dir build-asan -L 'core|soak' --output-on-failure -j"$jobs"
