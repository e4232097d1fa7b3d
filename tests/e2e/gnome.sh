# GNOME Shell with the AppIndicator extension, headless, for the end-to-end tests. The shell,
# its session bus, a stand-in system bus and the program run as an unprivileged test user (as
# a desktop session does; the test stays root to give the program the fake /proc/stat). The
# tests' probe extension (tests/e2e/gnome-shell-probe) gives input, screenshots and the panel's
# state. Source after lib.sh and panels.sh; call gnome_begin instead of e2e_begin.

APPINDICATOR=ubuntu-appindicators@ubuntu.com
PROBE=e2e-probe@zelmaro.tests
TEST_USER=zelmarotest

# AS_USER: the command prefix that runs a command as the test user in the session's
# environment. Processes started in the background with it keep their own process id (no
# subshell in between), so the cleanup ends them.
as_user_prefix() {
  AS_USER=(setpriv --reuid="$TEST_USER" --regid="$TEST_USER" --init-groups
    env -i PATH=/usr/bin:/bin HOME="$E2E_TMP/home" LANG=C.UTF-8
    XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" XDG_CONFIG_HOME="$XDG_CONFIG_HOME"
    XDG_DATA_HOME="$XDG_DATA_HOME" XDG_CACHE_HOME="$XDG_CACHE_HOME"
    DBUS_SESSION_BUS_ADDRESS="${DBUS_SESSION_BUS_ADDRESS:-}")
}
# as_gnome_user COMMAND...: runs COMMAND as the test user (in the foreground).
as_gnome_user() { as_user_prefix; "${AS_USER[@]}" "$@"; }

# start_user_bus NAME: a bus of the user's own (its services, such as the settings store,
# start as that user); its address goes to BUS_ADDRESS.
start_user_bus() {
  local addr=$E2E_TMP/user-bus-$1
  as_user_prefix
  "${AS_USER[@]}" dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$addr" \
    2>>"$E2E_TMP/bus.log" &
  track $!
  wait_for 10 grep -q . "$addr" || { echo "dbus-daemon ($1) did not start"; exit 1; }
  BUS_ADDRESS=$(head -1 "$addr")
}

# The session: X server (for the program's X11 run), the user's buses, settings, the probe.
gnome_begin() {
  [ "$(id -u)" = 0 ] || { echo "the GNOME tests need root (to run the shell as a test user)"; exit 1; }
  id "$TEST_USER" >/dev/null 2>&1 || { echo "no test user $TEST_USER (scripts/install-deps.sh test)"; exit 1; }
  e2e_begin
  chmod 755 "$E2E_TMP"
  export XDG_DATA_HOME=$E2E_TMP/data XDG_CACHE_HOME=$E2E_TMP/cache
  mkdir -p "$XDG_DATA_HOME/gnome-shell/extensions" "$XDG_CACHE_HOME" "$E2E_TMP/home" "$E2E_TMP/shots"
  install_probe
  install -m 755 "$ZELMARO_BIN" "$E2E_TMP/zelmaro"  # the checkout may be out of the user's reach
  chown -R "$TEST_USER:" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" \
    "$E2E_TMP/home" "$E2E_TMP/shots"
  start_user_bus session
  export DBUS_SESSION_BUS_ADDRESS=$BUS_ADDRESS
  # A bus of its own stands in for the system bus: the shell connects to one at start (login
  # manager, accounts) and goes on without the services behind it.
  start_user_bus system
  SYSTEM_BUS=$BUS_ADDRESS
  as_gnome_user gsettings set org.gnome.shell enabled-extensions "['$APPINDICATOR', '$PROBE']"
  as_gnome_user gsettings set org.gnome.shell disable-user-extensions false
  as_gnome_user gsettings set org.gnome.desktop.interface enable-animations false
  GNOME_X11_DISPLAY=$DISPLAY
  unset DISPLAY  # a Wayland session: the program talks to the shell's compositor
}

# The probe extension in the form the installed shell loads: an ECMAScript module from GNOME
# Shell 45 on, the imports.* style before; its metadata names the shell's major version.
install_probe() {
  local src=$E2E_DIR/gnome-shell-probe dir=$XDG_DATA_HOME/gnome-shell/extensions/$PROBE major form=legacy.js
  major=$(gnome-shell --version | sed -n 's/^GNOME Shell \([0-9]*\).*/\1/p')
  [ -n "$major" ] || { echo "cannot tell GNOME Shell's version"; exit 1; }
  [ "$major" -ge 45 ] && form=esm.js
  mkdir -p "$dir"
  sed -e "/@PROBE@/r $src/probe.js" -e "/@PROBE@/d" "$src/$form" >"$dir/extension.js"
  sed "s/@SHELL_VERSION@/$major/" "$src/metadata.json" >"$dir/metadata.json"
}

start_gnome_shell() {
  : >>"$E2E_TMP/shell.log"
  # The mark a shell leaves while it starts; found at the next start (after a test stopped the
  # shell) it would be taken for a crash at start and the extensions left off.
  rm -f "$XDG_RUNTIME_DIR/gnome-shell-disable-extensions"
  as_user_prefix
  "${AS_USER[@]}" DBUS_SYSTEM_BUS_ADDRESS="$SYSTEM_BUS" \
    gnome-shell --headless --virtual-monitor 1024x768 --wayland --no-x11 >>"$E2E_TMP/shell.log" 2>&1 &
  PANEL_PID=$!
  disown $PANEL_PID  # this version of the shell crashes on its way out; bash need not say so
  track $PANEL_PID
  wait_for 60 gnome_ready || { echo "gnome-shell did not start"; tail -20 "$E2E_TMP/shell.log"; exit 1; }
}
gnome_ready() { gnome_eval "global.e2e ? 'ready' : ''" | grep -q ready; }

# start_gnome_app [x11]: the program as the test user, on the shell's Wayland display (or, with
# x11, on the X server, as under XWayland), with the fake /proc/stat when start_stat ran.
start_gnome_app() {
  local session=(QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-0)
  [ "${1:-}" = x11 ] && session=(QT_QPA_PLATFORM=xcb DISPLAY="$GNOME_X11_DISPLAY")
  if [ -n "$STAT" ]; then
    unshare -m sh -c 'mount --bind "$0" /proc/stat && exec "$@"' "$STAT" \
      setpriv --reuid="$TEST_USER" --regid="$TEST_USER" --init-groups \
      env -i PATH=/usr/bin:/bin HOME="$E2E_TMP/home" LANG=C.UTF-8 XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" \
      XDG_CONFIG_HOME="$XDG_CONFIG_HOME" DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" \
      "${session[@]}" "$E2E_TMP/zelmaro" >"$E2E_TMP/app.log" 2>&1 &
  else
    as_user_prefix
    "${AS_USER[@]}" "${session[@]}" "$E2E_TMP/zelmaro" >"$E2E_TMP/app.log" 2>&1 &
  fi
  APP_PID=$!
  track $APP_PID
}

# gnome_eval CODE: runs CODE in the shell, prints its result (a string).
gnome_eval() {
  as_gnome_user gdbus call --session --timeout 10 --dest org.gnome.Shell --object-path /org/gnome/Shell \
    --method org.gnome.Shell.Eval "$1" 2>/dev/null |
    sed -E "s/^\(true, '(.*)'\)$/\1/; s/^\(false, .*//" | sed 's/\\\\n/\n/g; s/^"//; s/"$//'
}
# shot OUT.png X Y W H: a screenshot of a screen area, taken by the shell (no X server to read).
shot() {
  local tmp=$E2E_TMP/shots/shot.png
  rm -f "$tmp" "$1"
  as_gnome_user gdbus call --session --timeout 10 --dest org.gnome.Shell --object-path /org/gnome/Shell/Screenshot \
    --method org.gnome.Shell.Screenshot.ScreenshotArea "$2" "$3" "$4" "$5" false "$tmp" >/dev/null 2>&1 &&
    [ -s "$tmp" ] && cp "$tmp" "$1"
}
SCREEN_W=1024
gnome_click() { gnome_eval "global.e2e.click($1, $2, ${3:-1}, ${4:-1})" >/dev/null; }
# set_extension Enable|Disable: switches the AppIndicator extension on or off.
set_extension() {
  as_gnome_user gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
    --method "org.gnome.Shell.Extensions.${1}Extension" "$APPINDICATOR" >/dev/null
}
# The program's item in the panel: "x y w h", or nothing.
gnome_item() { gnome_eval "global.e2e.items()" | awk '$1 == "Zelmaro" { print $2, $3, $4, $5 }'; }
# The item's menu: "label:mark:x:y:shown" lines.
gnome_menu() { gnome_eval "global.e2e.menu('Zelmaro')"; }
gnome_mark() { gnome_menu | awk -F: -v l="$1" '$1 == l { print $2 }'; }
gnome_window_open() { gnome_eval "global.e2e.windows()" | grep -q "^$WINDOW_TITLE"; }
