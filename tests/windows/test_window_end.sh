#!/usr/bin/env bash
# zelmaro.exe's window and ends under Wine (Xvfb, openbox, trayer): the window opens centred at
# 432 x 191 client pixels and reopens 20 times in a row; the end of the session and taskkill
# remove the icon and leave nothing running; a second processor missing leaves its bar full;
# Wine makes up processor times for a /proc/stat it cannot read.
# Usage: tests/windows/test_window_end.sh BUILD_DIR   (as root, for the mount namespace)
[ -n "${1:-}" ] && BUILD=$(cd "$1" && pwd)
BUILD=${BUILD:?usage: $0 BUILD_DIR}
NAME=window-end
source "$(cd "$(dirname "$0")" && pwd)/lib_wine.sh"
start_wm
TRAY_HEIGHT=24 start_trayer
ST=$E2E_TMP/stat
stat_feeder "$ST" 2
feed "$ST" 30 70

wine_app "$ST"
check "the icon docks" wait_for 40 icon_is 30 70 g
# Double-click on the icon opens the window, centred on the 1024 x 768 screen with its frame.
opened() { [ -n "$(window_visible | head -1)" ]; }
xdotool mousemove 10 12 click --repeat 2 --delay 100 1
check "a double-click on the icon opens the window" wait_for 10 opened
W=$(window_visible | head -1)
if [ -n "$W" ]; then
  wait_for 3 sh -c "xprop -id $W _NET_FRAME_EXTENTS | grep -q ="
  # xwininfo's absolute position of the client (xdotool's adds the frame's offset once more).
  eval "$(xdotool getwindowgeometry --shell "$W")"
  X=$(xwininfo -id "$W" | sed -n 's/.*Absolute upper-left X: *//p')
  Y=$(xwininfo -id "$W" | sed -n 's/.*Absolute upper-left Y: *//p')
  read -r fl fr ft fb < <(xprop -id "$W" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  fw=$((WIDTH + fl + fr)) fh=$((HEIGHT + ft + fb)) fx=$((X - fl)) fy=$((Y - ft))
  check "client area 432 x 191 (${WIDTH}x$HEIGHT)" test "${WIDTH}x${HEIGHT}" = 432x191
  dx=$(((1024 - fw) / 2 - fx)) dy=$(((768 - fh) / 2 - fy))
  check "centred: frame ${fw}x$fh at $fx,$fy" test "${dx#-}" -le 1 -a "${dy#-}" -le 1
  PNG=$SHOTS/window.png
  import -display "$DISPLAY" -window "$W" "$PNG"
  # The button's tooltip: the pointer rests on "Reset Avg" (client 216, 37).
  tip() { xdotool search --onlyvisible --classname zelmaro.exe 2>/dev/null | while read -r w; do
    eval "$(xdotool getwindowgeometry --shell "$w")"; [ "$HEIGHT" -le 30 ] && [ "$WIDTH" -ge 60 ] && echo "$w"; done | head -1; }
  tip_shown() { [ -n "$(tip)" ]; }
  xdotool mousemove --window "$W" 215 36 sleep 0.2 mousemove --window "$W" 216 37
  check "hovering \"Reset Avg\" shows its tooltip" wait_for 10 tip_shown
  [ -n "$(tip)" ] && import -display "$DISPLAY" -window "$(tip)" "$SHOTS/button-tooltip.png"
  xdotool mousemove 600 600
  # The elapsed clock counts and the graphs scroll over the grid (teal): pictures a tick apart.
  region() { convert "$PNG" -crop "$1" +repage -format '%#' info:; }
  clock0=$(region 80x14+45+8) graph0=$(region 405x50+10+76)
  moved_on() {
    import -display "$DISPLAY" -window "$W" "$PNG" &&
      [ "$(region 80x14+45+8)" != "$clock0" ] && [ "$(region 405x50+10+76)" != "$graph0" ]
  }
  check "the elapsed clock counts and the graphs scroll" wait_for 5 moved_on
  grid=$(convert "$PNG" -crop 380x50+20+76 +repage txt:- | grep -c '#008080')
  check "the grid shows in the graphs ($grid teal pixels)" test "$grid" -ge 500
fi
# Closed by the window manager and reopened from the icon, 20 times in a row.
hidden() { [ -z "$(window_visible)" ]; }
n=0
for i in $(seq 20); do
  W=$(window_visible | head -1)
  [ -n "$W" ] || break
  $PY "$E2E_DIR/wm_close.py" "$W"
  wait_for 10 hidden || break
  ended && break
  xdotool mousemove 10 12 click --repeat 2 --delay 100 1
  wait_for 10 opened || break
  n=$i
done
check "closed and reopened 20 times ($n)" test "$n" = 20
going_on() { ! ended; }
check "the program goes on" going_on

# The end of the session: Wine's wineboot ends it as Windows does, with WM_QUERYENDSESSION and
# WM_ENDSESSION.
timeout -k 5 30 "$WINE" wineboot -e >/dev/null 2>&1
check "the end of the session ends the program" wait_for 20 ended
echo "       (status $(exit_status))"
check "the icon leaves the tray" wait_for 10 icon_gone
check "nothing is left running" wait_for 10 nothing_left
left_running | sed 's/^/       left: /'

# taskkill, as Task Manager or a script ends a program.
wine_app "$ST"
check "restarted, the icon docks" wait_for 40 icon_is 30 70 g
timeout -k 5 30 "$WINE" taskkill /IM zelmaro.exe >"$E2E_TMP/taskkill.log" 2>&1
echo "       taskkill: $(tr -d '\r' <"$E2E_TMP/taskkill.log" | head -2)"
check "taskkill ends the program" wait_for 20 ended
echo "       (status $(exit_status))"
check "the icon leaves the tray" wait_for 10 icon_gone
check "nothing is left running" wait_for 10 nothing_left
left_running | sed 's/^/       left: /'

# Only processor 0 in /proc/stat: its bar follows the readings, the missing one's stays full.
ONE=$E2E_TMP/stat1
stat_feeder "$ONE" 1
feed "$ONE" 50
wine_app "$ONE"
check "one processor: left bar at 50 %, the right one full" wait_for 40 icon_is 50 - g
cp "$TRAY" "$SHOTS/tray-one-processor.png"
menu_keys Up Return
wait_for 15 ended

# Counters that cannot be read: Wine never fails to give processor times. For a /proc/stat it
# cannot read or parse (here an empty one) it makes up times that advance as 40 % busy, so the
# program starts and shows them, without a message.
EMPTY=$E2E_TMP/stat-empty
: >"$EMPTY"
wine_app "$EMPTY"
check "an empty /proc/stat: Wine's made-up 40 % on both bars" wait_for 40 icon_is 40 40 g
no_box() { [ -z "$(xdotool search --onlyvisible --name '^Zelmaro$' 2>/dev/null)" ]; }
check "and no message box" no_box
menu_keys Up Return
check "Exit Zelmaro ends it with status 0" wait_for 15 ended
e2e_end
