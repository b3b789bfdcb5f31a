#!/usr/bin/env bash
# Creates the demo folder from resources/demo/files.tsv: real files with the listed
# sizes (sparse) and modification times. Usage: make-demo.sh TARGET_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
target=$1
rm -rf "$target"
mkdir -p "$target"
while IFS=$'\t' read -r name when size; do
    [[ -z "$name" || "$name" == \#* ]] && continue
    truncate -s "$size" "$target/$name"
    touch -d "$when UTC" "$target/$name"
done <"$here/resources/demo/files.tsv"
