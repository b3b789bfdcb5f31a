#!/usr/bin/env bash
# multirename -i in an 80 x 24 tmux pane: keys are sent, the screen is read back and the
# folder checked after each run. Every wait is for something on the screen or on disk.
# Usage: terminal_dialog_test.sh PROGRAM
set -euo pipefail
program=$(realpath "$1")
scratch=$(mktemp -d)
# Journals and remembered settings stay in here; so does the tmux server.
export HOME=$scratch/home XDG_STATE_HOME=$scratch/state XDG_CONFIG_HOME=$scratch/config
mkdir -p "$HOME"
unset NO_COLOR VISUAL EDITOR
tm() { tmux -S "$scratch/tmux" -f /dev/null "$@"; }
trap 'tm kill-server 2>/dev/null || true; rm -rf "$scratch"' EXIT
# A test killed outright (a timeout) runs no trap: a watcher outside its process tree
# takes the tmux server and the scratch folder down once this shell is gone.
setsid -f bash -c 'while kill -0 "$1" 2>/dev/null; do sleep 1; done
    tmux -S "$2/tmux" kill-server 2>/dev/null; rm -rf "$2"' watcher $$ "$scratch" \
    </dev/null >/dev/null 2>&1
dir=$scratch/photos
case_name=

fail() {
    echo "FAIL ($case_name): $*" >&2
    echo "--- screen:" >&2
    tm capture-pane -p -t t >&2 || true
    exit 1
}
screen() { tm capture-pane -p -t t "$@"; }

# Waits until the screen shows the text (no longer once the program has ended), or
# until the check passes.
wait_for() {
    local deadline=$((SECONDS + 60)) ended
    until screen | grep -qF -- "$1"; do
        [ $SECONDS -lt $deadline ] && [ -z "${ended:-}" ] || fail "the screen never showed: $1"
        [ -f "$scratch/status" ] && ended=1
        sleep 0.05
    done
}
wait_until() {
    local deadline=$((SECONDS + 60))
    until eval "$1"; do
        [ $SECONDS -lt $deadline ] || fail "never true: $1"
        sleep 0.05
    done
}
keys() { tm send-keys -t t "$@"; }

# A folder of camera names, and multirename -i over it in a fresh pane; the shell of
# the pane notes the program's id, its exit status and the terminal's settings.
start() {
    case_name=$1
    shift
    rm -rf "$dir" "$scratch"/status "$scratch"/pid
    mkdir -p "$dir"
    for n in 0041 0042 0047; do echo "$n" >"$dir/IMG_$n.JPG"; done
    {
        echo "cd '$dir'; export TERM=screen-256color LANG=C.UTF-8 $EXTRA_ENV"
        echo "stty -g >'$scratch/stty.before'"
        echo "$*"
        echo "echo \$? >'$scratch/status.new'; stty -g >'$scratch/stty.after'"
        echo "mv '$scratch/status.new' '$scratch/status'; exec sleep 600"
    } >"$scratch/run.sh"
    tm kill-session -t t 2>/dev/null || true
    tm new-session -d -s t -x 80 -y 24 "bash --norc '$scratch/run.sh'"
    tm set -s set-clipboard on
    # The next run's kill-session must not take the server down under its new-session.
    tm set -s exit-empty off
    wait_for "Multi Rename"
}
mr="$(printf %q "$program") -i"
# The program run by the pane's shell.
program_pid() { ps -o pid= --ppid "$(tm display -p -t t '#{pane_pid}')" | tr -d ' '; }

# The run ended with this status, the terminal as it was before.
ended() {
    wait_until "[ -f '$scratch/status' ]"
    [ "$(cat "$scratch/status")" = "$1" ] || fail "exit status $(cat "$scratch/status"), not $1"
    cmp -s "$scratch/stty.before" "$scratch/stty.after" || fail "the terminal's settings changed"
}
folder_is() {
    local now
    now=$(cd "$dir" && ls | tr '\n' ' ')
    [ "$now" = "$1" ] || fail "the folder holds: $now; expected: $1"
}

EXTRA_ENV=
start "typing shows the new names; F10 renames" "$mr IMG_*"
wait_for "3 files: 0 to rename, 3 unchanged"
# The first text field starts with its text selected: typing replaces it.
keys -l "Rome_"
wait_for "IMG_0042.JPG  Rome_0042.JPG"
wait_for "3 to rename"
screen -e | grep -q $'\e\\[32m✓' || fail "the good mark is not green"
# Keys that come together, as a paste does, all count before Rename.
keys BSpace - F10
ended 0
wait_for "Renamed 3 files."
folder_is "Rome-0041.JPG Rome-0042.JPG Rome-0047.JPG "

start "Esc leaves every file as it was" "$mr IMG_*"
keys -l "x"
wait_for "IMG_0041.JPG  x0041.JPG"
# The menu of a row outside the selection acts on that row, as after a right click.
keys F2
wait_for "Remove File From List"
keys c
wait_for "The filenames have been copied to the clipboard."
keys Enter
wait_until "[ \"\$(tm show-buffer 2>/dev/null)\" = x0041.JPG ]"
# The keys, a column of text; a terminal too small for the dialog says so in full.
keys "?"
wait_for "│                   presses a button"
keys Enter
tm resize-window -t t -x 44 -y 12
wait_for "Esc cancels."
tm resize-window -t t -x 80 -y 24
wait_for "IMG_0041.JPG  x0041.JPG"
keys Escape
ended 0
wait_for "Cancelled: nothing was renamed."
folder_is "IMG_0041.JPG IMG_0042.JPG IMG_0047.JPG "

EXTRA_ENV="NO_COLOR=1"
start "a refusal shows the dialog's message" "$mr IMG_*"
keys -l "a:"
wait_for "3 problems"
screen -e | grep -q $'\e\\[3[0-7]m' && fail "colours despite NO_COLOR"
keys F10
wait_for "Unable to rename files:"
wait_for "3 files are being renamed to an invalid name."
keys Enter
wait_until "! screen | grep -qF 'Unable to rename'"
keys C-u
wait_for "IMG_0041.JPG  0041.JPG"
keys F9
ended 0
folder_is "IMG_0041.JPG IMG_0042.JPG IMG_0047.JPG "
EXTRA_ENV=

start "a number field opens Change Number" "$mr IMG_*"
keys Tab Enter
wait_for "Change Number"
# From OK: Cancel, Clear Text, then the three Number radios.
keys Tab Tab Tab Tab Tab Space
wait_for "(•) Renumber starting from:"
keys Enter
wait_for "IMG_0047.JPG  IMG_0007.JPG"
# Esc and a key typed right after it: the form closes and the key counts.
keys Enter
wait_for "Change Number"
keys Escape F2
wait_for "Select All"
keys Escape
wait_until "! screen | grep -qF 'Select All'"
keys M-r
ended 0
folder_is "IMG_0001.JPG IMG_0002.JPG IMG_0007.JPG "

start "names pasted through the row menu, a list read from a pipe" \
    "printf '%s\\n' IMG_0042.JPG IMG_0041.JPG | $mr --from -"
# Shift+F10 as tmux sends it, a sequence that screen's terminfo does not name.
keys S-F10
wait_for "Select All"
keys a F2 p
wait_for "Paste or type the names"
keys -l "beach"
keys Enter
keys -l "sea.png"
keys C-d
wait_for "IMG_0042.JPG  sea.JPG"
keys BTab BTab Enter
wait_for "The filenames have been copied to the clipboard."
keys Enter
wait_until "tm show-buffer 2>/dev/null | grep -q '^beach.JPG$'"
keys F10
ended 0
folder_is "IMG_0047.JPG beach.JPG sea.JPG "

start "a signal gives the terminal back" "$mr IMG_*"
wait_until '[ -n "$(program_pid)" ]'
kill -TERM "$(program_pid)"
ended 143
folder_is "IMG_0041.JPG IMG_0042.JPG IMG_0047.JPG "

echo "terminal dialog: 6 runs passed"
