#!/usr/bin/env bash
# Playing and winning Klondike in a real window, from saved games in the
# player's folder: a fixed deal where a card dragged onto a legal place stays
# there and an illegal drop flies back; then a game one move from the end,
# its last card flicked home with a hand's coarse steps: the win plays the
# applause (captured through OpenAL's wave backend), the fireworks go up,
# "klondike.hsdat" leads with the score, the end-of-level menu shows and
# "nextpuzzle" deals a new game.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menu_pages.sh"

DATA="$(dirname "$0")/data"
PROFILES="$SHARED/profiles"
mkdir -p "$PROFILES"
# "Drag": the deal of seed 3 (column tops black 7, black queen, red queen,
# red 2, red king, red ace, black 4). "Oneleft": only the king of clubs is
# still on the table, scored 480.
"$(dirname "$GAME")/tools/savetool/savetool" deal --variant klondike \
  --layout "$(dirname "$GAME")/gamedata/layouts/klondike/klondike.layout" --seed 3 --out "$PROFILES/drag.ksave" ||
  fail "savetool could not deal the fixture"
cp "$DATA/oneleft.ksave" "$PROFILES/oneleft.ksave"
# No music, so that the capture holds the game's sounds alone.
plant_player Tester Tester
sed -i 's|^MUSIC VOLUME=.*|MUSIC VOLUME=0\r|' "$SHARED/marrowdeck.ini"

CAPTURE="$WORK/capture.wav"
use_wave_capture "$CAPTURE"

started=$(date +%s.%N)
start_klondike

open_pause_menu
load_row 1
wait_for_shot loaded is_bright 15 >/dev/null || fail "the pause menu stayed open after loading Drag"
LOADED=$(wait_still loaded_still 30) || fail "the loaded table did not come to rest"
tops_face_up "$LOADED" || fail "the loaded deal does not show its column tops"

# The black queen (column 2) onto the red king (column 5): it stays, and the
# card it uncovered turns face up.
drag_to 210 240 500 320
MOVED=$(wait_still moved 20) || fail "the table did not come to rest after the drag"
cp "$MOVED" "$SHOTS/table_midgame.png"
[ "$(white_share "$MOVED" 450 340 60 12)" -gt 25 ] || fail "the queen did not land on the king"
[ "$(white_share "$MOVED" 180 195 60 40)" -gt 25 ] || fail "the card under the queen did not turn face up"
pass "a card dragged onto a legal place moves there"

# The black 7 (column 1) onto the red queen (column 3): it flies back.
drag_to 120 215 315 265
BACK=$(wait_still flewback 20) || fail "the table did not come to rest after the illegal drop"
[ "$(white_share "$BACK" 90 195 60 40)" -gt 25 ] || fail "the 7 did not fly back to its column"
[ "$(white_share "$BACK" 270 300 60 12)" -lt 10 ] || fail "the 7 stayed on the queen"
pass "an illegal drop flies back"

# The game one move from the end: the king of clubs goes home onto its queen.
# The drag's first step already leaves the card behind (50 pixels in one
# move); the card pressed on is taken all the same.
open_pause_menu
load_row 2
wait_for_shot loaded2_ is_bright 15 >/dev/null || fail "the pause menu stayed open after loading Oneleft"
ONELEFT=$(wait_still oneleft 30) || fail "the loaded table did not come to rest"
[ "$(white_share "$ONELEFT" 90 195 60 40)" -gt 25 ] || fail "the loaded table does not show the king in column 1"
won_at=$(since "$started")
drag_to 120 215 730 85

# The table: its first entry (a shifted name, a 0 byte, the score as 4
# little-endian bytes) holds the won game's score, above the 480 it had.
first_score() {
  od -An -v -tu1 "$PROFILES/klondike.hsdat" 2>/dev/null | tr -s ' \n' '\n\n' | grep . |
    awk 'z == 0 && $1 == 0 { z = NR; next } z && NR <= z + 4 { s += $1 * 256 ^ (NR - z - 1) } END { print s + 0 }'
}
for i in $(seq 1 150); do
  [ "$(first_score)" -gt 480 ] && break
  sleep 0.2
done
[ "$(first_score)" -gt 480 ] || fail "klondike.hsdat does not lead with the won score (first: $(first_score))"
pass "the win enters klondike.hsdat with $(first_score)"

# The fireworks: the table above the dialogs keeps changing while nothing is
# played (once the empty places there have faded out).
sleep 0.8
moving=$(change_over fireworks 0.3 0 120 800 80)
cp "$SHOTS/fireworks2.png" "$SHOTS/end_level_fireworks.png"
[ "$moving" -gt 200 ] || fail "no fireworks over the won table ($moving pixels changed)"
pass "the fireworks go up over the table ($moving pixels changed in 0.3 s)"

# "Highscore Place 1!" first, then the end-of-level menu with "nextpuzzle" on top.
key Return
is_end_menu() { read -r r g b < <(region_rgb "$1" 330 250 140 8); [ "$g" -gt $((r + 30)) ] && [ "$g" -gt 60 ]; }
END_MENU=$(wait_for_shot end_menu is_end_menu 15) || fail "the end-of-level menu did not show"
sleep 0.8 # until it has slid in and takes the mouse
shot end_level_menu
pass "the end-of-level menu shows"

# The applause: the capture holds a sound lasting well beyond the card's click.
levels=$(capture_levels "$CAPTURE") || fail "no capture"
longest=$(echo "$levels" | awk -v from="$won_at" '$1 / 2 >= from - 3 && $1 / 2 <= from + 15 {
    if ($2 > 0.01) { run++; if (run > m) m = run } else run = 0 } END { print m + 0 }')
[ "$longest" -ge 4 ] || fail "no applause after the win (longest sound $longest half seconds)"
pass "the applause plays ($longest half seconds of sound)"

# "nextpuzzle" deals a new game: seven face-up column tops, empty foundations.
click_at 400 254
xdotool mousemove --window "$WID" 790 590
NEXT=$(wait_still next 40) || fail "the new deal never came to rest"
tops_face_up "$NEXT" || fail "nextpuzzle did not deal a new game"
[ "$(white_share "$NEXT" 700 30 60 80)" -lt 10 ] || fail "the kings are still on the foundations after nextpuzzle"
cp "$NEXT" "$SHOTS/next_deal.png"
pass "nextpuzzle deals a new game"
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended"
