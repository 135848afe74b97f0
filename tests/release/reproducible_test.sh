#!/usr/bin/env bash
# Release files rebuilt to the byte: the repository's last commit cloned into two folders of
# different names, built in each, the second with the clock two days on (faketime); the files'
# SHA-256 sums must be the same. On a difference diffoscope's report says where.
#
#   reproducible_test.sh <game folder> deb|tarball|zip...
#       the files named (the Debian package, the Linux tarball, the Windows zip), with the
#       pictures and the song copied from the game folder given instead of rendered twice;
#       the package alone takes a few minutes
#   reproducible_test.sh full
#       every release file, from a clean ./game.sh release in each clone: everything is
#       built twice, the pictures, the song and the tests too (most of an hour on two cores)
#
# The Windows libraries come from their cache (packaging/windows/libraries.sh); with
# FRESH_LIBRARIES=1 the second clone builds them again into a cache of its own, at its own
# time (a quarter of an hour more), so that the zip shows it does not depend on the cache.
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in git faketime diffoscope sha256sum; do
  command -v "$tool" >/dev/null || fail "$tool is missing (game.sh test installs it)"
done
media=
if [ "${1:-}" != full ]; then
  media=$(realpath "${1:?the game folder whose pictures and song to copy, or full}")
  shift
  [ $# -gt 0 ] || fail "which files: deb, tarball or zip"
  for file in "$@"; do
    case $file in deb|tarball|zip) ;; *) fail "no release file is called $file" ;; esac
  done
fi
files=("$@")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
commit=$(git -C "$repo" rev-parse HEAD)
# As ./game.sh sets it for every release file.
SOURCE_DATE_EPOCH=$("$repo/packaging/source-date-epoch.sh")
export SOURCE_DATE_EPOCH
configure=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRENNMOOR_TESTS=OFF -DDRENNMOOR_MEDIA_FROM="$media")
# Both compiled afresh: ccache, where base_dir is set, gives the compiler relative source
# paths, which the debug information and so the build id keep.
export CCACHE_DISABLE=1

# build <clone folder> [command prefix...]: the release files of one clone into
# <clone folder>.out/.
build() {
  local clone=$1
  shift
  git clone -q --no-checkout "$repo" "$clone"
  git -C "$clone" checkout -q "$commit"
  mkdir -p "$clone.out"
  if [ -z "$media" ]; then
    # The Windows libraries and the Debian build root first, on the true clock: what a faked clock
    # installs carries times in the future, which would have CMake's configure run forever.
    { "$clone/packaging/windows/libraries.sh" && "$clone/packaging/linux/build_root.sh"; } >"$clone.log" 2>&1 ||
      { tail -n 30 "$clone.log"; fail "the Windows libraries or the Debian root in $clone"; }
    (cd "$clone" && "$@" ./game.sh release) >>"$clone.log" 2>&1 || { tail -n 30 "$clone.log"; fail "./game.sh release in $clone"; }
    cp "$clone"/build/release/* "$clone.out/"
    return
  fi
  local file
  for file in "${files[@]}"; do
    case $file in
      deb)
        cmake -S "$clone" -B "$clone/build" "${configure[@]}" &&
          "$@" cmake --build "$clone/build" --target drennmoor pictures package_files &&
          "$@" cpack --config "$clone/build/CPackConfig.cmake" -B "$clone/build/cpack" &&
          cp "$clone"/build/cpack/*.deb "$clone.out/" ;;
      tarball)
        # As ./game.sh release builds it: the program in the older Debian root (as root).
        root=$("$clone/packaging/linux/build_root.sh") &&
          "$clone/packaging/linux/build_in_root.sh" "$root" &&
          cmake -S "$clone" -B "$clone/build" "${configure[@]}" -DDRENNMOOR_LINUX_BUILD_ROOT="$root" &&
          "$@" cmake --build "$clone/build" --target linux_release && cp "$clone"/build/*.tar.gz "$clone.out/" ;;
      zip)
        # As ./game.sh windows builds it, with the cached Windows libraries.
        prefix=$("$clone/packaging/windows/libraries.sh") &&
          cmake -S "$clone" -B "$clone/build-windows" "${configure[@]}" -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$clone/cmake/mingw-w64-x86_64.cmake" -DCMAKE_PREFIX_PATH="$prefix" &&
          "$@" cmake --build "$clone/build-windows" && cp "$clone"/build-windows/*.zip "$clone.out/" ;;
    esac >>"$clone.log" 2>&1 || { tail -n 30 "$clone.log"; fail "building the $file in $clone"; }
  done
}
start=$(date +%s)
build "$work/first/drennmoor"
echo "first build: $(($(date +%s) - start)) s"
start=$(date +%s)
[ -z "${FRESH_LIBRARIES:-}" ] || export XDG_CACHE_HOME=$work/cache
build "$work/second-clone-later/drennmoor-again" faketime -f +2d
echo "second build, two days later by the clock: $(($(date +%s) - start)) s"

(cd "$work/first/drennmoor.out" && sha256sum -- * | grep -v SHA256SUMS) >"$work/first.sums"
(cd "$work/second-clone-later/drennmoor-again.out" && sha256sum -- * | grep -v SHA256SUMS) >"$work/second.sums"
cat "$work/first.sums"
[ -s "$work/first.sums" ] || fail "no release file was built"
if ! diff "$work/first.sums" "$work/second.sums" >/dev/null; then
  diff "$work/first.sums" "$work/second.sums" || true
  while read -r _ file; do
    cmp -s "$work/first/drennmoor.out/$file" "$work/second-clone-later/drennmoor-again.out/$file" && continue
    echo "diffoscope on $file:"
    diffoscope --text - --max-report-size 200000 "$work/first/drennmoor.out/$file" \
      "$work/second-clone-later/drennmoor-again.out/$file" | head -n 80 || true
  done <"$work/first.sums"
  fail "the release files differ between the two builds"
fi
echo "the same bytes from both clones"
