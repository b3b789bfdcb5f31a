#!/usr/bin/env bash
# Sets up what is missing (Perl rename and mmv included), builds the Release benchmarks
# and the command line, and prints the benchmark report (scripts/bench_report.py).
# Extra arguments go to the report, e.g. --sizes 1000,10000.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --bench
start=$(date +%s)
cmake --preset bench >/dev/null
cmake --build --preset bench -j2 >/dev/null
export MR_BUILD_SECONDS=$(( $(date +%s) - start ))
exec python3 scripts/bench_report.py "$@"
