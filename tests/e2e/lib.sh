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

# In the sanitizer build every report of the game and of the tools a test
# runs is written to a file here (standard error stays what the test reads);
# any report fails the test, however the test itself ended.
SANITIZER_LOGS="$WORK/sanitizer"
mkdir -p "$SANITIZER_LOGS"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}log_path=$SANITIZER_LOGS/asan"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}log_path=$SANITIZER_LOGS/ubsan"

sanitizer_reports() {
  local report found=1
  for report in "$SANITIZER_LOGS"/*; do
    [ -s "$report" ] || continue
    echo "FAIL: sanitizer report $(basename "$report")"
    cat "$report"
    found=0
  done
  return $found
}

cleanup() {
  local status=$?
  if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then kill -9 "$GAME_PID" 2>/dev/null; fi
  sanitizer_reports && status=1
  if [ -z "${E2E_KEEP:-}" ]; then rm -rf "$WORK"; else echo "kept $WORK"; fi
  exit $status
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  [ -f "$WORK/game$RUN.out" ] && { echo "--- game output"; cat "$WORK/game$RUN.out"; }
  exit 1
}
pass() { echo "ok: $*"; }

# The game's own default settings (the build tree's data, else an installed copy's).
default_settings() {
  local dir
  dir=$(dirname "$GAME")
  for f in "$dir/gamedata/data/Default.ini" "$dir/../share/marrowdeck/data/Default.ini"; do
    [ -f "$f" ] && { cat "$f"; return; }
  done
  printf 'PROFILE NAME=\r\n'
}

# A player the game finds at start: its marker file (the int32 1) in the
# profile folder. With a second argument, the settings file is made from the
# defaults with "PROFILE NAME" set to that value (when $3 is "keep", only
# when there is no settings file yet).
plant_player() {
  mkdir -p "$SHARED/profiles"
  printf '\001\000\000\000' >"$SHARED/profiles/$1.dat"
  if [ $# -ge 2 ] && ! { [ "${3:-}" = keep ] && [ -f "$SHARED/marrowdeck.ini" ]; }; then
    default_settings | sed "s|^PROFILE NAME=.*|PROFILE NAME=$2\r|" >"$SHARED/marrowdeck.ini"
  fi
}

# Starts the game in the background; its output goes to $WORK/game<N>.out.
# A start without players finds the player "Tester" ready, so that the title
# menu shows at once; E2E_NO_PLAYER=1 leaves the players alone (a first start
# then shows the name prompt).
start_game() {
  if [ -z "${E2E_NO_PLAYER:-}" ] && ! ls "$SHARED/profiles/"?*.dat >/dev/null 2>&1; then
    plant_player Tester Tester keep
  fi
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

# A screenshot of the game's window, $SHOTS/$1.png; further arguments go to
# ImageMagick's import. A window that closes mid-capture can leave import
# waiting for ever: bound it.
shot() {
  local name=$1
  shift
  timeout 10 import -window "$WID" "$@" "$SHOTS/$name.png" 2>/dev/null
}

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
    if [ -f "$SHOTS/$prefix$i.png" ] && eval "$predicate \"\$SHOTS/$prefix$i.png\""; then
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
# A click held for a moment, so that the cards see the button down for a few frames.
press_at() {
  xdotool mousemove --window "$WID" "$1" "$2"; sleep 0.3
  xdotool mousedown --window "$WID" 1; sleep 0.15; xdotool mouseup --window "$WID" 1
}

# Per cent (0..100) of near-white pixels in a region: the face of a card.
white_share() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -fx "(r>0.75&&g>0.75&&b>0.75)?1:0" -format "%[fx:int(mean*100)]" info:
}

# Pixels that differ between two screenshots in a region: file1 file2 x y w h.
changed_pixels() {
  local n
  n=$(compare -metric AE -fuzz 8% -crop "$5x$6+$3+$4" "$1" "$2" null: 2>&1 | cut -d' ' -f1)
  echo "${n%%.*}"
}

# The play screen by its gold header across the top (gold: green about as
# strong as red, which the burgundy felt and the walnut of the card table lack).
is_play_screen() {
  read -r r g b < <(region_rgb "$1" 200 85 400 30)
  [ "$r" -gt 100 ] && [ "$b" -lt $((r - 30)) ] && [ "$g" -gt $((r - 20)) ]
}
# The card table (any of its backgrounds) by its green "Undo" button at the bottom left.
is_table() {
  is_play_screen "$1" && return 1
  read -r r g b < <(region_rgb "$1" 25 518 60 8)
  [ "$g" -gt $((r + 30)) ] && [ "$g" -gt 100 ]
}
# The pause menu and the dialogs dim the table: the green "Undo" button turns dark.
is_dimmed() { read -r r g b < <(region_rgb "$1" 25 518 60 8); [ "$g" -lt 80 ]; }

# Waits up to $2 seconds for the file $1 to exist.
wait_file() {
  local limit=$(( ${2:-10} * 10 )) i=0
  while [ ! -s "$1" ] && [ $i -lt $limit ]; do sleep 0.1; i=$((i + 1)); done
  [ -s "$1" ]
}

# Waits until three screenshots 0.3 s apart agree (nothing moving any more); prints the last.
wait_still() {
  local prefix=$1 limit=$(( ${2:-20} * 3 )) i=0 same=0
  shot "${prefix}0"
  while [ $i -lt $limit ]; do
    sleep 0.3
    i=$((i + 1))
    shot "$prefix$i"
    if [ "$(changed_pixels "$SHOTS/$prefix$((i - 1)).png" "$SHOTS/$prefix$i.png" 0 0 800 600)" -lt 30 ]; then
      same=$((same + 1))
    else
      same=0
    fi
    if [ $same -ge 2 ]; then
      echo "$SHOTS/$prefix$i.png"
      return 0
    fi
  done
  return 1
}

# Clicks at (x, y), then takes screenshots named <prefix>N until <predicate>
# holds for one, for up to $5 seconds; prints the matching file. A click the
# screen did not take (a menu takes no clicks while it fades, and a loaded
# machine may show a screen well before its fade has ended) is made again
# whenever <unchanged> still holds three seconds after the last click.
click_until() {
  local x=$1 y=$2 predicate=$3 prefix=$4 limit=$5 unchanged=$6 start clicked now i=0
  click_at "$x" "$y"
  start=$(date +%s); clicked=$start
  while :; do
    shot "$prefix$i"
    if [ -f "$SHOTS/$prefix$i.png" ]; then
      if eval "$predicate \"\$SHOTS/$prefix$i.png\""; then
        echo "$SHOTS/$prefix$i.png"
        return 0
      fi
      now=$(date +%s)
      if [ $((now - clicked)) -ge 3 ] && eval "$unchanged \"\$SHOTS/$prefix$i.png\""; then
        echo "the click at $x,$y was not taken: clicking again" >&2
        click_at "$x" "$y"
        clicked=$(date +%s)
      fi
    fi
    kill -0 "$GAME_PID" 2>/dev/null || return 1
    [ $(($(date +%s) - start)) -lt "$limit" ] || return 1
    i=$((i + 1))
    sleep 0.2
  done
}

# The play screen taking clicks: with the pointer on "klondike" (as
# click_at leaves it) the button has grown and lit up at full brightness
# (the menu follows the mouse only once its fade has ended, and a fade dims
# it), its face above the label a light green.
klondike_menu_live() {
  is_play_screen "$1" || return 1
  read -r r g b < <(region_rgb "$1" 600 340 80 10)
  [ "$g" -gt 130 ] && [ "$g" -gt $((r + 50)) ]
}

# Title -> play screen -> Klondike, waiting for each; the deal then flies in.
open_klondike() {
  PLAY_SHOT=$(click_until 400 229 is_play_screen play 60 is_title) || fail "play did not open the play screen"
  choose_klondike
}
# The game started in a window and Klondike opened from its title; waits
# until the deal has come to rest (DEALT: that screenshot).
start_klondike() {
  start_game --windowed
  wait_window
  wait_title_menu
  open_klondike
  DEALT=$(wait_still dealt 40) || fail "the deal never came to rest"
}
# "klondike" on the play screen, once the screen takes the mouse.
choose_klondike() {
  xdotool mousemove --window "$WID" 640 295
  wait_for_shot hover klondike_menu_live 30 >/dev/null || fail "the play screen did not take the mouse"
  click_until 640 295 is_table table 60 klondike_menu_live >/dev/null || fail "klondike did not open the card table"
  xdotool mousemove --window "$WID" 790 590
}

# The seven column tops of a fresh deal: card centres.
COLUMN_TOPS="120,205 210,225 300,245 390,265 480,285 570,305 660,325"
# 0 when every column top shows its face.
tops_face_up() {
  local top x y
  for top in $COLUMN_TOPS; do
    x=${top%,*}; y=${top#*,}
    [ "$(white_share "$1" $((x - 30)) $((y - 10)) 60 40)" -gt 25 ] || return 1
  done
}

# Not dimmed any more: the pause menu or dialog has gone.
is_bright() { is_table "$1"; }

# Drags with the left button from (x1, y1) to (x2, y2) in small steps, as a hand does.
drag_to() {
  local i
  xdotool mousemove --window "$WID" "$1" "$2"; sleep 0.2
  xdotool mousedown --window "$WID" 1; sleep 0.4
  for i in 1 2 3 4 5 6 7 8 9 10 11 12; do
    xdotool mousemove --window "$WID" $(( $1 + ($3 - $1) * i / 12 )) $(( $2 + ($4 - $2) * i / 12 )); sleep 0.1
  done
  sleep 0.5
  shot dragging
  xdotool mouseup --window "$WID" 1
  # The game takes the drop where the button came up: leave the pointer there
  # for a few ticks rather than moving it away in the same moment.
  sleep 0.3
  xdotool mousemove --window "$WID" 790 590
}

# The pause menu's buttons (centres) and the save-game manager's.
PAUSE_SAVE="400 322" PAUSE_LOAD="400 366" PAUSE_BACK="400 410"
MANAGER_LOAD="505 480"
# Opens the pause menu with Escape and waits for it.
open_pause_menu() {
  key Escape
  PAUSE_SHOT=$(wait_for_shot pause is_dimmed 15) || fail "Escape did not open the pause menu"
  sleep 0.4 # the fade in
}
# Loads the saved game on row $1 (1 = first) of the save-game manager, from the open pause menu.
is_manager() { [ "$(region_level "$1" 200 260 340 120)" -lt 12 ]; }
load_row() {
  press_at $PAUSE_LOAD
  wait_for_shot manager is_manager 15 >/dev/null || fail "the save-game manager did not open"
  sleep 0.8 # until it has slid in and takes the mouse
  local try
  for try in 1 2 3; do
    press_at 250 $(( 183 + ($1 - 1) * MANAGER_ROW ))
    sleep 0.4
    press_at $MANAGER_LOAD
    wait_for_shot managergone "! is_manager" 4 >/dev/null && return 0
  done
  fail "the save-game manager did not load row $1"
}
MANAGER_ROW=30 # the list's line height

# From the open pause menu: "savegame", the name $1 typed and Return; waits
# for the saved game $2 to be written.
save_as() {
  click_at $PAUSE_SAVE
  sleep 1 # the dialog slides in
  shot "name_dialog_$1"
  xdotool type --window "$WID" --delay 60 "$1"
  sleep 0.3
  key Return
  wait_file "$2" 15
}
# The table of a saved game without its play time (line 2), which runs on.
table_of() { tr -d '\r' <"$1" | sed 2d; }
# Pixels of a region (x y w h: $3..$6) that change over $2 seconds, between
# the screenshots <prefix>1 and <prefix>2.
change_over() {
  shot "${1}1"
  sleep "$2"
  shot "${1}2"
  changed_pixels "$SHOTS/${1}1.png" "$SHOTS/${1}2.png" "$3" "$4" "$5" "$6"
}
