#!/usr/bin/env bash
# Sets up what is missing, builds, and runs the main job over the bundled demo folder:
# multirename renames the camera images, first as a dry run, then for real.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset linux >/dev/null
cmake --build --preset linux --target multirename_cli >/dev/null
multirename=build/linux/cli/multirename
work=$(mktemp -d)
demo=$work/Demo
bash scripts/make-demo.sh "$demo"
# The undo journal of the demo's rename stays with the demo, not in the user's state.
export XDG_STATE_HOME=$work/state

echo "== The demo folder"
ls -1 "$demo"
echo
echo "== Type \"Rome_\" into field 0 and renumber field 1 from 1 with 3 digits (dry run)"
echo "\$ multirename -t 0=Rome_ --number 1=renumber:1,digits:3 IMG_*.JPG"
"$multirename" -t 0=Rome_ --number 1=renumber:1,digits:3 "$demo"/IMG_*.JPG
echo
echo "== The same with --apply"
"$multirename" --apply -t 0=Rome_ --number 1=renumber:1,digits:3 "$demo"/IMG_*.JPG
echo
echo "== The demo folder afterwards"
ls -1 "$demo"
echo
echo "== multirename --undo puts the old names back"
"$multirename" --undo >/dev/null
(cd "$demo" && ls -1 IMG_*)
