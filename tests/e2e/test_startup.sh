#!/usr/bin/env bash
# First start: data folder and settings made, logo splash skipped with a key,
# the first player's name asked for,
# the loading screen and its bar, the title, and Escape through the exit fade
# to an orderly end.
source "$(dirname "$0")/lib.sh"
# A true first start: no player yet, so the title asks for a name first.
export E2E_NO_PLAYER=1

[ ! -e "$SHARED" ] || fail "data folder exists before the first start"
start_game
wait_window

# The logo splash: a bright logo in the middle of a black screen.
splash_shown() {
  local middle corner
  middle=$(region_level "$1" 300 250 200 100)
  corner=$(region_level "$1" 0 0 80 80)
  [ "$middle" -gt 20 ] && [ "$corner" -lt 8 ]
}
splash=$(wait_for_shot splash splash_shown 6) || fail "no logo splash"
pass "logo splash shows ($(basename "$splash"))"
key space

loading=$(wait_for_shot loading is_loading 8) || fail "no loading screen after skipping the splash"
# The bar (its empty frame, filling from the left one step per loaded item)
# sits 175 pixels above the bottom. Follow it while the loading screen shows.
back=$(region_level "$loading" 60 300 60 60)
frame=0
fill=0
for f in "$loading" $(for i in $(seq 0 20); do shot "bar$i"; is_loading "$SHOTS/bar$i.png" || break; echo "$SHOTS/bar$i.png"; done); do
  brightest=$(convert "$f" -crop 480x28+160+425 +repage -colorspace Gray -format "%[fx:int(maxima*255)]" info:)
  left=$(region_level "$f" 170 432 80 14)
  [ "$brightest" -gt "$frame" ] && frame=$brightest
  [ "$left" -gt "$fill" ] && fill=$left
done
[ "$frame" -gt $((back + 60)) ] || fail "no loading bar (brightest $frame, background $back)"
pass "loading screen shows its bar (brightest $frame over $back; fill level seen $fill)"

# The first start's title shows dimmed under the first player's name prompt.
is_first_title() { read -r r g b < <(region_rgb "$1" 60 300 60 60); [ "$r" -gt $((g + 15)) ] && [ "$r" -gt 25 ]; }
title=$(wait_for_shot title is_first_title 10) || fail "the title screen never showed"
pass "title screen shows ($(basename "$title"))"

[ -d "$SHARED" ] || fail "no data folder $SHARED"
[ -d "$SHARED/profiles" ] || fail "no profiles folder"
[ -f "$SHARED/marrowdeck.ini" ] || fail "no marrowdeck.ini"
[ "$(settings_keys)" = "$SETTINGS_KEYS" ] || fail "settings keys differ: $(settings_keys)"
[ "$(setting DRIVER)" = 1 ] || fail "the drawing driver was not saved as 1"
grep -q $'\r$' "$SHARED/marrowdeck.ini" || fail "settings lines do not end in CR LF"
pass "data folder, marrowdeck.ini with the 22 keys in order, profiles/"

# The first player's name, then the title menu itself.
xdotool type --window "$WID" --delay 120 "Tester"
key Return
title=$(wait_for_shot menu is_title 10) || fail "the name prompt did not give way to the title menu"
[ "$(setting 'PROFILE NAME')" = Tester ] || fail "the first player was not stored"
pass "the first player's name is asked for and stored"

title_level=$(region_level "$title" 0 0 800 600)
# The exit fade lasts half a second, shorter than one capture on a busy
# machine, so captures are started in parallel, staggered by 60 ms.
key Escape
shot_pids=()
for i in $(seq 0 11); do
  shot "exit$i" &
  shot_pids+=($!)
  sleep 0.06
done
wait "${shot_pids[@]}" 2>/dev/null || true
faded=""
for i in $(seq 0 11); do
  [ -f "$SHOTS/exit$i.png" ] || continue
  level=$(region_level "$SHOTS/exit$i.png" 0 0 800 600 2>/dev/null) || continue
  if [ "$level" -lt $((title_level - 5)) ] && [ "$level" -gt 0 ]; then faded=$level; break; fi
done
[ -n "$faded" ] || fail "no exit fade seen (title level $title_level)"
pass "Escape starts the exit fade (level $faded under $title_level)"

wait_exit "$GAME_PID" 10 || fail "the game did not end after Escape"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
[ -f "$SHARED/GoodExit.dat" ] || fail "no GoodExit.dat after an orderly end"
[ -f "$SHARED/config.ini" ] || fail "no config.ini"
grep -q "FIRSTRUN=0" "$SHARED/config.ini" || fail "config.ini does not record the first run as done"
pass "orderly end with GoodExit.dat and config.ini"
