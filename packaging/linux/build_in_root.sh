#!/bin/sh
# Builds the game's program for the Linux release inside the older Debian root that
# build_root.sh makes, and lists the libraries it loads there, for tarball.sh to pack:
#   <root>/drennmoor/build/game/drennmoor   the program
#   <root>/drennmoor/ldd                    ldd's lines for it, inside the root
# The build folder has one name in every root, and SOURCE_DATE_EPOCH passes through: the
# same bytes from any clone. Needs root (chroot).
#
#   packaging/linux/build_in_root.sh <root>
set -eu
root=$1
source=$(cd "$(dirname "$0")/../.." && pwd)
say() { echo "build_in_root.sh: $*" >&2; }
# A library the build machine preloads (faketime's) is not in the root.
unset LD_PRELOAD

say "the Linux release's program, built in $root"
rm -rf "$root/drennmoor"
mkdir -p "$root/drennmoor/source"
# What the program is built from, and nothing else of the working tree.
tar -C "$source" -cf - CMakeLists.txt cmake src | tar -C "$root/drennmoor/source" -xf -
log=$root/drennmoor/build.log
{ chroot "$root" cmake -S /drennmoor/source -B /drennmoor/build -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRENNMOOR_PROGRAM_ONLY=ON -DDRENNMOOR_TESTS=OFF &&
  chroot "$root" cmake --build /drennmoor/build --target drennmoor; } >"$log" 2>&1 ||
    { tail -n 30 "$log" >&2; say "building the program in $root failed (see $log)"; exit 1; }
chroot "$root" ldd /drennmoor/build/game/drennmoor >"$root/drennmoor/ldd"
