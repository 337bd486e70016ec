#!/usr/bin/env bash
# A data folder without "data.pak": the game shows the "Data Pak Error" text
# and ends in order, with a failure status, before any window opens, writing
# no "config" file. A game text without that entry shows a built-in message.
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
[ "$EXIT_STATUS" != 0 ] || fail "a missing data pack ended with status 0"
expected=$(awk 'BEGIN{RS="\r?\n"} found==1 {print; exit} toupper($0)=="DATA PAK ERROR" {found=1}' "$source_data/data/text/gametext.txt")
[ -n "$expected" ] || fail "no \"Data Pak Error\" text in gametext.txt"
grep -qF "$expected" "$WORK/game$RUN.out" || fail "the Data Pak Error text was not shown"
[ -f "$SHARED/GoodExit.dat" ] || fail "no GoodExit.dat after the orderly end"
[ ! -f "$SHARED/config.ini" ] || fail "config.ini was written before it was loaded"
[ -f "$SHARED/ErrorLog.txt" ] && grep -qF "$expected" "$SHARED/ErrorLog.txt" || fail "the error log does not hold the message"
pass "missing data.pak: message shown and logged, orderly end with a failure status, no config.ini"

# The same with a game text that lacks the entry (a damaged or partial file).
rm "$broken/data/text"
mkdir -p "$broken/data/text"
awk 'BEGIN{RS="\r?\n"} toupper($0)=="DATA PAK ERROR" {skip=2} skip>0 {skip--; next} {print}' \
  "$source_data/data/text/gametext.txt" >"$broken/data/text/gametext.txt"
grep -qi "^Data Pak Error" "$broken/data/text/gametext.txt" && fail "the entry is still in the damaged text"
rm -rf "$SHARED"
start_game --data "$broken"
wait_exit "$GAME_PID" 20 || fail "the game kept running without its data pack"
[ "$EXIT_STATUS" != 0 ] || fail "a missing data pack ended with status 0"
grep -qF "could not find its game data" "$WORK/game$RUN.out" || fail "no built-in message ($(cat "$WORK/game$RUN.out"))"
pass "missing data.pak and no text for it: the built-in message"
