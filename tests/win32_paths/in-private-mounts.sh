#!/usr/bin/env bash
# in-private-mounts.sh PREFIX PROGRAM [ARGS...]: runs a Windows test where a device name
# ('nul', 'com1') cannot reach a real device. In a mount namespace of its own, /dev is an
# empty scratch folder (its 'null' a plain file), the build's Wine prefix is seen
# through an overlay whose changes are thrown away, and a wineserver of the namespace's
# own serves it. MR_SCRATCH names a scratch folder for the test's files. Exit 77 (the
# test is skipped) where no such namespace can be made: the test never runs outside one.
set -u
prefix=$1
shift
here=$(cd "$(dirname "$0")/../.." && pwd)
# The prefix is made outside, once, like every other test's.
"$here/cmake/wine-run.sh" "$prefix" cmd /c exit 0 >/dev/null 2>&1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/dev" "$scratch/upper" "$scratch/work" "$scratch/files"
: >"$scratch/dev/null"
server="/tmp/.wine-$(id -u)"
mkdir -p "$server"
inside() {
    set -e
    mount --make-rprivate /
    mount -t overlay overlay -o "lowerdir=$prefix,upperdir=$scratch/upper,workdir=$scratch/work" "$prefix"
    mount --bind "$scratch/dev" /dev
    mount -t tmpfs none "$server"
    set +e
    MR_SCRATCH="$scratch/files" LC_ALL=C.UTF-8 WINEPREFIX="$prefix" WINEDEBUG=-all \
        WINEDLLOVERRIDES="mscoree,mshtml=" wine "$@"
    status=$?
    wineserver -k 2>/dev/null
    return $status
}
export -f inside
export prefix scratch server
if ! unshare -m true 2>/dev/null; then
    echo "no private mount namespace here: skipped" >&2
    exit 77
fi
unshare -m bash -c 'inside "$@"' inside "$@"
