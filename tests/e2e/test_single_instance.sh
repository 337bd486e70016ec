#!/usr/bin/env bash
# A second copy started while the first runs ends at once and shows nothing.
source "$(dirname "$0")/lib.sh"

start_game
first=$GAME_PID
wait_window

start=$(date +%s%N)
"$GAME" >"$WORK/second.out" 2>&1 &
second=$!
wait_exit "$second" 5 || fail "the second copy is still running"
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
[ "$EXIT_STATUS" = 0 ] || fail "second copy exit status $EXIT_STATUS"
[ ! -s "$WORK/second.out" ] || fail "the second copy printed: $(cat "$WORK/second.out")"
windows=$(xdotool search --name '^Marrowdeck$' | wc -l)
[ "$windows" -le 1 ] || fail "$windows Marrowdeck windows"
kill -0 "$first" 2>/dev/null || fail "the first copy ended"
pass "second copy ended silently after ${elapsed} ms, first still running"

GAME_PID=$first
title=$(wait_for_shot title is_title 15) || fail "no title screen in the first copy"
key Escape
wait_exit "$first" 10 || fail "the first copy did not end"
[ -f "$SHARED/GoodExit.dat" ] || fail "no GoodExit.dat"
pass "first copy ended normally"
