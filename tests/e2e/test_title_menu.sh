#!/usr/bin/env bash
# The title menu in a real window: the pointer over "play" grows the button,
# and clicking "Exit" fades out and ends the program with "GoodExit.dat".
source "$(dirname "$0")/lib.sh"

start_game --windowed
wait_window

# Park the pointer in a corner, then wait (splash and loading) until the menu
# shows: the middle of "play" turns to the button's green.
xdotool mousemove --window "$WID" 40 40
ready=0
for i in $(seq 1 90); do
  if shot "wait$i"; then
    read -r r g b < <(region_rgb "$SHOTS/wait$i.png" 300 229 1 1)
    if [ "${g:-0}" -gt "${r:-0}" ] && [ "${g:-0}" -gt 60 ]; then ready=1; break; fi
  fi
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before the title menu appeared"
  sleep 0.5
done
[ $ready = 1 ] || fail "the title menu did not appear"
sleep 1 # the fade in

# The right end of "play" (x 505..535) lies away from the pointer, so any
# change there comes from the button itself.
REGION="32x70+505+195"
shot title_idle
xdotool mousemove --window "$WID" 330 229
sleep 1
shot title_play_hover
changed=$(compare -metric AE -crop "$REGION" "$SHOTS/title_idle.png" "$SHOTS/title_play_hover.png" null: 2>&1 | cut -d' ' -f1)
echo "pixels changed at the edge of play: $changed"
[ "${changed%%.*}" -gt 100 ] || fail "play did not grow under the pointer ($changed pixels changed)"
pass "play grows under the pointer"

# Away again: the button shrinks back to its idle look.
xdotool mousemove --window "$WID" 40 40
sleep 1.5
shot title_left
back=$(compare -metric AE -crop "$REGION" "$SHOTS/title_idle.png" "$SHOTS/title_left.png" null: 2>&1 | cut -d' ' -f1)
echo "pixels still different after leaving: $back"
[ "${back%%.*}" -lt 20 ] || fail "play did not shrink back ($back pixels differ)"
pass "play shrinks back when the pointer leaves"

# "Exit" (the fifth button, middle at y 470) fades to the exit screen.
xdotool mousemove --window "$WID" 400 470
sleep 0.5
xdotool click --window "$WID" 1
wait_exit "$GAME_PID" 10 || fail "the game is still running after clicking Exit"
[ "$EXIT_STATUS" = 0 ] || fail "the game ended with status $EXIT_STATUS"
[ -f "$SHARED/GoodExit.dat" ] || fail "no GoodExit.dat in the data folder"
pass "Exit ends the game in order ($SHARED/GoodExit.dat)"
