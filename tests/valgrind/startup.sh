#!/usr/bin/env bash
# The game's start-up and the first frames of the lead-in under valgrind's memcheck with a full
# leak check, driven by the film renderer, which starts the game as the game does:
#   tests/valgrind/startup.sh [build folder]     (default: build; a few minutes)
# Fails on any error or definite or indirect leak outside the system's libraries that
# graphics.supp names; the full report is left in <build folder>/valgrind-startup.log.
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
