#!/usr/bin/env bash
# The command line: version, help, unknown options, and the data folder option.
source "$(dirname "$0")/lib.sh"

[ "$("$GAME" --version)" = "1.11" ] || fail "--version printed '$("$GAME" --version)'"
"$GAME" --help >"$WORK/help.txt" 2>&1 || fail "--help failed"
grep -q -- "--windowed" "$WORK/help.txt" && grep -q -- "--data DIR" "$WORK/help.txt" || fail "help text incomplete"
pass "--version prints 1.11, --help lists the options"

"$GAME" --bogus >"$WORK/out.txt" 2>"$WORK/err.txt"
status=$?
[ "$status" = 2 ] || fail "unknown option exit status $status"
grep -q "Usage: marrowdeck" "$WORK/err.txt" || fail "no usage for an unknown option"
[ ! -e "$SHARED" ] || fail "an unknown option still created the data folder"
pass "unknown option: usage and exit status 2"

# Without any display (a start over ssh), the game says so and ends at once
# with a failure, instead of running invisibly and holding the lock.
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 10 "$GAME" --windowed >"$WORK/out.txt" 2>"$WORK/err.txt"
status=$?
[ "$status" != 0 ] && [ "$status" != 124 ] || fail "no display: exit status $status"
grep -q "No display" "$WORK/err.txt" || fail "no display: no message ($(cat "$WORK/err.txt"))"
pass "no display: a clear message and a failure status"

# A data folder named on the command line wins over the environment.
MARROWDECK_DATA=/nonexistent start_game --windowed --data "$(dirname "$GAME")/gamedata"
wait_window
wait_for_shot title is_title 20 >/dev/null || fail "--data: no title screen"
key Escape
wait_exit "$GAME_PID" 10 || fail "--data run did not end"
[ "$EXIT_STATUS" = 0 ] || fail "--data run exit status $EXIT_STATUS"
pass "--data DIR is used over MARROWDECK_DATA"
