#!/usr/bin/env bash
# Crash injection over every writer of the game: for each kind of file it
# writes (settings, "config", high scores, player markers, each variant's
# saved game, custom layouts, completion marks), KILLS processes are killed
# with SIGKILL at random moments of their writes, and each time the file must
# be a whole version afterwards and no temporary file may outlive the next
# start. Prints a table of outcomes per kind; exits 1 when a file was lost or
# damaged. CTest runs the same harness with 10 kills per kind.
#
#   scripts/crash.sh [KILLS] [BUILD_DIR]     (defaults: 200, build)
#
# Environment: SEED (the random moments; default: the time), KIND (one kind
# only, e.g. KIND="klondike save").
set -euo pipefail
cd "$(dirname "$0")/.."
KILLS=${1:-200}
BUILD=${2:-build}
cmake --build "$BUILD" --target crash_writer gamedata >/dev/null
args=(--kills "$KILLS" --data "$BUILD/gamedata")
[ -n "${SEED:-}" ] && args+=(--seed "$SEED")
[ -n "${KIND:-}" ] && args+=(--kind "$KIND")
exec "$BUILD/tests/crash/crash_writer" "${args[@]}"
