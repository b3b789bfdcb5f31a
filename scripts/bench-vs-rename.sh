#!/usr/bin/env bash
# multirename --apply against Perl's rename doing the same renames on real files in
# memory (/dev/shm): IMG_000000.JPG ... become Rome_000001.JPG ... (a new prefix and a
# renumber from 1). Each tool gets a fresh folder of the same files; the fastest of
# REPEAT runs counts. Prints one line per count:
#   apply 10000 files: multirename X ms, perl rename Y ms, ratio Z (processor time: ...)
# (ratio = multirename / perl rename; below 1 multirename is faster). Wall times are
# the fastest runs; on a busy machine the processor times compare better.
#
# usage: scripts/bench-vs-rename.sh [COUNT...]      (default: 10000 100000)
# env:   MULTIRENAME  the program to time (default: the Release build's, built if missing)
#        REPEAT       runs per tool and count (default 3)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
counts=("$@")
[ ${#counts[@]} -eq 0 ] && counts=(10000 100000)
repeat=${REPEAT:-3}

mr=${MULTIRENAME:-$root/build/bench/cli/multirename}
if [ ! -x "$mr" ]; then
  echo "building $mr ..." >&2
  (cd "$root" && cmake --preset bench >/dev/null && cmake --build --preset bench --target multirename_cli -j2 >/dev/null)
fi
perl_rename=$(command -v file-rename || command -v rename || true)
if [ -z "$perl_rename" ] || ! "$perl_rename" --version 2>&1 | grep -q "File::Rename"; then
  echo "Perl rename is missing: bash scripts/setup.sh --bench (Debian package rename)" >&2
  exit 1
fi

work=$(mktemp -d /dev/shm/mr-vs-rename.XXXXXX)
trap 'rm -rf "$work"' EXIT
# The journal of multirename goes to the scratch folder, not the user's state.
export XDG_STATE_HOME=$work/state
# 100,000 names on one command line pass the default 2 MB argument limit; a larger
# stack raises it (to 6 MB at most) for both tools alike.
ulimit -s 65536 2>/dev/null || true

# A fresh folder of COUNT empty files IMG_000000.JPG ...
fill() {
  rm -rf "$1" && mkdir -p "$1"
  (cd "$1" && seq -f 'IMG_%06g.JPG' 0 $(($2 - 1)) | xargs touch)
}

# "wall processor" milliseconds of the fastest of $repeat runs of "$@" inside a fresh
# folder $dir. The processor time (user + system) stays honest on a busy machine.
time_runs() {
  local count=$1 dir=$2
  shift 2
  local best='' best_cpu=''
  for ((r = 0; r < repeat; r++)); do
    fill "$dir" "$count"
    local TIMEFORMAT='%3R %3U %3S' t
    if ! t=$({ time (cd "$dir" && "$@" IMG_*.JPG >/dev/null 2>"$work/err"); } 2>&1); then
      echo "$1 failed:" >&2
      cat "$work/err" >&2
      exit 1
    fi
    local wall cpu
    wall=$(awk '{ printf "%d", $1 * 1000 }' <<<"$t")
    cpu=$(awk '{ printf "%d", ($2 + $3) * 1000 }' <<<"$t")
    if [ -z "$best" ] || [ "$wall" -lt "$best" ]; then best=$wall; fi
    if [ -z "$best_cpu" ] || [ "$cpu" -lt "$best_cpu" ]; then best_cpu=$cpu; fi
  done
  echo "$best $best_cpu"
}

for count in "${counts[@]}"; do
  ours=$(time_runs "$count" "$work/mr" "$mr" --apply -t 0=Rome_ --number 1=renumber:1)
  # shellcheck disable=SC2016 # a Perl expression, for Perl to expand
  theirs=$(time_runs "$count" "$work/perl" "$perl_rename" 's/^IMG_(\d+)/sprintf("Rome_%06d", $1 + 1)/e')
  # The same renames, or the times compare nothing.
  if ! diff -q <(ls "$work/mr") <(ls "$work/perl") >/dev/null; then
    echo "apply $count files: the two tools left different names" >&2
    exit 1
  fi
  read -r ours ours_cpu <<<"$ours"
  read -r theirs theirs_cpu <<<"$theirs"
  awk -v n="$count" -v a="$ours" -v b="$theirs" -v ac="$ours_cpu" -v bc="$theirs_cpu" 'BEGIN {
    printf "apply %d files: multirename %d ms, perl rename %d ms, ratio %.2f", n, a, b, (b > 0 ? a / b : 0)
    printf " (processor time: %d ms, %d ms, ratio %.2f)\n", ac, bc, (bc > 0 ? ac / bc : 0) }'
done
