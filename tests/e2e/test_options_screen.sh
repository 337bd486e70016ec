#!/usr/bin/env bash
# The options page in a real window. The music plays on when the page opens;
# the music slider dragged to 0 and "ok" write "MUSIC VOLUME=0", and the music
# (captured through OpenAL Soft's wave-file backend) stays silent after the
# fade; the next start shows the slider at 0. "showtimer" and "ok" write the
# setting to "config".
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menu_pages.sh"

CAPTURE="$WORK/capture.wav"
use_wave_capture "$CAPTURE"
started=$(date +%s.%N)
start_game --windowed
wait_window
wait_title_menu
click_at 400 $TITLE_OPTIONS_Y
xdotool mousemove --window "$WID" 40 40
wait_page options || fail "the options page did not show"
page_at=$(since "$started")
shot options
sleep 2

# The knob of the music slider rests at 50 (x 476..496); drag it past the left end.
drag_x 486 330 151
sleep 0.5
shot options_music0
click_at $PAGE_OK_X $PAGE_OK_Y
xdotool mousemove --window "$WID" 40 40
wait_for_shot back is_title 20 >/dev/null || fail "ok did not lead to the title screen"
title_at=$(since "$started")
# Long enough that the Escape click lands well after the silent stretch
# checked below, even when the capture started late or runs behind.
sleep 5
key Escape
wait_exit "$GAME_PID" 10 || fail "the game did not end after Escape"
[ "$(setting 'MUSIC VOLUME')" = 0 ] || fail "the settings hold MUSIC VOLUME=$(setting 'MUSIC VOLUME')"
pass "ok wrote MUSIC VOLUME=0"

levels=$(capture_levels "$CAPTURE") || fail "no capture"
before=$(loudest_between "$levels" "$(awk -v t="$page_at" 'BEGIN { print t + 0.5 }')" \
  "$(awk -v t="$page_at" 'BEGIN { print t + 2 }')")
after=$(loudest_between "$levels" "$(awk -v t="$title_at" 'BEGIN { print t + 0.5 }')" \
  "$(awk -v t="$title_at" 'BEGIN { print t + 2 }')")
awk -v v="$before" 'BEGIN { exit !(v > 0.01) }' || fail "no music on the options page (RMS $before at ${page_at}s)"
pass "the music plays on when the options page opens (RMS $before)"
awk -v v="$after" 'BEGIN { exit !(v < 0.0005) }' || fail "the music is not silent after the fade (RMS $after)"
pass "the music is silent after the fade (RMS $after)"

# Started again, the slider shows 0: its knob sits at the left end of the track.
export ALSOFT_DRIVERS=null
start_game --windowed
wait_window
wait_title_menu
click_at 400 $TITLE_OPTIONS_Y
xdotool mousemove --window "$WID" 40 40
wait_page again || fail "the options page did not show after the restart"
shot options_restarted
knob() { read -r r g b < <(region_rgb "$SHOTS/options_restarted.png" "$1" 146 8 10); [ "$r" -gt $((b + 60)) ]; }
knob 364 || fail "no knob at the left end of the music slider"
knob 482 && fail "the music knob still rests in the middle"
pass "after a restart the music slider shows 0"

# "showtimer" and ok: the option is written to "config" at once.
grep -q "SHOWTIMER=0" "$SHARED/config.ini" || fail "config.ini does not start with SHOWTIMER=0"
click_at 400 319
sleep 0.5
shot options_timer
click_at $PAGE_OK_X $PAGE_OK_Y
xdotool mousemove --window "$WID" 40 40
wait_for_shot back2_ is_title 20 >/dev/null || fail "ok did not lead to the title screen"
tr -d '\r' <"$SHARED/config.ini" | grep -qx "SHOWTIMER=1" || fail "config.ini: $(cat "$SHARED/config.ini")"
pass "showtimer and ok write SHOWTIMER=1 to config"

# Klondike then shows the running time above the score at the bottom left:
# the text there changes from one second to the next.
open_klondike
sleep 1
changed=$(change_over timer 2.2 110 505 200 30)
[ "$changed" -gt 20 ] || fail "no running time on the Klondike table ($changed pixels changed)"
pass "the Klondike table shows the running time ($changed pixels changed in two seconds)"
key Escape
sleep 0.5
key Escape
wait_exit "$GAME_PID" 20 || kill "$GAME_PID" 2>/dev/null
