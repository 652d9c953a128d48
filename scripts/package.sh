#!/usr/bin/env bash
# Builds the Debian package from a Release build in build/package and checks it with lintian.
# With --check it also installs the package with apt, tries what a desktop and a shell find,
# removes it again and looks for anything left behind (root only; skipped otherwise).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --package

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
# Debian links its programs with a read-only relocation table bound at start (bindnow).
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
      -DCMAKE_EXE_LINKER_FLAGS="-Wl,-z,relro -Wl,-z,now" >/dev/null
cmake --build build/package -j"$(nproc)"
rm -f build/package/mirovane_*.deb
(cd build/package && cpack -G DEB)
deb=$(ls "$PWD"/build/package/mirovane_*.deb)
lintian --fail-on error "$deb"
echo "package: $deb"

[ "${1:-}" = --check ] || exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "install check skipped: apt install needs root"
  exit 0
fi
if dpkg-query -W mirovane >/dev/null 2>&1; then
  echo "install check skipped: a mirovane package is installed already"
  exit 0
fi

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$deb" >/dev/null
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

apt-get remove -y -qq mirovane >/dev/null
while read -r path; do
  if [ -f "$path" ] || [ -L "$path" ]; then fail "left behind: $path"; fi
done <<<"$files"
grep -q mirovane /usr/share/mime/globs2 && fail "the .mrv type outlives the package"
[ $failed -eq 0 ] && echo "install check passed: installed, used and removed cleanly"
exit $failed
