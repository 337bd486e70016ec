#!/usr/bin/env bash
# A run killed after a settings change: the next start restores the default
# settings, keeps the player's name and says "Default ini file restored!".
source "$(dirname "$0")/lib.sh"

# Run 1: an orderly first start, then the player's name in the settings.
start_game
wait_window
wait_for_shot run1_ >/dev/null is_title 15 || fail "run 1: no title screen"
key Escape
wait_exit "$GAME_PID" 10 || fail "run 1 did not end"
[ -f "$SHARED/GoodExit.dat" ] || fail "run 1: no GoodExit.dat"
sed -i 's/^PROFILE NAME=.*\r$/PROFILE NAME=Ada Tester\r/; s/^MUSIC VOLUME=.*\r$/MUSIC VOLUME=80\r/' "$SHARED/marrowdeck.ini"
[ "$(setting 'PROFILE NAME')" = "Ada Tester" ] || fail "could not set the profile name"
pass "run 1 ended normally"

# Run 2: switch to full screen with Alt+Enter (a saved settings change), then die.
start_game
wait_window
wait_for_shot run2_ is_title 15 >/dev/null || fail "run 2: no title screen"
[ ! -f "$SHARED/GoodExit.dat" ] || fail "run 2: the good-exit marker was not consumed"
xdotool keydown --window "$WID" alt; sleep 0.1; key Return; sleep 0.1; xdotool keyup --window "$WID" alt
for i in $(seq 1 30); do [ "$(setting 'FULL SCREEN')" = 1 ] && break; sleep 0.1; done
[ "$(setting 'FULL SCREEN')" = 1 ] || fail "run 2: Alt+Enter did not save full screen"
[ -f "$SHARED/inichanged.dat" ] || fail "run 2: no settings-changed marker"
kill -9 "$GAME_PID"
wait "$GAME_PID" 2>/dev/null
[ ! -f "$SHARED/GoodExit.dat" ] || fail "run 2: a killed run left GoodExit.dat"
pass "run 2 changed a setting and was killed"

# Run 3: recovery. The killed run's writes might have left temporary files;
# plant some (as a write killed half-way leaves them) beside one that only
# looks like them: the start removes ours and nothing else.
for f in "$SHARED/marrowdeck.ini.tmp-Ab12Cd" "$SHARED/profiles/klondike.hsdat.tmp-x9Y8z7" \
         "$SHARED/profiles/Tester.ksave.tmp-QQ11ww" "$SHARED/profiles/notes.tmp-keep"; do
  printf 'half a write' >"$f"
  touch -d '1 hour ago' "$f"
done
start_game
wait_window
grep -q "Default ini file restored!" "$WORK/game$RUN.out" || fail "run 3: no restore message"
[ "$(setting 'FULL SCREEN')" = 0 ] || fail "run 3: full screen not restored to the default"
[ "$(setting 'MUSIC VOLUME')" = 50 ] || fail "run 3: music volume not restored to the default"
[ "$(setting 'PROFILE NAME')" = "Ada Tester" ] || fail "run 3: profile name lost: '$(setting 'PROFILE NAME')'"
[ "$(settings_keys)" = "$SETTINGS_KEYS" ] || fail "run 3: settings keys differ"
pass "run 3 restored the defaults and kept PROFILE NAME"
for f in "$SHARED/marrowdeck.ini.tmp-Ab12Cd" "$SHARED/profiles/klondike.hsdat.tmp-x9Y8z7" \
         "$SHARED/profiles/Tester.ksave.tmp-QQ11ww"; do
  [ ! -e "$f" ] || fail "run 3: the stale temporary file $(basename "$f") is still there"
done
[ -f "$SHARED/profiles/notes.tmp-keep" ] || fail "run 3: a file that is not ours was removed"
pass "run 3 removed the killed writes' temporary files"
wait_for_shot run3_ is_title 15 >/dev/null || fail "run 3: no title screen"
key Escape
wait_exit "$GAME_PID" 10 || fail "run 3 did not end"
pass "run 3 ended normally"
