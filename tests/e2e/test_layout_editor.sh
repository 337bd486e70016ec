#!/usr/bin/env bash
# The layout editor in a real window: "play", then "custom" opens it; clicks
# place a dozen cards on the grid (one off it with Shift, one turned with Ctrl
# and sideways moves), a right click removes one, "savecustom" with an odd
# count says "Editor Error Equal Number", one more card and the name "mine"
# write Mine.layout into the player's folder with the cards' lines; "reset"
# clears the table, "loadcustom" brings the same cards back, "backtomenu"
# leads to the play screen; the layout is in the custom lists of Tri Peaks
# and Matching, and Matching deals it where the editor showed it (100 pixels
# lower, as the editing area lies above the games' table).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/levels.sh"

PROFILES="$SHARED/profiles"
# The editor's buttons (centres) in their row at the bottom.
SAVE="115 582" LOAD="285 582" RESET="455 582" BACK="655 582"
# Where the pointer rests when no preview is wanted: the right margin.
park() { xdotool mousemove --window "$WID" 790 300; sleep 0.4; }

# The editor by the white outline of its editing area along y 25.
is_editor() { read -r r g b < <(region_rgb "$1" 100 25 600 1); [ "$r" -gt 200 ] && [ "$g" -gt 200 ] && [ "$b" -gt 200 ]; }
# A dialog over the editor dims that outline.
is_editor_dimmed() { read -r r g b < <(region_rgb "$1" 100 25 600 1); [ "$r" -lt 160 ]; }
# Presses the button at ($1, $2), waits for its question and answers yes.
answer_yes() {
  press_at "$1" "$2"
  park
  wait_for_shot "$3" is_editor_dimmed 15 >/dev/null || fail "the button at $1,$2 asked nothing"
  sleep 1 # slid in
  key y
}
# Per cent of near-white pixels where a card's face would show: the layout's cards.
area_white() { white_share "$1" 30 30 740 405; }

start_game --windowed
wait_window
wait_title_menu
click_until 400 229 is_play_screen play 60 is_title >/dev/null || fail "play did not open the play screen"
sleep 0.6
click_until 327 540 is_editor editor 60 is_play_screen >/dev/null || fail "custom did not open the layout editor"
park
sleep 0.6 # the fade in
shot editor_empty
pass "custom opens the layout editor"

# Nine cards on the grid (clicks off the grid snap down to multiples of 15),
# one lying on the ninth, and one with Shift held where the pointer is.
for at in "110 95" "200 100" "290 95" "380 100" "470 95" "560 100" "650 95" "155 215" "245 215" "275 245"; do
  press_at $at
done
xdotool keydown --window "$WID" shift; sleep 0.3
press_at 421 213
xdotool keyup --window "$WID" shift; sleep 0.3
# Ctrl held and the pointer moved sideways turns the next card.
xdotool mousemove --window "$WID" 600 330; sleep 0.3
xdotool keydown --window "$WID" ctrl; sleep 0.3
for x in 620 640 660 680; do xdotool mousemove --window "$WID" $x 330; sleep 0.15; done
xdotool keyup --window "$WID" ctrl; sleep 0.3
press_at 600 330
sleep 0.3
shot editor_preview # the pointer still on the turned card: the preview over it
park
shot editor_twelve
[ "$(area_white "$SHOTS/editor_twelve.png")" -gt 5 ] || fail "no cards show on the editing area"
pass "clicks place twelve cards"

# A right click on the card lying on the ninth removes it: eleven cards.
xdotool mousemove --window "$WID" 295 275; sleep 0.3
xdotool mousedown --window "$WID" 3; sleep 0.15; xdotool mouseup --window "$WID" 3
park
shot editor_eleven
[ "$(changed_pixels "$SHOTS/editor_twelve.png" "$SHOTS/editor_eleven.png" 234 192 72 96)" -gt 500 ] ||
  fail "the right click did not remove the card"
pass "a right click removes an uncovered card"

press_at $SAVE
park
MESSAGE=$(wait_for_shot odd is_editor_dimmed 15) || fail "save with an odd count showed no message"
sleep 1 # slid in
shot editor_odd_message
key Return
wait_for_shot oddgone is_editor 15 >/dev/null || fail "the message did not close"
[ ! -e "$PROFILES/Mine.layout" ] || fail "a layout was written with an odd count"
pass "an odd count says why it cannot be saved"

sleep 0.5
press_at 465 330
press_at $SAVE
park
wait_for_shot name is_editor_dimmed 15 >/dev/null || fail "save did not ask the layout's name"
sleep 1
shot editor_name_dialog
xdotool type --window "$WID" --delay 60 "mine"
sleep 0.3
key Return
wait_file "$PROFILES/Mine.layout" 15 || fail "no Mine.layout in $PROFILES ($(ls "$PROFILES"))"
sleep 0.5
LINES=$(tr -d '\r' <"$PROFILES/Mine.layout")
STRAIGHT="Ostrelle Card Layout
80,65,0.00000000
170,65,0.00000000
260,65,0.00000000
350,65,0.00000000
440,65,0.00000000
530,65,0.00000000
620,65,0.00000000
125,185,0.00000000
215,185,0.00000000
396,188,0.00000000"
[ "$(echo "$LINES" | head -11)" = "$STRAIGHT" ] || fail "the layout's lines are not the placed cards: $LINES"
turned1=$(echo "$LINES" | sed -n 12p) turned2=$(echo "$LINES" | sed -n 13p)
angle=${turned1##*,}
[ "${turned1%,*}" = "575,305" ] && [ "${turned2%,*}" = "440,305" ] && [ "${turned2##*,}" = "$angle" ] &&
  [ "$angle" != "0.00000000" ] && [ "$(echo "$LINES" | wc -l)" = 13 ] ||
  fail "the turned cards' lines are wrong: $LINES"
pass "save writes Mine.layout with the twelve cards (turned by $angle)"

wait_for_shot saved is_editor 15 >/dev/null || fail "the name dialog did not close"
park
shot editor_saved
answer_yes $RESET reset
wait_for_shot cleared is_editor 15 >/dev/null || fail "the question did not close"
sleep 0.5
shot editor_cleared
[ "$(area_white "$SHOTS/editor_cleared.png")" -lt 2 ] || fail "reset left cards on the table"
pass "reset clears the table"

press_at $LOAD
park
wait_for_shot manager is_manager 15 >/dev/null || fail "load did not open the layout list"
sleep 1
shot editor_manager
loaded=""
for try in 1 2 3; do
  press_at 250 183
  sleep 0.4
  press_at $MANAGER_LOAD
  park
  if wait_for_shot managergone "! is_manager" 5 >/dev/null; then loaded=1; break; fi
done
[ -n "$loaded" ] || fail "the layout list did not load Mine"
sleep 0.5
shot editor_loaded
diff=$(changed_pixels "$SHOTS/editor_saved.png" "$SHOTS/editor_loaded.png" 30 30 740 405)
[ "$diff" -lt 300 ] || fail "the loaded cards differ from the saved ones ($diff pixels)"
pass "load brings the same cards back"

answer_yes $BACK quit
wait_for_shot back is_play_screen 20 >/dev/null || fail "leaving the editor did not return to the play screen"
pass "leaving the editor returns to the play screen"

# The custom list of a play screen (matching or tripeaks) from the main play
# screen: Mine's thumbnail in the first slot.
custom_list() {
  local at=$PLAY_TRIPEAKS
  [ "$1" = matching ] && at=$PLAY_MATCHING
  sleep 0.6
  click_until $at is_standard_list "$1" 60 is_play_screen >/dev/null || fail "$1 did not open its level list"
  sleep 0.6
  click_until $LIST_CUSTOM is_custom_list "${1}custom" 30 is_standard_list >/dev/null ||
    fail "custom did not switch $1 to the player's list"
  sleep 0.6
  shot "${1}_custom_list"
  [ "$(slot_red "$SHOTS/${1}_custom_list.png" 0)" -gt 2 ] || fail "Mine shows no thumbnail in the $1 custom list"
  [ "$(slot_red "$SHOTS/${1}_custom_list.png" 1)" -lt 1 ] || fail "the $1 custom list shows a second layout"
}
custom_list tripeaks
pass "Mine is in the Tri Peaks custom list"
click_until $LIST_BACK is_play_screen tback 30 is_custom_list >/dev/null || fail "back did not leave the Tri Peaks list"
custom_list matching
pass "Mine is in the Matching custom list"

double_click_at "$(slot_x 0)" "$(slot_y 0)"
xdotool mousemove --window "$WID" 790 590
wait_for_shot game is_layout_table 30 >/dev/null || fail "Mine did not open on the Matching table"
TABLE=$(wait_still dealt 40) || fail "the Matching deal of Mine never came to rest"
cp "$TABLE" "$SHOTS/matching_mine.png"
cards_shown "$TABLE" "$PROFILES/Mine.layout" 100 480 || fail "the table does not show every card of Mine where the editor had it"
pass "Matching deals Mine where the editor showed it"

kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended"
