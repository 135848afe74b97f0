#!/bin/sh
# The Debian package, as a player gets it: built with CPack, unpacked with dpkg-deb into a
# temporary root, its files where Debian's games keep theirs, the launcher played twice on
# the test display from the unpacked copy (moved in between) with a fresh XDG_DATA_HOME,
# quitting with a held Escape. Usage: unpacked_copy_test.sh <CPackConfig.cmake> <game folder>
set -eu
cpack_config=$1
game=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
command -v xdotool >/dev/null || fail "xdotool is missing (game.sh installs it)"
[ -n "${DISPLAY:-}" ] || fail "the package test needs a display"

work=$(mktemp -d)
. "$(dirname "$0")/../support/game_window.sh"
trap 'xdotool keyup Escape 2>/dev/null || true; rm -rf "$work"' EXIT
# Compressed with gzip, which is several times faster than the package's xz; the files are the same.
cpack --config "$cpack_config" -B "$work/out" -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
set -- "$work"/out/drennmoor_*_amd64.deb
[ -f "$1" ] || fail "no drennmoor_<version>_amd64.deb in $(ls "$work/out")"
deb=$1

# Runtime libraries only: the SFML packages, and no -dev package.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
echo "$depends" | grep -q 'libsfml-graphics' || fail "Depends names no SFML runtime package"
echo "$depends" | grep -q -- '-dev\b' && fail "Depends names a -dev package"

# The layout: every file outside the data folder, and the data folder equal to the staged one.
dpkg-deb -x "$deb" "$work/root"
root=$work/root
data=usr/share/games/drennmoor
(cd "$root" && find . ! -type d ! -path "./$data/assets/*" | sort) >"$work/files"
app_id=$(cd "$root/usr/share/metainfo" && ls)
sort >"$work/expected" <<EOF
./$data/config.json
./usr/games/drennmoor
./usr/lib/games/drennmoor/drennmoor
./usr/share/applications/drennmoor.desktop
./usr/share/doc/drennmoor/changelog.gz
./usr/share/doc/drennmoor/copyright
./usr/share/icons/hicolor/256x256/apps/drennmoor.png
./usr/share/icons/hicolor/64x64/apps/drennmoor.png
./usr/share/lintian/overrides/drennmoor
./usr/share/man/man6/drennmoor.6.gz
./usr/share/metainfo/$app_id
EOF
diff "$work/expected" "$work/files" || fail "the package's files differ from the layout above"
diff -r "$game/assets" "$root/$data/assets" || fail "the packaged assets differ from the staged ones"
[ -x "$root/usr/games/drennmoor" ] && [ -x "$root/usr/lib/games/drennmoor/drennmoor" ] || fail "not executable"
for size in 256 64; do
    [ "$(identify -format %wx%h "$root/usr/share/icons/hicolor/${size}x$size/apps/drennmoor.png")" = "${size}x$size" ] ||
        fail "the ${size} px icon has the wrong size"
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/usr/share/applications/drennmoor.desktop" || fail "desktop entry"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id" || fail "AppStream metadata"
fi

# Plays from `root` until Escape, held until the game ends; its exit status must be 0.
play() {
    (cd "$work" && XDG_DATA_HOME=$work/data HOME=$work/home exec "$1/usr/games/drennmoor") >/dev/null 2>"$work/err" &
    game=$!
    wait_for_window
    [ -n "$window" ] || fail "the game ended before its window opened: $(cat "$work/err")"
    xdotool keydown Escape
    wait_for_end "a held Escape"
    xdotool keyup Escape
    [ $status -eq 0 ] || fail "the game ended with $status: $(cat "$work/err")"
}

folder=$work/data/drennmoor
play "$root"
cmp "$folder/config.json" "$root/$data/config.json" || fail "the player's config.json is no copy of the default"
[ "$(readlink "$folder/assets")" = "$(readlink -f "$root/$data/assets")" ] || fail "assets does not link to the shipped data"

# The player's edit survives, and a moved copy is found again.
sed -i 's/"music": true/"music": false/' "$folder/config.json"
mv "$root" "$work/moved"
play "$work/moved"
grep -q '"music": false' "$folder/config.json" || fail "the player's config.json was overwritten"
[ "$(readlink "$folder/assets")" = "$(readlink -f "$work/moved/$data/assets")" ] || fail "the assets link was not renewed"
echo "package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB"
