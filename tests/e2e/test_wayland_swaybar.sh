# The program as a native Wayland client on headless sway with sway's own bar as the tray
# host. That bar has no exported-menu support: a right click calls the item's ContextMenu
# method, which must never map the menu as a window of its own; its left click (Activate)
# opens the window. QT_QPA_PLATFORM is not set, as in a Wayland session without X: the program
# picks Wayland by itself.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_sway.sh"
TRAY_SIZE=22
APP_QPA=""
sway_begin swaybar
start_stat 40 60
start_app_wayland
check "item registers with the bar's watcher" wait_for 15 wl_item_registered
B=$E2E_TMP/bar.png
icon_shown() { bar_shot "$B" && test -n "$($PROBE icon "$B" "$BAR_BG")"; }
check "icon appears in sway's bar" wait_for 10 icon_shown
# At 40 % and 60 % the left bar is lower than the right one, and neither is full.
readings_shown() {
  bar_shot "$B" && read -r left right <<<"$($PROBE bars "$B" "$BAR_BG" "#00ff00")" &&
    [ "$left" -ge 5 ] && [ "$left" -lt "$right" ] && [ "$right" -le 15 ]
}
check "icon follows the readings" wait_for 5 readings_shown
echo "       icon at $($PROBE icon "$B" "$BAR_BG") in the bar's right end; green rows $left / $right"
[ -n "${E2E_SHOTS:-}" ] && mkdir -p "$E2E_SHOTS" && cp "$B" "$E2E_SHOTS/swaybar.png"

no_menu_window() { ! sway_views | grep -qP '^zelmaro\tZelmaro\t'; }
sleep 1
wl_sni contextmenu
sleep 1.5
sway_views | sed 's/^/       view: /'
check "right click (ContextMenu), window hidden: no window appears" test "$(wl_app_views)" = 0
check "right click (ContextMenu), window hidden: no window titled Zelmaro" no_menu_window
check "program alive" app_running

wl_sni activate
check "left click (Activate) opens the window" wait_for 5 wl_window_visible
wl_sni contextmenu
sleep 1.5
sway_views | sed 's/^/       view: /'
check "right click, window shown: the window is the only view" test "$(wl_app_views)" = 1
check "right click, window shown: no window titled Zelmaro" no_menu_window
wl_close_window
check "closing hides the window" wait_for 5 wl_window_gone
check "program alive" app_running
e2e_end
