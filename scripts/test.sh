#!/usr/bin/env bash
# Sets up what is missing, checks that includes follow the layers of
# docs/architecture.md, then builds and runs every test: native (g++, ASan and
# UBSan), every fuzz target for a short time (clang), Windows (mingw-w64, under Wine
# on a virtual display), and the packages made from Release builds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

python3 scripts/check-layers.py

cmake --preset linux
cmake --build --preset linux
ctest --preset linux

bash scripts/fuzz.sh

cmake --preset windows
cmake --build --preset windows
xvfb-run -a ctest --preset windows

bash scripts/package.sh
bash tests/packaging/check_packages.sh
