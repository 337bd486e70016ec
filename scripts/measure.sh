#!/usr/bin/env bash
# Measures what the game costs on a display without a graphics card: a
# benchmark that prints figures, not a test (nothing here passes or fails).
#
#   scripts/measure.sh [BUILD_DIR]        (default: build)
#
# Under its own Xvfb, each start in a fresh HOME, it reports
# - the time from the start to the window's X map event (median of STARTS
#   starts, timed by a MapNotify listener, not by polling) and how many
#   windows were mapped per start;
# - the resident and proportional set size once the title has settled, and
#   whether an OpenGL driver is still mapped into the process;
# - the CPU of the game process on each screen it can reach, the median of
#   REPEAT windows of QUIET seconds each: the title (its logo glows), the
#   title paused with P (a still screen), a Klondike table at rest after the
#   deal (the timer off, the pointer at rest), the Tri Peaks level list (its
#   header and selected frame pulse), and the drawing layer's test scene,
#   still and moving.
# Every start has the player "Tester" ready, so the title shows its menu
# rather than the first start's name prompt. The load average is printed
# before and after: the machine may be shared.
# Environment: STARTS (10), QUIET (20), REPEAT (3), SETTLE (4) seconds.
set -uo pipefail
cd "$(dirname "$0")/.."
BUILD=$(readlink -f "${1:-build}")
GAME="$BUILD/marrowdeck"
SCENE="$BUILD/tools/testscene/marrowdeck-testscene"
STARTS=${STARTS:-10}
QUIET=${QUIET:-20}
REPEAT=${REPEAT:-3}
SETTLE=${SETTLE:-4}
[ -x "$GAME" ] || { echo "no game at $GAME (build first)"; exit 1; }
for tool in Xvfb xev xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "needs $tool (scripts/deps.sh)"; exit 1; }
done

WORK=$(mktemp -d)
XVFB_PID=""
GAME_PID=""
XEV_PID=""
READER_PID=""
cleanup() {
  for pid in $GAME_PID $XEV_PID $READER_PID $XVFB_PID; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

# Our own display, the first free number from 90 on.
DISPLAY_NUMBER=90
while [ -e "/tmp/.X11-unix/X$DISPLAY_NUMBER" ] || [ -e "/tmp/.X$DISPLAY_NUMBER-lock" ]; do
  DISPLAY_NUMBER=$((DISPLAY_NUMBER + 1))
done
Xvfb ":$DISPLAY_NUMBER" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
export DISPLAY=":$DISPLAY_NUMBER"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
unset SDL_VIDEODRIVER SDL_RENDER_DRIVER SDL_FRAMEBUFFER_ACCELERATION
export ALSOFT_DRIVERS=null MARROWDECK_NO_MESSAGE_BOX=1

# A new home with the player "Tester" chosen and the table's timer off.
fresh_home() {
  local home="$WORK/home$1"
  rm -rf "$home"
  mkdir -p "$home/run"
  chmod 700 "$home/run"
  export HOME="$home" XDG_DATA_HOME="$home/share" XDG_RUNTIME_DIR="$home/run"
  local shared="$XDG_DATA_HOME/Velquor Games/Marrowdeck"
  mkdir -p "$shared/profiles"
  printf '\001\000\000\000' >"$shared/profiles/Tester.dat"
  sed 's|^PROFILE NAME=.*|PROFILE NAME=Tester\r|' "$BUILD/gamedata/data/Default.ini" >"$shared/marrowdeck.ini"
  printf 'SHOWTIMER=0\r\nFIRSTRUN=0\r\n' >"$shared/config.ini"
}

now_ms() { local t=$EPOCHREALTIME; echo $(( ${t/./} / 1000 )); }

# CPU time (user + system) of a process in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
TICKS_PER_SECOND=$(getconf CLK_TCK)

# Percent of one core a process used over $2 seconds.
cpu_percent() {
  local before after start end
  before=$(cpu_ticks "$1"); start=$(now_ms)
  sleep "$2"
  after=$(cpu_ticks "$1"); end=$(now_ms)
  awk -v t=$((after - before)) -v ms=$((end - start)) -v hz="$TICKS_PER_SECOND" \
    'BEGIN { printf "%.1f", 100 * t / hz / (ms / 1000) }'
}

stop_game() {
  [ -n "$GAME_PID" ] || return
  kill -TERM "$GAME_PID" 2>/dev/null
  for _ in $(seq 30); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$GAME_PID" 2>/dev/null
  wait "$GAME_PID" 2>/dev/null
  GAME_PID=""
}

# Starts a listener for top-level map events; each line is "ms-since-epoch line".
start_map_listener() {
  rm -f "$WORK/xev.fifo"
  mkfifo "$WORK/xev.fifo"
  while IFS= read -r line; do
    case $line in MapNotify*) echo "$(now_ms) $line" ;; esac
  done <"$WORK/xev.fifo" >"$WORK/maps" &
  READER_PID=$!
  stdbuf -oL xev -root -event substructure >"$WORK/xev.fifo" 2>/dev/null &
  XEV_PID=$!
  sleep 0.3 # the listener is selecting events before the game starts
}
stop_map_listener() {
  kill "$XEV_PID" 2>/dev/null
  wait "$XEV_PID" "$READER_PID" 2>/dev/null
  XEV_PID=""
}

# The median of REPEAT CPU windows of QUIET seconds, and their range.
cpu_median() {
  local values=() i
  for i in $(seq "$REPEAT"); do values+=("$(cpu_percent "$1" "$QUIET")"); done
  printf '%s\n' "${values[@]}" | sort -n | awk '{ v[NR] = $1 } END { printf "%s (%s..%s)", v[int((NR + 1) / 2)], v[1], v[NR] }'
}

# Screenshots of the game window, and the screens told apart by their colours.
shot() { timeout 10 import -window "$WID" "$WORK/$1.png" 2>/dev/null; }
region_rgb() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -format "%[fx:int(mean.r*255)] %[fx:int(mean.g*255)] %[fx:int(mean.b*255)]" info:
}
# The title menu: the middle of "play" shows the button's green.
is_title_menu() { read -r r g b < <(region_rgb "$1" 300 229 1 1); [ "${g:-0}" -gt "${r:-0}" ] && [ "${g:-0}" -gt 60 ]; }
# The play screen by its gold header across the top.
is_play_screen() { read -r r g b < <(region_rgb "$1" 200 85 400 30); [ "$r" -gt 100 ] && [ "$b" -lt $((r - 30)) ]; }
# The card table by its green "Undo" button at the bottom left.
is_table() {
  is_play_screen "$1" && return 1
  read -r r g b < <(region_rgb "$1" 25 518 60 8)
  [ "$g" -gt $((r + 30)) ] && [ "$g" -gt 100 ]
}
# A level list: the "standard" side of its switch in gold, the other not.
is_gold() { read -r r g b < <(region_rgb "$1" "$2" "$3" 30 12); [ "$r" -gt 150 ] && [ "$b" -lt $((r - 60)) ]; }
is_level_list() { is_gold "$1" 225 99 && ! is_gold "$1" 435 99; }
# Polls screenshots for up to $2 seconds until the predicate $1 holds for one.
wait_for() {
  local i
  for i in $(seq $(($2 * 4))); do
    if shot poll && eval "$1 \"\$WORK/poll.png\""; then return 0; fi
    kill -0 "$GAME_PID" 2>/dev/null || return 1
    sleep 0.25
  done
  return 1
}
# Waits up to $1 seconds until three screenshots half a second apart are equal.
wait_still() {
  local i same=0
  shot still0
  for i in $(seq $(($1 * 2))); do
    sleep 0.5
    shot still1
    if [ "$(compare -metric AE "$WORK/still0.png" "$WORK/still1.png" null: 2>&1 | cut -d' ' -f1)" = 0 ]; then
      same=$((same + 1))
      [ $same -ge 2 ] && return 0
    else
      same=0
    fi
    mv "$WORK/still1.png" "$WORK/still0.png"
  done
  return 1
}
# Says why a screen could not be measured and keeps the last screenshots
# (KEEP, default /tmp/measure-kept) to see what was shown instead.
keep_shots() {
  local keep=${KEEP:-/tmp/measure-kept}
  mkdir -p "$keep" && cp "$WORK"/*.png "$keep/" 2>/dev/null
  echo "$1 (last screenshots in $keep)" >&2
}
click_at() { xdotool mousemove --window "$WID" "$1" "$2"; sleep 0.3; xdotool click --window "$WID" 1; }

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else print int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

LOAD_BEFORE=$(cut -d' ' -f1-3 /proc/loadavg)

# --- Map time over STARTS starts ---------------------------------------------
: >"$WORK/maptimes"
: >"$WORK/mapcounts"
for run in $(seq "$STARTS"); do
  fresh_home "map$run"
  start_map_listener
  start=$(now_ms)
  "$GAME" --windowed >"$WORK/game.out" 2>&1 &
  GAME_PID=$!
  sleep 2.5 # splash and loading done, any second window would be mapped by now
  stop_game
  stop_map_listener
  first=$(head -1 "$WORK/maps" | cut -d' ' -f1)
  [ -n "$first" ] && echo $((first - start)) >>"$WORK/maptimes"
  wc -l <"$WORK/maps" >>"$WORK/mapcounts"
done
MAP_MEDIAN=$(median <"$WORK/maptimes")
MAP_COUNTS=$(sort -n "$WORK/mapcounts" | uniq -c | awk '{ printf "%s%s start(s) mapped %s", (NR > 1 ? ", " : ""), $1, $2 }')

# --- Memory and CPU on the title, then a Klondike table ----------------------
fresh_home title
"$GAME" --windowed >"$WORK/game.out" 2>&1 &
GAME_PID=$!
WID=$(timeout 20 xdotool search --sync --onlyvisible --name '^Marrowdeck$' | head -1)
TITLE_CPU="-" PAUSED_CPU="-" TABLE_CPU="-" RSS="-" PSS="-" GL_MAPPED="-" THREADS="-"
if [ -n "$WID" ]; then
  xdotool mousemove --window "$WID" 40 40 # at rest, away from the menu
  wait_for is_title_menu 60 || echo "the title menu did not show" >&2
  sleep "$SETTLE" # the fade in, and the first frames' allocations
  RSS=$(awk '/^Rss:/ { printf "%.1f", $2 / 1024 }' "/proc/$GAME_PID/smaps_rollup")
  PSS=$(awk '/^Pss:/ { printf "%.1f", $2 / 1024 }' "/proc/$GAME_PID/smaps_rollup")
  GL_MAPPED=$(grep -cE 'libLLVM|_dri\.so|swrast|libGLX_mesa' "/proc/$GAME_PID/maps")
  THREADS=$(ls "/proc/$GAME_PID/task" | wc -l)
  TITLE_CPU=$(cpu_median "$GAME_PID")
  xdotool key --window "$WID" p
  sleep 1
  PAUSED_CPU=$(cpu_median "$GAME_PID")
  xdotool key --window "$WID" p
  sleep 1
  # Play, then Klondike; the deal flies in and comes to rest.
  click_at 400 229
  if wait_for is_play_screen 30; then
    sleep 1 # the fade in
    click_at 640 295
    xdotool mousemove --window "$WID" 790 590
    if wait_for is_table 30 && wait_still 40; then
      sleep "$SETTLE"
      TABLE_CPU=$(cpu_median "$GAME_PID")
    else
      keep_shots "the Klondike table did not come to rest"
    fi
  else
    echo "play did not open the play screen" >&2
  fi
fi
stop_game

# --- The Tri Peaks level list, in a start of its own ---------------------------
fresh_home levels
"$GAME" --windowed >"$WORK/game.out" 2>&1 &
GAME_PID=$!
WID=$(timeout 20 xdotool search --sync --onlyvisible --name '^Marrowdeck$' | head -1)
LIST_CPU="-"
if [ -n "$WID" ]; then
  xdotool mousemove --window "$WID" 40 40
  wait_for is_title_menu 60 || echo "the title menu did not show" >&2
  sleep 1
  click_at 400 229
  if wait_for is_play_screen 30; then
    sleep 1
    click_at 400 295
    xdotool mousemove --window "$WID" 790 590
    if wait_for is_level_list 30; then
      sleep "$SETTLE"
      LIST_CPU=$(cpu_median "$GAME_PID")
    else
      echo "Tri Peaks did not open its level list" >&2
    fi
  else
    echo "play did not open the play screen" >&2
  fi
fi
stop_game

# --- The test scene ---------------------------------------------------------
SCENE_STILL="-"
SCENE_MOVING="-"
if [ -x "$SCENE" ]; then
  "$SCENE" --still >/dev/null 2>&1 &
  GAME_PID=$!
  sleep "$SETTLE"
  SCENE_STILL=$(cpu_median "$GAME_PID")
  stop_game
  "$SCENE" >/dev/null 2>&1 &
  GAME_PID=$!
  sleep "$SETTLE"
  SCENE_MOVING=$(cpu_median "$GAME_PID")
  stop_game
fi

LOAD_AFTER=$(cut -d' ' -f1-3 /proc/loadavg)
CPU_WHAT="median of $REPEAT x ${QUIET} s"
printf '%-48s %s\n' "what (Xvfb, $(nproc) cores)" "figure"
printf '%-48s %s\n' "------------------------------------------------" "------"
printf '%-48s %s ms\n' "window map event, median of $STARTS starts" "$MAP_MEDIAN"
printf '%-48s %s\n' "windows mapped per start" "$MAP_COUNTS"
printf '%-48s %s MiB\n' "resident set, title settled" "$RSS"
printf '%-48s %s MiB\n' "proportional set, title settled" "$PSS"
printf '%-48s %s\n' "OpenGL driver mappings in the process" "$GL_MAPPED"
printf '%-48s %s\n' "threads" "$THREADS"
printf '%-48s %s %%\n' "CPU, title (glowing logo), $CPU_WHAT" "$TITLE_CPU"
printf '%-48s %s %%\n' "CPU, title paused (still), $CPU_WHAT" "$PAUSED_CPU"
printf '%-48s %s %%\n' "CPU, Klondike table at rest, $CPU_WHAT" "$TABLE_CPU"
printf '%-48s %s %%\n' "CPU, Tri Peaks level list, $CPU_WHAT" "$LIST_CPU"
printf '%-48s %s %%\n' "CPU, test scene still, $CPU_WHAT" "$SCENE_STILL"
printf '%-48s %s %%\n' "CPU, test scene moving, $CPU_WHAT" "$SCENE_MOVING"
printf '%-48s %s / %s\n' "load average before / after" "$LOAD_BEFORE" "$LOAD_AFTER"
