#!/usr/bin/env bash
# Drives the real Multi Rename dialog under Wine to each message box it can show and
# saves one picture per message under build/windows/screenshots/messages/ (messages-DPI/
# at another DPI). Without a display it runs on a virtual one.
# Usage: screenshot-messages.sh [DPI]   (default 96)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/windows
dpi=${1:-96}
shots=$build/screenshots/messages
[ "$dpi" = 96 ] || shots=$shots-$dpi

if [ "${MR_ON_DISPLAY:-}" != 1 ]; then
    (cd "$root" && cmake --preset windows >/dev/null &&
        cmake --build --preset windows -j2 --target message_tour >/dev/null)
    MR_ON_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$dpi"
fi

export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/system.reg" ] || "$root/cmake/wine-run.sh" "$WINEPREFIX" cmd /c exit 0 >/dev/null 2>&1
folder=$build/demo/Messages
rm -rf "$shots" "$folder"
mkdir -p "$shots" "$(dirname "$folder")"
if [ "$dpi" != 96 ]; then
    bash "$root/scripts/wine-dpi.sh" "$WINEPREFIX" "$dpi"
    trap 'bash "$root/scripts/wine-dpi.sh" "$WINEPREFIX" 96' EXIT
fi
# Wine's own desktop window draws the title bars that a bare X server would not.
wine explorer /desktop=messages,1024x768 "$build/entry/message_tour.exe" \
    "Z:${shots//\//\\}" "Z:${folder//\//\\}"
wineserver -w
for bmp in "$shots"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
ls -1 "$shots"/*.png
