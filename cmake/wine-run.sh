#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own prefix (never the user's).
# Usage: wine-run.sh PREFIX PROGRAM [ARGS...]
set -eu
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$prefix"
    # Several tests may start at once; only one creates the prefix.
    flock "$prefix.lock" bash -c '[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1'
fi
wine=wine
exec "$wine" "$@"
