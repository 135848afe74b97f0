#!/bin/sh
# Lays out and packs the portable Linux release, one folder Drennmoor/:
#   drennmoor            the launcher (packaging/drennmoor.sh.in): double-click or run it
#   lib/drennmoor        the game program, stripped, with the run path $ORIGIN
#   lib/lib*.so.*        every library it needs but those in system-libraries, as this
#                        Debian build machine's packages hold them
#   config.json, assets/ the game's data
#   README.txt, licences/, drennmoor.desktop, drennmoor.png, add-to-menu
# Times are SOURCE_DATE_EPOCH's (packaging/source-date-epoch.sh), entries sorted, owners and
# modes fixed, gzip without a name or time: the same bytes from any clone.
#
#   tarball.sh <program> <game folder> <launcher> <README.txt> <icon.png> <stage folder> <output.tar.gz>
set -eu
program=$1 game=$2 launcher=$3 readme=$4 icon=$5 stage=$6 output=$7
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "tarball.sh: $*" >&2; exit 1; }
epoch=$("$here/../source-date-epoch.sh")

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
# Without a preloaded library (faketime's, say) that is no dependency of the program.
env -u LD_PRELOAD ldd "$program" >"$stage/ldd" || fail "ldd $program failed"
awk '$2 == "=>" { print $1, $3 }' "$stage/ldd" >"$stage/needed"
while read -r name path; do
    echo "$system" | grep -qxF "$name" && continue
    [ -f "$path" ] || fail "$name is not found on this machine"
    cp -L "$path" "$folder/lib/$name"
    chmod 644 "$folder/lib/$name"
    package=$(dpkg-query -S "$path" 2>/dev/null || dpkg-query -S "$(readlink -f "$path")") ||
        fail "no Debian package holds $path"
    package=${package%%:*}
    cp "/usr/share/doc/$package/copyright" "$folder/licences/$package.txt"
    dpkg-query -W -f='${Package} ${Version}, from the source package ${source:Package} ${source:Version}\n' "$package" >>"$stage/packages"
done <"$stage/needed"
LC_ALL=C sort -u "$stage/packages" >"$folder/licences/debian-packages.txt"

# The README says which glibc the program and its libraries need at least, and whose packages
# the libraries are.
glibc=$(for file in "$folder"/lib/*; do objdump -T "$file"; done |
    grep -o 'GLIBC_[0-9][0-9.]*' | sed 's/GLIBC_//' | sort -uV | tail -n 1)
debian=$(. /etc/os-release && echo "$VERSION")
sed -e "s/%LOWEST_GLIBC%/$glibc/" -e "s/%DEBIAN_RELEASE%/$debian/" "$readme" >"$folder/README.txt"

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
