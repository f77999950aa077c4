#!/usr/bin/env bash
# Idle cost of the ticking tools: CPU time of Kolvex with the memory monitor, the process monitor and
# the clock running, beside Kolvex alone and the minimal tray program, each over the same idle time.
# The time is read from the Linux side (/proc/<pid>/stat: user + system of all the process's
# threads), because Wine's GetProcessTimes leaves out the module threads' time.
# Usage: bench/nastroje.sh [build folder] [idle seconds]   (defaults build-x64 and 60; the folder of
# a configured build, build-x64 or build-i686)
set -euo pipefail
koren="$(cd "$(dirname "$0")/.." && pwd)"
cd "$koren"
build="${1:-build-x64}"
build="${build%/}"
klid="${2:-60}"
cmake --build "$build" --target Kolvex bench_minimalni -j3 >/dev/null
w="$build/wine-emulator.sh"
hz=$(getconf CLK_TCK)

po_spusteni() {  # 1 or 0 for the three tools
  local hodnota="$1" soubor
  soubor="$(mktemp --suffix=.reg)"
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Brenvald\\Kolvex\\5.0\\Po spusteni]\r\n"sledovaniPameti"=dword:%08d\r\n"sledovaniProcesu"=dword:%08d\r\n"hodiny"=dword:%08d\r\n' \
    "$hodnota" "$hodnota" "$hodnota" >"$soubor"
  "$w" regedit /S "Z:${soubor//\//\\}"
  rm -f "$soubor"
}

# CPU of a program (path below $build/bin) over the idle time, in ms
mereni() {
  local program="$1" pid a b
  "$w" "$build/bin/$program" >/dev/null 2>&1 &
  local obal=$!
  sleep 3  # start-up and the module starts settle
  pid=$(pgrep -P "$obal" -f "$program" | head -1 || true)
  [ -z "$pid" ] && pid=$(pgrep -f "^$build/bin/$program" | tail -1)
  a=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  sleep "$klid"
  b=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  kill "$pid" 2>/dev/null || true
  wait "$obal" 2>/dev/null || true
  echo $(( (b - a) * 1000 / hz ))
}

run() {
  "$w" reg delete 'HKCU\Software\Brenvald\Kolvex' /f >/dev/null 2>&1 || true
  local minimalni zaklad nastroje
  minimalni=$(mereni bench_minimalni.exe)
  zaklad=$(mereni Kolvex.exe)
  po_spusteni 1
  nastroje=$(mereni Kolvex.exe)
  po_spusteni 0
  echo "minimal program            CPU over $klid s idle: $minimalni ms"
  echo "Kolvex                     CPU over $klid s idle: $zaklad ms"
  echo "Kolvex with memory monitor, process monitor and clock: $nastroje ms"
  awk -v n="$nastroje" -v m="$minimalni" -v k="$klid" \
    'BEGIN { printf "beyond the minimal program: %d ms = %.3f %% of one core (goal < 0.5 %%)\n", n - m, 100 * (n - m) / (k * 1000) }'
}

# Without a display the script runs itself again under Xvfb (xvfb-run's sh drops exported functions).
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s '-screen 0 1280x1024x24' bash "$koren/bench/nastroje.sh" "$build" "$klid"
fi
run
