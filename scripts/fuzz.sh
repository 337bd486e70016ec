#!/usr/bin/env bash
# Builds every libFuzzer target of fuzz/ with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/, and runs each for SECONDS
# (default 60) starting from its committed seed corpus fuzz/corpus/<target>/.
# Exits non-zero when a target crashes; the crashing input is kept in
# build-fuzz/crashes/<target>/. Skips (exit 0) when clang or its fuzzer
# runtime (Debian: clang, libclang-rt-14-dev) is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_PER_TARGET=${1:-60}
BUILD_DIR=${FUZZ_BUILD_DIR:-build-fuzz}

if ! command -v clang >/dev/null || ! command -v clang++ >/dev/null; then
  echo "fuzz.sh: clang not found, skipping fuzzing (install: apt-get install clang libclang-rt-14-dev)"
  exit 0
fi
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' > "$probe/p.cpp"
if ! clang++ -fsanitize=fuzzer,address,undefined "$probe/p.cpp" -o "$probe/p" 2>/dev/null; then
  echo "fuzz.sh: clang's fuzzer runtime is missing, skipping fuzzing (install: apt-get install libclang-rt-14-dev)"
  exit 0
fi

if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMARROWDECK_FUZZ=ON -DMARROWDECK_TESTS=OFF -DMARROWDECK_BENCH=OFF -DMARROWDECK_HEADER_CHECKS=OFF
fi
cmake --build "$BUILD_DIR" --target fuzz_all -j"$(nproc)"

# One target per core at a time (FUZZ_JOBS, default the core count): each
# still runs its full SECONDS on a core of its own. Reports follow in the
# targets' order once all have ended.
jobs=${FUZZ_JOBS:-$(nproc)}
run_target() {
  local target=$1 seeds="fuzz/corpus/$1" work="$BUILD_DIR/corpus/$1" crashes="$BUILD_DIR/crashes/$1"
  mkdir -p "$work" "$crashes" "$seeds"
  # New inputs go to the work corpus; the committed seeds are only read.
  local rc=0
  "$BUILD_DIR/fuzz/$target" -max_total_time="$SECONDS_PER_TARGET" -print_final_stats=1 \
    -artifact_prefix="$crashes/" -rss_limit_mb=2048 "$work" "$seeds" 2>"$BUILD_DIR/$target.log" || rc=$?
  echo "$rc" >"$BUILD_DIR/$target.status"
}
targets=()
while read -r target; do [ -n "$target" ] && targets+=("$target"); done < "$BUILD_DIR/fuzz/targets.txt"
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do sleep 0.2; done
  rm -f "$BUILD_DIR/$target.status"
  run_target "$target" &
done
wait

status=0
for target in "${targets[@]}"; do
  echo "== $target: ${SECONDS_PER_TARGET}s"
  if [ "$(cat "$BUILD_DIR/$target.status" 2>/dev/null)" != 0 ]; then
    echo "fuzz.sh: $target FAILED, see $BUILD_DIR/$target.log and $BUILD_DIR/crashes/$target/"
    tail -n 30 "$BUILD_DIR/$target.log"
    status=1
  fi
  grep -E "^stat::number_of_executed_units|^stat::new_units_added|^stat::peak_rss_mb" "$BUILD_DIR/$target.log" || true
done
exit $status
