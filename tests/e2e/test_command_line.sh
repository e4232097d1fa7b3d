# The command line as users meet it, with no display: --help and --version print and exit 0;
# an unknown option prints the usage on standard error and exits 2; --autostart on makes a valid
# autostart entry that starts the program (from a folder whose name needs quoting) and docks in
# a tray, --autostart off takes it away. The toolkit's -display option works without DISPLAY.
source "$(dirname "$0")/lib.sh"
e2e_begin
XDISPLAY=$DISPLAY
nodisplay() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" >"$E2E_TMP/out" 2>"$E2E_TMP/err"; }

nodisplay "$ZELMARO_BIN" --help; status=$?
check "--help: status 0" test "$status" = 0
check "--help: usage on stdout" grep -q '^Usage: zelmaro' "$E2E_TMP/out"
check "--help: nothing on stderr" test ! -s "$E2E_TMP/err"
nodisplay "$ZELMARO_BIN" --version; status=$?
check "--version: status 0" test "$status" = 0
check "--version: one line 'zelmaro X.Y.Z'" grep -qxE 'zelmaro [0-9]+\.[0-9]+\.[0-9]+' "$E2E_TMP/out"
check "--version: nothing on stderr" test ! -s "$E2E_TMP/err"
nodisplay "$ZELMARO_BIN" --frobnicate; status=$?
check "unknown option: status 2" test "$status" = 2
check "unknown option: named on stderr" grep -qx "zelmaro: unknown option '--frobnicate'" "$E2E_TMP/err"
check "unknown option: usage on stderr" grep -q '^Usage: zelmaro' "$E2E_TMP/err"
check "unknown option: nothing on stdout" test ! -s "$E2E_TMP/out"
check "no settings written by any of these" test ! -e "$XDG_CONFIG_HOME/Quenlark.ini"

# The program in a folder whose name needs quoting on an Exec line. (No % in it: GLib looks
# for the program before it turns the entry's %% back into %.)
dir="$E2E_TMP/my apps \$1"
mkdir -p "$dir"
cp "$ZELMARO_BIN" "$dir/zelmaro"
ENTRY=$XDG_CONFIG_HOME/autostart/zelmaro.desktop
nodisplay "$dir/zelmaro" --autostart on; status=$?
check "--autostart on: status 0" test "$status" = 0
check "--autostart on: says what it did" grep -q "^Autostart on: .*$ENTRY" "$E2E_TMP/out"
check "--autostart on: the entry is there" test -f "$ENTRY"
check "--autostart on: a valid desktop entry" desktop-file-validate "$ENTRY"
nodisplay "$dir/zelmaro" --autostart on; status=$?
check "--autostart on twice: status 0, one entry" test "$status" = 0 -a "$(ls "$XDG_CONFIG_HOME/autostart" | wc -l)" = 1

# The session starts it from the entry: it docks in the tray.
start_trayer
start_entry "$ENTRY" || exit 1
check "the autostart entry starts the program, which docks" wait_for 10 icon_docked
check "the started program is the one in '$dir'" test "$(readlink "/proc/$APP_PID/exe")" = "$dir/zelmaro"
stop_app
wait "$LAUNCHER_PID"; status=$?
check "and ends with status 0 on SIGTERM" test "$status" = 0

nodisplay "$dir/zelmaro" --autostart off; status=$?
check "--autostart off: status 0" test "$status" = 0
check "--autostart off: says it removed the entry" grep -q "^Autostart off: removed $ENTRY" "$E2E_TMP/out"
check "--autostart off: the entry is gone" test ! -e "$ENTRY"
nodisplay "$dir/zelmaro" --autostart off; status=$?
check "--autostart off again: status 0, says there was none" sh -c "test $status = 0 && grep -q 'no autostart entry' '$E2E_TMP/out'"
nodisplay "$dir/zelmaro" --autostart sometimes; status=$?
check "--autostart with a wrong value: status 2 and the usage" sh -c "test $status = 2 && grep -q '^Usage:' '$E2E_TMP/err'"

# A toolkit option: -display names the X server where DISPLAY is not set.
env -u DISPLAY -u WAYLAND_DISPLAY "$ZELMARO_BIN" -display "$XDISPLAY" >"$E2E_TMP/app.log" 2>&1 &
APP_PID=$!; track $APP_PID
check "-display without DISPLAY: docks in that display's tray" wait_for 10 icon_docked
stop_app
e2e_end
