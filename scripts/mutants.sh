#!/usr/bin/env bash
# Mutation testing: applies each deliberate fault of a list (tests/mutants.txt) to a
# scratch copy of the tree, builds the native tests without sanitizers, runs them, and
# puts the text back. Prints the score (faults caught / faults tried) and the faults no
# test caught. A fault whose text is no longer found once in its file is "stale" and
# counts neither way: update the list when the code moves.
#
#   bash scripts/mutants.sh [--check] [LIST]
#     --check                only report the stale entries (no build)
#     MUTANTS_ONLY=REGEX     only the entries whose "FILE: what" matches (extended regex)
#     MUTANTS_DIR=DIR        scratch copy and build (default build/mutants)
#
# The scratch copy and its build are kept, so a second run rebuilds only what changed.
# The working tree is never written.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
check=0
[ "${1:-}" = "--check" ] && { check=1; shift; }
list="$(realpath "${1:-$root/tests/mutants.txt}")"
work="${MUTANTS_DIR:-$root/build/mutants}"
src="$work/src" build="$work/build" log="$work/log"
only="${MUTANTS_ONLY:-}"

# sync ROOT SRC < names: copies the files that differ, removes the ones that are gone.
# entries LIST: one record per fault, NUL-terminated, fields split by \x1f.
# found FILE OLD: exit 3 unless OLD is in FILE exactly once. apply FILE OLD NEW: and
# replaces it.
read -r -d '' helper_program <<'PY' || true
import os, shutil, sys
command, args = sys.argv[1], sys.argv[2:]
if command == "sync":
    root, src = args
    names = [n for n in sys.stdin.buffer.read().decode().split("\0")
             if n and os.path.isfile(os.path.join(root, n))]
    for name in names:
        a, b = os.path.join(root, name), os.path.join(src, name)
        if not os.path.exists(b) or open(a, "rb").read() != open(b, "rb").read():
            os.makedirs(os.path.dirname(b), exist_ok=True)
            shutil.copyfile(a, b)
            shutil.copymode(a, b)
    keep = set(names)
    for folder, _, files in os.walk(src):
        for f in files:
            if os.path.relpath(os.path.join(folder, f), src) not in keep:
                os.remove(os.path.join(folder, f))
elif command == "entries":
    entries = []
    for line in open(args[0], encoding="utf-8"):
        line = line.rstrip("\n")
        if line.startswith("@ "):
            file, _, what = line[2:].partition(": ")
            entries.append([file, what, None, None])
        elif entries and line and line[0] in "-+" and line[1:2] in ("", " "):
            k = 2 if line[0] == "-" else 3
            old = entries[-1][k]
            entries[-1][k] = line[2:] if old is None else old + "\n" + line[2:]
    for e in entries:
        sys.stdout.write("\x1f".join(x or "" for x in e) + "\0")
else:  # found, apply
    path, old = args[0], args[1]
    try:
        text = open(path, encoding="utf-8").read()
    except OSError:
        sys.exit(3)
    if not old or text.count(old) != 1:
        sys.exit(3)
    if command == "apply":
        open(path, "w", encoding="utf-8").write(text.replace(old, args[2]))
PY
helper() { python3 -c "$helper_program" "$@"; }

mapfile -d '' -t entries < <(helper entries "$list")

if [ $check -eq 1 ]; then
  stale=0
  for e in "${entries[@]}"; do
    IFS=$'\x1f' read -r -d '' file what from to < <(printf '%s\0' "$e") || true
    if ! helper found "$root/$file" "$from"; then
      echo "stale: $file: $what"
      stale=$((stale + 1))
    fi
  done
  echo "mutants: ${#entries[@]} in the list, $stale stale"
  exit 0
fi

bash "$root/scripts/setup.sh"
mkdir -p "$work" "$log"
exec 9>"$work/lock"
flock -n 9 || { echo "mutants: another run is using $work" >&2; exit 1; }
start=$SECONDS
(cd "$root" && git ls-files -z --cached --others --exclude-standard) | helper sync "$root" "$src"

corpus=()
for c in "$root/../shared/corpus" "$root/../../shared/corpus"; do
  [ -f "$c/usr-files.tsv.gz" ] && { corpus=(-DMR_CORPUS_DIR="$(realpath "$c")"); break; }
done
# Without optimisation or debug information: a fault's time is mostly its rebuild.
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Mutants -DCMAKE_CXX_FLAGS_MUTANTS=-O0 \
  -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=gold -DMR_SANITIZE=OFF -DMR_BUILD_TESTS=ON \
  "${corpus[@]}" >"$log/configure.txt"

# The lock stays with this script: a test's leftover process (a tmux server a time limit
# cut short) must not hold it for the next run.
run_tests() { # LOG: 2 when the build fails, 1 when a test fails
  cmake --build "$build" -j2 >"$1" 2>&1 9>&- || return 2
  ctest --test-dir "$build" -j2 --stop-on-failure >>"$1" 2>&1 9>&- || return 1
}
if ! run_tests "$log/baseline.txt"; then
  echo "mutants: the unchanged tree does not pass; see $log/baseline.txt" >&2
  exit 1
fi
echo "mutants: baseline built and passed in $((SECONDS - start)) s"

killed=0 survived=0 stale=0 broken=0 n=0
survivors=() stales=() brokens=()
for e in "${entries[@]}"; do
  IFS=$'\x1f' read -r -d '' file what from to < <(printf '%s\0' "$e") || true
  [ -n "$only" ] && ! [[ "$file: $what" =~ $only ]] && continue
  n=$((n + 1))
  t0=$SECONDS
  if ! cp "$src/$file" "$work/original" 2>/dev/null || ! helper apply "$src/$file" "$from" "$to"; then
    stale=$((stale + 1))
    stales+=("$file: $what")
    printf '%3d %-9s %s: %s\n' $n "stale" "$file" "$what"
    continue
  fi
  out="$log/mutant-$n.txt"
  result=0
  run_tests "$out" || result=$?
  # Back with a fresh time, so that the next build takes the original text again.
  cp "$work/original" "$src/$file"
  case $result in
    0) survived=$((survived + 1)) verdict="SURVIVED" survivors+=("$file: $what") ;;
    1) killed=$((killed + 1)) verdict="killed" ;;
    *) broken=$((broken + 1)) verdict="no build" brokens+=("$file: $what") ;;
  esac
  by="$(grep -oE '[0-9]+ - [A-Za-z0-9_]+ \([A-Za-z ]+\)' "$out" | sed -E 's/^[0-9]+ - //' |
        tr '\n' ' ' || true)"
  printf '%3d %-9s %s: %s %s(%d s)\n' $n "$verdict" "$file" "$what" "${by:+[${by% }] }" \
    $((SECONDS - t0))
done
cmake --build "$build" -j2 >"$log/final.txt" 2>&1 || true

tried=$((killed + survived))
score="$(awk -v k=$killed -v t=$tried 'BEGIN { printf "%.1f", t ? 100 * k / t : 0 }')"
echo
echo "mutants: $killed of $tried caught ($score %); $stale stale, $broken did not build;" \
  "$((SECONDS - start)) s in all"
for s in "${survivors[@]}"; do echo "  survived: $s"; done
for s in "${stales[@]}"; do echo "  stale:    $s"; done
for s in "${brokens[@]}"; do echo "  no build: $s"; done
