#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
bash scripts/deps.sh --test
BUILD_DIR=${BUILD_DIR:-build/asan}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMIROVANE_TESTS=ON -DMIROVANE_SANITIZE=ON
cmake --build "$BUILD_DIR" -j2
cd "$BUILD_DIR"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# GCC 12's leak checker crashes ("Tracer caught signal 11") reading the dynamic TLS of libraries
# loaded at run time (Qt's image plugins, libgomp) when several threads have come and gone, so
# thread-local storage is not scanned; what libraries keep there is suppressed in lsan.supp.
export LSAN_OPTIONS=suppressions=$ROOT/scripts/lsan.supp:use_tls=0:print_suppressions=0
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
