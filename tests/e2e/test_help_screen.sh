#!/usr/bin/env bash
# The help page in a real window: Matching first, then Klondike and Tri Peaks
# from the variant row; each page shows its own picture and text, so the
# three screenshots differ from one another where the page is drawn; "ok"
# leads back to the title screen.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menu_pages.sh"

start_game --windowed
wait_window
wait_title_menu
click_at 400 $TITLE_HELP_Y
xdotool mousemove --window "$WID" 40 40
wait_page help || fail "the help page did not show"
shot help_matching
for page in klondike tripeaks; do
  [ $page = klondike ] && x=$KLONDIKE_X || x=$TRIPEAKS_X
  click_at "$x" $VARIANT_Y
  xdotool mousemove --window "$WID" 40 40
  sleep 1
  shot "help_$page"
done

# The picture and text area of the panel, below the variant row.
differ() {
  compare -metric AE -fuzz 2% -crop 680x290+60+170 "$SHOTS/help_$1.png" "$SHOTS/help_$2.png" null: 2>&1 | cut -d' ' -f1
}
for pair in "matching klondike" "klondike tripeaks" "matching tripeaks"; do
  set -- $pair
  n=$(differ "$1" "$2")
  echo "pixels differing between $1 and $2: $n"
  [ "${n%%.*}" -gt 5000 ] || fail "the $1 and $2 pages look the same ($n pixels differ)"
done
pass "the three help pages differ"

click_at $PAGE_OK_X $PAGE_OK_Y
xdotool mousemove --window "$WID" 40 40
wait_for_shot back is_title 20 >/dev/null || fail "ok did not lead back to the title screen"
pass "ok leads back to the title screen"
key Escape
wait_exit "$GAME_PID" 10 || fail "the game did not end"
