# Helpers of the level-list tests (sourced after lib.sh): a data tree of the
# game's own with a Tri Peaks folder the test chooses, the places on the
# Matching and Tri Peaks play screens and what shows on them.

# Copies the game's data tree to $WORK/gamedata (started with --data there).
copy_game_data() {
  local dir
  dir=$(dirname "$GAME")
  for d in "$dir/gamedata" "$dir/../share/marrowdeck"; do
    [ -d "$d/layouts" ] && { cp -r "$d" "$WORK/gamedata"; return 0; }
  done
  fail "no game data tree beside $GAME"
}

# Buttons (centres) of the play screens.
PLAY_TRIPEAKS="400 295" PLAY_MATCHING="160 295"
LIST_PLAY="255 540" LIST_LOAD="400 540" LIST_BACK="545 540"
LIST_STANDARD="295 105" LIST_CUSTOM="505 105"
ARROW_LEFT="277 472" ARROW_RIGHT="523 472"
PAUSE_MAIN_MENU="400 388"
# Slot centres 0..7.
SLOTS=(100,217 300,217 500,217 700,217 100,360 300,360 500,360 700,360)
slot_x() { local s=${SLOTS[$1]}; echo "${s%,*}"; }
slot_y() { local s=${SLOTS[$1]}; echo "${s#*,}"; }

# The switch shows its selected side in gold.
is_gold() { read -r r g b < <(region_rgb "$1" "$2" "$3" 30 12); [ "$r" -gt 150 ] && [ "$b" -lt $((r - 60)) ]; }
is_standard_list() { is_gold "$1" 225 99 && ! is_gold "$1" 435 99; }
is_custom_list() { is_gold "$1" 435 99 && ! is_gold "$1" 225 99; }
# The table of a layout game: its green "Menu" button at the top right.
is_layout_table() { read -r r g b < <(region_rgb "$1" 730 24 40 10); [ "$g" -gt $((r + 30)) ] && [ "$g" -gt 80 ]; }

# Per cent of the red of the card backs in the thumbnail area of slot $2.
slot_red() {
  convert "$1" -crop "170x100+$(( $(slot_x "$2") - 78 ))+$(( $(slot_y "$2") - 40 ))" +repage \
    -fx "(r>0.45&&g<0.3&&b<0.3)?1:0" -format "%[fx:int(mean*100)]" info:
}
# Pixels where the card backs of the thumbnail of slot $2 in $1 and of slot
# $4 in $3 differ (the frames behind them do not count: the selected one differs).
slot_difference() {
  convert "$1" -crop "170x100+$(( $(slot_x "$2") - 78 ))+$(( $(slot_y "$2") - 40 ))" +repage \
    -fx "(r>0.45&&g<0.3&&b<0.3)?1:0" "$WORK/slot_a.png"
  convert "$3" -crop "170x100+$(( $(slot_x "$4") - 78 ))+$(( $(slot_y "$4") - 40 ))" +repage \
    -fx "(r>0.45&&g<0.3&&b<0.3)?1:0" "$WORK/slot_b.png"
  local n
  n=$(compare -metric AE -fuzz 8% "$WORK/slot_a.png" "$WORK/slot_b.png" null: 2>&1 | cut -d' ' -f1)
  echo "${n%%.*}"
}
# The tick of a completed layout at the top left of slot $2.
slot_ticked() {
  read -r r g b < <(region_rgb "$1" $(( $(slot_x "$2") - 82 )) $(( $(slot_y "$2") - 58 )) 16 16)
  [ "$g" -gt 120 ] && [ "$g" -gt $((r + 50)) ]
}

# Two quick clicks at (x, y).
double_click_at() {
  xdotool mousemove --window "$WID" "$1" "$2"; sleep 0.3
  xdotool click --window "$WID" --repeat 2 --delay 120 1
}

# Opens the Tri Peaks (or, with "matching", the Matching) play screen from the title.
open_level_list() {
  click_at 400 229
  wait_for_shot play is_play_screen 30 >/dev/null || fail "play did not open the play screen"
  sleep 0.6
  if [ "${1:-tripeaks}" = matching ]; then click_at $PLAY_MATCHING; else click_at $PLAY_TRIPEAKS; fi
  xdotool mousemove --window "$WID" 790 590
  LIST_SHOT=$(wait_for_shot list is_standard_list 30) || fail "${1:-tripeaks} did not open its level list"
  sleep 0.6
}

# Every centre of the cards of a layout file (x,y per line, table coordinates).
layout_centres() { tail -n +2 "$1" | tr -d '\r' | awk -F, 'NF>=2 {print $1+25 "," $2+125}'; }
# 0 when every card centre of the layout shows a card, not the bare table (sampled at $3 $4).
cards_shown() {
  local table c x y r g b tr tg tb
  read -r tr tg tb < <(region_rgb "$1" "$3" "$4" 8 8)
  for c in $(layout_centres "$2"); do
    x=${c%,*}; y=${c#*,}
    read -r r g b < <(region_rgb "$1" $((x - 4)) $((y - 4)) 8 8)
    [ $(( (r - tr) * (r - tr) + (g - tg) * (g - tg) + (b - tb) * (b - tb) )) -gt 900 ] || return 1
  done
}

# The "generating" overlay: its gold word over the middle of the screen. Gold
# is told by its hue, not its brightness, so that the word still counts while
# it fades in or out (it is fully bright only for a moment).
is_generating() {
  [ "$(convert "$1" -crop 140x40+280+280 +repage -fx "(r>0.3&&g>0.62*r&&g<0.92*r&&b<0.5*r)?1:0" -format "%[fx:int(mean*100)]" info:)" -gt 15 ]
}
# The selected slot's frame has a bright gold rim along its top.
slot_selected() {
  read -r r g b < <(region_rgb "$1" $(( $(slot_x "$2") - 10 )) $(( $(slot_y "$2") - 66 )) 30 3)
  [ "$r" -gt 170 ] && [ "$g" -gt 150 ]
}

# Waits for a dealt layout on the table and copies the resting table to
# $SHOTS/$1.png; TABLE_SHOT names it.
wait_dealt() {
  wait_for_shot "$1_wait" is_layout_table 30 >/dev/null || fail "no layout table for $1"
  TABLE_SHOT=$(wait_still "$1_still" 30) || fail "the deal of $1 did not come to rest"
  cp "$TABLE_SHOT" "$SHOTS/$1.png"
}
# Leaves the running game through the pause menu's "Main Menu" and waits for
# the standard list; its settled look is $SHOTS/$1.png (LIST_BACK_SHOT).
leave_to_list() {
  key Escape
  sleep 1
  click_at $PAUSE_MAIN_MENU
  sleep 1
  key y
  wait_for_shot "$1_wait" is_standard_list 20 >/dev/null || fail "leaving the game did not return to the list"
  xdotool mousemove --window "$WID" 790 590
  sleep 1.5
  shot "$1"
  LIST_BACK_SHOT="$SHOTS/$1.png"
}

# Screenshots $1_0, $1_1, ... taken one after another in the background for
# $2 seconds (started before an action, so that a short moment is not missed);
# wait for them with wait_burst, which names in BURST_MATCH the first one for
# which the predicate $2 holds (and fails when none does).
# Fails with $3 when the predicate $2 held for no screenshot of burst $1,
# unless the screenshots came too slowly to see a moment of a second.
expect_in_burst() {
  wait_burst "$1" "$2" && return 0
  [ "$BURST_SHOTS" -ge $((2 * BURST_SECONDS)) ] || { echo "note: $BURST_SHOTS screenshots in $BURST_SECONDS s, too few to see it: $3"; return 0; }
  fail "$3"
}
# A burst's screenshots are written at zlib's quickest level: some 50 ms each
# where the default level takes more than half a second on a busy machine.
start_burst() {
  BURST_SECONDS=$2
  ( end=$(( $(date +%s) + $2 )); i=0
    while [ "$(date +%s)" -lt $end ]; do shot "$1_$i" -quality 10; i=$((i + 1)); done ) &
  BURST_PID=$!
}
# BURST_SHOTS counts the screenshots taken: on a machine so loaded that they
# came more than half a second apart a moment of a second may fall between two.
wait_burst() {
  wait "$BURST_PID"
  local f
  BURST_SHOTS=$(ls "$SHOTS" | grep -c "^$1_[0-9]*\.png$")
  for f in $(ls "$SHOTS" | grep "^$1_[0-9]*\.png$" | sort -t_ -k2 -n); do
    if "$2" "$SHOTS/$f"; then BURST_MATCH="$SHOTS/$f"; return 0; fi
  done
  return 1
}
