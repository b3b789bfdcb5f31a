#!/usr/bin/env bash
# at-dpi.sh PREFIX DPI PROGRAM [ARGS...]: the program run with the screen at DPI, then 96 again.
set -u
prefix=$1 dpi=$2
shift 2
here=$(cd "$(dirname "$0")/../.." && pwd)
setDpi() {
    WINEPREFIX=$prefix WINEDEBUG=-all wine reg add 'HKCU\Control Panel\Desktop' \
        /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
trap 'setDpi 96' EXIT
setDpi "$dpi"
# Each new process reads the DPI when it starts; the test checks it is the one asked for.
MR_TEST_DPI=$dpi "$here/cmake/wine-run.sh" "$prefix" "$@"
