#!/bin/sh
# savetool's own check: a dealt game is accepted, the same seed writes the
# same file, a damaged one is refused with its message.
set -eu
tool=$1
layout=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$tool" deal --variant klondike --layout "$layout" --seed 7 --out "$dir/a.ksave"
"$tool" deal --variant klondike --layout "$layout" --seed 7 --out "$dir/b.ksave"
cmp "$dir/a.ksave" "$dir/b.ksave"
"$tool" check "$dir/a.ksave" | grep -q "^klondike: "
sed 's/^23\r$/99\r/' "$dir/a.ksave" > "$dir/bad.ksave"
if "$tool" check "$dir/bad.ksave" > "$dir/out" 2>&1; then
  echo "a damaged game was accepted"; exit 1
fi
grep -q "bad.ksave'" "$dir/out"
echo "savetool: 3 passed, 0 failed"
