#!/usr/bin/env bash
# Sets up what is missing, builds, and runs the main job over the bundled demo folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset linux >/dev/null
cmake --build --preset linux --target print_records >/dev/null
demo=$(mktemp -d)/Demo
bash scripts/make-demo.sh "$demo"
# The host passes the selected files; here: everything but README.
mapfile -t selected < <(find "$demo" -maxdepth 1 -type f ! -name README | sort)
build/linux/tools/print_records "${selected[@]}"
