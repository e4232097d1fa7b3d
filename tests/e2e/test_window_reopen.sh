# Under a reparenting window manager (openbox) every open gesture opens
# the window in its normal state, on top and focused: the first one after start, then 20
# close/reopen cycles, from a StatusNotifierItem host (activation and "Show Usage") and from
# an XEmbed tray (double-click). Minimising from the title bar hides the window too.
source "$(dirname "$0")/lib.sh"
e2e_begin
start_wm
start_watcher
start_stat 30 60
W=""
# opened: the window is mapped by the window manager as a normal window, the active one.
opened() {
  W=$(window_visible | head -1)
  [ -n "$W" ] && [ "$(wm_state "$W")" = Normal ] &&
    xprop -root _NET_ACTIVE_WINDOW | grep -qi "$(printf '0x%x' "$W")"
}
closed() { ! window_visible && [ "$(wm_state "$W")" != Normal ]; }
close_window() { $PY "$E2E_DIR/wm_close.py" "$W"; wait_for 5 closed; }
# cycles HOW N: N times open with HOW, then close; prints how many opened.
cycles() {
  local how=$1 n=$2 ok=0 i
  for i in $(seq "$n"); do
    $how
    if wait_for 5 opened; then ok=$((ok + 1)); else echo "       open $i: state '$(wm_state "$W")'"; fi
    close_window || echo "       close $i did not hide the window"
    sleep 0.4  # the tray takes repeats within 300 ms for one request
  done
  echo "$ok"
}
activate() { $WATCHER activate; }
show_usage() { $WATCHER click "Show Usage"; }

start_app
check "item registers" wait_for 15 item_registered
check "window hidden after start" test "$(window_visible | wc -l)" = 0
activate
check "first activation after start opens the window, normal and focused" wait_for 5 opened
shot "$E2E_TMP/first.png" 0 0 1024 768
close_window
check "close hides it" closed
sleep 0.4
n=$(cycles activate 20 | tail -1)
check "20 of 20 activations reopen it ($n)" test "$n" = 20
n=$(cycles show_usage 5 | tail -1)
check "5 of 5 \"Show Usage\" reopen it ($n)" test "$n" = 5
activate
wait_for 5 opened
xdotool windowminimize "$W"
check "minimising from the title bar hides it" wait_for 5 closed
sleep 0.4
activate
check "and it opens again after that" wait_for 5 opened
check "program alive" app_running
stop_app
stop_watcher

# The XEmbed tray: double-clicks on the docked icon.
start_app
start_trayer
check "docks in the tray" wait_for 5 icon_docked
T=$(icon_docked | head -1)
eval "$(xdotool getwindowgeometry --shell "$T")"
double_click() { xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click --repeat 2 --delay 60 1; }
double_click
check "first double-click after start opens the window, normal and focused" wait_for 5 opened
close_window
sleep 0.4
n=$(cycles double_click 20 | tail -1)
check "20 of 20 double-clicks reopen it ($n)" test "$n" = 20
check "program alive" app_running
e2e_end
