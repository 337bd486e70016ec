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
# - the CPU of the game process over QUIET seconds on each screen it can
#   reach: the title (its logo glows), the title paused with P (a still
#   screen), and the drawing layer's test scene, still and moving.
# Environment: STARTS (10), QUIET (20), SETTLE (4) seconds.
set -uo pipefail
cd "$(dirname "$0")/.."
BUILD=$(readlink -f "${1:-build}")
GAME="$BUILD/marrowdeck"
SCENE="$BUILD/tools/testscene/marrowdeck-testscene"
STARTS=${STARTS:-10}
QUIET=${QUIET:-20}
SETTLE=${SETTLE:-4}
[ -x "$GAME" ] || { echo "no game at $GAME (build first)"; exit 1; }
for tool in Xvfb xev xdotool; do
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

fresh_home() {
  local home="$WORK/home$1"
  rm -rf "$home"
  mkdir -p "$home/run"
  chmod 700 "$home/run"
  export HOME="$home" XDG_DATA_HOME="$home/share" XDG_RUNTIME_DIR="$home/run"
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

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else print int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

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

# --- Memory and CPU on the title ---------------------------------------------
fresh_home title
"$GAME" --windowed >"$WORK/game.out" 2>&1 &
GAME_PID=$!
WID=$(timeout 20 xdotool search --sync --onlyvisible --name '^Marrowdeck$' | head -1)
sleep "$SETTLE"
sleep 2 # the loading screen and the title's fade in
RSS=$(awk '/^Rss:/ { printf "%.1f", $2 / 1024 }' "/proc/$GAME_PID/smaps_rollup")
PSS=$(awk '/^Pss:/ { printf "%.1f", $2 / 1024 }' "/proc/$GAME_PID/smaps_rollup")
GL_MAPPED=$(grep -cE 'libLLVM|_dri\.so|swrast|libGLX_mesa' "/proc/$GAME_PID/maps")
THREADS=$(ls "/proc/$GAME_PID/task" | wc -l)
TITLE_CPU=$(cpu_percent "$GAME_PID" "$QUIET")
if [ -n "$WID" ]; then
  xdotool mousemove --window "$WID" 20 20 2>/dev/null
  xdotool key --window "$WID" p 2>/dev/null
fi
sleep 1
PAUSED_CPU=$(cpu_percent "$GAME_PID" "$QUIET")
stop_game

# --- The test scene ---------------------------------------------------------
SCENE_STILL="-"
SCENE_MOVING="-"
if [ -x "$SCENE" ]; then
  "$SCENE" --still >/dev/null 2>&1 &
  GAME_PID=$!
  sleep "$SETTLE"
  SCENE_STILL=$(cpu_percent "$GAME_PID" "$QUIET")
  stop_game
  "$SCENE" >/dev/null 2>&1 &
  GAME_PID=$!
  sleep "$SETTLE"
  SCENE_MOVING=$(cpu_percent "$GAME_PID" "$QUIET")
  stop_game
fi

printf '%-44s %s\n' "what (Xvfb, $(nproc) cores)" "figure"
printf '%-44s %s\n' "--------------------------------------------" "------"
printf '%-44s %s ms\n' "window map event, median of $STARTS starts" "$MAP_MEDIAN"
printf '%-44s %s\n' "windows mapped per start" "$MAP_COUNTS"
printf '%-44s %s MiB\n' "resident set, title settled" "$RSS"
printf '%-44s %s MiB\n' "proportional set, title settled" "$PSS"
printf '%-44s %s\n' "OpenGL driver mappings in the process" "$GL_MAPPED"
printf '%-44s %s\n' "threads" "$THREADS"
printf '%-44s %s %%\n' "CPU, title (glowing logo), ${QUIET} s" "$TITLE_CPU"
printf '%-44s %s %%\n' "CPU, title paused (still), ${QUIET} s" "$PAUSED_CPU"
printf '%-44s %s %%\n' "CPU, test scene still, ${QUIET} s" "$SCENE_STILL"
printf '%-44s %s %%\n' "CPU, test scene moving, ${QUIET} s" "$SCENE_MOVING"
