#!/bin/sh
# Shows the main window on a private Xvfb display, checks its pixels and saves
# docs/window.png. Usage: scripts/screenshot-window.sh [build-dir]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
ninja -C "$build" -j2 test_window

display=:$(( 90 + $$ % 9 ))
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT INT TERM
for _ in 1 2 3 4 5 6 7 8 9 10; do
  xdpyinfo -display "$display" >/dev/null 2>&1 && break
  sleep 0.5
done

mkdir -p "$root/docs"
DISPLAY=$display QT_QPA_PLATFORM=xcb ZELMARO_SCREENSHOT="$root/docs/window.png" \
  "$build/test_window" --gtest_filter='WindowScreenshotTest.*'
echo "saved $root/docs/window.png"
