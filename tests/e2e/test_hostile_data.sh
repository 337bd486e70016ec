#!/usr/bin/env bash
# A damaged data tree: a named pipe and folder links back into the tree
# ("." three times, ".." twice) under data/resources/. The start-up neither
# waits on the pipe nor walks the loops for ever: the title shows as usual.
source "$(dirname "$0")/lib.sh"

source_data="$(dirname "$GAME")/gamedata"
hostile="$WORK/hostile"
mkdir -p "$hostile/data/resources/loops"
for entry in "$source_data"/*; do
  [ "$(basename "$entry")" = data ] || ln -s "$entry" "$hostile/$(basename "$entry")"
done
for entry in "$source_data"/data/*; do
  [ "$(basename "$entry")" = resources ] || ln -s "$entry" "$hostile/data/$(basename "$entry")"
done
for entry in "$source_data"/data/resources/*; do ln -s "$entry" "$hostile/data/resources/"; done
mkfifo "$hostile/data/resources/stall.png" "$hostile/data/resources/loops/stall.txt"
for name in here1 here2 here3; do ln -s . "$hostile/data/resources/loops/$name"; done
for name in up1 up2; do ln -s .. "$hostile/data/resources/loops/$name"; done

start_game --windowed --data "$hostile"
wait_window
wait_for_shot title is_title 30 >/dev/null || fail "no title screen with a pipe and link loops in the data"
key Escape
wait_exit "$GAME_PID" 10 || fail "the game did not end"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
pass "a pipe and link loops in data/resources: the title as usual"
