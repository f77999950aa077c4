#!/usr/bin/env bash
# Installs what is missing, builds both targets (i686 and x86_64, release) and runs every test of
# each build under its own Wine (the 32-bit wine and wine64) on its own virtual X display.
# Arguments are passed to every ctest run (e.g. -R regex).
set -euo pipefail
koren="$(cd "$(dirname "$0")/.." && pwd)"
cd "$koren"
# Where the kernel refuses 32-bit ELF programs, the 32-bit Wine runs in qemu's i386 emulator
# (KOLVEX_EMULACE_I386=0 leaves it out, and with it the i686 suite).
export KOLVEX_EMULACE_I386="${KOLVEX_EMULACE_I386:-1}"
bash scripts/zavislosti.sh
jobs="$(nproc)"

# The 32-bit wine needs a kernel that executes 32-bit ELF programs (some machines answer "Exec
# format error"); where it cannot, zavislosti.sh has registered qemu's i386 emulator for them.
# Checked once. Without either only the x86_64 suite runs.
buildy=(x64)
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  buildy=(i686 x64)
  if grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null; then
    echo "Jádro tohoto stroje nespustí 32bitové programy ELF: testy sestavení i686 běží s 32bitovým Wine v emulátoru qemu-i386."
  fi
else
  echo "Jádro tohoto stroje nespustí 32bitové programy ELF: testy sestavení i686 se nespustí, jen x86_64."
fi

# The loopback test servers' ports: the builds' defaults (27180 and 27200), or from
# KOLVEX_TEST_PORTY (x86_64 there, i686 twenty above: nineteen ports each, forty further for each
# next parallel run) where another run on the machine holds those.
porty_x64=() porty_i686=()
if [ -n "${KOLVEX_TEST_PORTY:-}" ]; then
  porty_x64=(-DKOLVEX_TEST_PORTY="$KOLVEX_TEST_PORTY")
  porty_i686=(-DKOLVEX_TEST_PORTY="$((KOLVEX_TEST_PORTY + 20))")
fi

cmake -S . -B build-i686 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DCMAKE_BUILD_TYPE=Release \
  ${porty_i686[@]+"${porty_i686[@]}"}
cmake --build build-i686 -j "$jobs"

cmake -S . -B build-x64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  ${porty_x64[@]+"${porty_x64[@]}"}
cmake --build build-x64 -j "$jobs"

# A test that fails is run once more, so that one lost window-system event does not stop the run;
# a real fault fails twice. A test that passed only on its second attempt is still a fault (a race
# in the program, or a test waiting on the wrong thing): it is listed at the end.
# Each build's tests are split into parallel runs: run k of n takes tests k+1, k+1+n, ... (ctest -I).
# Every run has its own X server, Wine prefixes and home, copy of bin, server folder and loopback
# ports (KOLVEX_TESTY_DIL=k, see cmake/wine-emulator.sh.in); within one run the tests are serial.
# Runs in all: three quarters of the CPUs (more load the machine until windows answer late), at
# most eight, shared by the builds. (The emulated i686 suite takes twice the x86_64 one's time, but
# giving it more of the runs did not end it sooner: the machine is busy either way.)
# KOLVEX_TESTY_BEHU sets the runs of each build (1-19).
declare -A behu
vsech=$((jobs * 3 / 4))
[ "$vsech" -gt 8 ] && vsech=8
for b in "${buildy[@]}"; do
  behu[$b]=$((vsech / ${#buildy[@]}))
  case "${KOLVEX_TESTY_BEHU:-}" in ''|*[!0-9]*) ;; *) behu[$b]=$KOLVEX_TESTY_BEHU ;; esac
done
for b in "${buildy[@]}"; do
  [ "${behu[$b]}" -lt 1 ] && behu[$b]=1
  [ "${behu[$b]}" -gt 19 ] && behu[$b]=19
done

x_servery=()
# At the end, also of an interrupted run: the X servers go (and with them every Wine program left on
# their displays), and so do the runs' loopback test servers, whose ports a later run would find
# taken (the fixture's own stop has already ended them after a whole run).
uklid() {
  [ ${#x_servery[@]} -eq 0 ] || kill "${x_servery[@]}" 2>/dev/null || true
  for b in "${buildy[@]}"; do
    for ((k = 0; k < ${behu[$b]:-0}; k++)); do
      KOLVEX_TESTY_DIL="$k" python3 tests/servery/spustit.py stop "build-$b/servery" 2>/dev/null || true
    done
  done
}
trap uklid EXIT
trap 'exit 130' INT TERM
novy_x() {  # starts an X server on a display it picks itself; sets $displej
  local fd
  exec {fd}< <(exec Xvfb -displayfd 1 -screen 0 1920x1080x24 -nolisten tcp 2>/dev/null)
  x_servery+=($!)
  displej=""
  read -r -u "$fd" displej || true
  exec {fd}<&-
  [ -n "$displej" ] || { echo "Xvfb se nespustil" >&2; exit 1; }
}

spustit_beh() {  # build folder, run number, runs, display, ctest arguments...
  local slozka="$1" k="$2" n="$3" d="$4"
  shift 4
  DISPLAY=":$d" KOLVEX_TESTY_DIL="$k" \
    ctest --test-dir "$slozka" --output-on-failure --timeout 180 --repeat until-pass:2 \
      -I "$((k + 1)),,$n" "$@" >"$slozka/ctest-$k.log" 2>&1
}
declare -A procesy
for b in "${buildy[@]}"; do
  slozka="build-$b"
  rm -f "$slozka"/ctest-*.log
  novy_x
  # The test lists are made once (gtest discovery) before the runs read them at once.
  DISPLAY=":$displej" ctest --test-dir "$slozka" -N >/dev/null
  for ((k = 0; k < behu[$b]; k++)); do
    if [ "$k" -gt 0 ]; then
      rm -rf "$slozka/bin-$k"
      cp -a "$slozka/bin" "$slozka/bin-$k"
      novy_x
    fi
    spustit_beh "$slozka" "$k" "${behu[$b]}" "$displej" "$@" &
    procesy[$b-$k]=$!
  done
done
vysledek=0
for b in "${buildy[@]}"; do
  for ((k = 0; k < behu[$b]; k++)); do
    rc=0
    wait "${procesy[$b-$k]}" || rc=$?
    echo "===== build-$b, běh $((k + 1)) z ${behu[$b]} (ctest, kód $rc) ====="
    cat "build-$b/ctest-$k.log"
    [ "$rc" -ne 0 ] && vysledek=$rc
  done
done

for b in "${buildy[@]}"; do
  jen_napodruhe=$(awk '
    / Test +#[0-9]+: / {
      jmeno = $0; sub(/.*Test +#[0-9]+: /, "", jmeno); sub(/ \.+.*/, "", jmeno)
      if ($0 ~ /\*\*\*/) selhal[jmeno] = 1
      else if ($0 ~ / Passed /) { if (selhal[jmeno]) napodruhe[jmeno] = 1 }
    }
    END { for (j in napodruhe) print j }' "build-$b"/ctest-*.log | sort)
  if [ -n "$jen_napodruhe" ]; then
    echo "Testy build-$b, které prošly až napodruhé (závod v programu nebo test čekající na nesprávnou věc):"
    echo "$jen_napodruhe" | sed 's/^/  /'
  fi
done
# Screenshots the GUI tests keep for people to look at
for b in "${buildy[@]}"; do
  ls -1 "build-$b"/artefakty/*.png 2>/dev/null | sed 's/^/Snímek: /' || true
done
exit "$vysledek"
