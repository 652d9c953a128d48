#!/bin/bash
# renderplymouth.sh THEME_DIR OUT_DIR SECONDS: plays a Plymouth theme in plymouthd and takes
# screenshots of it: OUT_DIR/frame-NNNN.png, OUT_DIR/frames.tsv (shot number, milliseconds since
# the splash was asked for, RGB hex at the probe point) and OUT_DIR/plymouthd.log.
# plymouthd draws through its X11 renderer into a private Xvfb, so nothing reaches the
# machine's own screen or boot set-up. Run as root (plymouthd insists).
# Environment: FPS (shots per second, 10), RES (1024x768), PROBE (x,y; the centre),
# QUIT_AT (seconds after which "plymouth quit" is sent), INSTALL_ROOT (/run/plymouth/themes).
set -euo pipefail
[ $# = 3 ] || { echo "usage: $0 THEME_DIR OUT_DIR SECONDS" >&2; exit 2; }
die() { echo "renderplymouth: $*" >&2; exit 1; }

# The client reaches the daemon through an abstract socket, which is per network namespace:
# a namespace of our own keeps this daemon apart from any other (RT_NS: the caller made one).
if [ -z "${RT_NS:-}" ] && unshare -n true 2>/dev/null; then
  RT_NS=1 exec unshare -n -- "$0" "$@"
fi
plymouth --ping 2>/dev/null && die "another plymouthd answers in this network namespace"

theme=$(cd "$1" && pwd)
out=$(mkdir -p "$2" && cd "$2" && pwd)
seconds=$3
fps=${FPS:-10}
res=${RES:-1024x768}
root=${INSTALL_ROOT:-/run/plymouth/themes}
probe=${PROBE:-$((${res%x*} / 2)),$((${res#*x} / 2))}
python=/usr/bin/python3
[ -x "$python" ] || python=$(command -v python3) || die "python3 is not installed"
"$python" -c 'import PIL' 2>/dev/null || die "$python has no PIL (python3-pil)"

shopt -s nullglob
descriptors=("$theme"/*.plymouth)
[ ${#descriptors[@]} = 1 ] || die "need exactly one .plymouth file in $theme"
name=$(basename "${descriptors[0]}" .plymouth)
installed=$root/$name
work=$(mktemp -d /tmp/renderplymouth.XXXXXX)
xvfb= daemon= copied=
rm -f "$out"/frame-*.png "$out"/frames.tsv

cleanup() {
  set +e
  if [ -n "$daemon" ]; then
    timeout 3 plymouth quit 2>/dev/null
    for _ in {1..50}; do kill -0 "$daemon" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$daemon" 2>/dev/null
    wait "$daemon" 2>/dev/null
  fi
  if [ -n "$xvfb" ]; then kill "$xvfb"; wait "$xvfb"; fi 2>/dev/null
  cp "$work/plymouthd.log" "$out/" 2>/dev/null
  [ -n "$copied" ] && rm -rf "$installed"
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# plymouthd loads themes from one folder: a copy goes there, its ImageDir and ScriptFile
# pointed at the copy.
if [ "$theme" != "$installed" ]; then
  [ -e "$installed" ] && die "$installed exists"
  mkdir -p "$root"
  cp -a "$theme" "$installed"
  copied=1
  sed -i -E "s#^ImageDir=.*#ImageDir=$installed#; s#^ScriptFile=(.*/)?#ScriptFile=$installed/#" \
    "$installed/$name.plymouth"
fi

Xvfb -displayfd 3 -screen 0 "${res}x24" -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in {1..100}; do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || die "Xvfb did not start"
export DISPLAY=:$(cat "$work/display")

# "splash" asks for the graphical splash. A serial console on the kernel command line makes
# plymouthd fall back to the text "details" splash; plymouth.ignore-serial-consoles stops that.
plymouthd --no-daemon --no-boot-log --debug-file="$work/debug" --kernel-command-line="splash \
plymouth.ignore-serial-consoles plymouth.splash=$name plymouth.debug=stream:$work/plymouthd.log" \
  &>/dev/null &
daemon=$!
for _ in {1..100}; do plymouth --ping && break; sleep 0.1; done
plymouth --ping || die "plymouthd did not answer"

cat >"$work/capture.py" <<'PY'
import ctypes, os, select, subprocess, sys, time
from PIL import ImageGrab

display, out, seconds, fps, probe, quit_at = sys.argv[1:7]
fps = float(fps)
shots = int(float(seconds) * fps)
quit_at = float(quit_at) if quit_at else float("inf")

# plymouthd's X11 renderer paints only when an X event reaches its window: a child changes a
# property on that window every 5 ms until the parent closes the pipe.
stop_read, stop_write = os.pipe()
pump = os.fork()
if pump == 0:
    os.close(stop_write)
    X = ctypes.CDLL("libX11.so.6")
    P, ul = ctypes.POINTER, ctypes.c_ulong
    X.XOpenDisplay.restype = ctypes.c_void_p
    X.XInternAtom.restype = X.XDefaultRootWindow.restype = ul
    X.XDefaultRootWindow.argtypes = X.XFlush.argtypes = [ctypes.c_void_p]
    X.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    X.XQueryTree.argtypes = [ctypes.c_void_p, ul, P(ul), P(ul), P(P(ul)), P(ctypes.c_uint)]
    X.XFetchName.argtypes = [ctypes.c_void_p, ul, P(ctypes.c_char_p)]
    X.XChangeProperty.argtypes = [ctypes.c_void_p, ul, ul, ul, ctypes.c_int, ctypes.c_int,
                                  ctypes.c_void_p, ctypes.c_int]
    ignore = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda *a: 0)
    X.XSetErrorHandler(ignore)
    x = X.XOpenDisplay(display.encode())
    atom = X.XInternAtom(x, b"_RENDERPLYMOUTH_PUMP", 0)
    value = (ctypes.c_long * 1)(0)
    windows, tick = [], 0
    while not select.select([stop_read], [], [], 0.005)[0]:
        if tick % 20 == 0:
            root, parent, children, count = ul(), ul(), P(ul)(), ctypes.c_uint()
            title = ctypes.c_char_p()
            X.XQueryTree(x, X.XDefaultRootWindow(x), root, parent, children, count)
            windows = [children[i] for i in range(count.value)
                       if X.XFetchName(x, children[i], title) and title.value == b"plymouthd"]
        for window in windows:
            X.XChangeProperty(x, window, atom, 6, 32, 0, value, 1)
        X.XFlush(x)
        tick += 1
    os._exit(0)

start = time.monotonic()
# A script plymouthd cannot parse makes the daemon fail here, or the caller end it.
subprocess.run(["plymouth", "show-splash"], check=True, timeout=10)
taken = []
for i in range(shots):
    time.sleep(max(0, start + i / fps - time.monotonic()))
    taken.append((time.monotonic() - start, ImageGrab.grab(xdisplay=display)))
    if taken[-1][0] >= quit_at:
        subprocess.Popen(["plymouth", "quit"])
        quit_at = float("inf")
os.close(stop_write)
os.waitpid(pump, 0)

px, py = map(int, probe.split(","))
with open(out + "/frames.tsv", "w") as tsv:
    for i, (at, shot) in enumerate(taken, 1):
        shot.save("%s/frame-%04d.png" % (out, i), compress_level=1)
        r, g, b = shot.getpixel((px, py))[:3]
        tsv.write("%04d\t%.0f\t%02x%02x%02x\n" % (i, at * 1000, r, g, b))
PY

rc=0
"$python" "$work/capture.py" "$DISPLAY" "$out" "$seconds" "$fps" "$probe" "${QUIT_AT:-}" || rc=1
log=$work/plymouthd.log
grep -qE "Loading boot splash theme '$root/+$name/" "$log" || { echo "theme not loaded" >&2; rc=1; }
grep -q "opened renderer plugin .*x11.so" "$log" || { echo "x11 renderer not used" >&2; rc=1; }
grep -E "Parser error|Showing detailed splash" "$log" >&2 && rc=1
echo "distinct shots: $(md5sum "$out"/frame-*.png 2>/dev/null | cut -c1-32 | sort -u | wc -l)"
exit $rc
