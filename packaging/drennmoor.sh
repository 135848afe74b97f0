#!/bin/sh
# Starts Drennmoor from the player's own folder, ${XDG_DATA_HOME:-~/.local/share}/drennmoor:
# the first start copies the default config.json there (the player's to edit; never written
# again, so it survives upgrades), and every start links assets/ to the shipped data, found
# beside this script (../lib/games/drennmoor, ../share/games/drennmoor), so that an unpacked
# copy of the package plays from any folder.
set -u

fail() {
    echo "drennmoor: $*" >&2
    exit 1
}

here=$(dirname "$(readlink -f "$0")") || fail "cannot find where the launcher is installed"
program=$(readlink -f "$here/../lib/games/drennmoor/drennmoor")
data=$(readlink -f "$here/../share/games/drennmoor")
[ -x "$program" ] || fail "the game program is missing: $here/../lib/games/drennmoor/drennmoor"
[ -d "$data/assets" ] && [ -f "$data/config.json" ] || fail "the game's data is missing: $here/../share/games/drennmoor"

# A relative XDG_DATA_HOME is ignored, as the XDG base directory rules say.
case ${XDG_DATA_HOME:-} in
    /*) base=$XDG_DATA_HOME ;;
    *) [ -n "${HOME:-}" ] || fail "neither XDG_DATA_HOME nor HOME is set"; base=$HOME/.local/share ;;
esac
folder=$base/drennmoor
mkdir -p "$folder" || fail "cannot create the player's folder $folder"
if [ ! -e "$folder/config.json" ]; then
    cp "$data/config.json" "$folder/config.json" || fail "cannot copy the default config.json into $folder"
fi
# A link left by an earlier or moved install is renewed; a real folder of the player's is kept.
if [ -L "$folder/assets" ]; then
    rm -f "$folder/assets" || fail "cannot renew the link $folder/assets"
fi
if [ ! -e "$folder/assets" ]; then
    ln -s "$data/assets" "$folder/assets" || fail "cannot link $folder/assets to $data/assets"
fi
cd "$folder" || fail "cannot enter $folder"
exec "$program" "$@"
