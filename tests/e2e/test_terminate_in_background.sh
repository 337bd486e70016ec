#!/usr/bin/env bash
# A termination request (a session manager's logout, `timeout`) ends the game
# through its orderly exit whatever the window's state: paused, or in the
# background behind another window. When the display itself goes away, the
# game ends too instead of staying behind with a core spinning.
source "$(dirname "$0")/lib.sh"

# Ends the running game with SIGTERM and checks it went within a second,
# leaving "GoodExit.dat".
terminate_quickly() {
  rm -f "$SHARED/GoodExit.dat"
  kill -TERM "$GAME_PID"
  local i=0
  while kill -0 "$GAME_PID" 2>/dev/null && [ $i -lt 10 ]; do sleep 0.1; i=$((i + 1)); done
  kill -0 "$GAME_PID" 2>/dev/null && fail "$1: still running a second after SIGTERM"
  wait "$GAME_PID" 2>/dev/null
  [ -f "$SHARED/GoodExit.dat" ] || fail "$1: no GoodExit.dat after SIGTERM"
}

start_game --windowed
wait_window
wait_for_shot title is_title 30 >/dev/null || fail "no title screen"
key p
sleep 0.5
terminate_quickly "paused"
pass "paused: SIGTERM ends the game in order within a second"

start_game --windowed
wait_window
wait_for_shot title2 is_title 30 >/dev/null || fail "no title screen"
sleep 5.5 # past the first seconds, in which the logic runs even in the background
# Another window takes the focus; the game's goes to the background.
other_window=$(dirname "$GAME")/tools/testscene/marrowdeck-testscene
[ -x "$other_window" ] || fail "no second program to take the focus ($other_window)"
"$other_window" >/dev/null 2>&1 &
OTHER_PID=$!
OTHER=$(timeout 20 xdotool search --sync --onlyvisible --name '^Marrowdeck test scene$' | head -1)
[ -n "$OTHER" ] || fail "the second window did not show"
xdotool windowfocus "$OTHER"
sleep 0.5
terminate_quickly "in the background"
kill "$OTHER_PID" 2>/dev/null
wait "$OTHER_PID" 2>/dev/null
pass "in the background: SIGTERM ends the game in order within a second"

# The display goes away under the running game (its X server ends). The game
# cannot end in order then, but it must end: it once stayed behind, spinning
# a core, now and then, so a few rounds are played.
for round in 1 2 3; do
  Xvfb -displayfd 3 -screen 0 1024x768x24 3>"$WORK/display" >/dev/null 2>&1 &
  XVFB_PID=$!
  for i in $(seq 50); do [ -s "$WORK/display" ] && break; sleep 0.1; done
  [ -s "$WORK/display" ] || fail "no second display"
  DISPLAY=:$(cat "$WORK/display") start_game --windowed
  DISPLAY=:$(cat "$WORK/display") timeout 30 xdotool search --sync --onlyvisible --name '^Marrowdeck$' >/dev/null ||
    fail "no window on the second display"
  sleep 1
  kill "$XVFB_PID"
  wait "$XVFB_PID" 2>/dev/null
  : >"$WORK/display"
  wait_exit "$GAME_PID" 5 || fail "round $round: still running 5 s after its display went away"
  [ "$EXIT_STATUS" != 0 ] || fail "round $round: a lost display ended the game as if all were well"
done
pass "a lost display ends the game"
