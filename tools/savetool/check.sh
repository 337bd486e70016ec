#!/bin/sh
# savetool's own check for one variant: a dealt game is accepted with the
# expected summary, the same seed writes the same file and another seed
# another deal, a damaged file is refused with its message naming the file.
#   check.sh TOOL VARIANT LAYOUT SUMMARY
set -eu
tool=$1
variant=$2
layout=$3
summary=$4
case $variant in
  klondike) ending=ksave; damage='s/^23\r$/99\r/' ;;     # the stock position past the stock
  tripeaks) ending=tsave; damage='4s/^.*$/999\r/' ;;     # the same in the deal as first dealt
  matching) ending=msave; damage='4s/^.*$/999\r/' ;;
  *) echo "unknown variant $variant"; exit 2 ;;
esac
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$tool" deal --variant "$variant" --layout "$layout" --seed 7 --out "$dir/a.$ending"
"$tool" deal --variant "$variant" --layout "$layout" --seed 7 --out "$dir/b.$ending"
"$tool" deal --variant "$variant" --layout "$layout" --seed 8 --out "$dir/c.$ending"
cmp "$dir/a.$ending" "$dir/b.$ending"
if cmp -s "$dir/a.$ending" "$dir/c.$ending"; then
  echo "two seeds dealt the same game"; exit 1
fi
"$tool" check "$dir/a.$ending" > "$dir/summary"
grep -q "^$summary" "$dir/summary" || { echo "unexpected summary: $(cat "$dir/summary")"; exit 1; }
sed "$damage" "$dir/a.$ending" > "$dir/bad.$ending"
if cmp -s "$dir/a.$ending" "$dir/bad.$ending"; then
  echo "the damage changed nothing"; exit 1
fi
if "$tool" check "$dir/bad.$ending" > "$dir/out" 2>&1; then
  echo "a damaged game was accepted"; exit 1
fi
grep -q "bad.$ending'" "$dir/out"
echo "savetool $variant: 4 passed, 0 failed"
