# KDE Plasma's panel (plasmashell's system tray) as users run it: the item as a
# StatusNotifierItem (icon, readings, click, the panel's own menu with check marks, a panel
# restart, Exit), then a program without a session bus, docked through KDE's XEmbed proxy.
source "$(dirname "$0")/lib.sh"
source "$E2E_DIR/panels.sh"
SCREEN_W=1024 SCREEN_H=768  # the panel's place is read when it shows
e2e_begin
start_openbox
start_plasma_panel
start_stat 30 70
start_app

# Plasma puts the item's menu where it finds room, above the bottom panel (or, the first time
# after the shell starts, at the top of the screen).
panel_sni_checks start_plasma_panel 22 "^plasmashell$"

# No session bus for the program: it docks in an XEmbed tray, which KDE's proxy provides and
# shows in the panel as an item named after the icon's window.
xembedsniproxy >"$E2E_TMP/proxy.log" 2>&1 &
track $!
DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_TMP/no-bus start_app
check "without a session bus the icon shows through KDE's XEmbed proxy" wait_for 15 icon_shown
check "showing the readings" wait_for 5 bars_near 80 10
read -r _ size _ l r _ n _ crisp _ < <(panel_icon xembed)
echo "       $size, bars $l% $r%, $n colours"
proxy_item_id() {
  local item
  for item in $(gdbus call --session --dest org.kde.StatusNotifierWatcher --object-path /StatusNotifierWatcher \
      --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems |
      grep -o "'[^']*'" | tr -d "'"); do
    gdbus call --session --dest "${item%%/*}" --object-path "/${item#*/}" \
      --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierItem Id 2>/dev/null
  done
}
check "the proxy names the item after the icon's window" sh -c "$(declare -f proxy_item_id); proxy_item_id | grep -q \"'$ICON_NAME'\""
# The proxy passes the panel's clicks on to the icon's window, which opens on a double-click.
read -r IX IY < <(icon_centre)
xdotool mousemove "$IX" "$IY" click --repeat 2 --delay 60 1
check "a double-click there opens the window" wait_for 5 window_visible
stop_app
e2e_end
