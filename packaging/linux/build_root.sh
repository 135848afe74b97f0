#!/bin/sh
# Makes, once, the older Debian root the Linux release's program is built in: a program and
# libraries from Debian 11 need glibc 2.31 and GCC 10's C++ runtime, where the build machine's
# own would need glibc 2.34 and GCC 12's, so the release plays on older distributions too.
# Cached outside the clone like the Windows libraries; prints the root's path on standard
# output. Needs root and debootstrap.
#
#   packaging/linux/build_root.sh
set -eu
SUITE=bullseye
PACKAGES="g++ cmake ninja-build libsfml-dev libopenal-dev nlohmann-json3-dev libstb-dev libx11-dev libgl-dev"
# Raised when the root's contents change, so that an old one is not reused.
REVISION=1
say() { echo "build_root.sh: $*" >&2; }

cache=${XDG_CACHE_HOME:-$HOME/.cache}/drennmoor/linux-build-root-$SUITE-r$REVISION
if [ -f "$cache/complete" ]; then
    echo "$cache/root"
    exit 0
fi
rm -rf "$cache"
mkdir -p "$cache"
say "the Debian $SUITE root the Linux release is built in: making it in $cache (once)"
log=$cache/make.log
{ debootstrap --variant=minbase "$SUITE" "$cache/root" http://deb.debian.org/debian &&
  DEBIAN_FRONTEND=noninteractive chroot "$cache/root" apt-get install -y -q --no-install-recommends $PACKAGES; } \
    >"$log" 2>&1 || { tail -n 20 "$log" >&2; say "making the root failed (see $log)"; exit 1; }
# The downloaded packages are not needed again.
rm -rf "$cache/root/var/cache/apt/archives/"*.deb "$cache/root/var/lib/apt/lists/"*_Packages
touch "$cache/complete"
echo "$cache/root"
