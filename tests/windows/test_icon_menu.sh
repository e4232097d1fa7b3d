#!/usr/bin/env bash
# zelmaro.exe's tray icon under Wine (Xvfb, openbox, trayer): its 16 x 16 picture follows
# controlled readings pixel for pixel, its tooltip, its menu of seven colours with the check
# mark, each colour kept in the registry and brought back by a restart, stored values that are
# no colour, a restarted tray and TaskbarCreated.
# Usage: tests/windows/test_icon_menu.sh BUILD_DIR   (as root, for the mount namespace)
[ -n "${1:-}" ] && BUILD=$(cd "$1" && pwd)
BUILD=${BUILD:?usage: $0 BUILD_DIR}
NAME=icon-menu
source "$(cd "$(dirname "$0")" && pwd)/lib_wine.sh"
start_wm
TRAY_HEIGHT=24 start_trayer
ST=$E2E_TMP/stat
stat_feeder "$ST" 2

# Readings standing still are invalid, as the first sample always is: both bars stay full.
wine_app "$ST"
check "the icon docks with both bars full on invalid samples" wait_for 40 icon_is - - g
cp "$TRAY" "$SHOTS/tray-invalid.png"
feed "$ST" 50 0
check "50 % / 0 %: the picture, pixel for pixel" wait_for 5 icon_is 50 0 g
cp "$TRAY" "$SHOTS/tray-50-0.png"
feed "$ST" 100 25
check "100 % / 25 %: the picture, pixel for pixel" wait_for 5 icon_is 100 25 g
cp "$TRAY" "$SHOTS/tray-100-25.png"
[ "$E2E_FAILS" = 0 ] || { echo "       seen:"; icon_map | sed 's/^/       /'; echo "       expected:"; expected_icon 100 25 g | sed 's/^/       /'; }

# The tooltip: with the pointer resting on the icon, Wine's tray shows a one-line tooltip
# window of its own (explorer.exe) holding the text (read from its screenshot,
# $SHOTS/tooltip.png: "Zelmaro by Quenlark").
tips() { xdotool search --onlyvisible --classname explorer.exe 2>/dev/null | while read -r w; do
  eval "$(xdotool getwindowgeometry --shell "$w")"; [ "$WIDTH" -ge 90 ] && [ "$HEIGHT" -le 30 ] && echo "$w"; done; }
xdotool mousemove 11 12 sleep 0.2 mousemove 10 12
tip_shown() { [ -n "$(tips)" ]; }
check "hovering the icon shows its tooltip" wait_for 10 tip_shown
T=$(tips | head -1)
if [ -n "$T" ]; then
  import -display "$DISPLAY" -window "$T" "$SHOTS/tooltip.png"
  # One line of dark text on the tooltip's face, as wide as the 19 characters.
  ink=$(convert "$SHOTS/tooltip.png" -threshold 50% -negate -trim -format '%w %h' info:)
  check "the tooltip holds one line of text 19 characters wide ($ink)" \
    awk -v w="${ink% *}" -v h="${ink#* }" 'BEGIN { exit !(w >= 85 && w <= 120 && h >= 8 && h <= 14) }'
fi

# The menu: the seven colours, "Show Usage" and "Exit Zelmaro" (read from $SHOTS/menu-*.png);
# the check mark stands at the colour in use. Down from no selection is the menu's greyed
# title, "Tray Icon Color"; Down once more the first colour.
# Each colour recolours the bars and is written to the registry.
LETTERS=(b c g p r w y)
for i in 6 5 4 3 2 1 0; do
  keys=()
  for _ in $(seq -1 "$i"); do keys+=(Down); done
  menu_keys "${keys[@]}" Return
  check "colour $i recolours the bars" wait_for 5 icon_is 100 25 "${LETTERS[i]}"
  check "colour $i is written to the registry" wait_for 10 colour_kept "$i"
  cp "$MENU_PNG" "$SHOTS/menu-before-$i.png" 2>/dev/null
done
cp "$TRAY" "$SHOTS/tray-blue.png"
# The check mark: dark pixels at the menu's left edge, in one entry's row only; it moved from
# Yellow's row (the last pick before the menu above was opened) to Blue's.
mark_row() { convert "$1" -crop 14x200+2+0 +repage -threshold 50% txt:- |
  awk '/#000000/ { split($1, p, /[,:]/); print p[2] }' | sort -n | awk 'NR == 1 { a = $1 } { b = $1 } END { print int((a + b) / 2) }'; }
menu_keys Escape
cp "$MENU_PNG" "$SHOTS/menu-blue.png"
ry=$(mark_row "$SHOTS/menu-before-5.png") rb=$(mark_row "$SHOTS/menu-blue.png")
check "the check mark moves with the colour (Yellow's row $ry, Blue's $rb)" test "${ry:-0}" -gt "${rb:-0}"

# The icon comes back when the tray goes away and a new one starts (TaskbarCreated).
stop_trayer
check "the tray goes away" wait_for 10 sh -c '! xdotool search --name "^panel$"'
TRAY_HEIGHT=24 start_trayer
# Moving a docked icon into a tray that starts later is Wine's own doing (its explorer.exe), not
# the program's, and on a loaded machine it can take longer than any fair wait: reported, not
# checked. The program's part, adding its icon again on TaskbarCreated, is checked below.
if wait_for 40 icon_is 100 25 b; then echo "       Wine docked the icon in the new tray"
else echo "       note: Wine kept the icon out of the new tray for 40 s"; fi
cp "$TRAY" "$SHOTS/tray-after-restart.png"
# A restarted shell: Wine's tray never announces a new taskbar (and its explorer.exe is also the
# desktop's, so it cannot be ended alone): shell_restart.exe does what a shell that restarts
# does, dropping the icon and then broadcasting TaskbarCreated, which brings the icon back.
SHELL_RESTART=$E2E_TMP/shell_restart.exe
x86_64-w64-mingw32-gcc -O2 -Wall -o "$SHELL_RESTART" "$(dirname "$0")/shell_restart.c" -lshell32
check "the shell drops the icon" sh -c "timeout -k 5 20 '$WINE' '$SHELL_RESTART' forget"
check "the icon leaves the tray" wait_for 10 icon_gone
check "TaskbarCreated is broadcast" sh -c "timeout -k 5 20 '$WINE' '$SHELL_RESTART' created"
check "the icon docks again on TaskbarCreated" wait_for 20 icon_is 100 25 b

# "Exit Zelmaro" (Up from no selection), then a restart comes up in the stored colour, Blue.
menu_keys Up Return
check "Exit Zelmaro ends the program with status 0" wait_for 15 ended
check "with status 0 ($(exit_status))" test "$(exit_status)" = 0
check "the icon leaves the tray" wait_for 10 icon_gone
wine_app "$ST"
check "a restart comes up in the stored colour" wait_for 40 icon_is 100 25 b
menu_keys Up Return
wait_for 15 ended

# A stored value that is not 0 to 6, or not a number, starts in green and is left as it is.
for v in 7 -1 abc; do
  store_colour "$v"
  wine_app "$ST"
  check "stored \"$v\": the bars start green" wait_for 40 icon_is 100 25 g
  check "stored \"$v\" is left in the registry" colour_kept "$v"
  menu_keys Up Return
  wait_for 15 ended
done
e2e_end
