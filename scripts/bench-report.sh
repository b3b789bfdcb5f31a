#!/usr/bin/env bash
# Sets up what is missing (Perl rename and mmv included), builds the Release programs
# the report runs (the native ones, and the module with its Rename timing under Wine),
# and prints the benchmark report (scripts/bench_report.py).
# Extra arguments go to the report, e.g. --sizes 1000,10000; --no-wine leaves out the
# figures under Wine and does not build the module.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --bench
start=$(date +%s)
cmake --preset bench >/dev/null
cmake --build --preset bench -j2 --target records_bench derivation_bench model_bench \
    new_names_bench validation_bench multirename_cli >/dev/null
if [[ " $* " != *" --no-wine "* ]]; then
    cmake --preset windows -B build/windows-release -DCMAKE_BUILD_TYPE=Release \
        -DMR_BUILD_TESTS=OFF >/dev/null
    cmake --build build/windows-release -j2 --target multirename rename_timing open_timing \
        >/dev/null
fi
export MR_BUILD_SECONDS=$(( $(date +%s) - start ))
exec python3 scripts/bench_report.py "$@"
