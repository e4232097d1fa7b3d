# No tray host of either kind (a bare window manager, GNOME without the extension): the window
# comes out of hiding once a panel starting with the session has had its few seconds, one line
# on standard error says why, and closing the window minimises it instead of hiding it. When a
# host appears the icon appears there, and the window goes back to hiding in it: at once when
# it is minimised, and also when it is open but the user has not moved or used it since it
# opened; a window the user has moved stays open.
source "$(dirname "$0")/lib.sh"
e2e_begin
start_wm
start_stat 30 60
W=""
app_window() { W=$(xdotool search --name "$WINDOW_TITLE" | head -1); [ -n "$W" ]; }
state_is() { app_window && [ "$(wm_state "$W")" = "$1" ]; }
withdrawn() { app_window && ! window_visible && [ -z "$(wm_state "$W")" ]; }
# Holds when COMMAND does not succeed within SECONDS.
not_within() { ! wait_for "$@"; }
client_x() { xdotool getwindowgeometry --shell "$W" | sed -n 's/^X=//p'; }
# Starts the program with no host and waits until the window has come out of hiding.
start_without_host() {
  start_app
  check "$1: opens after a few seconds without a tray host" wait_for 15 state_is Normal
  echo "       opened ${WAITED_MS:-?} ms after the start"
}

echo "  -- the window is left as it opened; then a tray starts"
start_app
sleep 2
check "hidden as usual while a panel may still start" test "$(window_visible | wc -l)" = 0
check "with no tray host the window opens after a few seconds" wait_for 15 state_is Normal
echo "       opened ${WAITED_MS:-?} ms after the first check"
check "and is the active window" sh -c "xprop -root _NET_ACTIVE_WINDOW | grep -qi $(printf '0x%x' "$W")"
sleep 0.5
shot "$E2E_TMP/no-host.png" 0 0 1024 768
[ -n "${ZELMARO_SHOTS:-}" ] && cp "$E2E_TMP/no-host.png" "$ZELMARO_SHOTS/"
check "one line on standard error says so" test "$(grep -c 'no notification area' "$E2E_TMP/app.log")" = 1
grep 'no notification area' "$E2E_TMP/app.log" | sed 's/^/       /'
start_trayer
check "a tray appearing gets the icon" wait_for 10 icon_docked
check "and the untouched window goes back to hiding in it" wait_for 5 withdrawn
echo "       hidden ${WAITED_MS:-?} ms after the icon docked"
shot "$E2E_TMP/back-in-tray.png" 0 0 1024 768
[ -n "${ZELMARO_SHOTS:-}" ] && cp "$E2E_TMP/back-in-tray.png" "$ZELMARO_SHOTS/"
check "program runs on" app_running
stop_app
stop_trayer

echo "  -- the user moves the window; then a host starts"
start_without_host "moved"
x0=$(client_x)
xdotool windowmove "$W" 60 80
check "the user's move is done" wait_for 5 sh -c "test \"\$(xdotool getwindowgeometry --shell $W | sed -n 's/^X=//p')\" != '$x0'"
start_watcher
check "a host appearing gets the icon" wait_for 15 item_registered
check "the moved window stays open" not_within 3 withdrawn
check "in the normal state" state_is Normal
$PY "$E2E_DIR/wm_close.py" "$W"
check "closing now hides it in the tray" wait_for 5 withdrawn
stop_app
stop_watcher

echo "  -- the user closes the window; then a host starts"
start_without_host "closed"
$PY "$E2E_DIR/wm_close.py" "$W"
check "closing minimises it to the task bar instead of hiding it" wait_for 5 state_is Iconic
sleep 0.5
check "still minimised, not withdrawn" state_is Iconic
check "program runs on" app_running
start_watcher
check "a host appearing gets the icon" wait_for 15 item_registered
check "and the minimised window goes to hiding in the tray" wait_for 5 withdrawn
$WATCHER activate
check "the host's activation opens it" wait_for 5 state_is Normal
$PY "$E2E_DIR/wm_close.py" "$W"
check "closing hides it again" wait_for 5 withdrawn
check "no second line on standard error" test "$(grep -c 'no notification area' "$E2E_TMP/app.log")" = 1
e2e_end
