#!/usr/bin/env bash
# Installs what is missing, builds Release and starts the editor on the bundled demo project.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/deps.sh
BUILD_DIR=${BUILD_DIR:-build/release}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$BUILD_DIR" -j2
if [ -x "$BUILD_DIR/bin/mirovane" ]; then
  DEMO="$BUILD_DIR/demo"
  [ -f "$DEMO/demo.mrv" ] || "$BUILD_DIR/bin/mirovane-cli" demo "$DEMO"
  exec "$BUILD_DIR/bin/mirovane" "$DEMO/demo.mrv" "$@"
fi
exec "$BUILD_DIR/bin/mirovane-cli" --help
