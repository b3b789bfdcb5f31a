#!/usr/bin/env bash
# Screenshot of one field editor window under build/windows/screenshots/fields-WHAT-DPI.png.
# Usage: screenshot-fields.sh WHAT [DPI]   (WHAT: wild, number, row or long; DPI 96)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/windows
what=${1:?wild, number, row or long}
dpi=${2:-96}
show=$build/entry/field_show.exe
if [ ! -f "$show" ]; then
    cmake --preset windows >/dev/null
    cmake --build --preset windows --target field_show >/dev/null
fi
MR_SHOT_PROGRAM="$show $what" exec "$root/scripts/screenshot.sh" "fields-$what-$dpi" "$dpi"
