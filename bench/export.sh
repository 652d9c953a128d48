#!/usr/bin/env bash
# Whole-process timings of the export commands on the demo project, side by side with an
# ImageMagick pipeline that builds the same long picture, with ImageMagick building the same
# animated GIF from the same cells, and with the I/O floor of copying the frame sequence. The long picture is timed twice: over the demo's own frames, and over the same
# frames saved the way other tools save them (every row filtered with Paeth).
# The animations are timed against their peers on the same cells: img2webp -lossless for WebP,
# apngasm (run once: it takes minutes) for APNG; the Android zip is timed and sized.
# Usage: bash bench/export.sh [runs]   (BUILD_DIR picks the build folder; MIROVANE_CLI=PATH
# times that mirovane-cli instead of building one; SECTIONS="strip busy gif webp apng android
# sequence wide" picks what is timed; "busy" repeats the BMP strip with two busy loops running;
# ANDROID_SIZES and BASELINE_CLI are described at the Android section)
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${1:-5}
SECTIONS=${SECTIONS:-strip busy gif webp apng android sequence wide}
bash scripts/deps.sh --bench
source bench/cli.sh
section() { [[ " $SECTIONS " == *" $1 "* ]]; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
"$CLI" demo "$WORK/demo" >/dev/null
DEMO="$WORK/demo"
mkdir -p "$WORK/out"

# The same project with every picture saved the way many tools save them: 8-bit RGBA frames
# and an RGB background, every row filtered with Paeth (ImageMagick decodes, paeth_png.py writes).
PAETH="$WORK/paeth"
# paeth_copy IN OUT LAYOUT: IN's pixels as OUT, LAYOUT RGB or RGBA.
paeth_copy() {
  local width height
  read -r width height < <(identify -format '%w %h\n' "$1")
  convert "$1" -depth 8 "$3:-" | python3 bench/paeth_png.py "$width" "$height" "${#3}" "$2"
}
if section strip || section busy; then
  cp -r "$DEMO" "$PAETH"
  paeth_copy "$DEMO/background.png" "$PAETH/background.png" RGB
  for f in "$DEMO"/frames/*.png; do paeth_copy "$f" "$PAETH/frames/${f##*/}" RGBA; done
fi

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

# measure NAME PREPARE COMMAND...: one timed run, its wall time (measured around /usr/bin/time,
# which reports the processor time and the largest resident set) added to TIMES_OF[NAME], its
# processor time (user and system, all threads) to CPU_OF[NAME]. PREPARE runs before it,
# untimed, followed by sync so no run pays for another's writes.
declare -A TIMES_OF CPU_OF PEAK_OF
measure() {
  local name=$1 prepare=$2
  shift 2
  eval "$prepare"
  sync
  local start=$EPOCHREALTIME
  if ! /usr/bin/time -o "$WORK/time.txt" -f "%M %U %S" "$@" >/dev/null 2>"$WORK/stderr.txt"; then
    echo "$name failed:" >&2
    cat "$WORK/stderr.txt" >&2
    exit 1
  fi
  local end=$EPOCHREALTIME
  TIMES_OF[$name]+="$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }') "
  local kb user system
  read -r kb user system < <(tail -1 "$WORK/time.txt")
  CPU_OF[$name]+="$(awk -v u="$user" -v s="$system" 'BEGIN { printf "%.2f", u + s }') "
  if ((kb > ${PEAK_OF[$name]:-0})); then PEAK_OF[$name]=$kb; fi
}

median() { tr ' ' '\n' | grep . | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# pair_ratios THEIRS OURS: each pair's wall time of THEIRS over OURS.
pair_ratios() {
  paste -d' ' <(tr ' ' '\n' <<<"${TIMES_OF[$1]}" | grep .) \
    <(tr ' ' '\n' <<<"${TIMES_OF[$2]}" | grep .) | awk '{ printf "%.2f ", $1 / $2 }'
}

# summary NAME: the median wall and processor times and the largest resident set of NAME's runs.
summary() {
  printf '%-44s %8.3f s %8.2f s %6d MB\n' "$1" "$(median <<<"${TIMES_OF[$1]}")" \
    "$(median <<<"${CPU_OF[$1]}")" "$((PEAK_OF[$1] / 1024))"
}

# repeat NAME PREPARE COMMAND...: RUNS timed runs and their summary.
repeat() {
  for _ in $(seq "$RUNS"); do measure "$@"; done
  summary "$1"
}

# strip_pairs FOLDER KIND FORMAT: RUNS pairs of export-long and the ImageMagick pipeline, run
# one after the other so both meet the same load; the ratio of each pair goes to RATIOS_OF.
declare -A RATIOS_OF
strip_pairs() {
  local folder=$1 kind=$2 format=$3
  local ours="export-long ${format^^} ($kind)" theirs="ImageMagick pipeline ${format^^} ($kind)"
  local magickTarget="$WORK/out/im.$format"
  [ "$format" = bmp ] && magickTarget="BMP3:$magickTarget"
  for _ in $(seq "$RUNS"); do
    measure "$ours" "rm -f $WORK/out/strip.$format" \
      "$CLI" export-long "$folder/demo.mrv" "$WORK/out/strip.$format"
    measure "$theirs" "rm -f $WORK/out/im.$format" \
      env MAGICK_CONFIGURE_PATH="$WORK/magick" sh -c 'cd "$0" && exec convert "$@"' "$folder" \
      "${MAGICK[@]}" "$magickTarget"
  done
  summary "$ours"
  summary "$theirs"
  RATIOS_OF["$kind ${format^^}"]=$(paste -d' ' <(tr ' ' '\n' <<<"${TIMES_OF[$theirs]}" | grep .) \
    <(tr ' ' '\n' <<<"${TIMES_OF[$ours]}" | grep .) | awk '{ printf "%.2f ", $1 / $2 }')
}

# ratio_line KIND FORMAT TARGET: the median and the best of the pairs' ratios.
ratio_line() {
  local ratios=${RATIOS_OF["$1 $2"]}
  local best
  best=$(tr ' ' '\n' <<<"$ratios" | grep . | sort -g | tail -1)
  printf '%s strip, %-13s %4.1fx faster than ImageMagick (median of %d pairs; best %.1fx; target %s)\n' \
    "$2" "$1 frames:" "$(median <<<"$ratios")" "$RUNS" "$best" "$3"
}

echo "Demo project: 105 frames of 200 x 200, background 1024 x 768; median of $RUNS runs"
echo "Load average before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
printf '%-44s %10s %10s %9s\n' "" "wall" "cpu" "peak RSS"
# Result lines, printed together at the end; result joins its words into one.
RESULTS=()
result() { RESULTS+=("$*"); }
kb() { echo "$(($(stat -c %s "$1") / 1024)) KB"; }
mb() { awk -v b="$(stat -c %s "$1")" 'BEGIN { printf "%.1f MB", b / 1048576 }'; }
# ratio_text RATIOS: the median of the ratios and the best, "4.1x (best 5.0x)".
ratio_text() {
  printf '%.1fx (best %.1fx)' "$(median <<<"$1")" "$(tr ' ' '\n' <<<"$1" | grep . | sort -g | tail -1)"
}

if section strip; then
  for kind in demo paeth; do
    folder=$DEMO
    [ "$kind" = paeth ] && folder=$PAETH
    strip_pairs "$folder" "$kind" bmp
    strip_pairs "$folder" "$kind" png
  done
  repeat "export-long GIF (demo)" "rm -f $WORK/out/strip.gif" \
    "$CLI" export-long "$DEMO/demo.mrv" "$WORK/out/strip.gif"
  RESULTS+=("$(ratio_line demo BMP 5x)" "$(ratio_line paeth BMP 5x)" "$(ratio_line demo PNG 3x)"
    "$(ratio_line paeth PNG 3x)")
fi

# The BMP strip again with both cores busy: two busy loops, started here and ended here, stand
# in for the builds and players a user's machine is running.
if section busy; then
  BUSY=()
  for _ in 1 2; do
    sh -c 'while :; do :; done' &
    BUSY+=($!)
  done
  trap 'kill "${BUSY[@]}" 2>/dev/null; rm -rf "$WORK"' EXIT
  sleep 1
  echo "With two busy loops running:"
  strip_pairs "$DEMO" "demo, busy" bmp
  strip_pairs "$PAETH" "paeth, busy" bmp
  kill "${BUSY[@]}"
  wait "${BUSY[@]}" 2>/dev/null || true
  trap 'rm -rf "$WORK"' EXIT
  RESULTS+=("$(ratio_line "demo, busy" BMP 6x)" "$(ratio_line "paeth, busy" BMP 6x)")
fi

# The animations (intro once, the loop part 3 times, repeating) against their peers building
# them from the long picture's cells, cut out beforehand and untimed: 195 cells in playing order,
# also as numbered copies for apngasm, which reads a numbered series.
"$CLI" export-long "$DEMO/demo.mrv" "$WORK/cells.png" >/dev/null
mkdir -p "$WORK/cells" "$WORK/series"
MAGICK_CONFIGURE_PATH="$WORK/magick" convert "$WORK/cells.png" -crop 200x200 +repage \
  "$WORK/cells/%03d.png"
CELLS=()
for i in $(seq 0 59); do CELLS+=("$WORK/cells/$(printf %03d "$i").png"); done
for _ in 1 2 3; do
  for i in $(seq 60 104); do CELLS+=("$WORK/cells/$(printf %03d "$i").png"); done
done
for i in "${!CELLS[@]}"; do ln -s "${CELLS[$i]}" "$WORK/series/frame$(printf %03d $((i + 1))).png"; done

if section gif; then
  for _ in $(seq "$RUNS"); do
    measure "export-animation GIF, 3 loops" "rm -f $WORK/out/anim.gif" \
      "$CLI" export-animation "$DEMO/demo.mrv" "$WORK/out/anim.gif" --loops 3 --repeat
    measure "ImageMagick GIF -layers Optimize" "rm -f $WORK/out/im-anim.gif" \
      convert -delay 15x200 -loop 0 "${CELLS[@]}" -layers Optimize "$WORK/out/im-anim.gif"
  done
  summary "export-animation GIF, 3 loops"
  summary "ImageMagick GIF -layers Optimize"
  result "Animated GIF: $(ratio_text "$(pair_ratios "ImageMagick GIF -layers Optimize" \
    "export-animation GIF, 3 loops")") faster than ImageMagick (target 3x); $(kb "$WORK/out/anim.gif")" \
    "against $(kb "$WORK/out/im-anim.gif") (target no larger)"
fi

if section webp; then
  for _ in $(seq "$RUNS"); do
    measure "export-animation WebP lossless, 3 loops" "rm -f $WORK/out/anim.webp" \
      "$CLI" export-animation "$DEMO/demo.mrv" "$WORK/out/anim.webp" --loops 3 --repeat
    measure "img2webp -lossless" "rm -f $WORK/out/img2webp.webp" \
      img2webp -lossless -loop 0 -d 75 "${CELLS[@]}" -o "$WORK/out/img2webp.webp"
  done
  summary "export-animation WebP lossless, 3 loops"
  summary "img2webp -lossless"
  # One run: the encoder that encoded every shown frame took minutes for it (WEBP_255=no skips it).
  if [ "${WEBP_255:-yes}" = yes ]; then
    measure "export-animation WebP lossless, 255 loops" "rm -f $WORK/out/anim255.webp" \
      "$CLI" export-animation "$DEMO/demo.mrv" "$WORK/out/anim255.webp" --loops 255 --repeat
    summary "export-animation WebP lossless, 255 loops"
  else
    TIMES_OF[export-animation WebP lossless, 255 loops]=0
    : >"$WORK/out/anim255.webp"
  fi
  repeat "export-animation WebP --quality 80, 3 loops" "rm -f $WORK/out/lossy.webp" \
    "$CLI" export-animation "$DEMO/demo.mrv" "$WORK/out/lossy.webp" --loops 3 --repeat --quality 80
  loops3=$(median <<<"${TIMES_OF[export-animation WebP lossless, 3 loops]}")
  loops255=$(median <<<"${TIMES_OF[export-animation WebP lossless, 255 loops]}")
  result "Animated WebP: $(ratio_text "$(pair_ratios "img2webp -lossless" \
    "export-animation WebP lossless, 3 loops")") faster than img2webp -lossless (target 5x);" \
    "$(kb "$WORK/out/anim.webp") against $(kb "$WORK/out/img2webp.webp") (target no larger);" \
    "255 loops $(awk -v a="$loops255" -v b="$loops3" 'BEGIN { printf "%.2f", a / b }')x the time" \
    "of 3 (target within 2x, $(mb "$WORK/out/anim255.webp")); quality 80 $(kb "$WORK/out/lossy.webp")"
fi

if section apng; then
  repeat "export-animation APNG, 3 loops" "rm -f $WORK/out/anim.png" \
    "$CLI" export-animation "$DEMO/demo.mrv" "$WORK/out/anim.png" --loops 3 --repeat
  # apngasm takes minutes: one run.
  measure "apngasm (defaults, one run)" "rm -f $WORK/out/apngasm.png" \
    sh -c 'cd "$0" && exec apngasm "$1" frame001.png 75 1000' "$WORK/series" "$WORK/out/apngasm.png"
  summary "apngasm (defaults, one run)"
  ours=$(median <<<"${TIMES_OF[export-animation APNG, 3 loops]}")
  result "APNG: $(awk -v a="${TIMES_OF[apngasm (defaults, one run)]}" -v b="$ours" \
    'BEGIN { printf "%.0f", a / b }')x faster than apngasm (target 20x); $(kb "$WORK/out/anim.png")" \
    "against $(kb "$WORK/out/apngasm.png") (target no larger)"
fi

# The Android zip at the project's own screen, a small phone, a tall phone and a tablet: the
# time per megapixel of screen should be about the same at every size. BASELINE_CLI=PATH also
# times another build at each size (once: an old build may take minutes), just before ours.
if section android; then
  ANDROID_SIZES=${ANDROID_SIZES:-1024x768 480x800 1080x1920 2048x1536}
  PER_MP=()
  for size in $ANDROID_SIZES; do
    if [ -n "${BASELINE_CLI:-}" ]; then
      measure "baseline export-bootanimation $size PNG" "rm -f $WORK/out/base.zip" \
        "$BASELINE_CLI" export-bootanimation "$DEMO/demo.mrv" "$WORK/out/base.zip" --size "$size"
      summary "baseline export-bootanimation $size PNG"
    fi
    repeat "export-bootanimation $size PNG" "rm -f $WORK/out/boot.zip" \
      "$CLI" export-bootanimation "$DEMO/demo.mrv" "$WORK/out/boot.zip" --size "$size"
    megapixels=$(awk -v s="$size" 'BEGIN { split(s, d, "x"); print d[1] * d[2] / 1e6 }')
    wall=$(median <<<"${TIMES_OF[export-bootanimation $size PNG]}")
    cpu=$(median <<<"${CPU_OF[export-bootanimation $size PNG]}")
    PER_MP+=("$size $(awk -v w="$wall" -v c="$cpu" -v m="$megapixels" \
      'BEGIN { printf "%.3f %.3f", w / m, c / m }')")
    line="Android zip at $size: $(mb "$WORK/out/boot.zip"), $(awk -v w="$wall" -v c="$cpu" \
      -v m="$megapixels" 'BEGIN { printf "%.2f s wall, %.2f s cpu per megapixel of screen", w / m, c / m }')"
    if [ -n "${BASELINE_CLI:-}" ]; then
      line+="; baseline $(mb "$WORK/out/base.zip"), $(awk \
        -v b="${TIMES_OF[baseline export-bootanimation $size PNG]}" -v w="$wall" \
        -v bc="${CPU_OF[baseline export-bootanimation $size PNG]}" -v c="$cpu" \
        'BEGIN { printf "%.1fx the wall time, %.1fx the cpu time", b / w, bc / c }')"
    fi
    result "$line"
  done
  result "Android time per megapixel, largest over smallest: $(printf '%s\n' "${PER_MP[@]}" |
    awk 'NR == 1 || $2 > w1 { w1 = $2 } NR == 1 || $2 < w0 { w0 = $2 }
         NR == 1 || $3 > c1 { c1 = $3 } NR == 1 || $3 < c0 { c0 = $3 }
         END { printf "%.2fx wall, %.2fx cpu (target within 1.5x)", w1 / w0, c1 / c0 }')"
  repeat "export-bootanimation 1080x1920 JPEG 90" "rm -f $WORK/out/boot-jpeg.zip" \
    "$CLI" export-bootanimation "$DEMO/demo.mrv" "$WORK/out/boot-jpeg.zip" --size 1080x1920 \
    --jpeg-quality 90
  result "Android zip at 1080 x 1920, --jpeg-quality 90: $(mb "$WORK/out/boot-jpeg.zip")" \
    "(target at most 40 MB)"
fi

if section sequence; then
  repeat "export-sequence --loops 255 (11,535 PNG)" "rm -rf $WORK/seq && mkdir $WORK/seq" \
    "$CLI" export-sequence "$DEMO/demo.mrv" "$WORK/seq/demo_" --loops 255
  echo "  ($(find "$WORK/seq" -type f | wc -l) files, $(du -sm "$WORK/seq" | cut -f1) MB)"
  repeat "cp -r of the sequence (I/O floor)" "rm -rf $WORK/copy" cp -r "$WORK/seq" "$WORK/copy"
  repeat "export-images PNG" "rm -rf $WORK/out/proj.png $WORK/out/proj_Frame" \
    "$CLI" export-images "$DEMO/demo.mrv" "$WORK/out/proj"
  sequence=$(median <<<"${TIMES_OF[export-sequence --loops 255 (11,535 PNG)]}")
  copy=$(median <<<"${TIMES_OF[cp -r of the sequence (I/O floor)]}")
  result "Sequence: $(awk -v a="$sequence" -v b="$copy" 'BEGIN { printf "%.1f", a / b }')x the" \
    "time of copying it (target within 3x)"
fi

if section wide; then
  # The whole screen at 1920 pixels wide: every distinct picture is 1920 x 1440.
  for format in gif webp apng; do
    repeat "export-animation ${format^^} --width 1920" "rm -f $WORK/out/wide.$format" \
      "$CLI" export-animation "$DEMO/demo.mrv" "$WORK/out/wide.$format" --format "$format" \
      --area screen --width 1920
    result "Animated ${format^^} at 1920 x 1440: peak memory" \
      "$((PEAK_OF[export-animation ${format^^} --width 1920] / 1024)) MB (target under 500 MB)"
  done
fi

echo "Load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
printf '%s\n' "${RESULTS[@]}"
