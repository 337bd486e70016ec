#!/usr/bin/env bash
# The high-score page in a real window. A Klondike table is planted in the
# profile folder with a player's score in third place (the default names
# around it); the page opens on the Matching table (the defaults), "klondike"
# slides the planted table in, and once settled its first two rows look like
# the defaults while the third shows the player. "clear" and Yes write the
# default table back at once; Escape then leads to the title screen.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menu_pages.sh"

# The table file: each name byte shifted up by 99, a 0 byte, the score as
# little-endian int32; the default names come from the game's text.
TEXT="$(dirname "$GAME")/gamedata/data/text/gametext.txt"
[ -f "$TEXT" ] || fail "no game text at $TEXT"
mkdir -p "$SHARED/profiles"
perl -e '
  my ($text, $out) = @ARGV;
  open my $in, "<", $text or die; my @lines = map { s/\r?\n\z//r } <$in>;
  my %name; for my $i (0 .. $#lines - 1) { $name{$1} = $lines[$i + 1] if $lines[$i] =~ /^Highscore Name (\d+)$/ }
  my @scores = (200, 170, 150, 130, 110, 90, 70, 50, 30, 10);
  my @table = map { [$name{$_ + 1}, $scores[$_]] } 0 .. 9;
  splice @table, 2, 0, ["Zo\xeb", 160]; pop @table;
  open my $o, ">:raw", $out or die;
  print $o join("", map { chr((ord($_) + 99) % 256) } split //, $_->[0]), "\0", pack("V", $_->[1]) for @table;
' "$TEXT" "$SHARED/profiles/klondike.hsdat" || fail "could not plant the Klondike table"
cp "$SHARED/profiles/klondike.hsdat" "$WORK/planted.hsdat"

# Rows are 25 pixels apart from y 200, names from x 150, scores to x 650.
rows_differ() { # pixels differing between two shots in rows $3 .. $4 (1-based)
  local top=$((200 + 25 * ($3 - 1))) h=$((25 * ($4 - $3 + 1)))
  compare -metric AE -fuzz 3% -crop "560x$h+120+$top" "$SHOTS/$1.png" "$SHOTS/$2.png" null: 2>&1 | cut -d' ' -f1
}
# Switches to a table: screenshots while it slides in, as its rows settle
# (the glow) and once they rest; the first and the last must differ.
show_table() {
  click_at "$2" $VARIANT_Y
  xdotool mousemove --window "$WID" 40 40
  shot "hs_$1_sliding"
  sleep 0.6
  shot "hs_$1_settling"
  sleep 1.5
  shot "hs_$1"
  local moving
  moving=$(rows_differ "hs_$1_sliding" "hs_$1" 1 10)
  echo "pixels differing between the sliding and the settled $1 table: $moving"
  [ "${moving%%.*}" -gt 500 ] || fail "the $1 table did not slide in"
}

start_game --windowed
wait_window
wait_title_menu
click_at 400 $TITLE_HIGHSCORE_Y
xdotool mousemove --window "$WID" 40 40
wait_page hs || fail "the high-score page did not show"
sleep 1.5
# Matching first; its button replays the slide-in.
show_table matching $MATCHING_X
[ -f "$SHARED/profiles/matching.hsdat" ] || fail "no default Matching table was written"

show_table tripeaks $TRIPEAKS_X
show_table klondike $KLONDIKE_X
pass "switching tables slides them in"
same=$(rows_differ hs_matching hs_klondike 1 2)
third=$(rows_differ hs_matching hs_klondike 3 3)
echo "pixels differing from the defaults: rows 1-2 $same, row 3 $third"
[ "${same%%.*}" -lt 50 ] || fail "the first two Klondike rows are not the defaults ($same pixels differ)"
[ "${third%%.*}" -gt 200 ] || fail "the third Klondike row does not show the player ($third pixels differ)"
pass "the player's name shows in third place"
read -r r g b < <(region_rgb "$SHOTS/hs_klondike.png" 150 172 60 22)
[ "$r" -gt $((b + 40)) ] && [ "$g" -gt $((b + 40)) ] || fail "no yellow column title ($r $g $b)"

click_at $ROW_CLEAR_X $PAGE_OK_Y
xdotool mousemove --window "$WID" 40 40
sleep 1
shot hs_clear_question
cmp -s "$SHARED/profiles/klondike.hsdat" "$WORK/planted.hsdat" || fail "the table changed before the answer"
key y
i=0
until cmp -s "$SHARED/profiles/klondike.hsdat" "$SHARED/profiles/matching.hsdat"; do
  i=$((i + 1))
  [ $i -lt 50 ] || fail "the cleared Klondike table is not the default table"
  sleep 0.1
done
pass "clear and yes write the default table"
sleep 2
shot hs_cleared

key Escape
wait_for_shot back is_title 20 >/dev/null || fail "Escape did not lead to the title screen after the question"
pass "Escape leads to the title screen after the question"
key Escape
wait_exit "$GAME_PID" 10 || fail "the game did not end"
