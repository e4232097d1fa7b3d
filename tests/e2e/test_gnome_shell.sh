# GNOME Shell (43 on Debian 12, 48 on Debian 13) with the AppIndicator extension, headless (its
# virtual monitor, Wayland only): the icon after every start (STARTS, the readings changing
# meanwhile) and after every off/on cycle of the extension, crisp, following the readings; the
# double-click opens the window; the menu's colours and their check marks; a restart of the
# shell; Exit; and no complaint in the shell's log over the starts and exits, the icon changes
# and Exit. The shell starts once for the whole file.
source "$(dirname "$0")/lib.sh"
source "$E2E_DIR/panels.sh"
source "$E2E_DIR/gnome.sh"
PANEL_H=32
STARTS=${STARTS:-20} CYCLES=${CYCLES:-10}
gnome_begin
start_gnome_shell
start_stat 30 70
no_item() { [ -z "$(gnome_item)" ]; }

# The shell's complaints since line MARK of its log: the count, the first lines printed.
COMPLAINTS="JS ERROR|Unhandled promise|Promise cancelled|WARNING|CRITICAL|AccessibleDesc"
complaints_since() {
  tail -n +$(($1 + 1)) "$E2E_TMP/shell.log" | grep -E "$COMPLAINTS" | head -8 | sed 's/^/       /' >&2
  tail -n +$(($1 + 1)) "$E2E_TMP/shell.log" | grep -cE "$COMPLAINTS"
}

# Starts and exits while the readings change (a new icon every tick, as in real use). Each
# exit comes once the extension has set the item up (its menu read): one that leaves earlier
# cuts short the extension's own start-up, which it logs whatever the item does.
( while :; do set_usage 20 80; sleep 0.5; set_usage 80 20; sleep 0.5; done ) &
changer=$!
track $changer
menu_read() { gnome_menu | grep -q '^Exit Zelmaro:'; }
mark=$(wc -l <"$E2E_TMP/shell.log")
shown=0
for i in $(seq "$STARTS"); do
  start_gnome_app
  wait_for 15 icon_shown && shown=$((shown + 1))
  [ "$i" -lt "$STARTS" ] && { wait_for 10 menu_read; stop_app; wait_for 10 no_item; }
done
stop_pid $changer
set_usage 30 70
check "the icon appears after every start ($shown of $STARTS)" test "$shown" = "$STARTS"
complaints=$(complaints_since "$mark")
check "starts and exits make the shell log nothing ($complaints complaints)" test "$complaints" = 0
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
complaints=$(complaints_since "$mark")
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
mark=$(wc -l <"$E2E_TMP/shell.log")
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
sleep 1  # what the shell would log about the item comes within this
complaints=$(complaints_since "$mark")
check "and the shell logs nothing about it ($complaints complaints)" test "$complaints" = 0

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
