# GNOME Shell with the AppIndicator extension, headless, for the end-to-end tests: its own
# session and stand-in system bus, the tests' probe extension (tests/e2e/gnome-shell-probe)
# for input, screenshots and the panel's state. Source after lib.sh and panels.sh.

APPINDICATOR=ubuntu-appindicators@ubuntu.com
PROBE=e2e-probe@zelmaro.tests

# A bus of its own stands in for the system bus: the shell connects to one at start (login
# manager, accounts) and goes on without the services behind it.
start_system_bus() {
  local addr=$E2E_TMP/system-bus
  dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$addr" 2>>"$E2E_TMP/bus.log" &
  track $!
  wait_for 10 grep -q . "$addr" || { echo "stand-in system bus did not start"; exit 1; }
  SYSTEM_BUS=$(head -1 "$addr")
}

gnome_setup() {
  export XDG_DATA_HOME=$E2E_TMP/data XDG_CACHE_HOME=$E2E_TMP/cache
  mkdir -p "$XDG_DATA_HOME/gnome-shell/extensions" "$XDG_CACHE_HOME" "$E2E_TMP/home"
  cp -r "$E2E_DIR/gnome-shell-probe" "$XDG_DATA_HOME/gnome-shell/extensions/$PROBE"
  gsettings set org.gnome.shell enabled-extensions "['$APPINDICATOR', '$PROBE']"
  gsettings set org.gnome.shell disable-user-extensions false
  gsettings set org.gnome.desktop.interface enable-animations false
  start_system_bus
}

start_gnome_shell() {
  : >>"$E2E_TMP/shell.log"
  # The mark a shell leaves while it starts; found at the next start (after a test stopped the
  # shell) it would be taken for a crash at start and the extensions left off.
  rm -f "$XDG_RUNTIME_DIR/gnome-shell-disable-extensions"
  HOME=$E2E_TMP/home DBUS_SYSTEM_BUS_ADDRESS=$SYSTEM_BUS \
    gnome-shell --headless --virtual-monitor 1024x768 --wayland --no-x11 >>"$E2E_TMP/shell.log" 2>&1 &
  PANEL_PID=$!
  disown $PANEL_PID  # this version of the shell crashes on its way out; bash need not say so
  track $PANEL_PID
  wait_for 60 gnome_ready || { echo "gnome-shell did not start"; tail -20 "$E2E_TMP/shell.log"; exit 1; }
}
gnome_ready() { gnome_eval "global.e2e ? 'ready' : ''" | grep -q ready; }

# gnome_eval CODE: runs CODE in the shell, prints its result (a string).
gnome_eval() {
  gdbus call --session --timeout 10 --dest org.gnome.Shell --object-path /org/gnome/Shell \
    --method org.gnome.Shell.Eval "$1" 2>/dev/null |
    sed -E "s/^\(true, '(.*)'\)$/\1/; s/^\(false, .*//" | sed 's/\\\\n/\n/g; s/^"//; s/"$//'
}
# gnome_shot OUT.png X Y W H: a screenshot of a screen area by the shell.
gnome_shot() {
  rm -f "$1"
  gdbus call --session --timeout 10 --dest org.gnome.Shell --object-path /org/gnome/Shell/Screenshot \
    --method org.gnome.Shell.Screenshot.ScreenshotArea "$2" "$3" "$4" "$5" false "$1" >/dev/null 2>&1 && [ -s "$1" ]
}
gnome_click() { gnome_eval "global.e2e.click($1, $2, ${3:-1}, ${4:-1})" >/dev/null; }
# The program's item in the panel: "x y w h", or nothing.
gnome_item() { gnome_eval "global.e2e.items()" | awk '$1 == "Zelmaro" { print $2, $3, $4, $5 }'; }
# The item's menu: "label:mark:x:y:shown" lines.
gnome_menu() { gnome_eval "global.e2e.menu('Zelmaro')"; }
gnome_mark() { gnome_menu | awk -F: -v l="$1" '$1 == l { print $2 }'; }
gnome_window_open() { gnome_eval "global.e2e.windows()" | grep -q "^$WINDOW_TITLE"; }
# Screenshots come from the shell (there is no X server to read).
shot() { gnome_shot "$@"; }
SCREEN_W=1024
