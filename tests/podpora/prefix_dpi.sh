#!/bin/sh
# The second Wine prefix of the tests, at 144 DPI: created by the test wrapper like the first one,
# given the settings of a scaled display, and its wineserver restarted so that they count.
#   prefix_dpi.sh start <wrapper> <prefix> <reg file> <first prefix>
#   prefix_dpi.sh stop <prefix>
# Only one prefix's desktop may be on the display at a time: the other's server is ended.
# A parallel run of the test script (KOLVEX_TESTY_DIL=N, N > 0) has its own pair, suffixed "-N".
set -e
beh=""
[ "${KOLVEX_TESTY_DIL:-0}" != 0 ] && beh="-$KOLVEX_TESTY_DIL"
WINESERVER=/usr/lib/wine/wineserver
case "$1" in
  start)
    WINEPREFIX="$5$beh" "$WINESERVER" -k 2>/dev/null || true
    WINEPREFIX="$5$beh" "$WINESERVER" -w 2>/dev/null || true
    WINEPREFIX="$3$beh" "$2" regedit /S "$4"
    WINEPREFIX="$3$beh" "$WINESERVER" -k 2>/dev/null || true
    WINEPREFIX="$3$beh" "$WINESERVER" -w 2>/dev/null || true
    ;;
  stop)
    WINEPREFIX="$2$beh" "$WINESERVER" -k 2>/dev/null || true
    WINEPREFIX="$2$beh" "$WINESERVER" -w 2>/dev/null || true
    ;;
esac
