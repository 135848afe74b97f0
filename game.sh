#!/usr/bin/env bash
# Sets up, builds and plays Drennmoor, or runs every test.
#
#   ./game.sh play    install what is missing, build, build the assets, play the film
#   ./game.sh test    the same set-up, then every test, then every test again with
#                     AddressSanitizer and UndefinedBehaviorSanitizer (but those that encode
#                     video or listen to the song), then a few seconds of fuzzing for each
#                     loader, then the Windows release under Wine
#   ./game.sh build   only the set-up and the build
#   ./game.sh package the same set-up and build, then the Debian package
#                     build/drennmoor_<version>_amd64.deb, checked with lintian
#   ./game.sh windows the same set-up and build, then the Windows release
#                     build-windows/Drennmoor-<version>-windows-x64.zip, cross-built with
#                     libraries built once from Debian's source packages (cached)
#   ./game.sh release the same set-up and build, then every release file into build/release/
#                     with their SHA256SUMS: the Debian package, the Windows zip and the
#                     portable Linux tarball, each the same to the byte from any clone
set -euo pipefail
cd "$(dirname "$0")"

# Debian packages the game, its asset build and its tests need.
PACKAGES=(
  cmake ninja-build g++ pkg-config
  libsfml-dev nlohmann-json3-dev libgtest-dev libstb-dev libopenal-dev
  xvfb xauth libx11-dev libxtst-dev
  librsvg2-bin python3 fonts-ebgaramond imagemagick
  abcmidi fluidsynth fluid-soundfont-gm vorbis-tools sox
  ffmpeg
  clang-14 libclang-rt-14-dev
  dpkg-dev lintian desktop-file-utils appstream xdotool patchelf
  openbox tint2
)
# What the Windows release and its check under Wine need besides.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine64 strip-nondeterminism)
# What the checks of the release files need besides: the bare Debian root, and the second
# build at another time, compared.
RELEASE_PACKAGES=(debootstrap faketime diffoscope-minimal)
BUILD_DIR=build
WINDOWS_DIR=build-windows
SANITIZE_DIR=build-sanitize
# -noreset: the server stays up between test processes instead of restarting as the
# last client leaves, when a process connecting at that moment would fail.
XVFB=(xvfb-run -a -s "-screen 0 1920x1080x24 -noreset")

say() { echo "game.sh: $*" >&2; }

install_missing() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local apt=(apt-get)
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
      apt=(sudo apt-get)
    else
      say "these packages are missing; install them and run me again:"
      echo "sudo apt-get install -y ${missing[*]}" >&2
      exit 1
    fi
  fi
  say "installing ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive "${apt[@]}" update -qq
  DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y -qq "${missing[@]}" >/dev/null
}

build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}

# run_tests DIR [CTEST OPTION...]
run_tests() {
  local dir=$1
  shift
  ALSOFT_DRIVERS=null "${XVFB[@]}" ctest --test-dir "$dir" --output-on-failure -j 2 "$@"
}

play() {
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    say "there is no display to open the game's window on (DISPLAY is not set): run me from a desktop session."
    exit 1
  fi
  cd "$BUILD_DIR/game"
  exec ./drennmoor
}

test_all() {
  run_tests "$BUILD_DIR"
  # The tests labelled media (video encoding, the song heard) exercise ffmpeg and the onset
  # arithmetic, not our memory handling: the sanitizer pass leaves them out.
  say "again with AddressSanitizer and UndefinedBehaviorSanitizer"
  build "$SANITIZE_DIR" -DCMAKE_BUILD_TYPE=Debug -DDRENNMOOR_SANITIZE=ON \
    -DDRENNMOOR_MEDIA_FROM="$PWD/$BUILD_DIR/game"
  ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" \
    LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
    UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    run_tests "$SANITIZE_DIR" --label-exclude media
  say "a few seconds of fuzzing for each loader"
  fuzz/run.sh smoke
  windows
  say "the Windows release under Wine"
  tests/windows/wine_test.sh "$WINDOWS_DIR"/Drennmoor-*-windows-x64.zip "$BUILD_DIR/game"
  say "the Linux release on a bare Debian root"
  local status=0
  if can_be_root; then
    linux_release >/dev/null
    "${AS_ROOT[@]}" tests/release/bare_root_test.sh "$BUILD_DIR"/Drennmoor-*-linux-x86_64.tar.gz || status=$?
  else
    say "skipped: the Linux release is built and played in Debian roots (chroot), which needs root or sudo without a password"
  fi
  [ $status -eq 0 ] || [ $status -eq 77 ] || exit $status
  # Rebuilding all three takes a clean build each; the package stands for them here:
  # tests/release/reproducible_test.sh full checks them all.
  say "the Debian package rebuilt to the byte from another clone"
  tests/release/reproducible_test.sh "$PWD/$BUILD_DIR/game" deb
  say "every test passed, with and without the sanitizers, the loaders survived their fuzzing, the Windows release played under Wine, the Linux release on a bare system, and the package was rebuilt to the byte"
}

package() {
  cmake --build "$BUILD_DIR" --target package
  local deb
  deb=$(ls -t "$BUILD_DIR"/drennmoor_*_amd64.deb | head -n 1)
  lintian --fail-on error "$deb"
  say "built $deb; install it with: sudo apt-get install ./$deb"
}

# The game alone for 64-bit Windows, with the pictures and the song of the Linux build.
windows() {
  local prefix log=$WINDOWS_DIR/build.log
  prefix=$(packaging/windows/libraries.sh)
  say "Windows release: building the game"
  mkdir -p "$WINDOWS_DIR"
  rm -f "$WINDOWS_DIR"/Drennmoor-*-windows-x64.zip
  # Libraries of other versions: nothing CMake found in the old ones is kept.
  local fresh=()
  [ "$(cat "$WINDOWS_DIR/libraries" 2>/dev/null)" = "$prefix" ] || fresh=(--fresh)
  echo "$prefix" >"$WINDOWS_DIR/libraries"
  { cmake "${fresh[@]}" -S . -B "$WINDOWS_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_PREFIX_PATH="$prefix" \
      -DDRENNMOOR_MEDIA_FROM="$PWD/$BUILD_DIR/game" &&
    cmake --build "$WINDOWS_DIR" -j "$(nproc)"; } >"$log" 2>&1 ||
    { tail -n 30 "$log" >&2; say "building the game for Windows failed (all of it in $log)"; exit 1; }
  say "built $(ls "$WINDOWS_DIR"/Drennmoor-*-windows-x64.zip)"
}

# chroot needs root: as root, or through sudo where that works without a password.
AS_ROOT=()
can_be_root() {
  [ "$(id -u)" -eq 0 ] && return 0
  sudo -n true 2>/dev/null && AS_ROOT=(sudo -n)
}

# The portable Linux tarball: its program built in a Debian 11 root made once (cached), so that
# it needs only that release's glibc and C++ runtime, then packed with that root's libraries.
linux_release() {
  local root
  root=$("${AS_ROOT[@]}" packaging/linux/build_root.sh)
  "${AS_ROOT[@]}" packaging/linux/build_in_root.sh "$root"
  cmake -S . -B "$BUILD_DIR" -DDRENNMOOR_LINUX_BUILD_ROOT="$root" >/dev/null
  cmake --build "$BUILD_DIR" --target linux_release
}

# Every release file, each the same to the byte from any clone of the same commit, and the
# sums a player checks them by.
release() {
  can_be_root || { say "the Linux release is built in an older Debian root (chroot): run me as root or with sudo"; exit 1; }
  package
  windows
  linux_release
  local out=$BUILD_DIR/release
  rm -rf "$out"
  mkdir -p "$out"
  cp "$BUILD_DIR"/drennmoor_*_amd64.deb "$WINDOWS_DIR"/Drennmoor-*-windows-x64.zip \
    "$BUILD_DIR"/Drennmoor-*-linux-x86_64.tar.gz "$out/"
  (cd "$out" && sha256sum -- * >SHA256SUMS)
  say "the release files, and their sums in $out/SHA256SUMS:"
  cat "$out/SHA256SUMS" >&2
}

command=${1:-}
case "$command" in
  play|test|build|package|windows|release) ;;
  *) echo "usage: ./game.sh play | test | build | package | windows | release" >&2; exit 2 ;;
esac
install_missing "${PACKAGES[@]}"
case "$command" in
  test) install_missing "${WINDOWS_PACKAGES[@]}" "${RELEASE_PACKAGES[@]}" ;;
  windows) install_missing "${WINDOWS_PACKAGES[@]}" ;;
  release) install_missing "${WINDOWS_PACKAGES[@]}" debootstrap ;;
esac
# Every file the release builds carries the last commit's time, not the build's.
SOURCE_DATE_EPOCH=$(packaging/source-date-epoch.sh)
export SOURCE_DATE_EPOCH
build "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo
case "$command" in
  play) play ;;
  test) test_all ;;
  package) package ;;
  windows) windows ;;
  release) release ;;
esac
