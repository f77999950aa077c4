#!/usr/bin/env bash
# Start and idle cost of Kolvex against a minimal tray program, in the test prefix under Xvfb.
# Usage: bench/spustit.sh [starts] [idle seconds]   (defaults 9 and 60)
set -euo pipefail
koren="$(cd "$(dirname "$0")/.." && pwd)"
cd "$koren"
cmake -S . -B build-x64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build-x64 --target bench_mereni -j4 >/dev/null
# a clean Kolvex key: the warm-up run is the first start
build-x64/wine-emulator.sh reg delete 'HKCU\Software\Brenvald\Kolvex' /f >/dev/null 2>&1 || true
spustit=(build-x64/wine-emulator.sh build-x64/bin/bench_mereni.exe "${1:-9}" "${2:-60}")
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s '-screen 0 1280x1024x24' "${spustit[@]}"
fi
exec "${spustit[@]}"
