#!/usr/bin/env bash
# Installs what is missing, builds with tests and runs them all; then, where it can (as root,
# with dpkg), packages that build, installs the package, tries it and removes it again.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/deps.sh --test
BUILD_DIR=${BUILD_DIR:-build/test}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIROVANE_TESTS=ON -DMIROVANE_WERROR=ON
cmake --build "$BUILD_DIR" -j2
(cd "$BUILD_DIR" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)
bash scripts/package.sh --check --from "$BUILD_DIR"
