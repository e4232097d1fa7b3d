#!/bin/bash
# Screenshots of the tray icon on an XEmbed tray (trayer) at two tray sizes, under a private
# X server, with fixed readings of 35 % and 75 %: docs/tray-22.png and docs/tray-48.png show
# the docked icon enlarged four times with whole pixels, so any blurring would show.
# Usage: ZELMARO_BIN=build/zelmaro scripts/screenshot-tray.sh   (as root for the fixed readings)
source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_begin
start_stat 35 75
OUT=$ROOT/docs
mkdir -p "$OUT"
start_app
for size in 22 48; do
  TRAY_HEIGHT=$((size + 2)) start_trayer  # trayer keeps a one-pixel border
  wait_for 5 icon_docked || { echo "icon did not dock at $size"; exit 1; }
  sleep 1.2  # a few ticks at the fixed readings
  eval "$(xdotool getwindowgeometry --shell "$(icon_docked | head -1)")"
  shot "$E2E_TMP/raw.png" "$X" "$Y" "$WIDTH" "$HEIGHT"
  convert "$E2E_TMP/raw.png" -filter point -resize 400% "$OUT/tray-$size.png"
  echo "docs/tray-$size.png: icon docked at ${WIDTH}x${HEIGHT}"
  stop_trayer
  wait_for 3 sh -c "! xdotool search --onlyvisible --name '^$ICON_NAME\$'"
done
