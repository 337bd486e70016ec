#!/usr/bin/env bash
# Winning a Tri Peaks layout in a real window: layout 032 of a test data
# tree holds a single card, played (turning the stock until it fits) from
# the list. The win writes the completed mark into the player's "ts" file,
# "nextpuzzle" deals the next layout, which after 032 is 001, and back on the
# list layout 032 carries the tick and no other does. The marks are the
# player's own: the game started as Ben shows no tick, as Anna again it does.
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
MARKS="$SHARED/profiles/Annats.ini"
plant_player Ben
plant_player Anna Anna

start_game --windowed --data "$WORK/gamedata"
wait_window
wait_title_menu
open_level_list tripeaks
double_click_at "$(slot_x 3)" "$(slot_y 3)"
xdotool mousemove --window "$WID" 790 590
wait_dealt tripeaks_032
cards_shown "$TABLE_SHOT" "$TRIPEAKS/032.layout" 400 470 || fail "the table does not show the card of layout 032"
pass "layout 032 is dealt: one card on the table"

# Play the card when it fits the open card, else turn the stock. A played
# card has won the layout once its completed mark is written, or once it has
# left its place (the pointer and its sparkles kept away from that place).
marked() { [ -f "$MARKS" ] && tr -d '\r' <"$MARKS" | grep -qx "032=1"; }
won=0
for try in $(seq 1 70); do
  xdotool mousemove --window "$WID" 400 300; sleep 0.1
  xdotool mousedown --window "$WID" 1; sleep 0.1; xdotool mouseup --window "$WID" 1
  xdotool mousemove --window "$WID" 790 590
  for look in 1 2 3 4 5 6; do
    sleep 0.3
    if marked; then won=1; break; fi
    shot "try${try}_$look"
    if ! cards_shown "$SHOTS/try${try}_$look.png" "$TRIPEAKS/032.layout" 400 470; then won=1; break; fi
  done
  [ $won = 1 ] && break
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
start_burst next 6
click_at $NEXT_PUZZLE
xdotool mousemove --window "$WID" 790 590
expect_in_burst next is_generating "nextpuzzle did not show the generating overlay"
wait_dealt tripeaks_next_001
cards_shown "$TABLE_SHOT" "$TRIPEAKS/001.layout" 400 470 || fail "the layout after 032 is not 001"
pass "nextpuzzle after 032 deals layout 001"

# Back on the list: 032 is ticked, the others are not; 001 is selected.
leave_to_list tripeaks_ticked
TICKED=$LIST_BACK_SHOT
slot_ticked "$TICKED" 3 || fail "layout 032 shows no tick"
for slot in 0 1 2; do slot_ticked "$TICKED" $slot && fail "slot $slot shows a tick"; done
slot_selected "$TICKED" 0 || fail "layout 001, played last, is not selected"
pass "the won layout shows its tick on the list"

# Ends the game from the list: Escape to the play screen, the title, the end.
quit_from_list() {
  key Escape
  wait_for_shot quitplay is_play_screen 20 >/dev/null || fail "Escape did not lead to the play screen"
  sleep 0.8
  key Escape
  wait_for_shot quittitle is_title 20 >/dev/null || fail "Escape did not lead to the title"
  sleep 0.8
  key Escape
  wait_exit "$GAME_PID" 20 || fail "the game did not end"
}
# The Tri Peaks list as player $1 (the game started anew); its look is $SHOTS/list_$1.png.
list_as() {
  plant_player "$1" "$1"
  start_game --windowed --data "$WORK/gamedata"
  wait_window
  wait_title_menu
  open_level_list tripeaks
  sleep 1
  shot "list_$1"
}
quit_from_list
list_as Ben
slot_ticked "$SHOTS/list_Ben.png" 3 && fail "layout 032 is ticked for Ben"
quit_from_list
list_as Anna
slot_ticked "$SHOTS/list_Anna.png" 3 || fail "layout 032 is not ticked for Anna any more"
pass "the tick is Anna's: not shown for Ben, shown for Anna again"
