# Nothing left behind can lock the user out, and saving never freezes the program: a lock file
# a killed copy left (empty) does not stop a start; with a read-only runtime directory one copy
# runs and a second is refused with its message and status 1; an empty settings lock is taken
# over at once; a colour that cannot be saved still applies and the user is told once; a pick
# with a 50 MB settings file full of other programs' keys costs the event loop no freeze.
source "$(dirname "$0")/lib.sh"
e2e_begin
start_wm
start_watcher
start_stat 100 100  # full bars: every bar pixel shows the colour
ABUSE="$PY $E2E_DIR/bus_abuse.py"
INI=$XDG_CONFIG_HOME/Quenlark.ini
rss() { awk '/VmRSS/ {print $2}' "/proc/$APP_PID/status"; }
message_box() { xdotool search --onlyvisible --name '^Zelmaro$'; }
dismiss_box() {
  local b; b=$(message_box | head -1)
  press_return_in "$b"
}

# What a kill between creating the instance lock and writing into it leaves: an empty file.
: >"$XDG_RUNTIME_DIR/Zelmaro.lock"
# What a kill during another program's settings save leaves: an empty, fresh settings lock.
: >"$INI.lock"
start_app
check "starts past an empty instance lock" wait_for 15 item_registered
start=$(date +%s%N)
$WATCHER click Yellow
check "a pick is stored past an empty settings lock" wait_for 5 grep -qx 'Color=6' "$INI"
echo "  stored $((($(date +%s%N) - start) / 1000000)) ms after the pick"
check "the settings lock is gone" test ! -e "$INI.lock"
stop_app

# A read-only runtime directory (a private mount namespace per copy): still one copy only.
ro_app() {
  unshare -m sh -c 'mount --bind "$0" "$0" && mount -o remount,bind,ro "$0" && exec "$1"' \
    "$XDG_RUNTIME_DIR" "$ZELMARO_BIN" >"$E2E_TMP/$2.log" 2>&1 &
}
rm -f "$XDG_RUNTIME_DIR/Zelmaro.lock"
ro_app "" first; APP_PID=$!; track $APP_PID
check "first copy runs with a read-only runtime directory" wait_for 15 item_registered
ro_app "" second; SECOND=$!; track $SECOND
check "second copy shows its message" wait_for 5 message_box
dismiss_box
wait_for 5 sh -c "! kill -0 $SECOND"
wait $SECOND; status=$?
check "second copy ends with status 1" test "$status" = 1
check "first copy runs on" app_running
stop_app
wait_for 5 sh -c "test -z \"\$($WATCHER items)\""

# A colour that cannot be saved: the settings "directory" is a file.
echo "not a directory" >"$E2E_TMP/blocker"
XDG_CONFIG_HOME=$E2E_TMP/blocker/config start_app
check "starts with an unusable settings place" wait_for 15 item_registered
$WATCHER click Red
check "the user is told the colour was not saved" wait_for 5 message_box
shot "$E2E_TMP/unsaved.png" 0 0 1024 768
[ -n "${E2E_SHOTS:-}" ] && cp "$E2E_TMP/unsaved.png" "$E2E_SHOTS/unsaved-colour.png"
check "the colour applies all the same" wait_for 3 sh -c "$WATCHER icon $E2E_TMP/r.txt 32 && test \"\$(awk 'NR==21 {print \$6}' $E2E_TMP/r.txt)\" = ffff0000"
dismiss_box
check "the message closes" wait_for 5 sh -c "! xdotool search --onlyvisible --name '^Zelmaro\$'"
$WATCHER click Blue
sleep 2
check "told once per run only" sh -c "! xdotool search --onlyvisible --name '^Zelmaro\$'"
stop_app
wait_for 5 sh -c "test -z \"\$($WATCHER items)\""

# A 50 MB settings file, mostly other programs' keys: the pick's cost to the event loop.
$PY - "$INI" <<'PYEOF'
import sys
with open(sys.argv[1], "w") as f:
    f.write("[Zelmaro_Set]\nColor=2\n\n")
    for app in range(50):
        f.write("[OtherProgram%d]\n" % app)
        for k in range(10000):
            f.write("key%05d=%s\n" % (k, "v" * 88))
        f.write("\n")
PYEOF
tail -c +24 "$INI" >"$E2E_TMP/others"
start_app
check "starts with a 50 MB settings file" wait_for 10 item_registered
sleep 1
before=$(rss)
$ABUSE pings 1.5 >"$E2E_TMP/idle.txt"
$ABUSE pings 4 >"$E2E_TMP/pings.txt" &
PINGS=$!
sleep 0.5
$WATCHER click Purple
wait $PINGS
check "the pick is stored" wait_for 30 grep -qx 'Color=3' "$INI"
echo "  longest / median answer while idle: $(cat "$E2E_TMP/idle.txt") ms;" \
     "around the pick: $(cat "$E2E_TMP/pings.txt") ms; resident ${before} kB before, $(rss) kB after"
check "the event loop never stalled for a second" test "$(cut -d' ' -f1 "$E2E_TMP/pings.txt" | cut -d. -f1)" -lt 1000
check "the other programs' keys are kept byte for byte" sh -c "tail -c +24 '$INI' | cmp -s - '$E2E_TMP/others'"
e2e_end
