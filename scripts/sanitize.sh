#!/usr/bin/env bash
# The whole test suite (unit and end-to-end) under AddressSanitizer with its
# leak checker and UndefinedBehaviorSanitizer, in a build folder of its own
# (BUILD, default build-asan). Extra arguments go to ctest, e.g. -LE e2e or
# -R klondike. The first error stops the process that made it and fails its
# test; leaks inside the system libraries (X11, SDL, OpenAL, Mesa,
# fontconfig) are suppressed by tests/sanitizer/lsan.supp, ours never are.
set -euo pipefail
cd "$(dirname "$0")/.."
here=$(pwd)
build=${BUILD:-build-asan}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMARROWDECK_SANITIZE=ON -DMARROWDECK_BENCH=OFF -DMARROWDECK_HEADER_CHECKS=OFF
fi
cmake --build "$build" -j"$(nproc)"
. "$here/scripts/sanitizer_env.sh"
export SDL_VIDEODRIVER=dummy SDL_RENDER_DRIVER=software ALSOFT_DRIVERS=null
exec ctest --test-dir "$build" --output-on-failure -j"$(nproc)" "$@"
