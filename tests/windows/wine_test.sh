#!/usr/bin/env bash
# The Windows release as a player gets it: the zip unpacked, played under Wine on a display
# of its own, with OpenAL's null driver and a fresh Wine prefix, started from another folder.
#   - about 15 s in, the window shows the opening, whole and not black;
#   - Space pauses: two pictures 2 s apart are the same;
#   - a short Escape tap ends it with 0;
#   - without assets/shaders/vignette.frag it ends with 255 and says so on standard error;
#   - a config.json cut in the middle gives the same diagnostics as the Linux build.
# Nothing else may reach standard error but Wine's own lines.
# Usage: wine_test.sh <Drennmoor-<version>-windows-x64.zip> <the Linux build's game folder>
#        [a folder to keep the screenshot of the film in]
set -euo pipefail
zip=$(realpath "$1")
linux_game=$(realpath "$2")
fail() { echo "FAIL: $*" >&2; exit 1; }
WINE=${WINE:-/usr/lib/wine/wine64}
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
for tool in "$WINE" Xvfb xdotool import compare python3 x86_64-w64-mingw32-objdump; do
  command -v "$tool" >/dev/null || fail "$tool is missing (game.sh windows installs it)"
done

work=$(mktemp -d)
xvfb=
cleanup() {
  [ -z "${game:-}" ] || kill "$game" 2>/dev/null || true
  WINEPREFIX=$work/prefix "$WINESERVER" -k 2>/dev/null || true
  WINEPREFIX=$work/prefix "$WINESERVER" -w 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own, big enough for the 1920x1080 window whole.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 2560x1440x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(head -n 1 "$work/display")
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" ALSOFT_DRIVERS=null
"$WINE" wineboot --init >"$work/wineboot.log" 2>&1 || fail "wineboot: $(tail -n 3 "$work/wineboot.log")"

python3 -m zipfile -e "$zip" "$work/unpacked"
folder=$work/unpacked/Drennmoor
for file in drennmoor.exe OpenAL32.dll config.json README.txt assets/shaders/vignette.frag \
  licences/drennmoor.txt licences/openal-soft.txt licences/sfml.txt licences/freetype.txt \
  licences/libogg.txt licences/libvorbis.txt licences/flac.txt; do
  [ -f "$folder/$file" ] || fail "the zip holds no Drennmoor/$file"
done
# A program of the GUI subsystem (no console window) that needs no DLL but OpenAL32.dll and
# Windows' own.
x86_64-w64-mingw32-objdump -p "$folder/drennmoor.exe" >"$work/headers"
grep -q '^Subsystem.*(Windows GUI)' "$work/headers" || fail "drennmoor.exe is not a GUI program"
dlls=$(sed -n 's/^\tDLL Name: //p' "$work/headers" | tr 'A-Z' 'a-z' |
  grep -Evx 'openal32\.dll|kernel32\.dll|user32\.dll|gdi32\.dll|opengl32\.dll|winmm\.dll|msvcrt\.dll|advapi32\.dll|shell32\.dll|ole32\.dll' || true)
[ -z "$dlls" ] || fail "drennmoor.exe needs DLLs the zip does not hold: $dlls"
# Started from elsewhere, as from a shortcut: the game finds its files all the same.
mkdir "$work/elsewhere"

# What the game itself said: standard error without Wine's own lines, and with Windows'
# line ends made Linux ones.
own_lines() { tr -d '\r' <"$1" | grep -Ev '^(wine: |wineserver: |[0-9a-f]{4}:(err|fixme|warn|trace):)' || true; }

# Starts a game in the background in a folder (the command and arguments given) and waits
# for its window.
start() {
  local folder=$1
  shift
  (cd "$folder" && exec "$@") >"$work/out" 2>"$work/err" &
  game=$!
  for _ in $(seq 600); do
    window=$(xdotool search --onlyvisible --name '^Drennmoor$' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && return 0
    kill -0 "$game" 2>/dev/null || return 0
    sleep 0.1
  done
  fail "no game window within 60 s: $(own_lines "$work/err")"
}

# Waits up to 20 s for the game to end; its exit status is left in `status`.
finish() {
  for _ in $(seq 200); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game" 2>/dev/null && { kill "$game"; fail "$1: the game did not end"; }
  status=0
  wait "$game" || status=$?
  game=
}

shot() { import -window "$window" "$work/$1.png"; }

# The film, its pause and a short Escape tap.
start "$work/elsewhere" "$WINE" "$folder/drennmoor.exe"
[ -n "$window" ] || fail "the game ended before its window opened: $(own_lines "$work/err")"
sleep 15
kill -0 "$game" 2>/dev/null || fail "the game ended within 15 s: $(own_lines "$work/err")"
xdotool windowfocus --sync "$window"
shot film
[ -z "${3:-}" ] || cp "$work/film.png" "$3/wine-film.png"
size=$(identify -format %wx%h "$work/film.png")
[ "$size" = 1920x1080 ] || fail "the window is $size, not 1920x1080"
# The picture fills the window: in each quarter rain or picture, nowhere only black.
for mean in $(convert "$work/film.png" -crop 2x2@ +repage -format "%[fx:mean] " info:); do
  python3 -c "import sys; sys.exit(0 if $mean > 0.005 else 1)" ||
    fail "a quarter of the window is black (means: $(convert "$work/film.png" -crop 2x2@ +repage -format "%[fx:mean] " info:))"
done
xdotool key space
sleep 0.5
shot paused1
sleep 2
shot paused2
difference=$(compare -metric AE "$work/paused1.png" "$work/paused2.png" null: 2>&1) || true
[ "$difference" = 0 ] || fail "the paused picture changed ($difference pixels in 2 s)"
xdotool key Escape
finish "a short Escape tap"
[ "$status" -eq 0 ] || fail "after Escape the game ended with $status"
[ -z "$(own_lines "$work/err")" ] || fail "the game said: $(own_lines "$work/err")"
echo "the film showed, paused and ended on an Escape tap"

# A missing shader.
mv "$folder/assets/shaders/vignette.frag" "$work/vignette.frag"
start "$work/elsewhere" "$WINE" "$folder/drennmoor.exe"
finish "without vignette.frag"
mv "$work/vignette.frag" "$folder/assets/shaders/vignette.frag"
[ "$status" -eq 255 ] || fail "without vignette.frag the game ended with $status, not 255"
own_lines "$work/err" | grep -qx "Unable to load vignette.frag" ||
  fail "without vignette.frag the game said: $(own_lines "$work/err")"
echo "without vignette.frag it ended with 255 and said why"

# A config.json cut in the middle: the Windows build's diagnostics and the Linux build's,
# the Linux one started on the same game folder.
config_lines() {
  local lines=$1
  shift
  start "$@"
  [ -n "$window" ] || fail "with a cut config.json the game ended: $(own_lines "$work/err")"
  xdotool windowfocus --sync "$window"
  xdotool key Escape
  finish "with a cut config.json"
  [ "$status" -eq 0 ] || fail "with a cut config.json the game ended with $status"
  # On Xvfb, SFML's Linux window adds its note that the display cannot wait for vsync.
  own_lines "$work/err" | grep -vx 'Setting vertical sync not supported' >"$work/$lines" || true
}
head -c "$(($(wc -c <"$folder/config.json") / 2))" "$folder/config.json" >"$work/cut.json"
cp "$work/cut.json" "$folder/config.json"
config_lines windows.lines "$work/elsewhere" "$WINE" "$folder/drennmoor.exe"
config_lines linux.lines "$folder" "$linux_game/drennmoor"
windows_lines=$(cat "$work/windows.lines")
linux_lines=$(cat "$work/linux.lines")
[ -n "$linux_lines" ] || fail "the Linux build said nothing about the cut config.json"
[ "$windows_lines" = "$linux_lines" ] ||
  fail "with a cut config.json Windows said \"$windows_lines\", Linux \"$linux_lines\""
echo "a cut config.json: the same diagnostics as on Linux"
echo "1 passed, 0 failed"
