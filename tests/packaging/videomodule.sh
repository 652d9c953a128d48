#!/usr/bin/env bash
# Installs the build into a scratch prefix and reads a video with the installed command line:
# it finds the video module in its library folder, and neither program loads FFmpeg at start.
# Exit 77 (skipped) without the ffmpeg program, which writes the video.
set -uo pipefail
build=$1
command -v ffmpeg >/dev/null || { echo "skipped: no ffmpeg program (scripts/deps.sh --test)"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null || exit 1
cli=$work/prefix/bin/mirovane-cli
failed=0
fail() { echo "FAIL: $*"; failed=1; }

for program in "$cli" "$work/prefix/bin/mirovane"; do
  [ -x "$program" ] || continue
  if ldd "$program" | grep -q 'libav\(codec\|format\|filter\)'; then
    fail "$(basename "$program") loads FFmpeg at start"
  fi
done
ffmpeg -loglevel error -f lavfi -i testsrc=size=160x120:rate=10:duration=1 "$work/v.mp4" ||
  exit 1
"$cli" new "$work/p.mrv" >/dev/null || fail "new"
out=$("$cli" import-frames "$work/p.mrv" "$work/v.mp4" 2>&1) || fail "import-frames: $out"
exit $failed
