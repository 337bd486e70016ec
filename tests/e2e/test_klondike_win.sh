#!/usr/bin/env bash
# NOT YET RELIABLE, so not collected as an end-to-end test. The first drags
# now hold (a drop used to be judged where the pointer had moved on to when
# the button-up and the next move arrived in the same tick), but the king of
# the one-move-left save is not picked up after it is loaded.
# Playing and winning Klondike in a real window, from saved games in the
# player's folder: a fixed deal where a card dragged onto a legal place stays
# there and an illegal drop flies back; then a game one move from the end:
# the last move wins, the applause plays (captured through OpenAL's wave
# backend), the fireworks go up, "klondike.hsdat" holds the score, the
# end-of-level menu shows and "nextpuzzle" deals a new game.
source "$(dirname "$0")/lib.sh"

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
printf '[general]\nchannels = stereo\nsample-type = int16\nfrequency = 44100\nhrtf = false\n[wave]\nfile = %s\n' \
  "$CAPTURE" >"$WORK/alsoft.conf"
export ALSOFT_DRIVERS=wave ALSOFT_CONF="$WORK/alsoft.conf"

started=$(date +%s.%N)
start_game --windowed
wait_window
wait_title_menu
open_klondike
wait_still dealt 40 >/dev/null || fail "the deal never came to rest"

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

# The game one move from the end; the king of clubs goes home onto its queen.
open_pause_menu
load_row 2
wait_for_shot loaded2_ is_bright 15 >/dev/null || fail "the pause menu stayed open after loading Oneleft"
wait_still oneleft 30 >/dev/null || fail "the loaded table did not come to rest"
won_at=$(awk -v a="$(date +%s.%N)" -v b="$started" 'BEGIN { print a - b }')
xdotool mousemove --window "$WID" 125 220; sleep 0.5
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
shot end_level_fireworks
[ "$(first_score)" -gt 480 ] || fail "klondike.hsdat does not lead with the won score (first: $(first_score))"
pass "the win enters klondike.hsdat"
sleep 1.5
shot end_level_fireworks
key Return # "Highscore Place 1!"
sleep 1.2
shot end_level_menu
