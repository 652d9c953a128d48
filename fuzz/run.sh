#!/usr/bin/env bash
# Builds every fuzz target with clang, AddressSanitizer and UndefinedBehaviorSanitizer, then runs
# each for SECONDS (default 30) on a copy of its seed corpus; names after SECONDS (`video`)
# build and run only those targets. Exits non-zero on any finding,
# including an input that takes longer than PER_INPUT seconds (default 10): a slow input is a
# hang a user would meet.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_PER_TARGET=${1:-30}
shift || true
TARGETS=("$@")
# libFuzzer's memory bound, stated so that a change of its default cannot fail the run; the
# targets keep far below it (the video target's reader gets small limits of its own).
RSS_LIMIT_MB=${RSS_LIMIT_MB:-2048}
PER_INPUT=${PER_INPUT:-10}
BUILD_DIR=${FUZZ_BUILD_DIR:-build/fuzz}
bash scripts/deps.sh --fuzz
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++-14 -DMIROVANE_FUZZ=ON > /dev/null
if [ ${#TARGETS[@]} -gt 0 ]; then
    cmake --build "$BUILD_DIR" -j2 --target "${TARGETS[@]/#/fuzz_}"
else
    cmake --build "$BUILD_DIR" -j2
    TARGETS=()
    for exe in "$BUILD_DIR"/bin/fuzz_*; do
        name=$(basename "$exe")
        TARGETS+=("${name#fuzz_}")
    done
fi
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp
export QT_QPA_PLATFORM=offscreen
status=0
for name in "${TARGETS[@]}"; do
    exe="$BUILD_DIR/bin/fuzz_$name"
    work="$BUILD_DIR/corpus/$name"
    mkdir -p "$work"
    cp -n fuzz/corpus/"$name"/* "$work"/ 2>/dev/null || true
    echo "== fuzz_$name for ${SECONDS_PER_TARGET}s"
    if ! "$exe" -max_total_time="$SECONDS_PER_TARGET" -rss_limit_mb="$RSS_LIMIT_MB" -timeout="$PER_INPUT" -max_len=65536 \
        -artifact_prefix="$BUILD_DIR/crash-$name-" -print_final_stats=1 "$work" \
        > "$BUILD_DIR/fuzz_$name.log" 2>&1; then
        echo "fuzz_$name FAILED; see $BUILD_DIR/fuzz_$name.log"
        tail -40 "$BUILD_DIR/fuzz_$name.log"
        status=1
    else
        grep -E 'stat::(number_of_executed_units|peak_rss_mb)' "$BUILD_DIR/fuzz_$name.log" || true
    fi
done
exit $status
