#!/usr/bin/env bash
# The game's sound on a real device: OpenAL Soft's wave-file backend captures
# start-up through the logo splash (with its sound) to the title screen, where
# the first music track starts. Both must be audible and neither clipped.
source "$(dirname "$0")/lib.sh"

CAPTURE="$WORK/capture.wav"
printf '[general]\nchannels = stereo\nsample-type = int16\nfrequency = 44100\nhrtf = false\n[wave]\nfile = %s\n' \
  "$CAPTURE" >"$WORK/alsoft.conf"
export ALSOFT_DRIVERS=wave ALSOFT_CONF="$WORK/alsoft.conf"

started=$(date +%s.%N)
start_game
wait_window
wait_for_shot title is_title 30 >/dev/null || fail "the title screen never showed"
title_at=$(awk -v a="$(date +%s.%N)" -v b="$started" 'BEGIN { print a - b }')
sleep 3
key Escape
wait_exit "$GAME_PID" 10 || fail "the game did not end after Escape"
[ -s "$CAPTURE" ] || fail "the wave backend wrote no capture"

# RMS of both sides per half second, and the peak, of the 16-bit samples
# after the "data" chunk header.
data=$(grep -obUa data "$CAPTURE" | head -1 | cut -d: -f1)
[ -n "$data" ] || fail "no data chunk in the capture"
levels=$(od -An -v -t d2 -j $((data + 8)) "$CAPTURE" | awk '
  { for (i = 1; i <= NF; i++) { v = $i; w = int(n / 44100); s[w] += v * v; c[w]++; n++;
      if (v < 0) v = -v; if (v > peak) peak = v } }
  END { for (w = 0; w in c; w++) printf "%d %.4f\n", w, sqrt(s[w] / c[w]) / 32768; printf "peak %d\n", peak }')
peak=$(echo "$levels" | awk '$1 == "peak" { print $2 }')
loudest() { # loudest half second between two times (seconds from the start)
  echo "$levels" | awk -v from="$1" -v to="$2" '$1 != "peak" && $1 / 2 >= from && $1 / 2 < to && $2 > m { m = $2 } END { printf "%.4f", m + 0 }'
}
splash=$(loudest 0 5)
music=$(loudest "$(awk -v t="$title_at" 'BEGIN { print t + 0.5 }')" "$(awk -v t="$title_at" 'BEGIN { print t + 3 }')")
awk -v v="$splash" 'BEGIN { exit !(v > 0.01) }' || fail "the splash is not audible (RMS $splash)"
pass "the splash sound is audible (RMS $splash)"
awk -v v="$music" 'BEGIN { exit !(v > 0.01) }' || fail "no music on the title screen (RMS $music, title at ${title_at}s)"
pass "the first music track plays on the title screen (RMS $music)"
[ "$peak" -lt 32700 ] || fail "the capture clips (peak $peak)"
pass "nothing clips (peak $peak of 32767)"
