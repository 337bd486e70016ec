#!/usr/bin/env bash
# A long fuzzing campaign: runs each libFuzzer target of fuzz/ (built by
# scripts/fuzz.sh in build-fuzz/) until it has made a given number of
# executions in all, one target at a time, in slices, so a campaign can be
# stopped and resumed and its figures add up across runs.
#
#   scripts/fuzz_long.sh [-n EXECUTIONS] [-s SLICE_SECONDS] [TARGET...]
#   scripts/fuzz_long.sh -t        # only prints the table
#
# EXECUTIONS is the cumulative goal per target (default 10000000); TARGET
# defaults to every target in build-fuzz/fuzz/targets.txt. Corpora, logs,
# crashes and the running totals live outside the repository, in
# FUZZ_LONG_DIR (default $HOME/fuzz-long):
#   <dir>/<target>/            the work corpus (seeded from fuzz/corpus/)
#   <dir>/crashes/<target>/    crashing, leaking or too slow inputs
#   <dir>/<target>.<n>.log     one log per slice
#   <dir>/totals.tsv           target, executions, findings (tab-separated)
# A target that finds something is stopped there (its slice log and the
# input say what); the others go on. Run it under `nice -n 19` on a shared
# machine. To stop a campaign and keep every figure: `touch <dir>/stop`, then
# kill the running target (libFuzzer prints its figures on SIGTERM).
set -euo pipefail
cd "$(dirname "$0")/.."
goal=10000000
slice=600
table_only=0
while getopts "n:s:t" option; do
  case $option in
    n) goal=$OPTARG ;;
    s) slice=$OPTARG ;;
    t) table_only=1 ;;
    *) sed -n '2,20p' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
BUILD_DIR=${FUZZ_BUILD_DIR:-build-fuzz}
DIR=${FUZZ_LONG_DIR:-$HOME/fuzz-long}
totals="$DIR/totals.tsv"
mkdir -p "$DIR"
touch "$totals"

field() { # field TARGET COLUMN: a target's running figure, 0 when none yet
  awk -F'\t' -v t="$1" -v c="$2" '$1 == t { v = $c } END { print v + 0 }' "$totals"
}

record() { # record TARGET EXECUTIONS FINDINGS: adds to the target's totals
  local executions findings
  executions=$(($(field "$1" 2) + $2))
  findings=$(($(field "$1" 3) + $3))
  awk -F'\t' -v t="$1" '$1 != t' "$totals" > "$totals.new" || true
  printf '%s\t%s\t%s\n' "$1" "$executions" "$findings" >> "$totals.new"
  sort -o "$totals" "$totals.new" && rm -f "$totals.new"
}

findings_in() { # crashes, leaks, timeouts and out-of-memory inputs kept in a folder
  find "$1" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l
}

table() {
  printf '%-18s %14s %9s\n' target executions findings
  sort "$totals" | awk -F'\t' '{ printf "%-18s %14d %9d\n", $1, $2, $3 }'
}

if [ "$table_only" = 1 ]; then table; exit 0; fi
rm -f "$DIR/stop"
if [ ! -f "$BUILD_DIR/fuzz/targets.txt" ]; then
  echo "fuzz_long.sh: no fuzz build in $BUILD_DIR; run scripts/fuzz.sh 1 first" >&2
  exit 1
fi
[ $# -gt 0 ] || set -- $(cat "$BUILD_DIR/fuzz/targets.txt")

for target in "$@"; do
  binary="$BUILD_DIR/fuzz/$target"
  [ -x "$binary" ] || { echo "fuzz_long.sh: no target $target" >&2; exit 1; }
  work="$DIR/$target"
  crashes="$DIR/crashes/$target"
  mkdir -p "$work" "$crashes"
  options=()
  [ -f "fuzz/corpus/$target.options" ] && read -r -a options < "fuzz/corpus/$target.options"
  while [ ! -e "$DIR/stop" ] && [ "$(field "$target" 3)" = 0 ] && [ "$(field "$target" 2)" -lt "$goal" ]; do
    left=$((goal - $(field "$target" 2)))
    n=$(($(ls "$DIR" | grep -c "^$target\.[0-9]*\.log$" || true) + 1))
    log="$DIR/$target.$n.log"
    echo "== $target: slice $n, $left executions to go ($(date -u +%H:%M:%S))"
    before=$(findings_in "$crashes")
    status=0
    "$binary" -runs="$left" -max_total_time="$slice" -timeout=30 -print_final_stats=1 -rss_limit_mb=2048 \
      -artifact_prefix="$crashes/" "${options[@]}" "$work" "fuzz/corpus/$target" > "$log" 2>&1 || status=$?
    executions=$(awk '/^stat::number_of_executed_units:/ { v = $2 } END { print v + 0 }' "$log")
    findings=$(($(findings_in "$crashes") - before))
    # An interrupted slice (the campaign stopped) leaves no input behind.
    if [ "$status" != 0 ] && [ "$findings" = 0 ]; then echo "fuzz_long.sh: $target slice ended with status $status"; fi
    record "$target" "$executions" "$findings"
    grep -E "^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)" "$log" | tr '\n' ' '
    echo
    if [ "$findings" != 0 ]; then
      echo "fuzz_long.sh: $target found something, see $log and $crashes/"
      tail -n 40 "$log"
    fi
  done
done
table
