#!/bin/sh
# Builds and runs the capture benchmark under Wine on a virtual X display of 1280x1024.
# Usage: bench/opis/spustit.sh [build folder (default build-x64)] [rounds (default 15)]
set -e
koren=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$koren/build-x64}
cmake --build "$build" --target bench_opis -j4 >/dev/null
exec xvfb-run -a -s '-screen 0 1280x1024x24' "$build/wine-emulator.sh" "$build/bin/bench_opis.exe" "${2:-15}"
