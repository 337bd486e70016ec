#!/usr/bin/env bash
# The installed game in an Xvfb window: it reaches the title screen on the
# data it finds through ../share/marrowdeck/, its window carries the menu
# entry's class and an icon, and without that folder it cannot start.
# Usage: installed_game.sh <prefix>/bin/marrowdeck <application id>
ID=${2:?usage: $0 <installed marrowdeck> <application id>}
source "$(dirname "$(readlink -f "$0")")/../e2e/lib.sh"
cd "$WORK"
PREFIX=$(dirname "$(dirname "$GAME")")

start_game --windowed
wait_window
wait_for_shot title is_title 30 >/dev/null || fail "the installed game did not reach its title screen"
pass "the installed game shows its title screen"

class=$(xprop -id "$WID" WM_CLASS)
[ "$class" = "WM_CLASS(STRING) = \"$ID\", \"$ID\"" ] || fail "window class: $class"
icon=$(xprop -id "$WID" -notype 32c _NET_WM_ICON | head -c 200)
[[ "$icon" == "_NET_WM_ICON = 64, 64, "* ]] || fail "window icon: $icon"
pass "the window's class is $ID and it carries the 64 x 64 icon"

key Escape
wait_exit "$GAME_PID" 15 || fail "the installed game did not end"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"

# The control: with the installed data moved away the same binary fails, so
# the run above did use the installed tree.
mv "$PREFIX/share/marrowdeck" "$PREFIX/share/marrowdeck.away"
start_game --windowed
wait_exit "$GAME_PID" 20 || fail "the game kept running without its installed data"
mv "$PREFIX/share/marrowdeck.away" "$PREFIX/share/marrowdeck"
[ "$EXIT_STATUS" != 0 ] || fail "the game ended normally without its data"
grep -qE "$PREFIX/(bin/\.\./)?share/marrowdeck/" "$WORK/game$RUN.out" || fail "the failure does not name the installed data folder"
pass "without $PREFIX/share/marrowdeck the installed game stops and names that folder"
