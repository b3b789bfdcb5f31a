#!/usr/bin/env bash
# wine-dpi.sh PREFIX DPI: the screen DPI that the next Wine program in PREFIX starts with.
set -u
WINEPREFIX=$1 WINEDEBUG=-all wine reg add 'HKCU\Control Panel\Desktop' \
    /v LogPixels /t REG_DWORD /d "$2" /f >/dev/null 2>&1
WINEPREFIX=$1 wineserver -w
