# Sourced by the benchmark scripts from the repository's root: sets CLI to the mirovane-cli
# they time, MIROVANE_CLI when given, else a Release build in BUILD_DIR (default build/bench),
# which also builds the video module beside it.
if [ -n "${MIROVANE_CLI:-}" ]; then
  CLI=$(realpath "$MIROVANE_CLI")
else
  BUILD_DIR=${BUILD_DIR:-build/bench}
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$BUILD_DIR" -j2 --target mirovane-cli >/dev/null
  CLI="$(pwd)/$BUILD_DIR/bin/mirovane-cli"
fi
