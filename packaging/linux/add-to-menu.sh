#!/bin/sh
# Puts Drennmoor into the desktop's menu: its entry, pointing at this folder, goes into
# ${XDG_DATA_HOME:-~/.local/share}/applications. Run it again after moving the folder; delete
# that drennmoor.desktop to take it out again.
set -eu
here=$(dirname "$(readlink -f "$0")")
menu=${XDG_DATA_HOME:-$HOME/.local/share}/applications
mkdir -p "$menu"
sed -e "s|^Exec=.*|Exec=\"$here/drennmoor\"|" -e "s|^Icon=.*|Icon=$here/drennmoor.png|" \
    "$here/drennmoor.desktop" >"$menu/drennmoor.desktop"
echo "Drennmoor is in the menu: $menu/drennmoor.desktop"
