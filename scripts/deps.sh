#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test Marrowdeck.
# Only missing packages are installed, so running it again is cheap.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libopenal-dev libopenal1 libvorbis-dev libogg-dev
  libpng-dev libjpeg62-turbo-dev libfreetype-dev zlib1g-dev libcairo2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-crosextra-carlito
  xvfb xauth xdotool x11-utils imagemagick
  desktop-file-utils appstream man-db dpkg-dev file
  clang libclang-rt-14-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=""
elif command -v sudo >/dev/null 2>&1; then
  SUDO="sudo"
else
  echo "Not root and no sudo: as root, run: apt-get install -y ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
