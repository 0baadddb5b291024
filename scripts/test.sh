#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole suite headless, runs
# each libFuzzer target (built with clang) for a bounded time from its seed
# corpus, then builds and runs the suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
export QT_QPA_PLATFORM=offscreen
# Benchmarks too, also in a folder configured without them.
scripts/build.sh build -DTZ_BENCH=ON
(cd build && ctest --output-on-failure --parallel "$(nproc)")
scripts/build.sh build-fuzz -DTZ_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DTZ_BENCH=OFF
(cd build-fuzz && ctest --output-on-failure --parallel "$(nproc)")
# Executions per target, from libFuzzer's final statistics.
grep -E '^[0-9]+/[0-9]+ Test: |stat::number_of_executed_units' build-fuzz/Testing/Temporary/LastTest.log
scripts/build.sh build-asan -DTZ_SANITIZE=ON -DTZ_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
(cd build-asan && ctest --output-on-failure --parallel "$(nproc)")
