#!/usr/bin/env bash
# The game's start-up and its first frames under valgrind's memcheck with a full leak check.
# The driver is the film renderer, drennmoor-film, which starts the game exactly as the game
# does (the five registries, the off-screen picture, the vignette) and plays the first frames
# of the black lead-in (up to T = -2 s at 10 frames a second) with the song muted.
#
#   tests/valgrind/startup.sh [build folder]     (default: build)
#
# Passes (exit 0) when valgrind reports no error and no definite or indirect leak, but for
# those inside the system's graphics, audio and font libraries, which graphics.supp (beside
# this script) names. The full report is left in <build folder>/valgrind-startup.log.
# It takes a few minutes: valgrind runs the software renderer too.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
game="$build/game"
log="$build/valgrind-startup.log"
[ -x "$game/drennmoor-film" ] || { echo "startup.sh: no $game/drennmoor-film; build first" >&2; exit 2; }

run() {
  valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect \
    --errors-for-leak-kinds=definite,indirect --error-exitcode=99 --num-callers=40 --keep-debuginfo=yes \
    --suppressions="$here/graphics.supp" --log-file="$log" \
    "$game/drennmoor-film" --fps 10 --until -2
}

status=0
if [ -n "${DISPLAY:-}" ]; then
  run || status=$?
else
  xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" bash -c "$(declare -f run); here='$here' game='$game' log='$log' run" || status=$?
fi
grep -E "ERROR SUMMARY|definitely lost|indirectly lost" "$log" | sed 's/^==[0-9]*== */startup.sh: /' >&2
if [ "$status" -ne 0 ]; then
  echo "startup.sh: valgrind found errors or leaks (exit $status); see $log" >&2
  exit 1
fi
