#!/usr/bin/env bash
# Checks what scripts/package.sh made in build/packages/:
# - the .deb: its control fields, the files it installs, lintian without errors, and
#   the program it unpacks (dpkg-deb -x) runs and shows the project's version;
# - the Windows installer, in a fresh Wine prefix of its own on a virtual display:
#   a silent install into a chosen folder, the uninstaller registered, mrhost.exe from
#   there opens the dialog over a demo folder (found, then closed; nothing renamed),
#   and the silent uninstall leaves no file and no registry key behind.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
packages=$root/build/packages
version=$(cat "$root/build/linux-release/packaging/version")
deb=$packages/multirename_${version}_amd64.deb
setup=$packages/multirename-$version-setup.exe

if [ "${MR_ON_DISPLAY:-}" != 1 ]; then
    MR_ON_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }
scratch=$(mktemp -d)
trap 'WINEPREFIX=$scratch/prefix wineserver -k 2>/dev/null; rm -rf "$scratch"' EXIT
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config \
    XDG_DATA_HOME=$scratch/home/.local/share XDG_STATE_HOME=$scratch/home/.local/state
mkdir -p "$HOME"

# --- The Debian package -------------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = multirename ] || fail "deb: Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "deb: Version is '$(field Version)'"
[ "$(field Architecture)" = amd64 ] || fail "deb: Architecture is '$(field Architecture)'"
# -i draws with ncurses: the package must bring its libraries.
for lib in libc6 libstdc++6 libncursesw6 libtinfo6; do
    grep -q "$lib (>=" <<<"$(field Depends)" || fail "deb: Depends lacks $lib: $(field Depends)"
done
listing=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in usr/bin/multirename usr/share/man/man1/multirename.1.gz \
    usr/share/bash-completion/completions/multirename \
    usr/share/zsh/vendor-completions/_multirename \
    usr/share/fish/vendor_completions.d/multirename.fish \
    usr/share/doc/multirename/copyright usr/share/doc/multirename/changelog.gz; do
    grep -qx "\./$path" <<<"$listing" || fail "deb: no $path"
done
dpkg-deb -x "$deb" "$scratch/deb"
shown=$("$scratch/deb/usr/bin/multirename" --version)
[ "$shown" = "multirename $version" ] || fail "deb: the program says '$shown'"
mkdir "$scratch/names" && touch "$scratch/names/IMG_0001.JPG" "$scratch/names/IMG_0002.JPG"
# Whole outputs first: grep -q closing the pipe early would fail the pipeline.
shown=$("$scratch/deb/usr/bin/multirename" -t 0=Rome_ "$scratch/names"/*)
grep -q Rome_0001.JPG <<<"$shown" || fail "deb: the program did not show the new names: $shown"
page=$(MANWIDTH=80 man -l "$scratch/deb/usr/share/man/man1/multirename.1.gz" 2>&1)
grep -q "^EXIT STATUS" <<<"$page" || fail "deb: the man page does not read"

report=$(lintian --display-info --tag-display-limit 0 "$deb" 2>&1 | grep "^[EWI]:")
errors=$(grep -c '^E:' <<<"$report")
warnings=$(grep -c '^W:' <<<"$report")
[ "$errors" -eq 0 ] || fail "lintian: $errors errors"
[ -z "$report" ] || echo "$report"
echo "lintian: $errors errors, $warnings warnings"

# --- The Windows installer ----------------------------------------------------------
export WINEPREFIX=$scratch/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
timeout 300 wineboot -i >/dev/null 2>&1 || fail "wine: no fresh prefix"
wineserver -w
# Not the default folder; its parent exists, as the uninstaller leaves parents alone.
folder='C:\Multi Rename'
unix_folder=$WINEPREFIX/drive_c/Multi\ Rename
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\MultiRename'

# What the prefix holds: its files and registry keys (without their time stamps).
snapshot() {
    {
        (cd "$WINEPREFIX" && find drive_c -not -path '*/Temp/*' -not -path '*/temp/*')
        sed -n 's/^\(\[.*\]\).*/\1/p' "$WINEPREFIX"/system.reg "$WINEPREFIX"/user.reg
    } | LC_ALL=C sort
}
snapshot >"$scratch/before"

# /D= takes the rest of the command line as it stands: a quoted argument would not do.
read -ra words <<<"/D=$folder"
timeout 120 wine "$setup" /S "${words[@]}" || fail "setup: exit status $?"
wineserver -w
for f in multirename.dll mrhost.exe multirename.exe include/multirename.h README.md \
    LICENSE.txt uninstall.exe; do
    [ -f "$unix_folder/$f" ] || fail "setup: no $f in the chosen folder"
done
shown=$(wine reg query "$key" /v DisplayVersion 2>/dev/null | tr -d '\r' | awk '/DisplayVersion/ {print $NF}')
[ "$shown" = "$version" ] || fail "setup: uninstall entry's DisplayVersion is '$shown'"
grep -qF "$folder\\uninstall.exe" <<<"$(wine reg query "$key" /v UninstallString 2>/dev/null)" ||
    fail "setup: no UninstallString"
for program in mrhost multirename; do
    shown=$(wine "$folder\\$program.exe" --version 2>/dev/null | tr -d '\r')
    [[ $shown == *" $version" ]] || fail "$program.exe --version says '$shown'"
done
grep -qx "$version.0" <<<"$(strings -el "$unix_folder/multirename.dll")" ||
    fail "multirename.dll: no version $version.0 in its version resource"

# The installed host over the demo folder: the dialog opens, is closed, nothing moves.
bash "$root/scripts/make-demo.sh" "$scratch/demo"
mapfile -t files < <(find "$scratch/demo" -maxdepth 1 -type f ! -name README | sort)
(cd "$scratch/demo" && ls) >"$scratch/demo-before"
paths=()
for f in "${files[@]}"; do paths+=("Z:${f//\//\\}"); done
timeout 120 wine "$folder\\mrhost.exe" "${paths[@]}" &
host=$!
timeout 60 bash -c "until xwininfo -root -tree | grep -q '\"Multi Rename\"'; do sleep 0.5; done" \
    2>/dev/null || fail "mrhost.exe: no \"Multi Rename\" window"
wine taskkill /im mrhost.exe >/dev/null 2>&1
wait "$host" || fail "mrhost.exe: exit status $? after the dialog was closed"
(cd "$scratch/demo" && ls) | cmp -s - "$scratch/demo-before" || fail "the demo folder changed"
# The dialog stores its size when its window goes: it closed the way it should.
wine reg query 'HKCU\Software\Nombrel Software\Sorrelcast' /v MultiRenameDlgWidth >/dev/null 2>&1 ||
    fail "mrhost.exe: the dialog stored no size"

timeout 120 wine "$folder\\uninstall.exe" /S || fail "uninstall: exit status $?"
wineserver -w
[ ! -e "$unix_folder" ] || fail "uninstall: left $(cd "$unix_folder" && find . -mindepth 1 | paste -sd' ')"
snapshot >"$scratch/after"
left=$(LC_ALL=C comm -13 "$scratch/before" "$scratch/after")
[ -z "$left" ] || fail "uninstall: left behind: $left"

[ $failed -eq 0 ] && echo "packages: ok"
exit $failed
