#!/usr/bin/env bash
# Builds the Debian package of the game with CPack from the build in ./build
# (or $BUILD_DIR): <build>/package/marrowdeck_<version>-1_<arch>.deb,
# installing under /usr, its dependencies computed by dpkg-shlibdeps from the
# binary. Install it with: apt install ./<that file>
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
out="$(readlink -f "$BUILD_DIR")/package"
rm -rf "$out/_CPack_Packages"
(cd "$BUILD_DIR" && cpack -G DEB -B "$out")
rm -rf "$out/_CPack_Packages"
for deb in "$out"/*.deb; do
  echo "$deb"
  dpkg-deb --field "$deb" Package Version Architecture Installed-Size Depends
done
