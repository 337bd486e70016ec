#!/usr/bin/env bash
# Resuming a Matching game from the Matching play screen in a real window:
# "load" opens the save-game manager on the player's ".msave" files only,
# and choosing the saved game of layout 005 puts that table up again.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/levels.sh"

PROFILES="$SHARED/profiles"
mkdir -p "$PROFILES"
LAYOUT="$(dirname "$GAME")/gamedata/layouts/matching/005.layout"
"$(dirname "$GAME")/tools/savetool/savetool" deal --variant matching --layout "$LAYOUT" --seed 7 \
  --out "$PROFILES/evening.msave" >/dev/null || fail "savetool could not deal the fixture"
# A Tri Peaks save beside it is not offered here.
"$(dirname "$GAME")/tools/savetool/savetool" deal --variant tripeaks \
  --layout "$(dirname "$GAME")/gamedata/layouts/tripeaks/001.layout" --seed 7 --out "$PROFILES/another.tsave" >/dev/null ||
  fail "savetool could not deal the Tri Peaks fixture"

start_game --windowed
wait_window
wait_title_menu
open_level_list matching
cp "$LIST_SHOT" "$SHOTS/matching_standard.png"
pass "matching opens the Matching list"

click_at $LIST_LOAD
MANAGER=$(wait_for_shot manager is_manager 15) || fail "load did not open the save-game manager"
sleep 0.8
shot manager_open
cp "$SHOTS/manager_open.png" "$SHOTS/matching_load.png"
# One row: the Tri Peaks save is not listed, so the second row is empty.
[ "$(white_share "$SHOTS/manager_open.png" 200 173 150 20)" -gt 1 ] || fail "the Matching save is not listed"
[ "$(white_share "$SHOTS/manager_open.png" 200 197 150 20)" -lt 1 ] || fail "a second save is listed"
for try in 1 2 3; do
  press_at 250 183
  sleep 0.4
  press_at $MANAGER_LOAD
  xdotool mousemove --window "$WID" 790 590
  wait_for_shot managergone "! is_manager" 4 >/dev/null && break
done
wait_dealt matching_resumed
cards_shown "$TABLE_SHOT" "$LAYOUT" 400 560 || fail "the resumed table does not show the cards of layout 005"
pass "load resumes the saved Matching game"
