#!/usr/bin/env bash
# Installs every Debian package that the builds, tools and tests need.
# Idempotent: when everything is present it does nothing (no apt-get call at all).
set -euo pipefail

PACKAGES=(
  build-essential cmake make pkg-config python3 python3-pil
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64 xvfb x11-utils xdotool
  ffmpeg
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-libav
  googletest libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-dejavu-core
  imagemagick
  chromium
  libxml2-utils gpsbabel
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}" >&2
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then SUDO="sudo"; else
    echo "install-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
# Refresh the package lists only when they are missing or older than a day.
if [ -z "$(find /var/lib/apt/lists -maxdepth 1 -name '*Packages*' -mtime -1 2>/dev/null | head -1)" ]; then
  $SUDO apt-get update -q
fi
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
