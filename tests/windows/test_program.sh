#!/usr/bin/env bash
# zelmaro.exe as a user meets it, under Wine on a private X display with openbox and trayer:
# its two-bar icon docks in the tray, the bars follow the readings of a stand-in /proc/stat
# (bind-mounted over the real one in a private mount namespace: Wine reads the kernel's
# per-processor times from there), a second copy says in a message box that one is running
# and ends, a double-click on the icon opens the 432 x 191 window, the window manager's close
# hides it, a colour from the icon's menu recolours the bars and is kept in the registry, and
# "Exit Zelmaro" from the menu ends the program with status 0. Every wait is bounded;
# screenshots stay in the build folder.
# Usage: tests/windows/test_program.sh BUILD_DIR   (as root, for the mount namespace)
[ -n "${1:-}" ] && BUILD=$(cd "$1" && pwd)
BUILD=${BUILD:?usage: $0 BUILD_DIR}
NAME=program
source "$(cd "$(dirname "$0")" && pwd)/lib_wine.sh"
start_wm
TRAY_HEIGHT=24 start_trayer
start_stat 20 80

wine_app "$STAT"

# The docked icon: 16 x 16 in trayer's first slot, read from screenshots of the tray.
green_rows() {  # green rows of the icon's left (0) or right (1) bar, from the last screenshot
  local x0=$((5 + $1 * 8))  # the icon at x 3 to 18, its bars 6 pixels wide either side of x 11
  convert "$TRAY" -crop 4x24+"$x0"+0 +repage txt:- | awk '/#00FF00/ { split($1, p, /[,:]/); rows[p[2]] = 1 }
    END { print length(rows) }'
}
bars_show() {  # bars_show left-low|left-high: the left bar lower than the right, or higher
  shot "$TRAY" 0 0 24 24 || return 1
  local l r
  l=$(green_rows 0) r=$(green_rows 1)
  echo "bars: left $l rows, right $r rows" >"$E2E_TMP/bars"
  if [ "$1" = left-low ]; then [ "$l" -ge 1 ] && [ "$r" -ge $((l + 4)) ]; else [ "$r" -ge 1 ] && [ "$l" -ge $((r + 4)) ]; fi
}
check "the two-bar icon docks in the tray, left bar low, right bar high" wait_for 40 bars_show left-low
echo "       $(cat "$E2E_TMP/bars")"
cp "$TRAY" "$SHOTS/tray-20-80.png"
set_usage 85 15
check "the bars follow the readings" wait_for 10 bars_show left-high
echo "       $(cat "$E2E_TMP/bars")"
cp "$TRAY" "$SHOTS/tray-85-15.png"

# A second copy says that one is running already, in the system's message box, and ends with
# status 1 once the box is dismissed.
SECOND_STATUS=$E2E_TMP/second-status
( timeout -k 5 60 "$WINE" "$EXE" >"$E2E_TMP/second.log" 2>&1; echo $? >"$SECOND_STATUS" ) &
track $!
box() { xdotool search --onlyvisible --name '^Zelmaro$' 2>/dev/null | head -1; }
box_open() { [ -n "$(box)" ]; }
check "a second copy shows a message box" wait_for 15 box_open
B=$(box)
if [ -n "$B" ]; then
  import -display "$DISPLAY" -window "$B" "$SHOTS/second-copy.png"
  # Its OK button takes Return once the box has the focus; pressed again while the box stays.
  dismissed() {
    local b
    b=$(box)
    [ -z "$b" ] && return 0
    timeout 5 xdotool windowfocus --sync "$b" && xdotool key Return
    false
  }
  check "Return on the box dismisses it" wait_for 10 dismissed
fi
wait_for 10 test -s "$SECOND_STATUS"
check "the second copy then ends with status 1 ($(cat "$SECOND_STATUS" 2>/dev/null))" test "$(cat "$SECOND_STATUS" 2>/dev/null)" = 1
check "the first goes on" sh -c "! [ -s '$STATUS_FILE' ]"

# Tray callbacks do not depend on where the pointer is in the icon.
WINDOW_TITLE="Dual Core CPU Usage"
xdotool mousemove 10 12 click --repeat 2 --delay 100 1
check "a double-click on the icon opens the window" wait_for 10 window_visible
W=$(window_visible | head -1)
if [ -n "$W" ]; then
  eval "$(xdotool getwindowgeometry --shell "$W")"
  check "client area 432 x 191 (${WIDTH}x$HEIGHT)" test "${WIDTH}x${HEIGHT}" = 432x191
  PNG=$SHOTS/window.png
  px() { convert "$PNG" -format '%[hex:p{'"$1,$2"'}]' info: | cut -c1-6; }
  # The graphs (10, 76 and 10, 132; 405 x 50 each) have drawn once the readings show in green.
  graph_greens() { convert "$PNG" -crop 405x106+10+76 +repage txt:- | grep -ci '#00FF00'; }
  graphs_drawn() { import -display "$DISPLAY" -window "$W" "$PNG" && [ "$(graph_greens)" -ge 2 ]; }
  check "the graphs draw the readings" wait_for 5 graphs_drawn
  # The clock and the averages show from the first tick after the window opened: wait until a
  # tick has redrawn the window.
  cp "$PNG" "$E2E_TMP/opened.png"
  redrawn() {
    import -display "$DISPLAY" -window "$W" "$PNG" &&
      [ "$(compare -metric AE "$PNG" "$E2E_TMP/opened.png" null: 2>&1 | cut -d' ' -f1)" != 0 ]
  }
  check "a tick redraws the open window" wait_for 3 redrawn
  check "graph 0 background black" test "$(px 300 98)" = 000000
  check "left scale strip over graph 0" test "$(px 10 77)" = 008080
  # Labels left of the button: the clock and the averages, dark text on the dialog face.
  text=$(convert "$PNG" -crop 170x60+0+0 +repage -threshold 50% txt:- | grep -c '#000000')
  check "the labels and clock show text ($text dark pixels)" test "$text" -ge 200
  check "button face differs from the window around it" test "$(px 216 23)" != "$(px 216 18)"
  # The window manager's close button only hides the window; the program goes on.
  $PY "$E2E_DIR/wm_close.py" "$W"
  check "the close button hides the window" wait_for 10 sh -c '! xdotool search --onlyvisible --name "Dual Core CPU Usage" >/dev/null'
  check "the program goes on after the window closes" sh -c "! [ -s '$STATUS_FILE' ]"
fi

# Up from no selection is the last entry, "Exit Zelmaro"; separators are passed over: three
# times Up is the last colour, Yellow (number 6).
menu_keys Up Up Up Return
yellow_bars() { shot "$TRAY" 0 0 24 24 && [ "$(convert "$TRAY" txt:- | grep -ci '#FFFF00')" -ge 10 ]; }
check "a colour from the menu recolours the bars" wait_for 10 yellow_bars
cp "$TRAY" "$SHOTS/tray-yellow.png"
check "the registry keeps the colour" wait_for 10 colour_kept 6

menu_keys Up Return
check "Exit Zelmaro ends the program" wait_for 15 ended
check "with status 0 ($(cat "$STATUS_FILE" 2>/dev/null))" test "$(cat "$STATUS_FILE" 2>/dev/null)" = 0
no_icon() { shot "$TRAY" 0 0 24 24 && ! convert "$TRAY" txt:- | grep -qiE '#(FFFF00|00FF00)'; }
check "the icon leaves the tray" wait_for 10 no_icon
e2e_end
