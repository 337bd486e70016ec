# Shared helpers of the end-to-end tests, sourced by each test_*.sh with the
# game's path as $1. Each test runs the real game in its own Xvfb display with
# a fresh home and data folder, drives it with xdotool and checks what shows
# (ImageMagick screenshots) and what lands on disk.
set -u

GAME=$(readlink -f "$1")
if [ -z "${E2E_IN_XVFB:-}" ]; then
  export E2E_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

# A real window, no audio device, and system messages on standard error
# (a message box would wait for a click nobody makes).
unset SDL_VIDEODRIVER SDL_RENDER_DRIVER
export ALSOFT_DRIVERS=null MARROWDECK_NO_MESSAGE_BOX=1

WORK=$(mktemp -d)
export HOME="$WORK/home" XDG_DATA_HOME="$WORK/share" XDG_RUNTIME_DIR="$WORK/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
SHARED="$XDG_DATA_HOME/Velquor Games/Marrowdeck"
SHOTS="${E2E_SHOTS:-$WORK/shots}"
mkdir -p "$SHOTS"
GAME_PID=""
WID=""
RUN=0

cleanup() {
  if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then kill -9 "$GAME_PID" 2>/dev/null; fi
  if [ -z "${E2E_KEEP:-}" ]; then rm -rf "$WORK"; else echo "kept $WORK"; fi
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  [ -f "$WORK/game$RUN.out" ] && { echo "--- game output"; cat "$WORK/game$RUN.out"; }
  exit 1
}
pass() { echo "ok: $*"; }

# Starts the game in the background; its output goes to $WORK/game<N>.out.
start_game() {
  RUN=$((RUN + 1))
  "$GAME" "$@" >"$WORK/game$RUN.out" 2>&1 &
  GAME_PID=$!
}

# Waits for the visible "Marrowdeck" window and focuses it.
wait_window() {
  WID=$(timeout 30 xdotool search --sync --onlyvisible --name '^Marrowdeck$' | head -1)
  [ -n "$WID" ] || fail "no Marrowdeck window"
  xdotool windowfocus "$WID" 2>/dev/null || true
}

# Waits up to $2 seconds for the game to end; sets EXIT_STATUS.
wait_exit() {
  local limit=$(( ${2:-10} * 10 )) i=0
  while kill -0 "$1" 2>/dev/null && [ $i -lt $limit ]; do sleep 0.1; i=$((i + 1)); done
  if kill -0 "$1" 2>/dev/null; then EXIT_STATUS=timeout; return 1; fi
  wait "$1" 2>/dev/null
  EXIT_STATUS=$?
}

# A window that closes mid-capture can leave import waiting for ever: bound it.
shot() { timeout 10 import -window "$WID" "$SHOTS/$1.png" 2>/dev/null; }

key() { xdotool key --window "$WID" "$@"; }

# Mean red, green and blue (0..255) of a region of a screenshot: file x y w h.
region_rgb() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -format "%[fx:int(mean.r*255)] %[fx:int(mean.g*255)] %[fx:int(mean.b*255)]" info:
}

# Mean brightness (0..255) of a region.
region_level() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -colorspace Gray -format "%[fx:int(mean*255)]" info:
}

# Screens told apart by their backgrounds: the loading screen is green, the
# title red; both sampled left of centre, away from text and frames.
is_loading() { read -r r g b < <(region_rgb "$1" 60 300 60 60); [ "$g" -gt $((r + 10)) ]; }
is_title() { read -r r g b < <(region_rgb "$1" 60 300 60 60); [ "$r" -gt $((g + 20)) ] && [ "$r" -gt 60 ]; }

# Takes screenshots named <prefix>N until <predicate> holds for one, for up
# to $3 seconds; prints the matching file.
wait_for_shot() {
  local prefix=$1 predicate=$2 limit=$(( ${3:-10} * 5 )) i=0
  while [ $i -lt $limit ]; do
    shot "$prefix$i"
    if [ -f "$SHOTS/$prefix$i.png" ] && $predicate "$SHOTS/$prefix$i.png"; then
      echo "$SHOTS/$prefix$i.png"
      return 0
    fi
    i=$((i + 1))
    sleep 0.15
  done
  return 1
}

SETTINGS_KEYS="FULL SCREEN|SOUND|MUSIC|SPEECH|SOUND VOLUME|MUSIC VOLUME|SPEECH VOLUME|FADE|PARTICLES|PORTAL SPLASH|PORTAL SPLASH2|INTRO|VSYNC|DRIVER|SOUND DRIVER|FULL SCREEN PROCESS PRIORITY|FULL SCREEN THREAD PRIORITY|WINDOWED PROCESS PRIORITY|WINDOWED THREAD PRIORITY|PROFILE NAME|REGION|SUB-REGION"

# The keys of the settings file, in order, joined with "|".
settings_keys() { tr -d '\r' <"$SHARED/marrowdeck.ini" | cut -d= -f1 | paste -sd'|'; }

# The value of a key in the settings file.
setting() { tr -d '\r' <"$SHARED/marrowdeck.ini" | grep "^$1=" | head -1 | cut -d= -f2-; }

# Parks the pointer in a corner and waits (splash and loading) until the title
# menu shows: the middle of "play" turns to the button's green; then the fade in.
wait_title_menu() {
  xdotool mousemove --window "$WID" 40 40
  local i r g b
  for i in $(seq 1 90); do
    if shot "wait$i"; then
      read -r r g b < <(region_rgb "$SHOTS/wait$i.png" 300 229 1 1)
      if [ "${g:-0}" -gt "${r:-0}" ] && [ "${g:-0}" -gt 60 ]; then sleep 1; return 0; fi
    fi
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before the title menu appeared"
    sleep 0.5
  done
  fail "the title menu did not appear"
}

# Moves the pointer to (x, y) of the game and clicks the left button there.
click_at() { xdotool mousemove --window "$WID" "$1" "$2"; sleep 0.3; xdotool click --window "$WID" 1; }
