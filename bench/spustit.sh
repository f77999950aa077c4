#!/usr/bin/env bash
# Start and idle cost of Kolvex against a minimal tray program, in the test prefix under Xvfb.
# Usage: bench/spustit.sh [build folder] [starts] [idle seconds]   (defaults build-x64, 9 and 60)
# The build folder is either build's (build-x64 under wine64, build-i686 under the 32-bit wine);
# a folder not yet configured is configured for i686 when its name says so, else for x86_64.
set -euo pipefail
koren="$(cd "$(dirname "$0")/.." && pwd)"
cd "$koren"
build="${1:-build-x64}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  case "$build" in *i686*) toolchain=cmake/mingw-w64-i686.cmake ;; *) toolchain=cmake/mingw-w64-x86_64.cmake ;; esac
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target bench_mereni -j4 >/dev/null
# a clean Kolvex key: the warm-up run is the first start
"$build/wine-emulator.sh" reg delete 'HKCU\Software\Brenvald\Kolvex' /f >/dev/null 2>&1 || true
spustit=("$build/wine-emulator.sh" "$build/bin/bench_mereni.exe" "${2:-9}" "${3:-60}")
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s '-screen 0 1280x1024x24' "${spustit[@]}"
fi
exec "${spustit[@]}"
