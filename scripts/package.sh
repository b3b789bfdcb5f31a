#!/usr/bin/env bash
# Builds the packages from Release builds (presets linux-release, windows-release)
# into build/packages/:
#   multirename_<version>_amd64.deb    the command line, its man page and completions
#   multirename-<version>-setup.exe    the Windows module, header, sample host and
#                                      command line (NSIS installer)
# Sets up what is missing first. Both are made from the install components (`cli`,
# `module`); the version is the project's (CMakeLists.txt) and dates come from the
# last commit, so the same tree gives the same packages.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
umask 022

out=$root/build/packages
work=$out/work
rm -rf "$work"
mkdir -p "$work"
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}
maintainer="Nombrel Software <multirename@nombrel.example>"

cmake --preset linux-release >/dev/null
cmake --build --preset linux-release --target multirename_cli cli_docs
cmake --preset windows-release >/dev/null
cmake --build --preset windows-release --target multirename mrhost multirename_cli
version=$(cat build/linux-release/packaging/version)

# The Debian package.
deb=$work/deb
DESTDIR=$deb cmake --install build/linux-release --component cli --prefix /usr --strip >/dev/null
strip --remove-section=.comment --remove-section=.note "$deb/usr/bin/multirename"
doc=$deb/usr/share/doc/multirename
install -d "$doc" "$deb/DEBIAN"
install -m 644 packaging/debian/copyright "$doc/copyright"
sed -e "s/@VERSION@/$version/g" -e "s/@MAINTAINER@/$maintainer/" \
    -e "s/@DATE@/$(date -u -R -d "@$SOURCE_DATE_EPOCH")/" packaging/debian/changelog.in |
    gzip -9n >"$doc/changelog.gz"
# dpkg-shlibdeps reads the package's libraries' own dependency data; it wants a
# debian/control to stand in.
mkdir -p "$work/shlibs/debian"
printf 'Source: multirename\n\nPackage: multirename\nArchitecture: amd64\n' \
    >"$work/shlibs/debian/control"
depends=$(cd "$work/shlibs" && dpkg-shlibdeps -O "$deb/usr/bin/multirename" | sed 's/^shlibs:Depends=//')
size=$(du -sk --exclude=DEBIAN "$deb" | cut -f1)
sed -e "s/@VERSION@/$version/" -e "s/@MAINTAINER@/$maintainer/" -e "s/@DEPENDS@/$depends/" \
    -e "s/@INSTALLED_SIZE@/$size/" packaging/debian/control.in >"$deb/DEBIAN/control"
(cd "$deb" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$deb/DEBIAN/md5sums"
chmod 644 "$deb/DEBIAN/control" "$deb/DEBIAN/md5sums"
find "$deb" -depth -newermt "@$SOURCE_DATE_EPOCH" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
dpkg-deb --root-owner-group -Zxz --build "$deb" "$out/multirename_${version}_amd64.deb" >/dev/null

# The Windows installer: every file of the module component, and an uninstaller that
# removes exactly those.
win=$work/windows
DESTDIR=$win cmake --install build/windows-release --component module --prefix / --strip >/dev/null
(cd "$win" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) >"$work/files"
{
    unset dir
    while read -r f; do
        d=$(dirname "$f")
        [ "$d" = . ] && d= || d=\\${d//\//\\}
        [ "$d" = "${dir-none}" ] || echo "SetOutPath \"\$INSTDIR$d\""
        dir=$d
        echo "File \"$win/$f\""
    done <"$work/files"
} >"$work/install.nsh"
{
    sed 's|/|\\|g; s|^\(.*\)$|Delete "$INSTDIR\\\1"|' "$work/files"
    (cd "$win" && find . -mindepth 1 -type d | sed 's|^\./||' | LC_ALL=C sort -r) |
        sed 's|/|\\|g; s|^\(.*\)$|RMDir "$INSTDIR\\\1"|'
} >"$work/uninstall.nsh"
makensis -V2 -DVERSION="$version" -DSTAGE="$win" -DFILES="$work/install.nsh" \
    -DUNFILES="$work/uninstall.nsh" -DSIZE_KB="$(du -sk "$win" | cut -f1)" \
    -DICON="$root/resources/bitmaps/host.ico" \
    -DOUTFILE="$out/multirename-$version-setup.exe" packaging/windows/multirename.nsi

rm -rf "$work"
ls -l "$out"/multirename_"$version"_amd64.deb "$out/multirename-$version-setup.exe"
