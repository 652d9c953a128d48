#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running need.
# Idempotent: only missing packages are installed, and each is named first.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-tools-dev qt6-l10n-tools
  qt6-image-formats-plugins qt6-translations-l10n libgl-dev
  libpugixml-dev libgif-dev libimagequant-dev libdeflate-dev zlib1g-dev libwebp-dev libzip-dev
  libavformat-dev libavcodec-dev libavfilter-dev libswscale-dev libavutil-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk
)
case "${1:-}" in
  # Only the test suite needs these: Plymouth themes rendered by plymouthd in Xvfb, zips read
  # by Python, Debian's own WebP and APNG tools reading the animations back. Installing
  # plymouth just to run the editor would touch the machine's boot set-up. The freedesktop and
  # Debian validators check the desktop entry, file type, metainfo and package. ImageMagick
  # is the reference that imported frames are scaled against; the ffmpeg program writes the
  # videos the video import reads; strace delays, fails or interrupts a system call of the command
  # line at the moment a test needs. The package of the test build is installed and removed
  # again: CPack's dependency scan needs dpkg-dev and file.
  --test) PACKAGES+=(plymouth plymouth-x11 xvfb python3 python3-pil webp apngdis imagemagick ffmpeg strace
                     desktop-file-utils appstream shared-mime-info xdg-utils lintian man-db
                     dpkg-dev file) ;;
  --bench) PACKAGES+=(imagemagick time python3 webp apngasm ffmpeg) ;;
  # The Debian package: CPack's dependency scan (dpkg-shlibdeps, file), lintian, and what
  # the install check asks (xdg-mime, man).
  --package) PACKAGES+=(dpkg-dev file lintian desktop-file-utils xdg-utils man-db) ;;
  --fuzz) PACKAGES+=(clang-14 libfuzzer-14-dev libclang-rt-14-dev) ;;
esac

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
