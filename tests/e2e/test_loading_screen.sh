#!/usr/bin/env bash
# The loading screen half-way and at the end: the loading picture stays on
# screen while the bar fills from the left, one step per loaded item, and the
# title follows. MARROWDECK_LOADING_STEP_MS slows each step down so that the
# screenshots can catch the bar part-way.
source "$(dirname "$0")/lib.sh"

export MARROWDECK_LOADING_STEP_MS=600
DATA="${MARROWDECK_DATA:-$(dirname "$GAME")/gamedata}"
DATA="${DATA%/}/data/graphics"
[ -f "$DATA/loadingbar.png" ] && [ -f "$DATA/loading.png" ] || fail "no loading pictures in $DATA"

# The bar is centred with its top 175 pixels above the bottom edge.
read -r BAR_W BAR_H < <(identify -format "%w %h" "$DATA/loadingbar.png")
BAR_X=$(((800 - BAR_W) / 2))
BAR_Y=425
STEP=$((BAR_W / 24))

# Width of the filled part of the bar: the gold pixels along its middle row
# (the empty bar is dark, its outline and the slot around it are pale).
bar_fill() {
  convert "$1" -crop "${BAR_W}x1+${BAR_X}+$((BAR_Y + BAR_H / 2))" +repage -depth 8 rgb:- |
    python3 -c '
import sys
d = sys.stdin.buffer.read()
print(sum(1 for i in range(0, len(d) - 2, 3) if d[i] >= 150 and d[i] - d[i + 2] >= 90))'
}

# True when two "r g b" means differ by at most $3 in every channel.
rgb_close() {
  local a b
  read -r -a a <<<"$1"
  read -r -a b <<<"$2"
  for c in 0 1 2; do
    local d=$((a[c] - b[c]))
    [ ${d#-} -le "$3" ] || return 1
  done
}

start_game
wait_window
splash_shown() {
  [ "$(region_level "$1" 300 250 200 100)" -gt 20 ] && [ "$(region_level "$1" 0 0 80 80)" -lt 8 ]
}
wait_for_shot splash splash_shown 10 >/dev/null || fail "no logo splash"
key space

# Screenshots as fast as they come while the loading screen shows, until the
# title has taken over; the bars are measured afterwards so that a slow
# machine still takes several screenshots per step.
files=()
seen_title=""
for i in $(seq 0 400); do
  shot "load$i"
  f="$SHOTS/load$i.png"
  if [ -f "$f" ] && is_loading "$f"; then
    files+=("$f")
  elif [ -f "$f" ] && is_title "$f"; then
    seen_title=1
    break
  elif [ ${#files[@]} -eq 0 ] && [ "$i" -gt 100 ]; then
    break
  fi
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended during loading"
  sleep 0.05
done
[ ${#files[@]} -ge 3 ] || fail "only ${#files[@]} screenshots of the loading screen"
fills=()
for f in "${files[@]}"; do fills+=("$(bar_fill "$f")"); done
echo "bar fill per screenshot (of $BAR_W): ${fills[*]}"

# Half-way: the screenshot nearest half the bar. The end: the widest bar on a
# screenshot taken before the fade to the title began, that is one whose
# lettering is as bright as half-way (on a slow machine the last step's
# screenshot may already be part-way through the fade).
half=0
for k in "${!fills[@]}"; do
  dk=$((fills[k] - BAR_W / 2)) dh=$((fills[half] - BAR_W / 2))
  [ ${dk#-} -lt ${dh#-} ] && half=$k
done
lettering_half=$(region_rgb "${files[half]}" 140 200 520 100)
end=$half
for k in "${!fills[@]}"; do
  [ "${fills[k]}" -gt "${fills[end]}" ] || continue
  rgb_close "$(region_rgb "${files[k]}" 140 200 520 100)" "$lettering_half" 6 && end=$k
done
cp "${files[half]}" "$SHOTS/half.png"
cp "${files[end]}" "$SHOTS/end.png"

for k in $(seq 1 "$end"); do
  [ "${fills[k]}" -ge "${fills[k - 1]}" ] || fail "the bar shrank from ${fills[k - 1]} to ${fills[k]} pixels"
done
pass "the bar never shrinks while loading"

[ "${fills[end]}" -ge $((BAR_W * 85 / 100)) ] || fail "the bar ends at ${fills[end]} of $BAR_W pixels"
[ "${fills[half]}" -ge $((BAR_W * 15 / 100)) ] && [ "${fills[half]}" -le $((BAR_W * 75 / 100)) ] ||
  fail "no screenshot half-way (nearest ${fills[half]} of $BAR_W pixels)"
[ "${fills[end]}" -ge $((fills[half] + 2 * STEP)) ] || fail "the bar did not grow (${fills[half]} then ${fills[end]})"
# Right of the half-way fill the bar is still empty (dark), and filled later.
right=$((BAR_X + BAR_W * 80 / 100))
[ "$(region_level "$SHOTS/half.png" "$right" $((BAR_Y + 8)) 40 $((BAR_H - 16)))" -lt 90 ] ||
  fail "the bar's unfilled end is not dark half-way"
[ "$(region_level "$SHOTS/end.png" "$right" $((BAR_Y + 8)) 40 $((BAR_H - 16)))" -gt 110 ] ||
  fail "the bar's far end is not filled at the end"
pass "the bar grows: ${fills[half]} pixels half-way, ${fills[end]} of $BAR_W at the end"

# The loading picture, away from the bar: the title lettering and the
# "Loading..." line match the picture file in both screenshots and are not black.
for region in "140 200 520 100" "330 385 140 25" "20 20 120 120"; do
  read -r x y w h <<<"$region"
  want=$(region_rgb "$DATA/loading.png" "$x" "$y" "$w" "$h")
  got_half=$(region_rgb "$SHOTS/half.png" "$x" "$y" "$w" "$h")
  got_end=$(region_rgb "$SHOTS/end.png" "$x" "$y" "$w" "$h")
  [ "$(region_level "$SHOTS/half.png" "$x" "$y" "$w" "$h")" -gt 20 ] || fail "region $region is black half-way"
  rgb_close "$got_half" "$got_end" 6 || fail "region $region differs between the shots ($got_half / $got_end)"
  rgb_close "$got_half" "$want" 12 || fail "region $region is not the loading picture ($got_half, picture $want)"
done
pass "the loading picture shows in both screenshots"

[ -n "$seen_title" ] || wait_for_shot title is_title 10 >/dev/null || fail "the title never followed the loading screen"
pass "the title follows"
key Escape
wait_exit "$GAME_PID" 15 || fail "the game did not end after Escape"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
pass "orderly end"
