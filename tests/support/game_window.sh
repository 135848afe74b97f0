# The game's window for the release and package tests (POSIX sh, sourced by them). They define
# fail, $work (a folder of their own, the game's standard error in $work/err) and start the
# game in the background into $game.

# open_display WIDTHxHEIGHT: an Xvfb display of our own as DISPLAY, its server in $xvfb.
open_display() {
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  exec 3>&-
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  DISPLAY=:$(head -n 1 "$work/display")
  export DISPLAY
}

# Waits up to 60 s for the game's window, in $window; empty when the game ended first.
wait_for_window() {
  for _ in $(seq 600); do
    window=$(xdotool search --onlyvisible --name '^Drennmoor$' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && return 0
    kill -0 "$game" 2>/dev/null || return 0
    sleep 0.1
  done
  fail "no game window within 60 s: $(cat "$work/err")"
}

# wait_for_end WHAT: waits up to 20 s for the game to end; its exit status in $status.
wait_for_end() {
  for _ in $(seq 200); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game" 2>/dev/null && { kill "$game"; fail "$1: the game did not end"; }
  status=0
  wait "$game" || status=$?
  game=
}
