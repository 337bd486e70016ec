#!/usr/bin/env bash
# Players in a real window. A first start asks for a name with no cancel
# button; "../x" is refused with the error dialog; "Anna" is greeted and
# stored. "Change Player" creates "Ben" (current at once), refuses an eighth
# player, deletes after the yes/no question; Escape and Cancel keep the
# current player. A settings file naming "../../evil" opens the manager,
# nothing is made outside the profile folder, and the last player stays.
source "$(dirname "$0")/lib.sh"
export E2E_NO_PLAYER=1
PROFILES="$SHARED/profiles"

# What the screen shows, told by colours of fixed places (800 x 600 window).
green_at() { read -r r g b < <(region_rgb "$1" "$2" "$3" 10 8); [ "$g" -gt $((r + 30)) ] && [ "$g" -gt 70 ]; }
# A dialog's buttons sit at y 373: "OK" alone in the middle, or a pair at 337 and 462
# (sampled beside their labels).
single_button() { green_at "$1" 360 369 && ! green_at "$1" 298 369; }
button_pair() { green_at "$1" 298 369 && green_at "$1" 500 369; }
# Red text on the wide error panel.
error_shown() { read -r r g b < <(region_rgb "$1" 240 232 320 16); [ "$r" -gt $((g + 20)) ]; }
no_error() { ! error_shown "$1"; }
# The title menu: "Play" at its brightest green, undimmed.
title_ready() { read -r r g b < <(region_rgb "$1" 300 229 1 1); [ "${g:-0}" -gt "${r:-0}" ] && [ "${g:-0}" -gt 60 ]; }
# The manager's black list box, below any dialog over it.
manager_open() { [ "$(region_level "$1" 195 415 30 20)" -lt 8 ]; }
manager_closed() { ! manager_open "$1"; }
# White text in the welcome line above "Change Player".
welcome_shown() {
  [ "$(convert "$1" -crop 200x18+300+535 +repage -colorspace Gray -format "%[fx:int(maxima*255)]" info:)" -gt 230 ]
}
click_at() { xdotool mousemove --window "$WID" "$1" "$2" click 1; }
# The manager's buttons (y 483) and its list rows (30 pixels from y 140).
click_button() {
  case $1 in OK) click_at 241 483 ;; Create) click_at 347 483 ;; Delete) click_at 453 483 ;; Cancel) click_at 559 483 ;; esac
}
# Clicks a list row until its selection bar (blue) shows.
click_row() {
  local y=$((155 + 30 * $1)) i
  for i in 1 2 3 4 5; do
    click_at 400 "$y"
    sleep 0.4
    shot "row$1_$i"
    read -r r g b < <(region_rgb "$SHOTS/row$1_$i.png" 200 $((y - 5)) 20 10)
    [ "$b" -gt $((r + 60)) ] && return 0
    sleep 0.6 # two clicks on the row are a double click: wait past it
  done
  fail "row $1 was not selected"
}
type_text() { xdotool type --window "$WID" --delay 120 "$1"; }
# Waits for `predicate`, failing with `what`; keeps the matching shot as name.png.
expect() {
  local name=$1 predicate=$2 what=$3 seconds=${4:-15} found
  found=$(wait_for_shot "${name}_" "$predicate" "$seconds") || fail "$what"
  cp "$found" "$SHOTS/$name.png"
}
welcome_crop() { convert "$SHOTS/$1.png" -crop 300x30+250+530 +repage "$SHOTS/$1-welcome.png"; }
# The welcome line shown, and unchanged over the last three looks: the
# sparkles the pointer dropped near it (they live one and a half seconds
# and fall) have faded.
welcome_settled() {
  welcome_shown "$1" || return 1
  convert "$1" -crop 300x30+250+530 +repage "$WORK/welcome_now.png"
  if [ -f "$WORK/welcome_last.png" ] &&
    [ "$(compare -metric AE "$WORK/welcome_now.png" "$WORK/welcome_last.png" null: 2>&1 | cut -d' ' -f1)" = 0 ]; then
    WELCOME_STILL=$((WELCOME_STILL + 1))
  else
    WELCOME_STILL=0
  fi
  mv "$WORK/welcome_now.png" "$WORK/welcome_last.png"
  [ "$WELCOME_STILL" -ge 2 ]
}
# The welcome line with the pointer (and its sparkles) parked far from it.
expect_welcome() {
  xdotool mousemove --window "$WID" 790 10
  sleep 1.5
  rm -f "$WORK/welcome_last.png"
  WELCOME_STILL=0
  expect "$1" welcome_settled "$2"
}
same_welcome() {
  welcome_crop "$1"; welcome_crop "$2"
  [ "$(compare -metric AE "$SHOTS/$1-welcome.png" "$SHOTS/$2-welcome.png" null: 2>&1 | cut -d' ' -f1)" = 0 ]
}

# ---- First start: the name prompt --------------------------------------------
start_game --windowed
wait_window
expect prompt single_button "no name prompt with a single OK button" 60
pass "the first start shows the name prompt with OK and no cancel button"

type_text "../x"
key Return
expect prompt_error error_shown "../x: no error dialog"
[ -z "$(find "$WORK" -name 'x.dat')" ] || fail "../x made a file"
pass "../x is refused with the error dialog and makes no file"
key Return
expect prompt_again no_error "the error dialog did not close"
for i in 1 2 3 4; do key BackSpace; sleep 0.2; done
type_text "Anna"
key Return
expect welcome_anna welcome_shown "no welcome line after Anna was accepted" 15
title_ready "$SHOTS/welcome_anna.png" || fail "the title menu did not come back"
[ "$(od -An -tx1 "$PROFILES/Anna.dat" | tr -d ' ')" = 01000000 ] || fail "Anna.dat is not the int32 1"
[ "$(setting 'PROFILE NAME')" = Anna ] || fail "settings hold '$(setting 'PROFILE NAME')', not Anna"
pass "Anna accepted: the title says Welcome, Anna.dat holds 1, the settings hold Anna"

# ---- Change Player: create, limit, delete, cancel ----------------------------
click_at 400 575
expect manager_one manager_open "Change Player did not open the manager"
click_button Create
expect create_prompt button_pair "Create did not ask for a name with OK and Cancel"
type_text "ben"
key Return
expect welcome_ben manager_closed "the manager stayed open after Ben was created"
[ -f "$PROFILES/Ben.dat" ] || fail "no Ben.dat"
[ "$(setting 'PROFILE NAME')" = Ben ] || fail "Ben is not current: '$(setting 'PROFILE NAME')'"
expect_welcome welcome_ben "no welcome line for Ben"
pass "Create makes \"ben\" the player Ben and current"

for n in Cara Dora Emil Fay Gus; do plant_player "$n"; done
click_at 400 575
expect manager_seven manager_open "the manager did not open again"
click_button Create
expect manager_limit error_shown "no limit message with seven players"
key Return
expect manager_after_limit no_error "the limit message did not close"
[ "$(ls "$PROFILES" | grep -c '\.dat$')" = 7 ] || fail "the player count changed"
pass "an eighth player is refused with the limit message"

click_row 2 # Cara
click_button Delete
expect manager_delete button_pair "Delete did not ask its question"
key n
sleep 1
[ -f "$PROFILES/Cara.dat" ] || fail "No deleted Cara"
click_button Delete
expect manager_delete_again button_pair "Delete did not ask again"
key y
for i in $(seq 1 50); do [ -f "$PROFILES/Cara.dat" ] || break; sleep 0.1; done
[ ! -f "$PROFILES/Cara.dat" ] || fail "Yes did not delete Cara"
pass "Delete asks first: No keeps Cara, Yes deletes her"

key Escape
expect closed_by_escape manager_closed "Escape did not close the manager"
expect_welcome after_escape "no welcome line after Escape"
[ "$(setting 'PROFILE NAME')" = Ben ] || fail "Escape changed the player"
same_welcome welcome_ben after_escape || fail "the welcome line changed after Escape"
click_at 400 575
expect manager_cancel manager_open "the manager did not open for Cancel"
click_row 0 # Anna, then Cancel
click_button Cancel
expect closed_by_cancel manager_closed "Cancel did not close the manager"
expect_welcome after_cancel "no welcome line after Cancel"
[ "$(setting 'PROFILE NAME')" = Ben ] || fail "Cancel changed the player"
same_welcome welcome_ben after_cancel || fail "the welcome line changed after Cancel"
pass "Escape and Cancel keep Ben as the current player"

key Escape
wait_exit "$GAME_PID" 15 || fail "the game did not end"

# ---- A planted path in the settings --------------------------------------------
rm -rf "$SHARED"
plant_player Anna "../../evil"
grep -q $'^PROFILE NAME=../../evil\r$' "$SHARED/marrowdeck.ini" || fail "could not plant the settings"
start_game --windowed
wait_window
expect manager_planted manager_open "a planted ../../evil did not open the manager" 60
[ -z "$(find "$WORK" -name '*evil*')" ] || fail "a file named after ../../evil appeared: $(find "$WORK" -name '*evil*')"
pass "PROFILE NAME=../../evil opens the manager and makes no file"

click_row 0
click_button Delete
expect manager_last error_shown "deleting the only player gave no message"
key Return
expect manager_last_closed no_error "the message did not close"
[ -f "$PROFILES/Anna.dat" ] || fail "the last player was deleted"
pass "the last player cannot be deleted"
key Escape
expect planted_title welcome_shown "Escape did not close the manager"
[ "$(setting 'PROFILE NAME')" = Anna ] || fail "cancelled without a player: Anna is not current"
[ -z "$(find "$WORK" -name '*evil*')" ] || fail "a file named after ../../evil appeared"
pass "cancelling takes the first player, Anna"
key Escape
wait_exit "$GAME_PID" 15 || fail "the game did not end"
