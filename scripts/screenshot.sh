#!/usr/bin/env bash
# Takes the title-screen screenshot the AppStream metadata shows: the real
# game (default ./build/marrowdeck) in an 800 x 600 Xvfb window, captured
# once the title has faded in, written to packaging/screenshots/title.png.
# Usage: scripts/screenshot.sh [marrowdeck binary]
set -eu
ROOT=$(readlink -f "$(dirname "$0")/..")
[ $# -ge 1 ] || set -- "$ROOT/build/marrowdeck"
source "$ROOT/tests/e2e/lib.sh"

start_game --windowed
wait_window
# The pointer goes outside the window so the game's own arrow is not in the picture.
xdotool mousemove 1010 750
wait_for_shot title is_title 30 >/dev/null || fail "no title screen"
sleep 2
shot final
[ "$(identify -format '%wx%h' "$SHOTS/final.png")" = 800x600 ] || fail "the window is not 800 x 600"
convert "$SHOTS/final.png" -strip "$ROOT/packaging/screenshots/title.png"
key Escape
wait_exit "$GAME_PID" 10 || true
echo "packaging/screenshots/title.png"
