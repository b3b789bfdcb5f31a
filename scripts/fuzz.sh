#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan) and runs each for a fixed time,
# two at a time, starting from its corpus. Fails on the first crash or invariant
# broken; the input that did it is kept in build/fuzz/artifacts/.
# FUZZ_SECONDS sets the time per target (default 20).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-20}"

names=$(ls tests/fuzz/*.cpp | xargs -n1 basename | sed 's/\.cpp$//' | grep -vx replay_main)
cmake --preset fuzz >/dev/null
# Only the fuzz binaries: the rest of the tree has its own builds.
cmake --build --preset fuzz --target $(printf 'fuzz_%s ' $names)

artifacts=build/fuzz/artifacts
rm -rf "$artifacts" build/fuzz/found
mkdir -p "$artifacts"
run_one() {
  local name="$1" seconds="$2"
  # New inputs go to a scratch folder: the corpus in the tree stays as committed.
  mkdir -p "build/fuzz/found/$name"
  if "build/fuzz/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=25 \
      -use_value_profile=1 -print_final_stats=1 -artifact_prefix="build/fuzz/artifacts/$name-" \
      "build/fuzz/found/$name" "tests/fuzz/corpus/$name" >"build/fuzz/found/$name.log" 2>&1; then
    echo "fuzz $name: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "build/fuzz/found/$name.log" | grep -o '[0-9]*$') runs, no fault"
  else
    echo "fuzz $name: FAILED" >&2
    tail -40 "build/fuzz/found/$name.log" >&2
    return 1
  fi
}
export -f run_one
printf '%s\n' $names | xargs -P2 -I{} bash -c 'run_one "$@"' _ {} "$seconds"
