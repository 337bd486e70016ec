#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop sees:
# the files in their freedesktop.org places, the menu entry, the AppStream
# metadata and the manual page passing their validators, one application id
# throughout, and the installed game starting to its title screen on the
# installed data alone (installed_game.sh).
# Usage: test_install.sh <build folder> <application id>
set -u
BUILD=$(readlink -f "${1:?usage: $0 <build folder> <application id>}")
ID=${2:?usage: $0 <build folder> <application id>}
HERE=$(dirname "$(readlink -f "$0")")

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
P="$WORK/prefix"
fail() { echo "FAIL: $*"; exit 1; }
pass() { echo "ok: $*"; }

cmake --install "$BUILD" --prefix "$P" >"$WORK/install.log" 2>&1 || { cat "$WORK/install.log"; fail "cmake --install"; }
for f in bin/marrowdeck share/marrowdeck/data/resources/data.pak share/marrowdeck/layouts/klondike/klondike.layout \
         "share/applications/$ID.desktop" "share/metainfo/$ID.metainfo.xml" share/man/man6/marrowdeck.6 \
         share/doc/marrowdeck/carlito-LICENSE.txt; do
  [ -f "$P/$f" ] || fail "not installed: $f"
done
[ -x "$P/bin/marrowdeck" ] || fail "bin/marrowdeck is not executable"
for size in 16 32 48 64 128 256 512; do
  icon="$P/share/icons/hicolor/${size}x${size}/apps/$ID.png"
  [ -f "$icon" ] || fail "no ${size}x${size} icon"
  [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "$icon is $(identify -format '%wx%h' "$icon")"
done
grep -q "Open Font License" "$P/share/doc/marrowdeck/carlito-LICENSE.txt" || fail "Carlito's licence text is missing"
pass "installed: game, data tree, menu entry, icons 16..512, metadata, manual page, font licence"

desktop="$P/share/applications/$ID.desktop"
desktop-file-validate "$desktop" >"$WORK/desktop.txt" 2>&1 || { cat "$WORK/desktop.txt"; fail "desktop-file-validate"; }
[ ! -s "$WORK/desktop.txt" ] || { cat "$WORK/desktop.txt"; fail "desktop-file-validate has remarks"; }
entry() { sed -n "s/^$1=//p" "$desktop" | head -1; }
[ "$(entry Icon)" = "$ID" ] || fail "Icon=$(entry Icon)"
[ "$(entry StartupWMClass)" = "$ID" ] || fail "StartupWMClass=$(entry StartupWMClass)"
[ "$(entry Exec)" = marrowdeck ] || fail "Exec=$(entry Exec)"
[[ "$(entry Categories)" == *"Game;CardGame;"* ]] || fail "Categories=$(entry Categories)"
pass "desktop-file-validate: no remarks; Icon and StartupWMClass are $ID"

metainfo="$P/share/metainfo/$ID.metainfo.xml"
appstreamcli validate --no-net --strict --explain "$metainfo" >"$WORK/appstream.txt" 2>&1 ||
  { cat "$WORK/appstream.txt"; fail "appstreamcli validate"; }
grep -q "<id>$ID</id>" "$metainfo" || fail "metadata id is not $ID"
grep -q "<launchable type=\"desktop-id\">$ID.desktop</launchable>" "$metainfo" || fail "metadata launches another entry"
grep -q '<release version="1.11"' "$metainfo" || fail "no 1.11 release"
pass "appstreamcli validate --no-net: $(tail -n 1 "$WORK/appstream.txt")"

# Groff's own warnings go to standard error; a clean page prints nothing there.
MANWIDTH=80 man --warnings -l "$P/share/man/man6/marrowdeck.6" >"$WORK/man.txt" 2>"$WORK/man.err" || fail "man -l failed"
[ ! -s "$WORK/man.err" ] || { cat "$WORK/man.err"; fail "man -l warns"; }
for option in --windowed --fullscreen --data --version --help MARROWDECK_DATA share/marrowdeck; do
  grep -q -- "$option" "$WORK/man.txt" || fail "the manual page does not mention $option"
done
pass "man -l: no warnings, options, environment and data folder rule described"

# Nothing of the build may be found from the installed game: it runs from
# its own prefix with no data folder named.
[ ! -e "$P/bin/gamedata" ] || fail "a build data tree sits beside the installed game"
unset MARROWDECK_DATA
cd "$WORK"
bash "$HERE/installed_game.sh" "$P/bin/marrowdeck" "$ID" || exit 1
