#!/bin/sh
# The long soak: a seeded bot plays every variant headless, GAMES games each
# (default 1000), and prints games played and won, saves and loads, and the
# invariant failures; then the real game is walked through its screens like a
# player, SCREEN_GAMES games of each variant and editor visits (default 100;
# 0 skips it), with its figures (GAMES 0 skips the bot). One seed replays the
# same games. Not run in CI (CTest runs short ones:
# soak_short, soak_screens_short).
#   scripts/soak.sh [GAMES] [SEED]     (build folder: BUILD, default build;
#   BUILD=build-asan runs it under the sanitizers)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$here/build}
games=${1:-1000}
seed=${2:-1}
screen_games=${SCREEN_GAMES:-100}
. "$here/scripts/sanitizer_env.sh"
export SDL_VIDEODRIVER=dummy SDL_RENDER_DRIVER=software ALSOFT_DRIVERS=null
export MARROWDECK_DATA=${MARROWDECK_DATA:-$build/gamedata} MARROWDECK_SOURCE=$here
cmake --build "$build" --target soak
status=0
if [ "$games" -gt 0 ]; then
  "$build/tools/soak/soak" --games "$games" --seed "$seed" || status=1
fi
if [ "$screen_games" -gt 0 ]; then
  "$build/tools/soak/soak" --screens --games "$screen_games" --seed "$seed" || status=1
fi
exit $status
