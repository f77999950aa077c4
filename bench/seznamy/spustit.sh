#!/bin/sh
# Builds and runs the list-fill benchmark under Wine on a virtual X display.
# Usage: bench/seznamy/spustit.sh [build folder (default build-x64)] [items (default 80000)] [variant]
set -e
koren=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$koren/build-x64}
cmake --build "$build" --target bench_plneni_seznamu -j4 >/dev/null
exec xvfb-run -a -s '-screen 0 1280x1024x24' "$build/wine-emulator.sh" "$build/bin/bench_plneni_seznamu.exe" "${2:-80000}" "${3:-all}"
