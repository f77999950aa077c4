#!/usr/bin/env bash
# Installs what is missing, builds Kolvex (x86_64) and starts it under Wine, on a virtual
# X display when there is none (its screen is then kept in build-x64/obrazovka.png on exit).
set -euo pipefail
koren="$(cd "$(dirname "$0")/.." && pwd)"
cd "$koren"
bash scripts/zavislosti.sh
cmake -S . -B build-x64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build build-x64 --target Kolvex -j "$(nproc)"
# the test prefix's wrapper gives the Czech locale, the virtual desktop and a hermetic home
spustit=(build-x64/wine-emulator.sh build-x64/bin/Kolvex.exe)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s '-screen 0 1280x1024x24' "${spustit[@]}"
fi
exec "${spustit[@]}"
