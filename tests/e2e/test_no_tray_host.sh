# No tray host of either kind (a bare window manager, GNOME without the extension): the window
# comes out of hiding once a panel starting with the session has had its few seconds, one line
# on standard error says why, and closing the window minimises it instead of hiding it. When a
# host appears the icon appears there and the window goes back to hiding in it.
source "$(dirname "$0")/lib.sh"
e2e_begin
start_wm
start_stat 30 60
W=""
app_window() { W=$(xdotool search --name "$WINDOW_TITLE" | head -1); [ -n "$W" ]; }
state_is() { app_window && [ "$(wm_state "$W")" = "$1" ]; }
withdrawn() { app_window && ! window_visible && [ -z "$(wm_state "$W")" ]; }
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
