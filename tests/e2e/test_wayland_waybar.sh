# The program as a native Wayland client on headless sway, with waybar's tray as the
# StatusNotifierItem host: the icon shows in the bar, crisp, and follows the readings; the
# host's activation opens the window every time and closing hides it; the window's pictures
# are opaque; a menu request never maps the menu as a window; the exported menu's items work;
# a restarted waybar (at its default icon size) shows the icon again; Exit removes the item and
# ends with status 0.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_sway.sh"
SHOTS=${E2E_SHOTS:-}
keep() { [ -n "$SHOTS" ] && mkdir -p "$SHOTS" && cp "$1" "$SHOTS/"; return 0; }

sway_begin
start_waybar 22
start_stat 20 80
start_app_wayland
check "item registers with waybar's watcher" wait_for 15 wl_item_registered

# --- the icon in the bar
B=$E2E_TMP/bar.png
icon_shown() { bar_shot "$B" && test -n "$($PROBE icon "$B" "$BAR_BG")"; }
check "icon appears in the bar" wait_for 10 icon_shown
# Once a tick has drawn the set readings: the left bar low, the right one high.
low_high() {
  bar_shot "$B" && read -r left right <<<"$($PROBE bars "$B" "$BAR_BG" "#00ff00")" &&
    [ "$left" -ge 2 ] && [ "$left" -le 6 ] && [ "$right" -ge 14 ] && [ "$right" -le 18 ]
}
wait_for 5 low_high
keep "$B"
box=$($PROBE icon "$B" "$BAR_BG")
echo "       icon at $box (x y w h in the bar's right end)"
check "icon drawn at its slot size (22 x 22)" test "$(echo "$box" | cut -d' ' -f3-)" = "22 22"
colours=$($PROBE colours "$B" | tr '\n' ' ')
echo "       colours: $colours"
check "crisp: only bar background, frame black and bar green" test "$colours" = "#000000 #00ff00 #202020 "
echo "       green rows at 20 % / 80 %: $left / $right"
check "bars follow the readings (20 % low, 80 % high)" low_high
set_usage 90 10
bars_swapped() {
  bar_shot "$B" && read -r left right <<<"$($PROBE bars "$B" "$BAR_BG" "#00ff00")" &&
    [ "$left" -ge 16 ] && [ "$right" -le 4 ] && [ "$right" -ge 1 ]
}
check "bars follow new readings (90 % / 10 %)" wait_for 5 bars_swapped
keep "$B"

# --- opening and closing: the host's activation, 20 times, the first after start included
check "no window shown after start" test "$(wl_app_views)" = 0
px() { $PROBE pixel "$W" $((wx + $1)) $((wy + $2)); }
W=$E2E_TMP/window.png
# The window once painted, in a screenshot: its left scale strip shows teal.
painted() { as_user grim - >"$W" && read -r wx wy <<<"$(wl_window_origin)" && [ "$(px 12 76)" = "#008080" ]; }
opened=0 closed=0
for i in $(seq 20); do
  wl_sni activate
  wait_for 5 wl_window_visible && opened=$((opened + 1))
  if [ "$i" = 1 ]; then
    wait_for 5 painted
    keep "$W"
  fi
  wl_close_window
  wait_for 5 wl_window_gone && closed=$((closed + 1))
  sleep 0.5  # the program takes repeats within 300 ms of a gesture for the same gesture
done
echo "       opened $opened of 20, hidden again $closed of 20"
check "activation opens the window 20 of 20" test "$opened" = 20
check "closing hides the window 20 of 20" test "$closed" = 20
check "program alive after closing" app_running

# --- the window's pictures are opaque on Wayland: the scale strips show teal and cyan
echo "       window contents at $wx,$wy; strip pixels: $(px 12 76) $(px 13 78) $(px 418 126) $(px 419 128)"
check "left strip background opaque teal" test "$(px 12 76)" = "#008080"
check "left strip digits opaque cyan" test "$(px 10 79)" = "#00ffff"
check "right strip background opaque teal" test "$(px 418 132)" = "#008080"
check "right strip digits opaque cyan" test "$(px 416 135)" = "#00ffff"

# --- a menu request (what sway's own bar sends) never maps the menu as a window
no_menu_window() { ! sway_views | grep -qP '^zelmaro\tZelmaro\t'; }
wl_sni contextmenu
sleep 1.5
check "ContextMenu with the window hidden: no window" test "$(wl_app_views)" = 0
check "ContextMenu with the window hidden: no window titled Zelmaro" no_menu_window
wl_sni activate; wait_for 5 wl_window_visible
wl_sni contextmenu
sleep 1.5
sway_views | sed 's/^/       view: /'
check "ContextMenu with the window shown: no menu window" test "$(wl_app_views)" = 1
check "ContextMenu with the window shown: no window titled Zelmaro" no_menu_window
wl_close_window; wait_for 5 wl_window_gone

# --- the exported menu (waybar shows it on a right click): items and check marks
M=$E2E_TMP/menu.txt
wl_sni menu >"$M" 2>&1
check "Green checked in the exported menu" grep -qP '\tGreen\tstandard\tenabled\t1$' "$M"
wl_sni click Red
menu_has() { wl_sni menu 2>/dev/null | grep -qP "\t$1\tstandard\tenabled\t$2\$"; }
check "Red becomes checked" wait_for 3 menu_has Red 1
check "Green unchecked" menu_has Green 0
red_bars() { bar_shot "$B" && $PROBE colours "$B" | grep -qx '#ff0000' && ! $PROBE colours "$B" | grep -qx '#00ff00'; }
check "icon in the bar turns red" wait_for 5 red_bars
keep "$B"
wl_sni click "Show Usage"
check "Show Usage opens the window" wait_for 5 wl_window_visible
wl_close_window; wait_for 5 wl_window_gone

# --- waybar restarts, now at its default icon size: the icon comes back. waybar takes the
# largest picture and reduces it to its slot by averaging areas; the largest one halves exactly
# to 22 pixels (XFCE's slot too), so at 16 the edges soften, but the bars still read right.
stop_waybar
start_waybar
check "item registers again after waybar restarts" wait_for 15 wl_item_registered
check "icon back in the restarted bar" wait_for 10 icon_shown
B=$E2E_TMP/bar-default.png
size_is() { bar_shot "$B" && test "$($PROBE icon "$B" "$BAR_BG" | cut -d' ' -f3-)" = "$1"; }
check "icon drawn at waybar's default size (16 x 16)" wait_for 10 size_is "16 16"
red_rows() { bar_shot "$B" && read -r left right <<<"$($PROBE bars "$B" "$BAR_BG" "#ff0000")" &&
  [ "$left" -ge 11 ] && [ "$right" -le 3 ]; }
check "bars follow the readings at 16 pixels (90 % high, 10 % low)" wait_for 5 red_rows
keep "$B"
echo "       red rows: $left / $right; colours: $($PROBE colours "$B" | tr '\n' ' ')"

# --- Exit: the item goes away and the program ends with status 0
wl_sni click "Exit Zelmaro"
no_item() { ! wl_item_registered; }
check "item removed after Exit" wait_for 5 no_item
check "program ends after Exit" wait_for 5 sh -c "! kill -0 $APP_PID"
wait "$APP_PID"; status=$?
check "exit status 0" test "$status" = 0
icon_gone() { ! icon_shown; }
check "icon gone from the bar" wait_for 5 icon_gone
e2e_end
