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
  if [ ! -f "$DEMO/demo.mrv" ]; then
    written=$("$BUILD_DIR/bin/mirovane-cli" demo "$DEMO")
    echo "wrote the demo project: $written"
  fi
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display available: exporting the demo's long picture instead"
    written=$("$BUILD_DIR/bin/mirovane-cli" export-long "$DEMO/demo.mrv" "$DEMO/Activity_demo.bmp")
    echo "wrote the long picture: $written"
    exit 0
  fi
  exec "$BUILD_DIR/bin/mirovane" "$DEMO/demo.mrv" "$@"
fi
exec "$BUILD_DIR/bin/mirovane-cli" --help
