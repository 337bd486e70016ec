#!/usr/bin/env bash
# Damaged saved games in the player's folder, loaded through the pause menu
# of a real window: an empty file, a truncated one, garbage bytes and one
# whose stock position (P) is 99. Each shows the error dialog; after "ok" the
# game goes on as it was (its table saved again equals the save made before),
# and every file in the folder is left as it was.
source "$(dirname "$0")/lib.sh"

PROFILES="$SHARED/profiles"
mkdir -p "$PROFILES"
BUILD=$(dirname "$GAME")
"$BUILD/tools/savetool/savetool" deal --variant klondike \
  --layout "$BUILD/gamedata/layouts/klondike/klondike.layout" --seed 5 --out "$WORK/good.ksave" ||
  fail "savetool could not deal the fixture"
: >"$PROFILES/Empty.ksave"
head -c $(($(stat -c %s "$WORK/good.ksave") / 2)) "$WORK/good.ksave" >"$PROFILES/Truncated.ksave"
awk 'BEGIN { srand(7); for (i = 0; i < 4000; i++) printf "%c", int(rand() * 255) + 1 }' >"$PROFILES/Garbage.ksave"
# Line 66 is the stock position of the game as it stands (after the header and the deal's section).
tr -d '\r' <"$WORK/good.ksave" | awk 'NR == 66 { $0 = "99" } { printf "%s\r\n", $0 }' >"$PROFILES/Position99.ksave"
[ "$(tr -d '\r' <"$PROFILES/Position99.ksave" | sed -n 65p)" = "-" ] || fail "the fixture's line 66 is not the position"

# Per mille of strong red pixels in a region.
red_share() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -fx "(r>0.6&&g<0.3&&b<0.3)?1:0" -format "%[fx:int(mean*1000)]" info:
}
# The error dialog: its red message over the dimmed table (where no card's red shows so strong).
is_error_dialog() { is_dimmed "$1" && [ "$(red_share "$1" 110 225 580 50)" -gt 5 ]; }

start_klondike

# The game as it stands, saved as "Mine" (rows: Empty, Garbage, Mine, Position99, Truncated).
open_pause_menu
save_as mine "$PROFILES/Mine.ksave" || fail "the game could not be saved"
sleep 1 # the name dialog slides out
sums=$(cd "$PROFILES" && md5sum -- *.ksave)

for row in 1:Empty 2:Garbage 4:Position99 5:Truncated; do
  name=${row#*:}
  load_row "${row%%:*}"
  ERROR=$(wait_for_shot "error_$name" is_error_dialog 15) || fail "loading $name showed no error dialog"
  cp "$ERROR" "$SHOTS/error_dialog_$name.png"
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended on loading $name"
  key Return
  wait_for_shot "ok_$name" "! is_error_dialog" 10 >/dev/null || fail "the error dialog for $name did not close"
  sleep 0.8 # the dialog slides out; the pause menu is open again
  pass "$name is refused with the error dialog"
done

# Back at the table: it is the one saved before the refusals, and nothing on disk changed.
click_at 400 189 # "resume"
xdotool mousemove --window "$WID" 790 590
wait_for_shot resumed is_bright 15 >/dev/null || fail "resume did not close the pause menu"
[ "$(cd "$PROFILES" && md5sum -- *.ksave)" = "$sums" ] || fail "the saved games in the folder changed"
open_pause_menu
save_as after "$PROFILES/After.ksave" || fail "the game could not be saved after the refusals"
[ "$(table_of "$PROFILES/Mine.ksave")" = "$(table_of "$PROFILES/After.ksave")" ] ||
  fail "the table changed while the damaged saves were refused"
pass "the game goes on as it was and no file changed"
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended"
