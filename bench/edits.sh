#!/usr/bin/env bash
# Whole-process timing of the colour edit: mirovane-cli adjust --hue 120 over the demo's 105
# frames (each read, turned, written as a new PNG, the project saved), side by side with
# ImageMagick's mogrify -modulate 100,100,166.67 over copies of the same pictures, in the same run.
# Usage: bash bench/edits.sh [runs]   (MIROVANE_CLI=PATH times that mirovane-cli instead of
# building one in BUILD_DIR, default build/bench)
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${1:-5}
bash scripts/deps.sh --bench
source bench/cli.sh

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
"$CLI" demo "$WORK/demo" >/dev/null

source bench/wallclock.sh

prepare='rm -rf "$WORK"/demo/demo_adjusted* "$WORK/copy"; cp -r "$WORK/demo/frames" "$WORK/copy"'
ours=$(median "$CLI" adjust "$WORK/demo/demo.mrv" --hue 120 --output "$WORK/demo/out.mrv")
theirs=$(median mogrify -modulate 100,100,166.67 "$WORK"/copy/*.png)
echo "adjust --hue over the demo's 105 frames, median of $RUNS runs: mirovane-cli ${ours}s," \
     "mogrify ${theirs}s, ratio $(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.1f", b / a }')x"
