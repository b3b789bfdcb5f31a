#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, only when
# missing; runs apt-get update at most once.
set -euo pipefail

want=(cmake ninja-build g++ clang libclang-rt-14-dev libfuzzer-14-dev
      googletest libbenchmark-dev nlohmann-json3-dev libcli11-dev
      g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
      wine wine64 xvfb xauth x11-utils imagemagick clang-format
      python3 man-db bash-completion zsh fish dpkg-dev nsis lintian
      libncurses-dev tmux)
[ "${1:-}" = "--bench" ] && want+=(rename mmv time)

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "setup: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
