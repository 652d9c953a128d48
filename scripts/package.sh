#!/usr/bin/env bash
# Builds the Debian packages mirovane and mirovane-video (the video module, which alone needs
# FFmpeg) from a Release build in build/package and checks them with lintian.
# With --check it also installs both with apt, tries what a desktop and a shell find, removes
# them again and looks for anything left behind; then the same with mirovane alone, as
# --no-install-recommends installs it: the editor starts, exports work, and a video import
# names the package it lacks.
# With --check --from BUILD_DIR it packages that build as it is (no second build, no lintian)
# for the install check alone; ./test.sh runs it so on its own build.
# The install check is skipped, with a line saying why, where it cannot run cleanly: without
# root or dpkg, with a mirovane package installed already, or when apt would have to add other
# packages it could not take away again.
set -euo pipefail
cd "$(dirname "$0")/.."

check=0 from=""
while [ $# -gt 0 ]; do
  case "$1" in
    --check) check=1 ;;
    --from) from=${2:?--from needs a build folder}; shift ;;
    *) echo "usage: scripts/package.sh [--check [--from BUILD_DIR]]" >&2; exit 1 ;;
  esac
  shift
done

skip() { echo "install check skipped: $*"; exit 0; }

if [ -z "$from" ]; then
  bash scripts/deps.sh --package
  launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  fi
  # Debian's hardening: the C library's checked copies of string and memory functions
  # (fortify), a stack guard in functions with arrays, and a read-only relocation table bound
  # at start (bindnow) for the programs and the video module.
  cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
        -DCMAKE_CXX_FLAGS="-D_FORTIFY_SOURCE=2 -fstack-protector-strong" \
        -DCMAKE_EXE_LINKER_FLAGS="-Wl,-z,relro -Wl,-z,now" \
        -DCMAKE_MODULE_LINKER_FLAGS="-Wl,-z,relro -Wl,-z,now" >/dev/null
  cmake --build build/package -j"$(nproc)"
  build=$PWD/build/package
else
  [ "$check" -eq 1 ] || { echo "--from goes with --check" >&2; exit 1; }
  build=$(cd "$from" && pwd)
  [ -f "$build/CPackConfig.cmake" ] || skip "$from has no package configuration"
  if grep -q 'MIROVANE_SANITIZE:BOOL=ON' "$build/CMakeCache.txt"; then
    skip "$from is a sanitizer build"
  fi
fi
[ "$check" -eq 1 ] && [ "$(id -u)" -ne 0 ] && skip "apt install needs root"
for tool in dpkg dpkg-shlibdeps apt-get; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
if [ "$check" -eq 1 ] &&
   dpkg-query -W -f='${Status}\n' mirovane mirovane-video 2>/dev/null | grep -q ' installed$'; then
  skip "a mirovane package is installed already"
fi

rm -f "$build"/mirovane_*.deb "$build"/mirovane-video_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/mirovane_*.deb)
video=$(ls "$build"/mirovane-video_*.deb)
if [ -z "$from" ]; then
  lintian --fail-on error "$deb" "$video"
  # Of the pedantic and informational tags, those about hardening fail the build too.
  hardening=$(lintian --pedantic --info "$deb" "$video" 2>/dev/null | grep -i hardening || true)
  [ -z "$hardening" ] || { echo "$hardening"; exit 1; }
fi
echo "packages: $deb $video"

[ "$check" -eq 1 ] || exit 0
export DEBIAN_FRONTEND=noninteractive
# Only the packages themselves may come and go: anything else apt would add stays behind.
others=$(apt-get install -s --no-install-recommends "$deb" "$video" | awk '/^Inst /{print $2}' |
         grep -vx 'mirovane\|mirovane-video' || true)
[ -z "$others" ] || skip "apt would also install $(echo $others)"
failed=0
fail() { echo "FAIL: $*"; failed=1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A user of its own, so that the editor's settings land in the scratch folder.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
mkdir -p "$HOME"
if command -v ffmpeg >/dev/null; then
  ffmpeg -loglevel error -f lavfi -i testsrc=size=160x120:rate=10:duration=1 "$work/v.mp4" ||
    fail "ffmpeg could not write a video"
fi

# What the core package alone must do: the editor starts, the command line exports; a video
# import with the video package says so, without it names the package to install.
use() { # use with-video|without-video
  mirovane-cli demo "$work/$1" >/dev/null || fail "$1: demo"
  mirovane-cli export-long "$work/$1/demo.mrv" "$work/$1/long.png" >/dev/null ||
    fail "$1: export-long"
  local out code=0
  QT_QPA_PLATFORM=offscreen timeout 10 mirovane "$work/$1/demo.mrv" >/dev/null 2>&1 || code=$?
  [ $code -eq 124 ] || fail "$1: the editor did not keep running offscreen (status $code)"
  [ -f "$work/v.mp4" ] || return 0
  code=0
  out=$(LANGUAGE=en mirovane-cli import-frames "$work/$1/demo.mrv" "$work/v.mp4" 2>&1) || code=$?
  if [ "$1" = with-video ]; then
    [ $code -eq 0 ] || fail "$1: import-frames of a video: $out"
  else
    [ $code -eq 2 ] && grep -q "package mirovane-video" <<<"$out" ||
      fail "$1: import-frames of a video does not name the package: $out"
  fi
}
# Every file of the packages is gone after the purge.
purge() { # purge PACKAGE...
  local files
  files=$(dpkg -L "$@")
  apt-get purge -y -qq -o DPkg::Lock::Timeout=120 "$@" >/dev/null
  while read -r path; do
    if [ -f "$path" ] || [ -L "$path" ]; then fail "left behind: $path"; fi
  done <<<"$files"
  if grep -q mirovane /usr/share/mime/globs2; then fail "the .mrv type outlives the package"; fi
}

apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=120 "$deb" "$video" >/dev/null
[ "$(mirovane-cli --version)" = "$(dpkg-query -W -f='${Version}' mirovane)" ] || fail "--version"
man -w mirovane-cli >/dev/null || fail "man mirovane-cli"
desktop=/usr/share/applications/org.mirovane.Mirovane.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate"
[ "$(xdg-mime query default application/x-mirovane-project)" = "$(basename "$desktop")" ] ||
  fail "the editor does not open application/x-mirovane-project"
grep -q "application/x-mirovane-project:\*.mrv" /usr/share/mime/globs2 || fail "no .mrv type"
[ -f /usr/share/icons/hicolor/scalable/apps/org.mirovane.Mirovane.svg ] || fail "no icon"
[ -f /usr/share/mirovane/MRVKConfig.xml ] || fail "no default settings"
english=$(LANGUAGE=en mirovane-cli info /nonexistent.mrv 2>&1 || true)
grep -q "could not be read" <<<"$english" || fail "no English messages: $english"
use with-video
purge mirovane mirovane-video

apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=120 "$deb" >/dev/null
if dpkg-query -W -f='${Status}' mirovane-video 2>/dev/null | grep -qx 'install ok installed'; then
  fail "mirovane-video came with mirovane"
fi
use without-video
purge mirovane

[ $failed -eq 0 ] && echo "install check passed: both packages, then mirovane alone, installed, used and removed cleanly"
exit $failed
