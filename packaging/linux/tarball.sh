#!/bin/sh
# Lays out and packs the portable Linux release, one folder Drennmoor/:
#   drennmoor            the launcher (packaging/drennmoor.sh.in): double-click or run it
#   lib/drennmoor        the game program, stripped, with the run path $ORIGIN, as
#                        build_in_root.sh built it in the older Debian root
#   lib/lib*.so.*        every library it needs but those in system-libraries, as that
#                        root's Debian packages hold them
#   config.json, assets/ the game's data
#   README.txt, licences/, drennmoor.desktop, drennmoor.png, add-to-menu
# Times are SOURCE_DATE_EPOCH's (packaging/source-date-epoch.sh), entries sorted, owners and
# modes fixed, gzip without a name or time: the same bytes from any clone.
#
#   tarball.sh <root> <game folder> <launcher> <README.txt> <icon.png> <stage folder> <output.tar.gz>
set -eu
root=$1 game=$2 launcher=$3 readme=$4 icon=$5 stage=$6 output=$7
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "tarball.sh: $*" >&2; exit 1; }
epoch=$("$here/../source-date-epoch.sh")

program=$root/drennmoor/build/game/drennmoor
[ -f "$program" ] || fail "no program in $root: packaging/linux/build_in_root.sh builds it"
dpkg_root() { dpkg-query --admindir="$root/var/lib/dpkg" "$@"; }

rm -rf "$stage" "$output"
folder=$stage/Drennmoor
mkdir -p "$folder/lib" "$folder/licences"

# The program; the run path is set in this copy only, the Debian package's has none. DT_RPATH
# rather than DT_RUNPATH: it holds for the libraries' own dependencies too.
strip --remove-section=.comment -o "$folder/lib/drennmoor" "$program"
patchelf --force-rpath --set-rpath '$ORIGIN' "$folder/lib/drennmoor"

# Its libraries, each under the name the program asks for, each package's copyright, and
# which Debian packages they are (the sources of those versions are Debian's).
system=$(grep -v '^#' "$here/system-libraries")
awk '$2 == "=>" { print $1, $3 }' "$root/drennmoor/ldd" >"$stage/needed"
while read -r name path; do
    echo "$system" | grep -qxF "$name" && continue
    [ -f "$root$path" ] || fail "$name is not found in $root"
    cp -L "$root$path" "$folder/lib/$name"
    chmod 644 "$folder/lib/$name"
    # By the path the root's packages list; /lib is /usr/lib there.
    package=$(dpkg_root -S "$path" 2>/dev/null || dpkg_root -S "/usr$path" 2>/dev/null ||
        dpkg_root -S "$(readlink -f "$root$path" | sed "s|^$root||")") || fail "no Debian package in $root holds $path"
    package=${package%%:*}
    cp "$root/usr/share/doc/$package/copyright" "$folder/licences/$package.txt"
    dpkg_root -W -f='${Package} ${Version}, from the source package ${source:Package} ${source:Version}\n' "$package" >>"$stage/packages"
done <"$stage/needed"
LC_ALL=C sort -u "$stage/packages" >"$folder/licences/debian-packages.txt"

# The README says which glibc and C++ runtime the program and its libraries need at least
# (the highest version of each that any file in lib/ asks for), and whose packages they are.
highest() {
    for file in "$folder"/lib/*; do objdump -T "$file"; done |
        grep -o "$1_[0-9][0-9.]*" | sed "s/$1_//" | sort -uV | tail -n 1
}
debian=$(. "$root/etc/os-release" && echo "$VERSION")
sed -e "s/%LOWEST_GLIBC%/$(highest GLIBC)/" -e "s/%LOWEST_GLIBCXX%/$(highest GLIBCXX)/" \
    -e "s/%DEBIAN_RELEASE%/$debian/" "$readme" >"$folder/README.txt"

cp "$launcher" "$folder/drennmoor"
cp "$game/config.json" "$folder/"
cp -R "$game/assets" "$folder/assets"
cp "$here/../copyright" "$folder/licences/drennmoor.txt"
cp "$here/../drennmoor.desktop" "$folder/drennmoor.desktop"
cp "$icon" "$folder/drennmoor.png"
cp "$here/add-to-menu.sh" "$folder/add-to-menu"
chmod 755 "$folder/drennmoor" "$folder/add-to-menu" "$folder/lib/drennmoor"

tar --sort=name --mtime="@$epoch" --owner=0 --group=0 --numeric-owner --mode=u+rw,go-w,go+rX \
    --format=gnu -C "$stage" -cf - Drennmoor | gzip -9n >"$output"
