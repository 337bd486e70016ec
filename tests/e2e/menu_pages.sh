# Helpers of the end-to-end tests of the pages the title screen leads to
# (options, help, high scores), sourced after lib.sh.

# Middles of the title menu's buttons.
TITLE_HELP_Y=289
TITLE_OPTIONS_Y=349
TITLE_HIGHSCORE_Y=409
# Middles of the pages' buttons: "ok" alone, "ok" and "clear" in a row, and
# the variant row "matching", "tripeaks", "klondike".
PAGE_OK_X=400 PAGE_OK_Y=560
ROW_OK_X=327 ROW_CLEAR_X=472
VARIANT_Y=136 MATCHING_X=215 TRIPEAKS_X=400 KLONDIKE_X=585

# A page shows at full brightness: the dark panel on the left, the red title
# background bright at the very edge of the screen.
is_page() {
  local r g b r2 g2 b2
  read -r r g b < <(region_rgb "$1" 60 300 40 60)
  read -r r2 g2 b2 < <(region_rgb "$1" 8 300 30 60)
  [ "$r" -lt 40 ] && [ "$r2" -gt $((g2 + 30)) ] && [ "$r2" -gt 50 ]
}

# Waits for a page and then for its fade in; prints nothing, fails quietly.
wait_page() { wait_for_shot "$1" is_page 20 >/dev/null && sleep 0.8; }

# Presses the left button at (x1, y) and lets it go at (x2, y), moving in steps.
drag_x() {
  local x1=$1 x2=$2 y=$3 steps=8 i
  xdotool mousemove --window "$WID" "$x1" "$y"
  sleep 0.3
  xdotool mousedown --window "$WID" 1
  for i in $(seq 1 $steps); do
    xdotool mousemove --window "$WID" $((x1 + (x2 - x1) * i / steps)) "$y"
    sleep 0.05
  done
  sleep 0.3
  xdotool mouseup --window "$WID" 1
}

# Seconds since a time taken with `date +%s.%N`.
since() { awk -v a="$(date +%s.%N)" -v b="$1" 'BEGIN { printf "%.2f", a - b }'; }

# The game's sound goes to a wave file ($1) through OpenAL Soft's wave backend.
use_wave_capture() {
  printf '[general]\nchannels = stereo\nsample-type = int16\nfrequency = 44100\nhrtf = false\n[wave]\nfile = %s\n' \
    "$1" >"$WORK/alsoft.conf"
  export ALSOFT_DRIVERS=wave ALSOFT_CONF="$WORK/alsoft.conf"
}

# RMS (0..1) of every half second of a 16-bit stereo wave capture ($1), one
# "index rms" line each.
capture_levels() {
  local data
  data=$(grep -obUa data "$1" | head -1 | cut -d: -f1)
  [ -n "$data" ] || return 1
  od -An -v -t d2 -j $((data + 8)) "$1" | awk '
    { for (i = 1; i <= NF; i++) { v = $i; w = int(n / 44100); s[w] += v * v; c[w]++; n++ } }
    END { for (w = 0; w in c; w++) printf "%d %.5f\n", w, sqrt(s[w] / c[w]) / 32768 }'
}

# The loudest half second of the levels ($1) between two times in seconds.
loudest_between() {
  echo "$1" | awk -v from="$2" -v to="$3" '$1 / 2 >= from && ($1 + 1) / 2 <= to && $2 > m { m = $2 } END { printf "%.5f", m + 0 }'
}
