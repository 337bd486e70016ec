#!/usr/bin/env bash
# The Tri Peaks play screen in a real window, over a data tree whose Tri
# Peaks folder holds 11 layouts (001 .. 010 and 032): eight thumbnails show;
# the right arrow turns to the page that starts at the 4th layout (the last
# page is a full one); a double click starts the layout under the
# "generating" overlay and the table shows the layout's cards; leaving the
# game returns to this list. The new player's own list says "No Levels" and
# neither "playsmall" nor Enter starts anything; hostile layouts put into
# the player's folder (huge coordinates, NaN angles, 100,000 lines, garbage)
# open in the list without harm, and starting the unreadable one only says so.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/levels.sh"

copy_game_data
TRIPEAKS="$WORK/gamedata/layouts/tripeaks"
mkdir -p "$WORK/keep"
mv "$TRIPEAKS"/0{01,02,03,04,05,06,07,08,09,10}.layout "$TRIPEAKS/032.layout" "$WORK/keep/"
rm -f "$TRIPEAKS"/*.layout
cp "$WORK/keep/"*.layout "$TRIPEAKS/"
[ "$(ls "$TRIPEAKS" | wc -l)" = 11 ] || fail "the test folder does not hold 11 layouts"

start_game --windowed --data "$WORK/gamedata"
wait_window
wait_title_menu
open_level_list tripeaks
# The list pulses (header, selected frame): a moment for the fade in, then a look.
sleep 1
shot page1
PAGE1="$SHOTS/page1.png"
for slot in 0 1 2 3 4 5 6 7; do
  [ "$(slot_red "$PAGE1" $slot)" -gt 4 ] || fail "slot $slot shows no thumbnail ($(slot_red "$PAGE1" $slot) % card red)"
done
pass "the Tri Peaks list shows eight thumbnails"

click_at $ARROW_RIGHT
xdotool mousemove --window "$WID" 790 590
sleep 1.5
shot page2
PAGE2="$SHOTS/page2.png"
[ "$(slot_difference "$PAGE2" 0 "$PAGE1" 0)" -gt 500 ] || fail "the right arrow did not turn the page"
# The 2nd page starts at the 4th layout: its slots show page 1's slots 3 .. 7.
for slot in 0 1 2 3 4; do
  d=$(slot_difference "$PAGE2" $slot "$PAGE1" $((slot + 3)))
  [ "$d" -lt 300 ] || fail "slot $slot of the 2nd page is not layout $((slot + 4)) ($d pixels differ)"
done
[ "$(slot_red "$PAGE2" 7)" -gt 4 ] || fail "the last slot of the 2nd page (032) is empty"
pass "with 11 layouts the pages start at 0 and 3"

# Layout 004 (slot 0 of the 2nd page) by a double click.
# Layout 004 (slot 0 of the 2nd page) by a double click.
is_generating "$PAGE2" && fail "the list alone looks like the overlay"
start_burst generating 6
double_click_at "$(slot_x 0)" "$(slot_y 0)"
xdotool mousemove --window "$WID" 790 590
BURST_MATCH=""
expect_in_burst generating is_generating "a double click did not show the generating overlay"
[ -n "$BURST_MATCH" ] && cp "$BURST_MATCH" "$SHOTS/generating_overlay.png"
wait_dealt tripeaks_004
cards_shown "$TABLE_SHOT" "$TRIPEAKS/004.layout" 400 470 || fail "the table does not show every card of layout 004"
pass "a double click starts the layout under the generating overlay and the table shows its cards"

# Leaving the game returns to the Tri Peaks list with the layout selected, on
# the page its position gives (004 is the 4th: the first page, slot 3).
leave_to_list back_list
BACK=$LIST_BACK_SHOT
[ "$(slot_difference "$BACK" 3 "$PAGE2" 0)" -lt 300 ] || fail "the list did not reopen on the layout's page"
slot_selected "$BACK" 3 && ! slot_selected "$BACK" 0 || fail "layout 004 is not selected after the game"
pass "leaving the game returns to the Tri Peaks list with the layout selected"

# The new player's own layouts: none.
click_at $LIST_CUSTOM
xdotool mousemove --window "$WID" 790 590
wait_for_shot custom is_custom_list 10 >/dev/null || fail "custom did not switch to the player's list"
sleep 0.5
shot custom_empty
EMPTY="$SHOTS/custom_empty.png"
text=$(white_share "$EMPTY" 150 245 500 30)
[ "$text" -gt 1 ] || fail "the empty custom list shows no text at y 250 ($text % white)"
for slot in 0 3 5; do
  [ "$(slot_red "$EMPTY" $slot)" -lt 2 ] || fail "the empty custom list shows a thumbnail in slot $slot"
done
click_at $LIST_PLAY
sleep 0.3
key Return
sleep 2
shot custom_after
is_custom_list "$SHOTS/custom_after.png" || fail "playsmall or Enter left the empty custom list"
is_generating "$SHOTS/custom_after.png" && fail "the empty custom list started something"
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended"
pass "a new player's custom list says No Levels and playsmall and Enter do nothing"

# Hostile layouts appear in the player's folder; the list is read again on the switch.
PROFILES="$SHARED/profiles"
printf 'Ostrelle Card Layout\r\n2147483647,2147483647,0\r\n-2147483648,300,0\r\n' >"$PROFILES/huge.layout"
printf 'Ostrelle Card Layout\r\n300,200,nan\r\n340,200,inf\r\n380,200,-nan\r\n' >"$PROFILES/nan.layout"
{ printf 'Ostrelle Card Layout\r\n'; yes '300,200,0' | head -n 100000 | sed 's/$/\r/'; } >"$PROFILES/lines.layout"
head -c 3000 /dev/urandom >"$PROFILES/garbage.layout"
printf 'Ostrelle Card Layout\r\n10,-5000,0\r\n' >"$PROFILES/above.layout"
click_at $LIST_STANDARD
wait_for_shot std is_standard_list 10 >/dev/null || fail "standard did not switch back"
sleep 0.5
click_at $LIST_CUSTOM
xdotool mousemove --window "$WID" 790 590
wait_for_shot hostile is_custom_list 10 >/dev/null || fail "custom did not switch to the player's list again"
sleep 1
shot custom_hostile
HOSTILE="$SHOTS/custom_hostile.png"
kill -0 "$GAME_PID" 2>/dev/null || fail "the hostile layouts ended the game"
# In name order: above, garbage, huge, lines, nan. "lines" (slot 3) is refused: an empty frame.
[ "$(slot_red "$HOSTILE" 3)" -lt 1 ] || fail "the layout of 100,000 lines shows a thumbnail"
[ "$(slot_red "$HOSTILE" 4)" -gt 0 ] || fail "the layout with NaN angles shows no cards"
pass "hostile layouts in the player's folder open in the list without harm"

double_click_at "$(slot_x 3)" "$(slot_y 3)"
xdotool mousemove --window "$WID" 790 590
sleep 3
shot hostile_started
kill -0 "$GAME_PID" 2>/dev/null || fail "starting the unreadable layout ended the game"
is_layout_table "$SHOTS/hostile_started.png" && fail "the unreadable layout was played"
key Return
sleep 1.5
shot hostile_closed
is_custom_list "$SHOTS/hostile_closed.png" || fail "the list did not come back after the message"
pass "starting an unreadable layout only says so"

key Escape
wait_for_shot playback is_play_screen 20 >/dev/null || fail "Escape did not lead back to the play screen"
pass "Escape leads back to the play screen"
