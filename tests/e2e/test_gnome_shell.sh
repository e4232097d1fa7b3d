# GNOME Shell (43 on Debian 12, 48 on Debian 13) with the AppIndicator extension, headless (its virtual monitor, Wayland only):
# the icon after every start and after every off/on cycle of the extension, crisp, following the
# readings; the double-click opens the window; the menu's colours and their check marks; a
# restart of the shell; Exit; and no complaint about the item in the shell's log. The shell
# starts once for the whole file.
source "$(dirname "$0")/lib.sh"
source "$E2E_DIR/panels.sh"
source "$E2E_DIR/gnome.sh"
PANEL_H=32
STARTS=${STARTS:-10} CYCLES=${CYCLES:-10}
gnome_begin
start_gnome_shell
start_stat 30 70
no_item() { [ -z "$(gnome_item)" ]; }

shown=0
for i in $(seq "$STARTS"); do
  start_gnome_app
  wait_for 15 icon_shown && shown=$((shown + 1))
  [ "$i" -lt "$STARTS" ] && { stop_app; wait_for 10 no_item; }
done
check "the icon appears after every start ($shown of $STARTS)" test "$shown" = "$STARTS"
back=0
for i in $(seq "$CYCLES"); do
  set_extension Disable
  wait_for 10 no_item
  set_extension Enable
  wait_for 15 icon_shown && back=$((back + 1))
done
check "and comes back after every off/on cycle of the extension ($back of $CYCLES)" test "$back" = "$CYCLES"

check "the bars show the readings (30 and 70)" wait_for 5 bars_near 30 70
read -r _ size _ l r _ n _ crisp _ < <(panel_icon sni)
echo "       $size, bars $l% $r%, $n colours"
check "crisp: only frame, bar and panel colours" test "$crisp" = YES
# Each icon change makes the extension read the item's properties again: none may fail.
mark=$(wc -l <"$E2E_TMP/shell.log")
for u in "20 60" "50 40" "90 5" "10 90"; do set_usage $u; sleep 1.5; done
complaints=$(tail -n +$((mark + 1)) "$E2E_TMP/shell.log" | grep -cE "JS ERROR|WARNING|CRITICAL|AccessibleDesc")
check "icon changes make the shell log nothing ($complaints complaints)" test "$complaints" = 0
set_usage 80 10
check "and follow them (80 and 10)" wait_for 5 bars_near 80 10

read -r IX IY < <(icon_centre)
gnome_click "$IX" "$IY" 1 2
check "a double-click opens the window" wait_for 5 gnome_window_open
# Whether the item's menu is open on the screen; a right click toggles it, so each step first
# brings the menu to the state it needs instead of counting clicks.
menu_shown() { gnome_menu | grep -q ':true$'; }
open_menu() {
  menu_shown && return 0
  read -r IX IY < <(icon_centre)
  gnome_click "$IX" "$IY" 3
  wait_for 5 menu_shown
}
close_menu() {
  menu_shown || return 0
  gnome_click "$IX" "$IY" 3
  wait_for 5 eval '! menu_shown'
}
check "a right click opens the menu" open_menu
check "with Green checked" test "$(gnome_mark Green)" != none
check "and Red not" test "$(gnome_mark Red)" = none
read -r RX RY < <(gnome_menu | awk -F: '$1 == "Red" { print $3, $4 }')
gnome_click "$RX" "$RY"
check "choosing Red makes the bars red" wait_for 5 bars_red
wait_for 5 eval '! menu_shown'
open_menu
sleep 0.5
shot "$E2E_TMP/menu.png" 700 0 324 440
red_marked() { [ "$(gnome_mark Red)" != none ] && [ -n "$(gnome_mark Red)" ]; }
check "the check mark moves to Red" wait_for 5 red_marked
check "and leaves Green" test "$(gnome_mark Green)" = none
close_menu

open_menu
# The shell slides a menu in as it opens: its entries are clicked once they stay put.
exit_at() { gnome_menu | awk -F: '$1 == "Exit Zelmaro" { print $3, $4 }'; }
exit_settled() { local a; a=$(exit_at); sleep 0.3; [ -n "$a" ] && [ "$a" = "$(exit_at)" ]; }
wait_for 5 exit_settled
read -r EX EY < <(exit_at)
gnome_click "$EX" "$EY"
check "Exit from the menu ends the program" wait_for 5 sh -c "! kill -0 $APP_PID"
if kill -0 "$APP_PID" 2>/dev/null; then kill "$APP_PID"; fi
wait "$APP_PID"; status=$?
check "with status 0" test "$status" = 0
check "and removes the item" wait_for 5 no_item

# A restart of the shell ends its Wayland clients (as it does in a real session); a program on
# X11 (as under XWayland) lives on, and its icon must come back with the new shell.
start_gnome_app x11
check "an X11 program's icon shows too" wait_for 15 icon_shown
back=0
for i in 1 2 3; do
  stop_panel
  start_gnome_shell
  wait_for 20 icon_shown && back=$((back + 1))
done
check "every restart of the shell brings the icon back ($back of 3)" test "$back" = 3
stop_app
stop_panel
e2e_end
