#!/bin/sh
# Makes, once, a bare Debian root to play the Linux release in: minbase and only what every
# Linux desktop has (the OpenGL and X11 client libraries, ALSA's client library), none of the
# libraries the release brings itself. Not even Xvfb, which needs FreeType: the test's display
# is the build machine's. Debian 11, the oldest system the release says it plays on. Cached
# outside the clone like the Windows libraries; prints the root's path on standard output.
# Needs root and debootstrap.
#
#   tests/release/bare_root.sh
set -eu
SUITE=bullseye
PACKAGES=libgl1,libgl1-mesa-dri,libx11-6,libxrandr2,libxext6,libxrender1,libasound2
# Raised when the root's contents change, so that an old one is not reused.
REVISION=3
say() { echo "game.sh: $*" >&2; }

cache=${XDG_CACHE_HOME:-$HOME/.cache}/drennmoor/linux-root-$SUITE-r$REVISION
if [ -f "$cache/complete" ]; then
    echo "$cache/root"
    exit 0
fi
rm -rf "$cache"
mkdir -p "$cache"
say "bare Debian root: making it in $cache (once)"
debootstrap --variant=minbase --include="$PACKAGES" "$SUITE" "$cache/root" http://deb.debian.org/debian \
    >"$cache/debootstrap.log" 2>&1 || { tail -n 20 "$cache/debootstrap.log" >&2; say "debootstrap failed (see $cache/debootstrap.log)"; exit 1; }
# The downloaded packages are not needed again.
rm -rf "$cache/root/var/cache/apt/archives/"*.deb "$cache/root/var/lib/apt/lists/"*_Packages
touch "$cache/complete"
echo "$cache/root"
