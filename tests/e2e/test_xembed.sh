# On an XEmbed tray (trayer): docking, late start, restart, and the clicks: a single click
# does nothing, a double-click opens the window, a right click opens one menu.
source "$(dirname "$0")/lib.sh"
e2e_begin
start_wm
start_stat 40 80
start_app
sleep 1
check "runs before any tray" app_running
start_trayer
check "docks once the tray starts late" wait_for 2 icon_docked
echo "       docked ${WAITED_MS:-?} ms after the tray"
W=$(icon_docked | head -1)
eval "$(xdotool getwindowgeometry --shell "$W")"
check "docked at the tray's size" test "$WIDTH" -ge 16
# Once a tick has drawn the fixed readings: frame, bars and the tray showing through.
three_colours() {
  shot "$E2E_TMP/icon.png" "$X" "$Y" "$WIDTH" "$HEIGHT" &&
    colours=$(convert "$E2E_TMP/icon.png" -unique-colors txt:- | grep -c '^[0-9]') && [ "$colours" -eq 3 ]
}
check "icon at ${WIDTH}x$HEIGHT has only frame, bar and tray colours" wait_for 3 three_colours
echo "       $colours colours"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
sleep 0.8
check "single click does nothing" test "$(window_visible | wc -l)" = 0
xdotool click --repeat 2 --delay 60 1
check "double-click opens the window" wait_for 3 window_visible
before=$(visible_app_windows)
xdotool click 3
check "right click opens a menu" wait_for 2 sh -c "test \$(xdotool search --onlyvisible --classname zelmaro | wc -l) -gt $before"
sleep 0.3
check "one menu only" test "$(visible_app_windows)" = $((before + 1))
xdotool key Escape
wait_for 2 sh -c "test \$(xdotool search --onlyvisible --classname zelmaro | wc -l) = $before"
stop_trayer
check "nothing left on the screen when the tray goes" wait_for 2 sh -c "! xdotool search --onlyvisible --name '^$ICON_NAME\$'"
start_trayer
check "docks again within a second of the tray restarting" wait_for 1 icon_docked
echo "       back ${WAITED_MS:-?} ms after the restart"
check "program alive" app_running
# Exit from the popup menu the right click opens (its last item).
W=$(icon_docked | head -1)
eval "$(xdotool getwindowgeometry --shell "$W")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
wait_for 2 sh -c "test \$(xdotool search --onlyvisible --classname zelmaro | wc -l) -gt 1"
xdotool key Up; sleep 0.2; xdotool key Return
check "Exit from the popup menu ends the program" wait_for 5 sh -c "! kill -0 $APP_PID"
wait "$APP_PID"; status=$?
check "with status 0" test "$status" = 0
check "and takes the icon out of the tray" wait_for 2 sh -c "! xdotool search --onlyvisible --name '^$ICON_NAME\$'"
e2e_end
