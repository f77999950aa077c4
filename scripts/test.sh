#!/usr/bin/env bash
# Installs what is missing, builds both targets (i686 release, x86_64 test build) and runs every test
# under Wine on a virtual X display.
set -euo pipefail
koren="$(cd "$(dirname "$0")/.." && pwd)"
cd "$koren"
bash scripts/zavislosti.sh
jobs="$(nproc)"

cmake -S . -B build-i686 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build build-i686 -j "$jobs"

cmake -S . -B build-x64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build build-x64 -j "$jobs"

# A test that fails is run once more: Wine on Xvfb now and then loses a window-system event under
# load. Both attempts stay in the log; a real fault fails twice.
xvfb-run -a -s '-screen 0 1280x1024x24' \
  ctest --test-dir build-x64 --output-on-failure --timeout 180 --repeat until-pass:2 "$@"
# Screenshots the GUI tests keep for people to look at
ls -1 build-x64/artefakty/*.png 2>/dev/null | sed 's/^/Snímek: /' || true
