#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
bash scripts/deps.sh
BUILD_DIR=${BUILD_DIR:-build/asan}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMIROVANE_TESTS=ON -DMIROVANE_SANITIZE=ON
cmake --build "$BUILD_DIR" -j2
cd "$BUILD_DIR"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$ROOT/scripts/lsan.supp
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
