#!/bin/sh
# Exports the demo project through every target, format and the options that change what is
# written, once with each command line, and compares the files byte for byte.
# Usage: scripts/compare-exports.sh OLD_CLI NEW_CLI [WORK_DIR]
# Exit status 0 when every file and every report line is the same, 1 otherwise.
set -u
[ $# -ge 2 ] || { echo "usage: $0 OLD_CLI NEW_CLI [WORK_DIR]" >&2; exit 2; }
old=$1 new=$2
work=${3:-$(mktemp -d)}
mkdir -p "$work"
"$old" demo "$work/demo" >/dev/null || { echo "demo project not written" >&2; exit 2; }
project="$work/demo/demo.mrv"

# One export per line: subcommand, output name, then its arguments.
exports() {
    for f in png bmp jpg gif tif; do
        echo "export-long long-$f.$f --format $f"
        echo "export-long long-nobg-$f.$f --format $f --no-background"
        echo "export-sequence seq-$f/s --format $f"
        echo "export-images images-$f/bg.$f --format $f"
    done
    echo "export-sequence seq-loops/s --loops 5 --no-background"
    for f in gif webp apng; do
        echo "export-animation anim-$f.$f --format $f"
        echo "export-animation anim-screen-$f.$f --format $f --area screen --width 320 --repeat"
        echo "export-animation anim-nobg-$f.$f --format $f --no-background --loops 1 --frame-time 40"
    done
    echo "export-animation anim-q.webp --format webp --quality 80"
    echo "export-plymouth plymouth"
    echo "export-plymouth plymouth-named --name My_Theme --frame-time 120"
    echo "export-bootanimation boot.zip"
    echo "export-bootanimation boot-jpeg.zip --size 540x960 --jpeg-quality 85 --frame-time 50"
}

run() { # CLI SIDE
    exports | while read -r command out rest; do
        dir="$work/$2"
        mkdir -p "$dir/$(dirname "$out")"
        # shellcheck disable=SC2086 # the arguments are words
        (cd "$dir" && "$1" "$command" "$project" "$out" $rest) >>"$dir/report.txt" 2>&1 \
            || echo "$command $out failed" >>"$dir/report.txt"
    done
}

# A zip stores the time it was written; everything else in it must be the same.
same_zip() {
    python3 - "$1" "$2" <<'PY'
import sys, zipfile
def entries(path):
    with zipfile.ZipFile(path) as z:
        return [(i.filename, i.compress_type, i.CRC, i.file_size, i.compress_size,
                 i.external_attr, z.read(i)) for i in z.infolist()]
sys.exit(0 if entries(sys.argv[1]) == entries(sys.argv[2]) else 1)
PY
}

run "$old" old
run "$new" new
# The reports name the side's own folder.
sed -i "s#$work/new#$work/old#g" "$work/new/report.txt"
status=0
count=0
for file in $(cd "$work/old" && find . -type f | sort); do
    count=$((count + 1))
    cmp -s "$work/old/$file" "$work/new/$file" && continue
    case $file in
    *.zip) same_zip "$work/old/$file" "$work/new/$file" && continue ;;
    esac
    echo "differs: $file"
    status=1
done
extra=$(cd "$work/new" && find . -type f | sort | while read -r f; do
    [ -e "$work/old/$f" ] || echo "$f"; done)
[ -z "$extra" ] || { echo "only in new: $extra"; status=1; }
echo "$count files compared in $work"
exit $status
