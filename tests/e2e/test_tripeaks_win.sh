#!/usr/bin/env bash
# Winning a Tri Peaks layout in a real window: layout 032 of a test data
# tree holds a single card, played (turning the stock until it fits) from
# the list. The win writes the completed mark into the player's "ts" file,
# "nextpuzzle" deals the next layout, which after 032 is 001, and back on the
# list layout 032 carries the tick and no other does.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/levels.sh"

copy_game_data
TRIPEAKS="$WORK/gamedata/layouts/tripeaks"
mkdir -p "$WORK/keep"
mv "$TRIPEAKS"/00{1,2,3}.layout "$WORK/keep/"
rm -f "$TRIPEAKS"/*.layout
cp "$WORK/keep/"*.layout "$TRIPEAKS/"
# One card in the middle of the table (layout positions are offset by 25, 125).
printf 'Ostrelle Card Layout\r\n375,175,0.00000000\r\n' >"$TRIPEAKS/032.layout"
MARKS="$SHARED/profiles/Testerts.ini"

start_game --windowed --data "$WORK/gamedata"
wait_window
wait_title_menu
open_level_list tripeaks
double_click_at "$(slot_x 3)" "$(slot_y 3)"
xdotool mousemove --window "$WID" 790 590
wait_for_shot game is_layout_table 30 >/dev/null || fail "layout 032 did not open on the table"
TABLE=$(wait_still dealt 30) || fail "the deal did not come to rest"
cp "$TABLE" "$SHOTS/tripeaks_032.png"
cards_shown "$TABLE" "$TRIPEAKS/032.layout" 400 470 || fail "the table does not show the card of layout 032"
pass "layout 032 is dealt: one card on the table"

# Play the card when it fits the open card, else turn the stock.
won=0
for try in $(seq 1 70); do
  xdotool mousemove --window "$WID" 400 300; sleep 0.1
  xdotool mousedown --window "$WID" 1; sleep 0.1; xdotool mouseup --window "$WID" 1
  sleep 0.5
  shot try$try
  if ! cards_shown "$SHOTS/try$try.png" "$TRIPEAKS/032.layout" 400 470; then won=1; break; fi
  xdotool mousemove --window "$WID" 230 70; sleep 0.1
  xdotool mousedown --window "$WID" 1; sleep 0.1; xdotool mouseup --window "$WID" 1
  sleep 0.4
done
[ $won = 1 ] || fail "the card of layout 032 was never played"
wait_file "$MARKS" 60 || fail "no completed marks file after the win ($(ls "$SHARED/profiles"))"
tr -d '\r' <"$MARKS" | grep -qx "032=1" || fail "the marks file does not mark 032: $(cat "$MARKS")"
pass "winning layout 032 writes its completed mark"

# The score enters the high-score table: its message closes with Enter.
sleep 2
shot endlevel
key Return
sleep 1.5
shot endmenu
# The end-of-level menu: "nextpuzzle" deals the layout after 032, which is 001.
NEXT_PUZZLE="400 256"
click_at $NEXT_PUZZLE
xdotool mousemove --window "$WID" 790 590
wait_for_shot next is_generating 15 >/dev/null || fail "nextpuzzle did not show the generating overlay"
sleep 1
wait_for_shot nexttable is_layout_table 30 >/dev/null || fail "nextpuzzle did not lead to a new table"
NEXT=$(wait_still nextdealt 30) || fail "the next deal did not come to rest"
cp "$NEXT" "$SHOTS/tripeaks_next_001.png"
cards_shown "$NEXT" "$TRIPEAKS/001.layout" 400 470 || fail "the layout after 032 is not 001"
pass "nextpuzzle after 032 deals layout 001"

# Back on the list: 032 is ticked, the others are not; 001 is selected.
key Escape
sleep 1
click_at $PAUSE_MAIN_MENU
sleep 1
key y
wait_for_shot back is_standard_list 20 >/dev/null || fail "leaving the game did not return to the Tri Peaks list"
xdotool mousemove --window "$WID" 790 590
sleep 1.5
shot ticked
TICKED="$SHOTS/ticked.png"
cp "$TICKED" "$SHOTS/tripeaks_ticked.png"
slot_ticked "$TICKED" 3 || fail "layout 032 shows no tick"
for slot in 0 1 2; do slot_ticked "$TICKED" $slot && fail "slot $slot shows a tick"; done
slot_selected "$TICKED" 0 || fail "layout 001, played last, is not selected"
pass "the won layout shows its tick on the list"
