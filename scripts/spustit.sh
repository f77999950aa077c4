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
if [ -n "${DISPLAY:-}" ]; then
  exec "${spustit[@]}"
fi
# An own virtual display; whatever ends the program (its menu, Ctrl+C), the screen is saved first.
cislo=99
while [ -e "/tmp/.X${cislo}-lock" ]; do cislo=$((cislo + 1)); done
# its own session: Ctrl+C in the terminal must not take the display before the screenshot
setsid Xvfb ":${cislo}" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":${cislo}"
snimek="build-x64/obrazovka.png"
ukoncit() {
  if import -window root -display "$DISPLAY" "$snimek" 2>/dev/null; then
    echo "Snímek obrazovky: $snimek"
  fi
  kill "$xvfb" 2>/dev/null || true
}
trap ukoncit EXIT
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${cislo}" ] && break; sleep 0.05; done
"${spustit[@]}" &
kolvex=$!
trap 'ukoncit; kill "$kolvex" 2>/dev/null; trap - EXIT; exit 130' INT TERM
wait "$kolvex"
