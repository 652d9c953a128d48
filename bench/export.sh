#!/usr/bin/env bash
# Whole-process timings of the export commands on the demo project, side by side with an
# ImageMagick pipeline that builds the same long picture and with the I/O floor of copying the
# frame sequence. Usage: bash bench/export.sh [runs]   (BUILD_DIR picks the build folder)
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${1:-5}
bash scripts/deps.sh --bench
BUILD_DIR=${BUILD_DIR:-build/bench}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD_DIR" -j2 --target mirovane-cli >/dev/null
CLI="$(pwd)/$BUILD_DIR/bin/mirovane-cli"

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
"$CLI" demo "$WORK/demo" >/dev/null
DEMO="$WORK/demo"
mkdir -p "$WORK/out"

# ImageMagick refuses a 21000-pixel-high picture by default; give it a private policy.
mkdir -p "$WORK/magick"
cat >"$WORK/magick/policy.xml" <<'XML'
<policymap>
  <policy domain="resource" name="width" value="64KP"/>
  <policy domain="resource" name="height" value="64KP"/>
  <policy domain="resource" name="area" value="1GP"/>
  <policy domain="resource" name="memory" value="2GiB"/>
  <policy domain="resource" name="disk" value="4GiB"/>
</policymap>
XML
MAGICK=(background.png -crop 200x200+412+284 +repage -write mpr:cell +delete)
for i in $(seq -f %03g 1 105); do MAGICK+=('(' mpr:cell "frames/$i.png" -composite ')'); done
MAGICK+=(-append)

# run NAME PREPARE COMMAND...: RUNS timed runs; prints the median wall time (measured around
# /usr/bin/time, which reports the largest resident set) and the largest resident set.
# PREPARE runs before each run, untimed, followed by sync so no run pays for another's writes.
declare -A SECONDS_OF
run() {
  local name=$1 prepare=$2
  shift 2
  local times=() peak=0
  for _ in $(seq "$RUNS"); do
    eval "$prepare"
    sync
    local start=$EPOCHREALTIME
    if ! /usr/bin/time -o "$WORK/time.txt" -f "%M" "$@" >/dev/null 2>"$WORK/stderr.txt"; then
      echo "$name failed:" >&2
      cat "$WORK/stderr.txt" >&2
      exit 1
    fi
    local end=$EPOCHREALTIME
    times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }')")
    local kb
    kb=$(tail -1 "$WORK/time.txt")
    if ((kb > peak)); then peak=$kb; fi
  done
  local median
  median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
  SECONDS_OF[$name]=$median
  printf '%-44s %8.3f s %8d MB\n' "$name" "$median" "$((peak / 1024))"
}

echo "Demo project: 105 frames of 200 x 200, background 1024 x 768; median of $RUNS runs"
printf '%-44s %10s %11s\n' "" "wall" "peak RSS"
run "export-long BMP" "rm -f $WORK/out/strip.bmp" "$CLI" export-long "$DEMO/demo.mrv" "$WORK/out/strip.bmp"
run "ImageMagick pipeline BMP" "rm -f $WORK/out/im.bmp" \
  env MAGICK_CONFIGURE_PATH="$WORK/magick" sh -c 'cd "$0" && exec convert "$@"' "$DEMO" "${MAGICK[@]}" "BMP3:$WORK/out/im.bmp"
run "export-long PNG" "rm -f $WORK/out/strip.png" "$CLI" export-long "$DEMO/demo.mrv" "$WORK/out/strip.png"
run "ImageMagick pipeline PNG" "rm -f $WORK/out/im.png" \
  env MAGICK_CONFIGURE_PATH="$WORK/magick" sh -c 'cd "$0" && exec convert "$@"' "$DEMO" "${MAGICK[@]}" "$WORK/out/im.png"
run "export-sequence --loops 255 (11,535 PNG)" "rm -rf $WORK/seq && mkdir $WORK/seq" \
  "$CLI" export-sequence "$DEMO/demo.mrv" "$WORK/seq/demo_" --loops 255
echo "  ($(find "$WORK/seq" -type f | wc -l) files, $(du -sm "$WORK/seq" | cut -f1) MB)"
run "cp -r of the sequence (I/O floor)" "rm -rf $WORK/copy" cp -r "$WORK/seq" "$WORK/copy"
run "export-images PNG" "rm -rf $WORK/out/proj.png $WORK/out/proj_Frame" \
  "$CLI" export-images "$DEMO/demo.mrv" "$WORK/out/proj"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1f", a / b; else print "inf" }'; }
echo
echo "BMP strip: $(ratio "${SECONDS_OF[ImageMagick pipeline BMP]}" "${SECONDS_OF[export-long BMP]}")x faster than ImageMagick (target 5x)"
echo "PNG strip: $(ratio "${SECONDS_OF[ImageMagick pipeline PNG]}" "${SECONDS_OF[export-long PNG]}")x faster than ImageMagick (target 3x)"
echo "Sequence:  $(ratio "${SECONDS_OF[export-sequence --loops 255 (11,535 PNG)]}" "${SECONDS_OF[cp -r of the sequence (I/O floor)]}")x the time of copying it (target within 3x)"
