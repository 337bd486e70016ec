#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite headless:
# unit tests, end-to-end tests under Xvfb, and a bounded fuzzing run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
export SDL_VIDEODRIVER=dummy SDL_RENDER_DRIVER=software ALSOFT_DRIVERS=null
status=0
ctest --test-dir build --output-on-failure -j"$(nproc)" || status=1
if [ -x scripts/fuzz.sh ]; then
  scripts/fuzz.sh "${FUZZ_SECONDS:-30}" || status=1
fi
exit $status
