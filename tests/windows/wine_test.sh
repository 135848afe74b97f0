#!/usr/bin/env bash
# The Windows release as a player gets it: the zip unpacked, played under Wine on a display
# of its own, with OpenAL's null driver and a fresh Wine prefix, started from another folder.
# Each part below says what it checks; nothing may reach standard error but Wine's own lines.
# Usage: wine_test.sh <Drennmoor-<version>-windows-x64.zip> <the Linux build's game folder>
#        [a folder to keep the screenshot of the film in]
set -euo pipefail
zip=$(realpath "$1")
linux_game=$(realpath "$2")
fail() { echo "FAIL: $*" >&2; exit 1; }
WINE=${WINE:-/usr/lib/wine/wine64}
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
here=$(dirname "$(realpath "$0")")
MINGW_CXX=x86_64-w64-mingw32-g++-posix
for tool in "$WINE" Xvfb xdotool import compare python3 x86_64-w64-mingw32-objdump "$MINGW_CXX"; do
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

. "$here/../support/game_window.sh"
# A display of our own, big enough for the 1920x1080 window whole.
open_display 2560x1440
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
  (cd "$1" && shift && exec "$@") >"$work/out" 2>"$work/err" &
  game=$!
  wait_for_window
}

shot() { import -window "$window" "$work/$1.png"; }

# The mean brightness of each quarter of a picture.
quarter_means() { convert "$1" -crop 2x2@ +repage -format "%[fx:mean] " info:; }
# Whether the picture is the film: in each quarter rain or picture, nowhere only black.
shows_film() {
  local mean
  for mean in $(quarter_means "$1"); do
    python3 -c "import sys; sys.exit(0 if $mean > 0.005 else 1)" || return 1
  done
}
# Runs the command given (which takes a picture into $work/film.png) once a second until the
# picture shows the film: the lead-in's black lasts a few seconds, the start under Wine on a
# busy machine far longer.
wait_for_film() {
  for _ in $(seq 180); do
    kill -0 "$game" 2>/dev/null || fail "the game ended before the film showed: $(own_lines "$work/err")"
    "$@"
    shows_film "$work/film.png" && return 0
    sleep 1
  done
  fail "after 3 minutes a quarter of the window is still black (means: $(quarter_means "$work/film.png"))"
}

# The film, its pause and a short Escape tap.
start "$work/elsewhere" "$WINE" "$folder/drennmoor.exe"
[ -n "$window" ] || fail "the game ended before its window opened: $(own_lines "$work/err")"
wait_for_film shot film
xdotool windowfocus --sync "$window"
[ -z "${3:-}" ] || cp "$work/film.png" "$3/wine-film.png"
size=$(identify -format %wx%h "$work/film.png")
[ "$size" = 1920x1080 ] || fail "the window is $size, not 1920x1080"
# Paused, two pictures 2 s apart are the same; a pause that is slow to show gets a few tries.
xdotool key space
for _ in $(seq 10); do
  shot paused1
  sleep 2
  shot paused2
  difference=$(compare -metric AE "$work/paused1.png" "$work/paused2.png" null: 2>&1) || true
  [ "$difference" = 0 ] && break
done
[ "$difference" = 0 ] || fail "the paused picture changed ($difference pixels in 2 s)"
xdotool key Escape
wait_for_end "a short Escape tap"
[ "$status" -eq 0 ] || fail "after Escape the game ended with $status"
[ -z "$(own_lines "$work/err")" ] || fail "the game said: $(own_lines "$work/err")"
echo "the film showed, paused and ended on an Escape tap"

# A missing shader.
mv "$folder/assets/shaders/vignette.frag" "$work/vignette.frag"
start "$work/elsewhere" "$WINE" "$folder/drennmoor.exe"
wait_for_end "without vignette.frag"
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
  wait_for_end "with a cut config.json"
  [ "$status" -eq 0 ] || fail "with a cut config.json the game ended with $status"
  # On Xvfb, SFML's Linux window adds its note that the display cannot wait for vsync.
  own_lines "$work/err" | grep -vx 'Setting vertical sync not supported' >"$work/$lines" || true
}
cp "$folder/config.json" "$work/config.json"
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
cp "$work/config.json" "$folder/config.json"

# The window on Windows desktops of two sizes (Wine's virtual desktops, with no taskbar): its
# frame and its client area inside the work area, the whole film in the client area.
"$MINGW_CXX" -O2 -static -Wall -Wextra -Wpedantic -o "$work/rects.exe" "$here/window_rects.cpp" ||
  fail "window_rects.cpp does not build"
inside() { # inside L,T,R,B L,T,R,B: whether the first rectangle lies inside the second
  local a b
  IFS=, read -r -a a <<<"$1"
  IFS=, read -r -a b <<<"$2"
  [ "${a[0]}" -ge "${b[0]}" ] && [ "${a[1]}" -ge "${b[1]}" ] && [ "${a[2]}" -le "${b[2]}" ] && [ "${a[3]}" -le "${b[3]}" ]
}
# On the virtual desktop $name of size $desktop:
start_desktop() { "$WINE" explorer /desktop="$name,$desktop" "$@"; }
# The rectangles Windows gives, once the window is open: "work L,T,R,B frame ... client ...".
ask_rects() {
  rm -f "$work/rects.txt"
  start_desktop "$work/rects.exe" "$("$WINE" winepath -w "$work/rects.txt" 2>/dev/null)" "$@"
  for _ in $(seq 300); do [ -s "$work/rects.txt" ] && break; sleep 0.1; done
  read -r _ work_area _ frame _ client < <(tr -d '\r' <"$work/rects.txt") || true
}
# The client area of the window as the virtual desktop shows it.
desktop_shot() {
  ask_rects
  local c shown
  # Without a window id import would wait for a click on one.
  shown=$(xdotool search --name "^$name - Wine desktop\$" | head -n 1) || true
  if [[ -z $shown || ! $client =~ ^-?[0-9]+(,-?[0-9]+){3}$ ]]; then
    convert -size 16x16 xc:black "$work/film.png"
    return 0
  fi
  IFS=, read -r -a c <<<"$client"
  import -window "$shown" -crop "$((c[2] - c[0]))x$((c[3] - c[1]))+${c[0]}+${c[1]}" +repage "$work/film.png"
}
for desktop in 1920x1080 1366x768; do
  name=Drennmoor$desktop
  (cd "$work/elsewhere" && exec "$WINE" explorer /desktop="$name,$desktop" "$folder/drennmoor.exe") \
    >"$work/out" 2>"$work/err" &
  game=$!
  wait_for_film desktop_shot
  [ -z "${3:-}" ] || cp "$work/film.png" "$3/wine-film-$desktop.png"
  echo "on a $desktop desktop: work area $work_area, frame $frame, client $client"
  inside "$frame" "$work_area" || fail "on a $desktop desktop the window's frame $frame leaves the work area $work_area"
  inside "$client" "$work_area" || fail "on a $desktop desktop the client area $client leaves the work area $work_area"
  ask_rects close
  wait_for_end "closed on a $desktop desktop"
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w 2>/dev/null || true
done
echo "the window's frame and the whole film inside the work area at 1920x1080 and 1366x768"
echo "1 passed, 0 failed"
