#!/usr/bin/env bash
# Klondike from the title screen in a real window: "play", then "klondike"
# deals the table (seven face-up column tops, the rest face down); a click
# turns the stock; Escape opens the pause menu; "savegame" asks a name and
# writes the saved game; the menu leads back to the play screen.
source "$(dirname "$0")/lib.sh"

start_game --windowed
wait_window
wait_title_menu


# "play" leads to the play screen with the three variant tiles.
click_at 400 229
sleep 2.5
shot play_screen
is_title "$SHOTS/play_screen.png" && fail "still on the title screen after play"
pass "play opens the play screen"

# "klondike" deals; the deal flies in for a few seconds.
click_at 640 295
sleep 6
xdotool mousemove --window "$WID" 760 580
sleep 0.5
shot table_dealt
tops="120,205 210,225 300,245 390,265 480,285 570,305 660,325"
for top in $tops; do
  x=${top%,*}; y=${top#*,}
  level=$(region_level "$SHOTS/table_dealt.png" $((x - 20)) $((y + 22)) 40 14)
  [ "$level" -gt 170 ] || fail "the column top at $x,$y is not face up (brightness $level)"
done
# The card under each top but the first shows only its upper strip: face down.
for top in $(echo $tops | cut -d' ' -f2-); do
  x=${top%,*}; y=${top#*,}
  level=$(region_level "$SHOTS/table_dealt.png" $((x - 20)) $((y - 46)) 40 12)
  [ "$level" -lt 170 ] || fail "the card under the top at $x,$y is face up (brightness $level)"
done
pass "the deal ends with seven face-up column tops"

# The stock turns on a click: the waste place changes.
click_at 230 70
sleep 1.5
xdotool mousemove --window "$WID" 760 580
sleep 0.3
shot stock_turned
changed=$(compare -metric AE -crop "70x90+295+25" "$SHOTS/table_dealt.png" "$SHOTS/stock_turned.png" null: 2>&1 | cut -d' ' -f1)
[ "${changed%%.*}" -gt 500 ] || fail "the stock did not turn ($changed pixels changed at the waste)"
pass "a click turns the stock"

# Escape: the pause menu dims the table.
key Escape
sleep 1
shot pause_menu
before=$(region_level "$SHOTS/stock_turned.png" 600 420 150 100)
after=$(region_level "$SHOTS/pause_menu.png" 600 420 150 100)
[ "$after" -lt $((before / 2 + 5)) ] || fail "the pause menu did not show (brightness $before to $after)"
pass "Escape opens the pause menu"

# "savegame" asks for a name; the saved game lands in the player's folder.
click_at 400 322
sleep 1.5
shot name_dialog
xdotool type --window "$WID" --delay 80 "tuesday"
sleep 0.5
key Return
sleep 1.5
ls "$SHARED/profiles/"*.ksave >/dev/null 2>&1 || fail "no saved game in $SHARED/profiles"
pass "the game is saved under the typed name ($(ls "$SHARED/profiles/" | grep ksave))"

# "backtomenu" asks first; yes leads to the play screen.
click_at 400 410
sleep 1.2
key y
sleep 2.5
shot back_to_play
read -r r1 g1 b1 < <(region_rgb "$SHOTS/play_screen.png" 20 20 40 40)
read -r r2 g2 b2 < <(region_rgb "$SHOTS/back_to_play.png" 20 20 40 40)
[ $(( (r1 - r2) * (r1 - r2) + (g1 - g2) * (g1 - g2) + (b1 - b2) * (b1 - b2) )) -lt 300 ] ||
  fail "not back on the play screen ($r1 $g1 $b1 vs $r2 $g2 $b2)"
pass "leaving the game returns to the play screen"

key Escape
wait_exit "$GAME_PID" 15 || true
