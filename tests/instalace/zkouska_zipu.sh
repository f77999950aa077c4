#!/bin/sh
# The zip a user takes, as a user installs it: cpack makes it, it is unpacked into the Program Files
# folder of a fresh Wine prefix of the build's bitness, and instalace_test.exe runs Kolvex from there.
# Usage: zkouska_zipu.sh <build folder> <cpack>
set -eu
build="$1"
cpack="$2"
cd "$build"
rm -rf balik
"$cpack" -G ZIP --config CPackConfig.cmake >/dev/null
set -- balik/Kolvex-*-Windows.zip
[ -f "$1" ] || { echo "zkouska_zipu: cpack made no zip" >&2; exit 1; }
echo "zip: $1"
python3 -m zipfile -l "$1"
WINEPREFIX="$build/instalace/prefix"
export WINEPREFIX
[ -d "$WINEPREFIX" ] && { /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true; }
rm -rf "$build/instalace"
mkdir -p "$build/instalace"
./wine-emulator.sh wineboot >/dev/null 2>&1
python3 -m zipfile -e "$1" "$WINEPREFIX/drive_c/Program Files"
KOLVEX_INSTALACE='C:\Program Files\Kolvex'
export KOLVEX_INSTALACE
rc=0
./wine-emulator.sh bin/instalace_test.exe || rc=$?
/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
exit $rc
