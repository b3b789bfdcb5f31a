#!/usr/bin/env bash
# Opens the real Multi Rename dialog under Wine over a fresh demo folder and takes a
# short tour: the four camera pictures get a new text typed into the pattern, then
# renumbered names pasted, the list's menu shows, and "Rename" renames them on disk. Screenshots go to
# build/windows/screenshots/tour/ (tour-DPI/ at another DPI). Without a display it runs
# on a virtual one.
# Usage: demo-dialog.sh [DPI]   (default 96)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/windows
dpi=${1:-96}
shots=$build/screenshots/tour
[ "$dpi" = 96 ] || shots=$shots-$dpi

if [ "${MR_ON_DISPLAY:-}" != 1 ]; then
    bash "$root/scripts/setup.sh"
    (cd "$root" && cmake --preset windows >/dev/null &&
        cmake --build --preset windows -j2 --target dialog_tour >/dev/null)
    if [ -n "${DISPLAY:-}" ]; then
        MR_ON_DISPLAY=1 bash "$0" "$dpi"
    else
        MR_ON_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$dpi"
    fi
    exit 0
fi

# From here on: on a display.
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/system.reg" ] || "$root/cmake/wine-run.sh" "$WINEPREFIX" cmd /c exit 0 >/dev/null 2>&1

demo=$build/demo/Tour
bash "$root/scripts/make-demo.sh" "$demo"
mapfile -t files < <(find "$demo" -maxdepth 1 -type f -name 'IMG_*' | sort)
paths=()
for f in "${files[@]}"; do paths+=("Z:${f//\//\\}"); done
rm -rf "$shots"
mkdir -p "$shots"

if [ "$dpi" != 96 ]; then
    bash "$root/scripts/wine-dpi.sh" "$WINEPREFIX" "$dpi"
    trap 'bash "$root/scripts/wine-dpi.sh" "$WINEPREFIX" 96' EXIT
fi
# Wine's own desktop window draws the title bars that a bare X server would not.
wine explorer /desktop=tour,1024x768 "$build/entry/dialog_tour.exe" "Z:${shots//\//\\}" "${paths[@]}"
wineserver -w
for bmp in "$shots"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done

echo "Window size remembered in the registry (DIP):"
wine reg query 'HKCU\SOFTWARE\Nombrel Software\Sorrelcast' 2>/dev/null | grep MultiRenameDlg || true
echo "Demo folder after the tour ($demo):"
ls -1 "$demo"
echo "Screenshots:"
ls -1 "$shots"/*.png
