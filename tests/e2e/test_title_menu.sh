#!/bin/bash
# The title menu in a real window: the pointer over "play" grows the button,
# and clicking "Exit" fades out and ends the program with "GoodExit.dat".
# Usage: test_title_menu.sh <marrowdeck binary>   (run by CTest from the build folder)
set -u
GAME=${1:?usage: $0 <marrowdeck binary>}
GAME=$(readlink -f "$GAME")

if [ -z "${TITLE_MENU_IN_XVFB:-}" ]; then
  export TITLE_MENU_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$GAME"
fi

# A real window (the unit tests' dummy drivers must not leak in), no sound
# device, no blocking message boxes, and a fresh home for the data folder.
unset SDL_VIDEODRIVER SDL_RENDER_DRIVER
export ALSOFT_DRIVERS=null MARROWDECK_NO_MESSAGE_BOX=1
WORK=$(mktemp -d)
trap 'kill $PID 2>/dev/null; rm -rf "$WORK"' EXIT
export HOME=$WORK/home XDG_DATA_HOME=$WORK/xdg
mkdir -p "$HOME" "$XDG_DATA_HOME"
SHOTS=${TITLE_MENU_SHOTS:-$WORK}

fail() { echo "FAIL: $*"; exit 1; }

"$GAME" --windowed > "$WORK/game.log" 2>&1 &
PID=$!

WID=""
for _ in $(seq 1 60); do
  WID=$(xdotool search --name '^Marrowdeck$' 2>/dev/null | head -1)
  [ -n "$WID" ] && break
  kill -0 $PID 2>/dev/null || fail "the game ended before its window opened: $(cat "$WORK/game.log")"
  sleep 0.5
done
[ -n "$WID" ] || fail "no Marrowdeck window"

# Game pixel (x, y) of a window shot as "r,g,b".
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }
shot() { timeout 10 import -window "$WID" "$1" 2>/dev/null; }

# Park the pointer in a corner, then wait (splash and loading) until the menu
# shows: the middle of "play" (400, 229) turns to the button's green.
xdotool mousemove --window "$WID" 40 40
ready=0
for _ in $(seq 1 90); do
  shot "$WORK/wait.png" && {
    IFS=, read -r r g b <<< "$(pixel "$WORK/wait.png" 300 229)"
    if [ "${g:-0}" -gt "${r:-0}" ] && [ "${g:-0}" -gt 60 ]; then ready=1; break; fi
  }
  sleep 0.5
done
[ $ready = 1 ] || fail "the title menu did not appear"
sleep 1 # the fade in

# The right end of "play" (x 505..535) lies away from the pointer, so any
# change there comes from the button itself.
REGION="32x70+505+195"
shot "$SHOTS/title_idle.png"
xdotool mousemove --window "$WID" 330 229
sleep 1
shot "$SHOTS/title_play_hover.png"
changed=$(compare -metric AE -crop "$REGION" "$SHOTS/title_idle.png" "$SHOTS/title_play_hover.png" null: 2>&1 | cut -d' ' -f1)
echo "pixels changed at the edge of play: $changed"
[ "${changed%%.*}" -gt 100 ] || fail "play did not grow under the pointer ($changed pixels changed)"

# Away again: the button shrinks back to its idle look.
xdotool mousemove --window "$WID" 40 40
sleep 1.5
shot "$SHOTS/title_left.png"
back=$(compare -metric AE -crop "$REGION" "$SHOTS/title_idle.png" "$SHOTS/title_left.png" null: 2>&1 | cut -d' ' -f1)
echo "pixels still different after leaving: $back"
[ "${back%%.*}" -lt 20 ] || fail "play did not shrink back ($back pixels differ)"

# "Exit" (the fifth button, middle at y 470) fades to the exit screen.
xdotool mousemove --window "$WID" 400 470
sleep 0.5
xdotool click --window "$WID" 1
for _ in $(seq 1 40); do
  kill -0 $PID 2>/dev/null || break
  sleep 0.25
done
kill -0 $PID 2>/dev/null && fail "the game is still running after clicking Exit"
wait $PID
rc=$?
[ $rc = 0 ] || fail "the game ended with status $rc: $(cat "$WORK/game.log")"
marker=$(find "$XDG_DATA_HOME" -name GoodExit.dat | head -1)
[ -n "$marker" ] || fail "no GoodExit.dat in the data folder"
echo "PASS: play grows under the pointer; Exit ends the game ($marker)"
