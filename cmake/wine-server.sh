#!/usr/bin/env bash
# start|stop PREFIX: a persistent wineserver for the build's prefix during a test run.
set -u
export WINEPREFIX="$2" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
here=$(dirname "$0")
case "$1" in
start)
    "$here/wine-run.sh" "$2" cmd /c exit 0 >/dev/null 2>&1 # creates the prefix when new
    wineserver -p
    ;;
stop)
    wineserver -k 2>/dev/null || true
    ;;
esac
exit 0
