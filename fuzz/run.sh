#!/usr/bin/env bash
# The fuzz targets of the game's loaders (libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer, built with clang in build-fuzz/; docs/developing.md):
#   fuzz/run.sh smoke             build, then every target a few seconds (the CTest tests fuzz.*)
#   fuzz/run.sh long [target...]  build, then each target (all by default) for FUZZ_RUNS runs
#                                 (1000000) or FUZZ_SECONDS (1800), FUZZ_PARALLEL (2) at a time
#   fuzz/run.sh build             only the build
# A long run keeps its corpora, logs and findings in build-fuzz/fuzz/ (a second run starts where
# the first stopped); replay a finding with build-fuzz/fuzz/fuzz_<target> <file>. Needs clang 14
# and its fuzzing runtime (clang-14, libclang-rt-14-dev), or a plain clang whose runtime is
# installed. The targets draw: without a DISPLAY they run under xvfb-run.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=build-fuzz
OUT=$BUILD_DIR/fuzz
TARGETS=(config textures sprites music particles particle_definition text layout)
RUNS=${FUZZ_RUNS:-1000000}
SECONDS_EACH=${FUZZ_SECONDS:-1800}
PARALLEL=${FUZZ_PARALLEL:-2}

say() { echo "fuzz/run.sh: $*" >&2; }

build() {
  # The pictures and the song are never built here: only the library and the targets.
  # The named version first: where plain clang is newer, its fuzzing runtime may be missing.
  local cc=clang cxx=clang++
  if command -v clang++-14 >/dev/null; then cc=clang-14; cxx=clang++-14; fi
  CC=$cc CXX=$cxx cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DDRENNMOOR_FUZZ=ON -DDRENNMOOR_TESTS=OFF -DDRENNMOOR_MEDIA_FROM="$PWD/build/game" >/dev/null
  cmake --build "$BUILD_DIR" --target fuzzers -j "$(nproc)"
}

# Runs the command on a display: the one there is, or a virtual one.
on_display() { if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" "$@"; fi; }

export ALSOFT_DRIVERS=null
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"

smoke() {
  on_display ctest --test-dir "$BUILD_DIR" -R '^fuzz\.' --output-on-failure -j 2
}

# One target's long run; prints its last "Done" line or the finding.
run_one() {
  local target=$1
  mkdir -p "$OUT/corpus/$target" "$OUT/logs" "$OUT/findings"
  # Paths are absolute: the targets work in a folder of their own.
  if on_display "$PWD/$OUT/fuzz_$target" -runs="$RUNS" -max_total_time="$SECONDS_EACH" -timeout=10 \
      -rss_limit_mb=2048 -close_fd_mask=3 -print_final_stats=1 -dict="$PWD/fuzz/json.dict" \
      -artifact_prefix="$PWD/$OUT/findings/$target-" \
      "$PWD/$OUT/corpus/$target" "$PWD/$OUT/seeds/$target" >"$OUT/logs/$target.log" 2>&1; then
    echo "$target: $(grep -E '^Done [0-9]+ runs' "$OUT/logs/$target.log" | tail -1)"
  else
    echo "$target: FOUND A FAULT, see $OUT/logs/$target.log and $OUT/findings/"
    return 1
  fi
}

long() {
  local targets=("$@")
  [ ${#targets[@]} -eq 0 ] && targets=("${TARGETS[@]}")
  export -f run_one on_display
  export OUT RUNS SECONDS_EACH
  say "${#targets[@]} targets, each for $RUNS runs or $SECONDS_EACH s, $PARALLEL at a time"
  printf '%s\n' "${targets[@]}" | xargs -P "$PARALLEL" -I{} bash -c 'run_one "$1"' _ {}
}

command=${1:-}
case "$command" in
  smoke) build; smoke ;;
  long) shift; build; long "$@" ;;
  build) build ;;
  *) echo "usage: fuzz/run.sh smoke | long [target...] | build" >&2; exit 2 ;;
esac
