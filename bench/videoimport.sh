#!/usr/bin/env bash
# Whole-process timing of the video import: a 10-second 1920 x 1080 H.264 video (30 frames a
# second) to the boot's 105 frames fitted into the area (mirovane-cli import-frames --end 10,
# otherwise its defaults: contain, boot timing), side by side with the ffmpeg program doing
# the same job: the whole video sampled to 105 frames shrunk to the area's 200 x 113, written
# as PNG files (ffmpeg -i IN -vf fps=10.5,scale=200:113 OUT/%04d.png).
# Usage: bash bench/videoimport.sh [runs]   (MIROVANE_CLI=PATH times that mirovane-cli instead
# of building one in BUILD_DIR, default build/bench)
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${1:-5}
bash scripts/deps.sh --bench
source bench/cli.sh

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
# testsrc2: moving detail over the whole picture, so the decoder has real work.
ffmpeg -loglevel error -f lavfi -i testsrc2=size=1920x1080:rate=30:duration=10 \
  -c:v libx264 -pix_fmt yuv420p "$WORK/clip.mp4"
"$CLI" new "$WORK/p.mrv" >/dev/null

source bench/wallclock.sh

prepare='rm -rf "$WORK"/out "$WORK"/clip_frames*; mkdir -p "$WORK/out"'
ours=$(median "$CLI" import-frames "$WORK/p.mrv" "$WORK/clip.mp4" --end 10 --output "$WORK/q.mrv")
theirs=$(median ffmpeg -loglevel error -i "$WORK/clip.mp4" -vf fps=10.5,scale=200:113 \
  "$WORK/out/%04d.png")
"$CLI" import-frames "$WORK/p.mrv" "$WORK/clip.mp4" --end 10 --output "$WORK/q.mrv" 2>&1 \
  >/dev/null | sed 's/^/mirovane-cli: /'
echo "pictures written: mirovane-cli $(ls "$WORK"/clip_frames | wc -l), ffmpeg $(ls "$WORK"/out | wc -l)"
echo "video import, median of $RUNS runs: mirovane-cli ${ours}s, ffmpeg ${theirs}s," \
     "ratio $(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.2f", a / b }')x its time"
