# The program's life as a user meets it on a StatusNotifierItem host: the window opens and its
# close button only hides it; a colour chosen from the menu is stored and survives a restart;
# a bad stored colour starts green and is left alone; a second copy is refused while the first
# runs on; Exit and SIGTERM end it with status 0 and take the icon away.
source "$(dirname "$0")/lib.sh"
e2e_begin
start_wm
start_watcher
start_stat 100 100
INI=$XDG_CONFIG_HOME/Quenlark.ini
bar_colour() { $WATCHER icon "$E2E_TMP/i.txt" 32 >/dev/null 2>&1 && icon_pixel "$E2E_TMP/i.txt" 5 20; }

# A bad stored value: green, file untouched.
printf '[Zelmaro_Set]\nColor=purple\n' >"$INI"
start_app
check "item registers" wait_for 15 item_registered
check "bad stored colour starts green" wait_for 2 sh -c "test \"\$($WATCHER icon $E2E_TMP/g.txt 32 && awk 'NR==21 {print \$6}' $E2E_TMP/g.txt)\" = ff00ff00"
check "bad stored colour left as it was" grep -qx 'Color=purple' "$INI"

# The window: opened by the host's activation, hidden by its close button, icon stays.
$WATCHER activate
check "activation opens the window" wait_for 3 window_visible
W=$(window_visible | head -1)
$PY "$E2E_DIR/wm_close.py" "$W"
check "close button hides the window" wait_for 3 sh -c "! xdotool search --onlyvisible --name '$WINDOW_TITLE'"
sleep 0.6
check "icon stays after closing the window" item_registered
check "program runs on" app_running

# A second copy is refused with its message while the first runs on.
"$ZELMARO_BIN" >"$E2E_TMP/second.log" 2>&1 &
SECOND=$!; track $SECOND
check "second copy shows its message" wait_for 5 xdotool search --onlyvisible --name '^Zelmaro$'
shot "$E2E_TMP/second.png" 0 0 1024 768
B=$(xdotool search --onlyvisible --name '^Zelmaro$' | head -1)
press_return_in "$B"
wait_for 5 sh -c "! kill -0 $SECOND"
wait $SECOND; status=$?
check "second copy ends with status 1" test "$status" = 1
check "first copy still running with its icon" sh -c "kill -0 $APP_PID && $WATCHER items | grep -q ."

# A colour from the exported menu is stored and comes back after Exit and a restart.
$WATCHER click Yellow
check "Yellow stored" wait_for 2 grep -qx 'Color=6' "$INI"
$WATCHER click "Exit Zelmaro"
check "Exit ends the program" wait_for 5 sh -c "! kill -0 $APP_PID"
wait $APP_PID; status=$?
check "Exit status 0" test "$status" = 0
check "Exit removes the icon" wait_for 2 sh -c "test -z \"\$($WATCHER items)\""
start_app
check "restarted item registers" wait_for 15 item_registered
check "restart shows the stored yellow" wait_for 2 sh -c "test \"\$($WATCHER icon $E2E_TMP/y.txt 32 && awk 'NR==21 {print \$6}' $E2E_TMP/y.txt)\" = ffffff00"
check "Yellow checked after restart" sh -c "$WATCHER menu | grep -qP '\tYellow\tstandard\tenabled\t1\$'"

# SIGTERM: the end of the session tears down cleanly.
kill -TERM "$APP_PID"
check "SIGTERM ends the program" wait_for 5 sh -c "! kill -0 $APP_PID"
wait $APP_PID; status=$?
check "SIGTERM status 0" test "$status" = 0
check "SIGTERM removes the icon" wait_for 2 sh -c "test -z \"\$($WATCHER items)\""
e2e_end
