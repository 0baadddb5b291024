#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole suite headless, then
# builds and runs it again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
scripts/build.sh build
(cd build && ctest --output-on-failure --parallel "$(nproc)")
scripts/build.sh build-asan -DTZ_SANITIZE=ON -DTZ_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
(cd build-asan && ctest --output-on-failure --parallel "$(nproc)")
