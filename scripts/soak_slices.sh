#!/bin/sh
# The long screens soak in slices: the real game walked through its screens,
# SLICE games of each variant (and editor visits) a slice, each slice from its
# own seed (FIRST_SEED, FIRST_SEED+1, ...), until SLICES slices have run or
# the file LOGS/stop exists. Every slice keeps its log in LOGS (default
# BUILD/soak-logs), so a finding can be replayed from its seed; the sums of
# all logs there are printed at the end (or alone with --sum). Sanitizer
# findings are counted from the logs: a slice the sanitizers stopped counts
# as one and ends with no figures.
#   scripts/soak_slices.sh [--sum]   (BUILD, default build; BUILD=build-asan
#   runs it under the sanitizers; SLICE default 25, SLICES default 40)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$here/build}
case $build in /*) ;; *) build=$here/$build ;; esac
logs=${LOGS:-$build/soak-logs}
slice=${SLICE:-25}
slices=${SLICES:-40}
seed=${FIRST_SEED:-1}
mkdir -p "$logs"

if [ "${1:-}" != "--sum" ]; then
  . "$here/scripts/sanitizer_env.sh"
  export SDL_VIDEODRIVER=dummy SDL_RENDER_DRIVER=software ALSOFT_DRIVERS=null
  export MARROWDECK_DATA=${MARROWDECK_DATA:-$build/gamedata} MARROWDECK_SOURCE=$here
  n=0
  while [ "$n" -lt "$slices" ] && [ ! -e "$logs/stop" ]; do
    log=$logs/slice-seed$seed.txt
    start=$(date +%s)
    "$build/tools/soak/soak" --screens --games "$slice" --seed "$seed" >"$log" 2>&1 || true
    echo "seconds $(($(date +%s) - start))" >>"$log"
    echo "slice seed $seed: $(grep -E '^failures:' "$log" || echo 'stopped')"
    n=$((n + 1))
    seed=$((seed + 1))
  done
fi

# The sums over every slice's log.
cat "$logs"/slice-seed*.txt | awk '
  /^(klondike|tripeaks|matching|editor) +[0-9]+ +[0-9]+ +[0-9]+$/ { games[$1] += $2; won[$1] += $3; moves[$1] += $4 }
  /^files: saves/ { gsub(",", ""); saves += $3; loads += $5 }
  /^screens soak:/ { sessions += $3; quits += $6 }
  /^failures:/ { failures += $2; slices++ }
  /ERROR: AddressSanitizer|ERROR: LeakSanitizer|runtime error:/ { findings++ }
  /^seconds / { seconds += $2 }
  END {
    printf "%d slices, %d sessions, %d quits, %d s\n", slices, sessions, quits, seconds
    printf "%-10s %7s %6s %8s\n", "variant", "games", "won", "moves"
    n = split("klondike tripeaks matching editor", names, " ")
    for (i = 1; i <= n; i++) printf "%-10s %7d %6d %8d\n", names[i], games[names[i]], won[names[i]], moves[names[i]]
    printf "saves %d, loads %d, soak failures %d, sanitizer findings %d\n", saves, loads, failures, findings
  }'
