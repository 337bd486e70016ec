#!/bin/bash
# The dialogs and widgets over the title screen in a real window, through the
# widget showcase beside the game: each dialog kind, a name typed into the
# name dialog, the save-game manager over a dozen saved games scrolled with
# the wheel, and a volume slider dragged, all in one start of the showcase.
# Screenshots of each are kept in $E2E_SHOTS when it is set.
# Usage: test_widgets.sh <marrowdeck binary>   (run by CTest from the build folder)
source "$(dirname "$0")/lib.sh"
SHOWCASE="$(dirname "$GAME")/marrowdeck-widgets"
[ -x "$SHOWCASE" ] || fail "no widget showcase beside the game"

# The save-game manager's folder: a dozen saved games and one of another kind.
SAVES="$WORK/saves"
mkdir -p "$SAVES"
for n in alder birch cedar damson elm fir gorse hazel ivy juniper kale larch; do echo x >"$SAVES/$n.ksave"; done
echo x >"$SAVES/other.msave"

# One start shows every widget in turn: the next opens when one answers.
RUN=1
"$SHOWCASE" ok long error yesno name name manager "$SAVES/" slider >"$WORK/game$RUN.out" 2>&1 &
GAME_PID=$!
wait_window
OPENED=0 ANSWERED=0
# Waits until the next widget reports itself open ($1 names it in a failure).
open_widget() {
  local i=0
  OPENED=$((OPENED + 1))
  until [ "$(grep -c '^shown' "$WORK/game$RUN.out")" -ge "$OPENED" ]; do
    i=$((i + 1))
    [ $i -lt 300 ] || fail "$1: the widget did not open"
    kill -0 "$GAME_PID" 2>/dev/null || fail "$1: the showcase ended"
    sleep 0.1
  done
  sleep 0.3
}
# Waits for the open widget's answer, which must match $1.
wait_result() {
  local i=0
  ANSWERED=$((ANSWERED + 1))
  until [ "$(grep -ac '^result' "$WORK/game$RUN.out")" -ge "$ANSWERED" ]; do
    i=$((i + 1))
    [ $i -lt 100 ] || fail "no answer '$1' in the showcase output: $(cat "$WORK/game$RUN.out")"
    sleep 0.1
  done
  RESULT=$(grep -a '^result' "$WORK/game$RUN.out" | sed -n "${ANSWERED}p")
  grep -aq "$1" <<<"$RESULT" || fail "the answer is '$RESULT', not '$1'"
}
# Waits for an output line matching $1.
wait_line() {
  local i=0
  until grep -aq "$1" "$WORK/game$RUN.out"; do
    i=$((i + 1))
    [ $i -lt 100 ] || fail "no '$1' in the showcase output: $(cat "$WORK/game$RUN.out")"
    sleep 0.1
  done
}

# Message dialogs: the panel in the middle is lighter than the dimmed title around it.
for kind in ok long error yesno; do
  open_widget "$kind"
  shot "dialog_$kind"
  centre=$(region_level "$SHOTS/dialog_$kind.png" 330 260 140 40)
  edge=$(region_level "$SHOTS/dialog_$kind.png" 10 10 80 80)
  [ "$centre" -gt "$edge" ] || fail "$kind: no panel over the dimmed screen ($centre vs $edge)"
  case $kind in
    yesno) key n; wait_result '^result -1' ;;
    *) key Escape; wait_result '^result 1' ;;
  esac
  pass "$kind dialog shows and answers"
done

# The name dialog: typing, Backspace, a banned character, Enter.
open_widget name
xdotool type --window "$WID" --delay 60 "wintr/y"
key BackSpace
xdotool type --window "$WID" --delay 60 $'y g\xc3\xa4me'
sleep 0.5
shot name_typed
key Return
wait_result '^result 1 Wintry g'
pass "name dialog: $(iconv -f latin1 -t utf-8 <<<"$RESULT")"

# A refused name: the error dialog over the name dialog; once it is closed,
# the name put right is taken.
open_widget name
xdotool type --window "$WID" --delay 60 "abc."
key Return
sleep 0.8
shot name_refused
read -r r g b < <(region_rgb "$SHOTS/name_refused.png" 100 200 600 200)
pass "refused name shows the error dialog (mean colour $r $g $b)"
key Return
sleep 0.8
key BackSpace
key Return
wait_result '^result 1 Abc$'

# The save-game manager over the dozen saved games, scrolled down with the wheel.
open_widget manager
shot manager_top
xdotool mousemove --window "$WID" 350 250
for _ in 1 2 3; do xdotool click --window "$WID" 5; sleep 0.15; done
sleep 0.3
shot manager_scrolled
changed=$(compare -metric AE "$SHOTS/manager_top.png" "$SHOTS/manager_scrolled.png" null: 2>&1 | cut -d' ' -f1)
[ "${changed%%.*}" -gt 200 ] || fail "the manager did not scroll ($changed pixels changed)"
xdotool mousemove --window "$WID" 350 250 click --window "$WID" --repeat 2 --delay 80 1
wait_result '^result 1'
pass "manager scrolls and loads: $RESULT"

# A volume slider dragged from the middle to its left end.
open_widget slider
shot slider_start
xdotool mousemove --window "$WID" 400 533 mousedown --window "$WID" 1
for x in 380 340 300 270 250; do xdotool mousemove --window "$WID" $x 533; sleep 0.1; done
xdotool mouseup --window "$WID" 1
wait_line '^value 0'
shot slider_dragged
pass "slider follows the drag: $(grep '^value' "$WORK/game$RUN.out" | tail -1)"
kill "$GAME_PID" 2>/dev/null; wait "$GAME_PID" 2>/dev/null; GAME_PID=""
echo "PASS"
