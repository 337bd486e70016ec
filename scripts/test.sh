#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite headless:
# unit tests, end-to-end tests under Xvfb, and a bounded fuzzing run
# (FUZZ_SECONDS per target, 15 by default; 0 skips fuzzing).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
export SDL_VIDEODRIVER=dummy SDL_RENDER_DRIVER=software ALSOFT_DRIVERS=null

log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
ctest --test-dir build --output-on-failure -j"$(nproc)" 2>&1 | tee "$log" || true
summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 || true)
if [ -z "$summary" ]; then
  echo "test.sh: ctest printed no summary" >&2
  failed=1 total=1
else
  failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$summary")
fi
passed=$((total - failed))
[ "$failed" -eq 0 ] || status=1

fuzz_seconds=${FUZZ_SECONDS:-15}
if [ -x scripts/fuzz.sh ] && [ "$fuzz_seconds" -gt 0 ]; then
  if scripts/fuzz.sh "$fuzz_seconds"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1)); status=1
  fi
fi

echo "tests: ${passed} passed, ${failed} failed"
exit $status
