#!/usr/bin/env bash
# Builds the Debian package from a Release build in build/package and checks it with lintian.
# With --check it also installs the package with apt, tries what a desktop and a shell find,
# removes it again and looks for anything left behind.
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
  # Debian links its programs (and the video module) with a read-only relocation table bound at
  # start (bindnow).
  cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
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
if [ "$check" -eq 1 ] && dpkg-query -W -f='${Status}' mirovane 2>/dev/null | grep -q installed; then
  skip "a mirovane package is installed already"
fi

rm -f "$build"/mirovane_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/mirovane_*.deb)
[ -n "$from" ] || lintian --fail-on error "$deb"
echo "package: $deb"

[ "$check" -eq 1 ] || exit 0
export DEBIAN_FRONTEND=noninteractive
# Only the package itself may come and go: anything else apt would add stays behind.
others=$(apt-get install -s --no-install-recommends "$deb" | awk '/^Inst /{print $2}' |
         grep -vx mirovane || true)
[ -z "$others" ] || skip "apt would also install $(echo $others)"
apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=120 "$deb" >/dev/null
files=$(dpkg -L mirovane)
failed=0
fail() { echo "FAIL: $*"; failed=1; }
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

apt-get purge -y -qq -o DPkg::Lock::Timeout=120 mirovane >/dev/null
while read -r path; do
  if [ -f "$path" ] || [ -L "$path" ]; then fail "left behind: $path"; fi
done <<<"$files"
grep -q mirovane /usr/share/mime/globs2 && fail "the .mrv type outlives the package"
[ $failed -eq 0 ] && echo "install check passed: installed, used and removed cleanly"
exit $failed
