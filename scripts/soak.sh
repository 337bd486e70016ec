#!/bin/sh
# The long soak: a seeded bot plays every variant headless, GAMES games each
# (default 1000), and prints games played and won, saves and loads, and the
# invariant failures. Not run in CI (CTest runs a short one: soak_short).
#   scripts/soak.sh [GAMES] [SEED]     (build folder: BUILD, default build;
#   BUILD=build-asan runs it under the sanitizers)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$here/build}
games=${1:-1000}
seed=${2:-1}
. "$here/scripts/sanitizer_env.sh"
export SDL_VIDEODRIVER=dummy SDL_RENDER_DRIVER=software ALSOFT_DRIVERS=null
export MARROWDECK_DATA=${MARROWDECK_DATA:-$build/gamedata} MARROWDECK_SOURCE=$here
cmake --build "$build" --target soak
exec "$build/tools/soak/soak" --games "$games" --seed "$seed"
