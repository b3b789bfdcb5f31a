#!/usr/bin/env bash
# Times the real Multi Rename dialog under Wine over 10,000 and 100,000 files (or the
# counts given) and prints the numbers. The files live in /dev/shm/mr-timing and are
# kept for the next run. Without a display it runs on a virtual one.
# Usage: open-timing.sh [COUNT...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MR_BUILD_DIR:-$root/build/windows}
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(10000 100000)

if [ "${MR_ON_DISPLAY:-}" != 1 ]; then
    if [ -z "${MR_BUILD_DIR:-}" ]; then
        (cd "$root" && cmake --preset windows >/dev/null &&
            cmake --build --preset windows -j2 --target open_timing >/dev/null)
    fi
    MR_ON_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "${counts[@]}"
fi

export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/system.reg" ] || "$root/cmake/wine-run.sh" "$WINEPREFIX" cmd /c exit 0 >/dev/null 2>&1
wineserver -p 2>/dev/null || true # warm (or already up): the numbers are the dialog's, not Wine's start
# The files are made here: one by one through Wine takes about 10 ms each.
for n in "${counts[@]}"; do
    dir=/dev/shm/mr-timing/$n
    if [ "$(find "$dir" -maxdepth 1 -name 'IMG_*' 2>/dev/null | wc -l)" -ne "$n" ]; then
        rm -rf "$dir" && mkdir -p "$dir"
        seq -f 'IMG_%06g.jpg' 1 "$n" | (cd "$dir" && xargs touch)
    fi
done
wine "$build/entry/open_timing.exe" 'Z:\dev\shm\mr-timing' "${counts[@]}"
wineserver -k 2>/dev/null || true
