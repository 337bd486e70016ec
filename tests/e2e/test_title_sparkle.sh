#!/usr/bin/env bash
# The title screen sparkles behind the pointer: resting over the background,
# the pointer leaves small bright, changing specks around its tip, and nowhere else.
source "$(dirname "$0")/lib.sh"

start_game --windowed
wait_window
wait_for_shot title is_title 30 >/dev/null || fail "no title screen"
sleep 0.6 # the fade in is over
xdotool mousemove --window "$WID" 150 420
sleep 1.5
shot sparkle1
sleep 0.35
shot sparkle2

# Pixels that changed between the two shots, in a box of 60 x 60 around the
# pointer's tip and in a box of the same size far from it.
changed() {
  convert "$SHOTS/sparkle1.png" -crop "60x60+$1+$2" +repage "$WORK/a.png"
  convert "$SHOTS/sparkle2.png" -crop "60x60+$1+$2" +repage "$WORK/b.png"
  compare -metric AE -fuzz 8% "$WORK/a.png" "$WORK/b.png" null: 2>&1 | cut -d' ' -f1
}
near=$(changed 125 400)
far=$(changed 600 420)
[ "${near%.*}" -gt 20 ] || fail "nothing sparkles around the pointer (changed pixels: $near)"
[ "${far%.*}" -eq 0 ] || fail "the title changes away from the pointer (changed pixels: $far)"
pass "the pointer sparkles over the title screen ($near pixels changed near it, $far away)"
