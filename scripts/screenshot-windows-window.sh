#!/usr/bin/env bash
# The window of zelmaro.exe under Wine, as docs/windows-window.png: the real program on a
# private X display with openbox and trayer, its readings from a stand-in /proc/stat (45 % and
# 20 %, as root) for long enough to draw some graph, opened with a double-click on its icon.
# Usage: scripts/screenshot-windows-window.sh [BUILD_DIR]   (default build/windows)
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build/windows}" && pwd)
source "$ROOT/tests/e2e/lib.sh"
[ "$(id -u)" = 0 ] || { echo "needs root for the stand-in /proc/stat"; exit 1; }
export WINEPREFIX=$BUILD/wineprefix-screenshot WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe,winedbg.exe=d"
WINE=/usr/lib/wine/wine64
[ -x "$WINE" ] || WINE=wine

e2e_begin
trap 'timeout -k 5 30 wineserver -k >/dev/null 2>&1; e2e_cleanup' EXIT
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  rm -rf "$WINEPREFIX"
  timeout -k 5 120 wineboot -i >/dev/null 2>&1
  timeout -k 5 60 wineserver -w
fi
start_wm
TRAY_HEIGHT=24 start_trayer
start_stat 45 20
timeout -k 5 120 unshare -m sh -c 'mount --bind "$0" /proc/stat && exec "$@"' "$STAT" "$WINE" "$BUILD/zelmaro.exe" \
  >"$E2E_TMP/app.log" 2>&1 &
track $!
TRAY=$E2E_TMP/tray.png
docked() { shot "$TRAY" 0 0 24 24 && [ "$(convert "$TRAY" txt:- | grep -ci '#00FF00')" -ge 4 ]; }
wait_for 40 docked || { echo "the icon did not dock"; exit 1; }
xdotool mousemove 10 12 click --repeat 2 --delay 100 1
wait_for 10 window_visible || { echo "the window did not open"; exit 1; }
W=$(window_visible | head -1)
# Some seconds of graph, then the readings move so that both graphs show a step.
sleep 6
set_usage 70 35
sleep 5
mkdir -p "$ROOT/docs"
import -display "$DISPLAY" -frame -window "$W" "$ROOT/docs/windows-window.png"
echo "saved $ROOT/docs/windows-window.png"
