# XFCE's panel (xfce4-panel, systray plugin) as users run it: the item as a StatusNotifierItem
# (icon, also while another client floods its picture reads, readings, click, the panel's own
# menu with check marks, a panel restart, Exit), then
# the XEmbed side of the same tray for a program without a session bus.
source "$(dirname "$0")/lib.sh"
source "$E2E_DIR/panels.sh"
PANEL_H=26
e2e_begin
start_openbox
start_xfce_panel
start_stat 30 70
start_app

# Another client floods the item's picture reads while the readings change: the panel, reading
# each new picture meanwhile, shows the icon in every screenshot.
wait_for 15 icon_shown
$PY "$E2E_DIR/bus_abuse.py" flood pixmap 8 10000 >/dev/null 2>&1 &
FLOODER=$!
track $FLOODER
shown=0 shots=0
while kill -0 $FLOODER 2>/dev/null && [ $shots -lt 12 ]; do
  set_usage $((shots % 2 ? 20 : 80)) 50
  sleep 0.5
  shots=$((shots + 1))
  icon_shown flood && shown=$((shown + 1))
done
wait $FLOODER
set_usage 30 70
check "during another client's flood of picture reads the icon shows ($shown of $shots screenshots)" \
  test "$shots" -gt 0 -a "$shown" = "$shots"
panel_sni_checks start_xfce_panel 22 "^(Xfce4-panel|Wrapper-2\.0)$"  # the tray runs in a plugin wrapper

# No session bus: the same tray's XEmbed side.
DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_TMP/no-bus start_app
check "without a session bus the icon docks in the XEmbed side" wait_for 10 icon_docked
check "showing the readings" wait_for 5 bars_near 80 10
read -r _ size _ l r _ n _ crisp _ < <(panel_icon xembed)
echo "       $size, bars $l% $r%, $n colours"
check "crisp there too" test "$crisp" = YES
W=$(icon_docked | head -1)
check "its window carries the program's class" sh -c "xprop -id $W WM_CLASS | grep -qx 'WM_CLASS(STRING) = \"zelmaro\", \"Zelmaro\"'"
check "and process id" sh -c "xprop -id $W _NET_WM_PID | grep -qx '_NET_WM_PID(CARDINAL) = $APP_PID'"
read -r IX IY < <(icon_centre)
xdotool mousemove "$IX" "$IY" click --repeat 2 --delay 60 1
check "a double-click opens the window" wait_for 5 window_visible
stop_app
e2e_end
