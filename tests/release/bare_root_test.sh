#!/usr/bin/env bash
# The Linux release on a bare system: a minimal Debian root (tests/release/bare_root.sh, made
# once and cached) without SFML, OpenAL, FreeType, FLAC, Vorbis or Ogg. The tarball is
# unpacked there, read-only to the player, who is a user without a home folder:
#   - the program and its libraries find what they need in its lib/ or among the system's
#     libraries packaging/linux/system-libraries lists, and nothing else;
#   - on Xvfb the opening shows, and an Escape tap ends the game with 0;
#   - without its shader it ends with 255 and the line the Debian package's game says.
# Prints the highest glibc version any file needs. Needs root (for chroot); without it the
# test is skipped (exit 77).
# Usage: bare_root_test.sh <Drennmoor-<version>-linux-x86_64.tar.gz>
set -euo pipefail
tarball=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "SKIP: the bare root test needs root, for chroot"; exit 77; }
for tool in debootstrap Xvfb xdotool import convert objdump python3; do
  command -v "$tool" >/dev/null || fail "$tool is missing (game.sh installs it)"
done
root=$("$here/bare_root.sh")

# Not one of the libraries the release brings is in the root.
found=$(find "$root/usr/lib" -name 'libsfml*' -o -name 'libopenal*' -o -name 'libfreetype*' \
  -o -name 'libFLAC*' -o -name 'libvorbis*' -o -name 'libogg*')
[ -z "$found" ] || fail "the bare root holds $found"

work=$(mktemp -d "$root/tmp/drennmoor-test.XXXXXX")
inside=${work#"$root"}
xvfb= game=
cleanup() {
  [ -z "$game" ] || kill "$game" 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"
tar -xzf "$tarball" -C "$work"
folder=$work/Drennmoor
mkdir "$work/data"
chown 65534:65534 "$work/data"

# What the program needs, all of it as the root's loader finds it: from its lib/ folder, or
# from the system if the list allows it.
system=$(grep -v '^#' "$here/../../packaging/linux/system-libraries")
chroot "$root" ldd "$inside/Drennmoor/lib/drennmoor" >"$work/ldd" 2>&1 || fail "ldd: $(cat "$work/ldd")"
! grep -q 'not found' "$work/ldd" || fail "the program misses: $(grep 'not found' "$work/ldd")"
awk '$2 == "=>" { print $1, $3 }' "$work/ldd" | while read -r name path; do
  [ "$path" = "$inside/Drennmoor/lib/$name" ] ||
    grep -qxF "$name" <<<"$system" || fail "the program takes $name from the system ($path)"
done
# What each file in lib/ asks for by name (the program's run path serves the libraries too).
for file in "$folder"/lib/*; do
  objdump -p "$file" | awk '$1 == "NEEDED" { print $2 }' | while read -r name; do
    [ -f "$folder/lib/$name" ] || grep -qxF "$name" <<<"$system" ||
      fail "${file#"$folder"/} needs $name, which is neither in lib/ nor in the list"
  done
done
glibc=$(for file in "$folder"/lib/*; do objdump -T "$file"; done |
  grep -o 'GLIBC_[0-9][0-9.]*' | sed 's/GLIBC_//' | sort -uV | tail -n 1)
echo "the highest glibc any file needs: $glibc"

# A display of our own; the game in the root reaches it through its socket in the abstract
# namespace, which a chroot does not hide.
. "$here/../support/game_window.sh"
open_display 1920x1080

# Starts the game as nobody, whose home folder does not exist, and waits for its window (or
# its end). The loader finds the program's folder in /proc, mounted for the game alone.
start() {
  unshare --mount sh -c 'mount -t proc proc "$0/proc" && exec "$@"' "$root" \
    chroot --userspec=65534:65534 "$root" env -i PATH=/usr/bin:/bin HOME=/nonexistent \
    DISPLAY="$DISPLAY" XDG_DATA_HOME="$inside/data" ALSOFT_DRIVERS=null \
    "$inside/Drennmoor/drennmoor" >"$work/out" 2>"$work/err" &
  game=$!
  wait_for_window
}
# The part of the window that is not black, 0 to 1.
lit() { import -window "$window" "$work/shot.png" && convert "$work/shot.png" -threshold 3% -format '%[fx:mean]' info:; }

start
[ -n "$window" ] || fail "the game ended before its window opened: $(cat "$work/err")"
shown=
for _ in $(seq 60); do
  python3 -c "import sys; sys.exit(0 if $(lit) > 0.2 else 1)" && { shown=yes; break; }
  kill -0 "$game" 2>/dev/null || fail "the game ended during the opening: $(cat "$work/err")"
  sleep 0.5
done
[ -n "$shown" ] || fail "within 30 s the opening did not show (lit: $(lit))"
xdotool windowfocus --sync "$window" key Escape
wait_for_end "an Escape tap"
[ "$status" -eq 0 ] || fail "after Escape the game ended with $status: $(cat "$work/err")"
echo "the opening showed and an Escape tap ended it with 0"

mv "$folder/assets/shaders/vignette.frag" "$work/vignette.frag"
start
wait_for_end "without vignette.frag"
[ "$status" -eq 255 ] || fail "without vignette.frag the game ended with $status, not 255"
grep -qx "Unable to load vignette.frag" "$work/err" || fail "without vignette.frag the game said: $(cat "$work/err")"
echo "without vignette.frag it ended with 255 and said why"
