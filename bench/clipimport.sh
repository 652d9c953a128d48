#!/usr/bin/env bash
# Whole-process timing of the clip import: a 480 x 270 GIF of 48 frames to the boot's 105
# fitted frames (mirovane-cli import-frames with its defaults: contain, boot timing), side by
# side with ImageMagick shrinking the same GIF's frames to 200 x 200 PNGs
# (convert IN -coalesce -resize 200x200 OUT/%04d.png), which does less: no retiming.
# Usage: bash bench/clipimport.sh [runs]   (MIROVANE_CLI=PATH times that mirovane-cli instead
# of building one in BUILD_DIR, default build/bench)
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${1:-5}
bash scripts/deps.sh --bench
source bench/cli.sh

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
# 48 frames of one plasma picture rolled 10 pixels further each: detail everywhere, 80 ms each.
convert -size 480x270 -seed 7 plasma:fractal "$WORK/base.png"
for i in $(seq 0 47); do
  convert "$WORK/base.png" -roll "+$((i * 10))+0" "$WORK/f$(printf %02d "$i").png"
done
convert -delay 8 -loop 0 "$WORK"/f??.png "$WORK/clip.gif"
"$CLI" new "$WORK/p.mrv" >/dev/null

source bench/wallclock.sh

prepare='rm -rf "$WORK"/out "$WORK"/clip_frames*; mkdir -p "$WORK/out"'
ours=$(median "$CLI" import-frames "$WORK/p.mrv" "$WORK/clip.gif" --output "$WORK/q.mrv")
theirs=$(median convert "$WORK/clip.gif" -coalesce -resize 200x200 "$WORK/out/%04d.png")
"$CLI" import-frames "$WORK/p.mrv" "$WORK/clip.gif" --output "$WORK/q.mrv" 2>&1 >/dev/null |
  sed 's/^/mirovane-cli: /'
echo "clip import, median of $RUNS runs: mirovane-cli ${ours}s, convert ${theirs}s," \
     "ratio $(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.1f", b / a }')x"
