#!/usr/bin/env bash
# Klondike from the title screen in a real window: "play", then "klondike"
# deals the table (seven face-up column tops, the cards under them face
# down); a click turns the stock; Escape opens the pause menu; "savegame"
# asks a name and writes the saved game; "backtomenu" leads to the play
# screen; a new Klondike game loads the save again and holds the same table.
source "$(dirname "$0")/lib.sh"

PROFILES="$SHARED/profiles"

start_klondike
cp "$PLAY_SHOT" "$SHOTS/play_screen.png"
pass "play opens the play screen, klondike the card table"
cp "$DEALT" "$SHOTS/table_dealt.png"
tops_face_up "$DEALT" || fail "not every column top is face up after the deal"
for top in ${COLUMN_TOPS#* }; do
  x=${top%,*}; y=${top#*,}
  share=$(white_share "$DEALT" $((x - 30)) $((y - 64)) 60 12)
  [ "$share" -lt 10 ] || fail "the card under the top at $x,$y shows its face ($share % white)"
done
pass "the deal ends with seven face-up column tops over face-down cards"

# The stock turns on a click: a card lands face up on the waste.
before=$(white_share "$DEALT" 300 30 60 80)
press_at 230 70
xdotool mousemove --window "$WID" 790 590
TURNED=$(wait_still turned 20) || fail "the table did not come to rest after the stock click"
after=$(white_share "$TURNED" 300 30 60 80)
[ "$after" -gt $((before + 20)) ] || fail "the stock did not turn (waste $before % to $after % white)"
pass "a click turns the stock"

# Escape: the pause menu dims the table; "savegame" asks a name.
open_pause_menu
cp "$PAUSE_SHOT" "$SHOTS/pause_menu.png"
pass "Escape opens the pause menu"
save_as tuesday "$PROFILES/Tuesday.ksave" || fail "no saved game Tuesday.ksave in $PROFILES ($(ls "$PROFILES"))"
pass "the game is saved under the typed name"

# "backtomenu" asks first; yes leads to the play screen.
sleep 1 # the name dialog slides out
click_at $PAUSE_BACK
sleep 1
key y
wait_for_shot back is_play_screen 20 >/dev/null || fail "leaving the game did not return to the play screen"
pass "leaving the game returns to the play screen"

# Klondike again, then the save: the table is the saved one (saved again and compared).
choose_klondike
wait_still dealt2_ 40 >/dev/null || fail "the second deal never came to rest"
open_pause_menu
load_row 1
wait_for_shot loaded is_bright 15 >/dev/null || fail "the pause menu stayed open after loading"
wait_still loaded_still 20 >/dev/null || fail "the loaded table did not come to rest"
open_pause_menu
save_as again "$PROFILES/Again.ksave" || fail "the loaded game could not be saved again"
[ "$(table_of "$PROFILES/Tuesday.ksave")" = "$(table_of "$PROFILES/Again.ksave")" ] ||
  fail "the loaded table differs from the saved one"
pass "loading the save restores the saved table"

kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended"
