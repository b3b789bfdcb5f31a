#!/usr/bin/env bash
# Times "Rename" through the real Multi Rename dialog under Wine over 1,000 and 10,000
# files (or the counts given): a prefix typed, "Rename" pressed, until every file has
# its new name. The files are made afresh for each run in /dev/shm/mr-rename. Without
# a display it runs on a virtual one.
# Usage: rename-timing.sh [COUNT...]    MR_BUILD_DIR: a build with rename_timing.exe
# beside the multirename.dll to time (default build/windows, built here).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MR_BUILD_DIR:-$root/build/windows}
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(1000 10000)

if [ "${MR_ON_DISPLAY:-}" != 1 ]; then
    if [ -z "${MR_BUILD_DIR:-}" ]; then
        (cd "$root" && cmake --preset windows >/dev/null &&
            cmake --build --preset windows -j2 --target rename_timing >/dev/null)
    fi
    MR_ON_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "${counts[@]}"
fi

export WINEPREFIX=${MR_WINEPREFIX:-$build/wineprefix} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/system.reg" ] || "$root/cmake/wine-run.sh" "$WINEPREFIX" cmd /c exit 0 >/dev/null 2>&1
wineserver -p 2>/dev/null || true # warm: the numbers are the dialog's, not Wine's start
for n in "${counts[@]}"; do
    dir=/dev/shm/mr-rename/$n
    rm -rf "$dir" && mkdir -p "$dir"
    seq -f 'IMG_%06g.jpg' 1 "$n" | (cd "$dir" && xargs touch)
    wine "$build/entry/rename_timing.exe" "Z:${dir//\//\\}" || echo "  (not every file renamed)"
    rm -rf "$dir"
done
wineserver -k 2>/dev/null || true
