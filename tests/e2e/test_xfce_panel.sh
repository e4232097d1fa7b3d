# XFCE's panel (xfce4-panel, systray plugin) as users run it: the item as a StatusNotifierItem
# (icon, readings, click, the panel's own menu with check marks, a panel restart, Exit), then
# the XEmbed side of the same tray for a program without a session bus.
source "$(dirname "$0")/lib.sh"
source "$E2E_DIR/panels.sh"
e2e_begin
start_openbox
start_xfce_panel
start_stat 30 70
start_app
check "the icon appears in the panel" wait_for 15 icon_shown
sleep 1  # a few ticks at the fixed readings
read -r _ size _ l r _ n _ crisp _ < <(panel_icon xfce-sni)
echo "       $size, bars $l% $r%, $n colours"
check "drawn at the panel's 22 pixels" test "$size" = 22x22
check "crisp: only frame, bar and panel colours" test "$crisp" = YES
check "the bars show the readings (30 and 70)" bars_near 30 70
set_usage 80 10
check "and follow them (80 and 10)" wait_for 5 bars_near 80 10

read -r IX IY < <(icon_centre)
xdotool mousemove "$IX" "$IY" click 1
check "a click opens the window" wait_for 5 window_visible
xdotool windowclose "$(window_visible | head -1)" 2>/dev/null || xdotool key --window "$(window_visible | head -1)" alt+F4
wait_for 5 sh -c '! xdotool search --onlyvisible --name "Dual Core"'

# The panel shows the exported menu: rows 25 pixels apart under the panel, check boxes at x 15.
ROW_GREEN=118 ROW_RED=168 ROW_EXIT=270 BOX_X=15
xdotool mousemove "$IX" "$IY" click 3
sleep 1.5
shot "$E2E_TMP/menu1.png" 0 0 300 300
check "the menu shows Green checked" checked_in "$E2E_TMP/menu1.png" $BOX_X $ROW_GREEN
! checked_in "$E2E_TMP/menu1.png" $BOX_X $ROW_RED || { echo "  FAIL Red checked before the pick"; E2E_FAILS=$((E2E_FAILS + 1)); }
xdotool mousemove 60 $ROW_RED click 1
red_bars() { [ "$(icon_colour)" = FF0000 ]; }
check "choosing Red there makes the bars red" wait_for 5 red_bars
xdotool mousemove "$IX" "$IY" click 3
sleep 1.5
shot "$E2E_TMP/menu2.png" 0 0 300 300
check "the check mark moves to Red" checked_in "$E2E_TMP/menu2.png" $BOX_X $ROW_RED
! checked_in "$E2E_TMP/menu2.png" $BOX_X $ROW_GREEN || { echo "  FAIL Green still checked"; E2E_FAILS=$((E2E_FAILS + 1)); }
xdotool key Escape
sleep 0.5

stop_panel
check "the icon goes with the panel" wait_for 5 icon_gone
start_xfce_panel
check "and comes back when the panel restarts" wait_for 15 icon_shown
read -r _ size _ _ _ _ _ _ crisp _ < <(panel_icon xfce-sni-again)
check "as crisp ($size)" test "$crisp" = YES

read -r IX IY < <(icon_centre)
xdotool mousemove "$IX" "$IY" click 3
sleep 1.5
xdotool mousemove 60 $ROW_EXIT click 1
check "Exit from the panel's menu ends the program" wait_for 5 sh -c "! kill -0 $APP_PID"
wait "$APP_PID"; status=$?
check "with status 0" test "$status" = 0
check "and removes the item" wait_for 5 icon_gone

# No session bus: the same tray's XEmbed side.
DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_TMP/no-bus start_app
check "without a session bus the icon docks in the XEmbed side" wait_for 10 icon_docked
sleep 1
read -r _ size _ l r _ n _ crisp _ < <(panel_icon xfce-xembed)
echo "       $size, bars $l% $r%, $n colours"
check "crisp there too" test "$crisp" = YES
check "showing the readings" bars_near 80 10
W=$(icon_docked | head -1)
check "its window carries the program's class" sh -c "xprop -id $W WM_CLASS | grep -qx 'WM_CLASS(STRING) = \"zelmaro\", \"Zelmaro\"'"
check "and process id" sh -c "xprop -id $W _NET_WM_PID | grep -qx '_NET_WM_PID(CARDINAL) = $APP_PID'"
read -r IX IY < <(icon_centre)
xdotool mousemove "$IX" "$IY" click --repeat 2 --delay 60 1
check "a double-click opens the window" wait_for 5 window_visible
stop_app
e2e_end
