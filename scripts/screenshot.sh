#!/usr/bin/env bash
# Runs the sample host over the demo folder under Wine on a virtual X display and saves
# a screenshot of the Multi Rename dialog under build/windows/screenshots/.
# Usage: screenshot.sh [NAME [DPI]]   (default: multi-rename, 96)
# MR_SHOT_PROGRAM="program.exe args" photographs that program instead of the host.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/windows
name=${1:-multi-rename}
dpi=${2:-96}
shot=$build/screenshots/$name.png

if [ "${MR_ON_DISPLAY:-}" != 1 ]; then
    if [ -z "${MR_SHOT_PROGRAM:-}" ] && [ ! -f "$build/entry/mrhost.exe" ]; then
        cmake --preset windows >/dev/null
        cmake --build --preset windows --target mrhost >/dev/null
    fi
    MR_ON_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$name" "$dpi"
    echo "$shot"
    exit 0
fi

# From here on: on the virtual display.
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/system.reg" ] || "$root/cmake/wine-run.sh" "$WINEPREFIX" cmd /c exit 0 >/dev/null 2>&1

if [ -n "${MR_SHOT_PROGRAM:-}" ]; then
    read -ra command <<<"$MR_SHOT_PROGRAM"
else
    demo=$build/demo/Demo
    bash "$root/scripts/make-demo.sh" "$demo"
    # The host passes what the user selected: everything but README.
    mapfile -t files < <(find "$demo" -maxdepth 1 -type f ! -name README | sort)
    command=("$build/entry/mrhost.exe")
    for f in "${files[@]}"; do command+=("Z:${f//\//\\}"); done
fi
mkdir -p "$(dirname "$shot")"

bash "$root/scripts/wine-dpi.sh" "$WINEPREFIX" "$dpi"
# Wine's own desktop window draws the title bars that a bare Xvfb would not.
wine explorer /desktop=shot,1024x768 "${command[@]}" &
host=$!
found=
for _ in $(seq 1 60); do
    if xwininfo -root -tree 2>/dev/null | grep -q '"shot - Wine desktop"'; then
        found=1
        break
    fi
    sleep 0.5
done
sleep 4 # the dialog opens and paints inside the desktop
import -window root "$shot"
kill "$host" 2>/dev/null || true
wineserver -k 2>/dev/null || true
bash "$root/scripts/wine-dpi.sh" "$WINEPREFIX" 96
wineserver -k 2>/dev/null || true
[ -n "$found" ]
