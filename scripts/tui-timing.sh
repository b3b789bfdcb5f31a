#!/usr/bin/env bash
# Times multirename -i over 100,000 files (or the count given) in a tmux pane: one key
# typed into the first field, then a paste of 28 characters, each until every name on
# screen shows it. The files are made in a folder of /dev/shm of its own; journals and
# settings stay in it too. Release build (linux-release), built here.
# Usage: tui-timing.sh [COUNT]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
count=${1:-100000}
(cd "$root" && cmake --preset linux-release >/dev/null &&
    cmake --build --preset linux-release --target multirename_cli >/dev/null)
program=$root/build/linux-release/cli/multirename

scratch=$(mktemp -d /dev/shm/mr-tui.XXXXXX)
export HOME=$scratch/home XDG_STATE_HOME=$scratch/state XDG_CONFIG_HOME=$scratch/config
mkdir -p "$HOME" "$scratch/files"
tm() { tmux -S "$scratch/tmux" -f /dev/null "$@"; }
trap 'tm kill-server 2>/dev/null || true; rm -rf "$scratch"' EXIT
seq -f 'IMG_%06g.JPG' 1 "$count" | (cd "$scratch/files" && xargs touch)

now() { date +%s%N; }
# Milliseconds from the keys until the screen shows the text.
timed() {
    local shown=$1 start
    shift
    start=$(now)
    tm send-keys -t t "$@"
    until tm capture-pane -p -t t | grep -qF -- "$shown"; do sleep 0.005; done
    echo $((($(now) - start) / 1000000))
}

tm new-session -d -s t -x 80 -y 24 \
    "cd '$scratch/files'; export TERM=screen-256color LANG=C.UTF-8; ls | '$program' -i --from -"
until tm capture-pane -p -t t | grep -qF "$count files"; do sleep 0.1; done
first=$(printf 'IMG_%06d.JPG' 1)
echo "$count names: one key $(timed "${first}  R00000" -l R) ms"
echo "$count names: a paste of 28 characters $(timed "${first}  RHolidays_in_Rome_and_Naples_" \
    -l Holidays_in_Rome_and_Naples_) ms"
tm send-keys -t t Escape
