#!/usr/bin/env bash
# A data folder without the particle sheet "particles.png": start-up stops
# with the picture's error, shown and logged, before any window opens.
source "$(dirname "$0")/lib.sh"

source_data="$(dirname "$GAME")/gamedata"
broken="$WORK/broken"
mkdir -p "$broken/data/graphics"
for entry in "$source_data"/* "$source_data"/data/*; do
  name=$(basename "$entry")
  case "$entry" in
    "$source_data/data") ;;
    "$source_data/data/graphics") ;;
    "$source_data"/data/*) ln -s "$entry" "$broken/data/$name" ;;
    *) ln -s "$entry" "$broken/$name" ;;
  esac
done
for picture in "$source_data"/data/graphics/*; do
  [ "$(basename "$picture")" = particles.png ] || ln -s "$picture" "$broken/data/graphics/"
done

start_game --data "$broken"
wait_exit "$GAME_PID" 20 || fail "the game kept running without its particle sheet"
[ "$EXIT_STATUS" != 0 ] || fail "a fatal error ended with status 0"
grep -q "particles.png" "$WORK/game$RUN.out" || fail "no message naming particles.png: $(cat "$WORK/game$RUN.out")"
[ -f "$SHARED/ErrorLog.txt" ] && grep -q "particles.png" "$SHARED/ErrorLog.txt" || fail "the error log does not name particles.png"
[ ! -f "$SHARED/GoodExit.dat" ] || fail "a fatal error wrote GoodExit.dat"
pass "missing particles.png: fatal at start-up, shown and logged"
