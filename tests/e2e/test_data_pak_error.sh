#!/usr/bin/env bash
# A data folder without "data.pak": the game shows the "Data Pak Error" text
# and ends in order before any window opens, writing no "config" file.
source "$(dirname "$0")/lib.sh"

source_data="$(dirname "$GAME")/gamedata"
broken="$WORK/broken"
mkdir -p "$broken/data"
for entry in "$source_data"/data/*; do
  [ "$(basename "$entry")" = resources ] || ln -s "$entry" "$broken/data/$(basename "$entry")"
done
mkdir -p "$broken/data/resources"

start_game --data "$broken"
wait_exit "$GAME_PID" 20 || fail "the game kept running without its data pack"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
expected=$(awk 'BEGIN{RS="\r?\n"} found==1 {print; exit} toupper($0)=="DATA PAK ERROR" {found=1}' "$source_data/data/text/gametext.txt")
[ -n "$expected" ] || fail "no \"Data Pak Error\" text in gametext.txt"
grep -qF "$expected" "$WORK/game$RUN.out" || fail "the Data Pak Error text was not shown"
[ -f "$SHARED/GoodExit.dat" ] || fail "no GoodExit.dat after the orderly end"
[ ! -f "$SHARED/config.ini" ] || fail "config.ini was written before it was loaded"
[ -f "$SHARED/ErrorLog.txt" ] && grep -qF "$expected" "$SHARED/ErrorLog.txt" || fail "the error log does not hold the message"
pass "missing data.pak: message shown and logged, orderly end, no config.ini"
