#!/usr/bin/env bash
# Builds the libraries the Windows release links, from Debian's own source packages, once,
# into a cache outside the clone; prints the cache's install prefix on standard output.
# Every stage says one line on standard error; nothing here touches the system's apt state.
#
#   packaging/windows/libraries.sh
#
# Needs the MinGW-w64 cross compilers, cmake, ninja and dpkg-dev (for dpkg-source).
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
TOOLCHAIN=$HERE/../../cmake/mingw-w64-x86_64.cmake

# suite, source package, Debian version. bookworm first; the next release only where
# bookworm's archive of a source is no longer served (OpenAL-Soft 1.19.1).
SOURCES=(
  "bookworm libogg 1.3.5-3"
  "bookworm libvorbis 1.3.7-1"
  "bookworm flac 1.4.2+ds-2"
  "bookworm freetype 2.12.1+dfsg-5+deb12u4"
  "trixie openal-soft 1:1.24.2-1"
  "bookworm libsfml 2.5.1+dfsg-2"
)
# Raised when the way the libraries are built changes, so that an old cache is not reused.
BUILD_REVISION=2

say() { echo "libraries.sh: $*" >&2; }
fail() { say "$*"; exit 1; }

# The cache's name carries every library's upstream version.
upstream() { local v=${1#*:}; v=${v%-*}; echo "${v%%+*}"; }
name=windows
for entry in "${SOURCES[@]}"; do
  read -r _ package version <<<"$entry"
  name+="-${package#lib}$(upstream "$version")"
done
CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/drennmoor/$name-r$BUILD_REVISION
PREFIX=$CACHE/prefix
if [ -f "$CACHE/complete" ]; then
  say "Windows libraries: reusing $CACHE"
  echo "$PREFIX"
  exit 0
fi

# The same bytes from any cache folder, built at any time: the build paths are mapped to one
# name, a DLL's header and export table carry no link time, and anything that asks for the
# date gets a fixed one.
export SOURCE_DATE_EPOCH=1700000000
FLAGS="-ffile-prefix-map=$CACHE=/windows-libraries"
LINK_FLAGS=-Wl,--no-insert-timestamp

rm -rf "$CACHE"
mkdir -p "$CACHE"/{apt/parts,apt/lists/partial,apt/cache/archives/partial,sources,build}
APT=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$CACHE/apt/parts"
  -o Dir::Etc::Preferences=/dev/null -o Dir::Etc::PreferencesParts="$CACHE/apt/parts"
  -o Dir::State::Lists="$CACHE/apt/lists" -o Dir::Cache="$CACHE/apt/cache"
  -o APT::Sandbox::User=root -q=2)
cat >"$CACHE/apt/parts/debian.sources" <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm trixie
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
say "Windows libraries: reading Debian's source index"
apt-get "${APT[@]}" update >"$CACHE/apt.log" 2>&1 || fail "could not read Debian's source index (see $CACHE/apt.log)"

# The upstream tarball is all a build needs; apt checks it against the signed index. A
# source whose Debian part the mirror lacks still counts when its tarball arrived whole.
fetch() {
  local package=$1 version=$2 orig sum
  (cd "$CACHE/sources" && apt-get "${APT[@]}" source --download-only "$package=$version") \
    >>"$CACHE/apt.log" 2>&1 || true
  orig=$(apt-cache "${APT[@]}" showsrc "$package" | awk -v want="$version" '
    /^$/ { mine = 0 } /^Version:/ { mine = ($2 == want) }
    /^[^ ]/ { sums = /^Checksums-Sha256:/; next }
    mine && sums && $3 ~ /\.orig\.tar\.[a-z]+$/ { print $1, $3 }' | head -n 1)
  [ -n "$orig" ] || return 1
  sum=${orig%% *}
  orig=${orig#* }
  [ -f "$CACHE/sources/$orig" ] && echo "$sum  $CACHE/sources/$orig" | sha256sum -c --status || return 1
  mkdir -p "$CACHE/sources/$package"
  tar -xf "$CACHE/sources/$orig" -C "$CACHE/sources/$package" --strip-components=1
}
for entry in "${SOURCES[@]}"; do
  read -r suite package version <<<"$entry"
  say "Windows libraries: fetching the source of $package $version ($suite)"
  fetch "$package" "$version" || fail "could not fetch the Debian source package $package $version ($suite)"
done

# One CMake build and install into the prefix; the log stays in the cache.
build() {
  local package=$1
  shift
  say "Windows libraries: building $package"
  local log=$CACHE/build/$package.log
  { cmake -S "$CACHE/sources/$package" -B "$CACHE/build/$package" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_PREFIX_PATH="$PREFIX" \
      -DCMAKE_C_FLAGS="$FLAGS" -DCMAKE_CXX_FLAGS="$FLAGS" \
      -DCMAKE_SHARED_LINKER_FLAGS="$LINK_FLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LINK_FLAGS" \
      -DBUILD_SHARED_LIBS=OFF -DBUILD_TESTING=OFF "$@" &&
    cmake --build "$CACHE/build/$package" -j "$(nproc)" &&
    cmake --install "$CACHE/build/$package"; } >"$log" 2>&1 ||
    fail "building $package for Windows failed (see $log)"
}
build libogg -DINSTALL_DOCS=OFF
build libvorbis
build flac -DBUILD_CXXLIBS=OFF -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOCS=OFF \
  -DINSTALL_MANPAGES=OFF -DWITH_OGG=OFF -DWITH_STACK_PROTECTOR=OFF -DWITH_FORTIFY_SOURCE=OFF
build freetype -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
  -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
# OpenAL-Soft stays a DLL (its licence is the LGPL) that needs no other DLL beside it.
build openal-soft -DBUILD_SHARED_LIBS=ON -DALSOFT_UTILS=OFF -DALSOFT_EXAMPLES=OFF \
  -DALSOFT_INSTALL_CONFIG=OFF -DALSOFT_INSTALL_HRTF_DATA=OFF -DALSOFT_INSTALL_AMBDEC_PRESETS=OFF \
  -DALSOFT_STATIC_LIBGCC=ON -DALSOFT_STATIC_STDCXX=ON -DALSOFT_STATIC_WINPTHREAD=ON
build libsfml -DSFML_USE_SYSTEM_DEPS=TRUE -DSFML_BUILD_NETWORK=OFF -DSFML_BUILD_EXAMPLES=OFF \
  -DSFML_BUILD_DOC=OFF -DOPENAL_LIBRARY="$PREFIX/lib/libOpenAL32.dll.a" \
  -DOPENAL_INCLUDE_DIR="$PREFIX/include/AL"
# SFML's installed configuration names Windows' OpenGL library "OpenGL32"; MinGW's is
# libopengl32.a, which a case-sensitive file system does not find by the other name.
sed -i 's/"OpenGL32"/"opengl32"/' "$PREFIX/lib/cmake/SFML/SFMLConfigDependencies.cmake"

# The licence texts go into the release beside the libraries they cover.
mkdir -p "$PREFIX/licences"
copy_licence() { cp "$CACHE/sources/$1/$2" "$PREFIX/licences/$3"; }
copy_licence libogg COPYING libogg.txt
copy_licence libvorbis COPYING libvorbis.txt
copy_licence flac COPYING.Xiph flac.txt
copy_licence freetype docs/FTL.TXT freetype.txt
copy_licence openal-soft COPYING openal-soft.txt
copy_licence libsfml license.md sfml.txt
rm -rf "$CACHE/sources" "$CACHE/build" "$CACHE/apt"
touch "$CACHE/complete"
say "Windows libraries: built into $CACHE"
echo "$PREFIX"
