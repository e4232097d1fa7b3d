#!/bin/bash
# Screenshots of the icon in three desktops' panels, each started from Debian's packages on a
# private display or headless with a private session bus, with fixed readings of 35 % and 75 %:
# docs/panel-xfce.png (xfce4-panel), docs/panel-lxqt.png (lxqt-panel) and docs/panel-gnome.png
# (GNOME Shell with the AppIndicator extension), each a piece of the panel around the icon
# enlarged four times with whole pixels, so any blurring would show.
# Usage: ZELMARO_BIN=build/zelmaro scripts/screenshot-panels.sh   (as root for the fixed readings)
source "$(dirname "$0")/../tests/e2e/lib.sh"
source "$E2E_DIR/panels.sh"
OUT=$ROOT/docs
mkdir -p "$OUT"

# panel_piece NAME: the panel around the icon, 4x, to docs/panel-NAME.png.
panel_piece() {
  local x y
  wait_for 20 icon_shown || { echo "no icon in the $1 panel"; exit 1; }
  sleep 1.2  # a few ticks at the fixed readings
  read -r x y < <(icon_centre)
  x=$((x < 40 ? 0 : x - 40))
  shot "$E2E_TMP/raw.png" "$x" 0 80 "$PANEL_H"
  convert "$E2E_TMP/raw.png" -filter point -resize 400% "$OUT/panel-$1.png"
  echo "docs/panel-$1.png: $(panel_icon)"
}

run_host() {
  (
    case $1 in
      xfce) e2e_begin; start_stat 35 75; PANEL_H=26; start_openbox; start_xfce_panel; start_app ;;
      lxqt) e2e_begin; start_stat 35 75; PANEL_H=32; start_openbox; start_lxqt_panel; start_app ;;
      gnome)
        source "$E2E_DIR/gnome.sh"
        PANEL_H=32
        gnome_begin
        start_gnome_shell
        start_stat 35 75
        start_gnome_app ;;
    esac
    panel_piece "$1"
  )
}
for host in xfce lxqt gnome; do run_host $host; done
