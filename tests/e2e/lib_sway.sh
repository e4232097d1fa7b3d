# Native Wayland for the end-to-end tests: sway in headless mode with a private session bus,
# waybar (its tray is the StatusNotifierItem host) or sway's own bar, screenshots with grim, and
# the program as a native Wayland client. sway refuses to run as root, so the compositor, the
# bus, the bar and the program run as an unprivileged test user; the test itself stays root to
# give the program the fake /proc/stat. Source lib.sh first, then this, then call sway_begin.

TEST_USER=zelmarotest
SWAY_W=1024
SWAY_H=768

# The unprivileged user the Wayland tests run as (created once, no login).
ensure_test_user() {
  id "$TEST_USER" >/dev/null 2>&1 && return 0
  useradd --system --create-home --home-dir "/var/lib/$TEST_USER" --shell /usr/sbin/nologin "$TEST_USER"
}

# USER_CMD: the command prefix that runs a program as the test user in the Wayland session's
# environment. Background jobs use it directly ("${USER_CMD[@]}" prog &), so that $! is the
# program itself and cleanup ends it.
user_cmd() {
  USER_CMD=(setpriv --reuid="$TEST_USER" --regid="$TEST_USER" --init-groups
    env -i PATH=/usr/bin:/bin HOME="$E2E_TMP/home" LANG=C.UTF-8
    XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" XDG_CONFIG_HOME="$XDG_CONFIG_HOME" SWAYSOCK="$SWAYSOCK"
    NO_AT_BRIDGE=1 GTK_A11Y=none)
  [ -n "${WAYLAND_DISPLAY:-}" ] && USER_CMD+=(WAYLAND_DISPLAY="$WAYLAND_DISPLAY")
  [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] && USER_CMD+=(DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS")
  return 0
}
# as_user COMMAND...: runs COMMAND as the test user and waits for it.
as_user() { user_cmd; "${USER_CMD[@]}" "$@"; }

# sway_begin [BAR]: the session: bus, headless sway (with sway's own bar when BAR is swaybar).
sway_begin() {
  [ "$(id -u)" = 0 ] || { echo "the Wayland tests need root (to run sway as a test user)"; exit 1; }
  ensure_test_user || { echo "cannot create the test user"; exit 1; }
  E2E_TMP=$(mktemp -d /tmp/zelmaro-wl.XXXXXX)
  trap e2e_cleanup EXIT
  trap 'exit 130' INT TERM
  chmod 755 "$E2E_TMP"
  export XDG_CONFIG_HOME=$E2E_TMP/config XDG_RUNTIME_DIR=$E2E_TMP/run
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$E2E_TMP/home"
  chown "$TEST_USER:" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$E2E_TMP/home"
  chmod 700 "$XDG_RUNTIME_DIR"
  unset DISPLAY QT_QPA_PLATFORM WAYLAND_DISPLAY
  export SWAYSOCK=$XDG_RUNTIME_DIR/sway-ipc.sock
  # The checkout may lie where the test user cannot read (under /root): work on copies.
  [ -x "$ZELMARO_BIN" ] || { echo "no program at $ZELMARO_BIN"; exit 1; }
  install -m 755 "$ZELMARO_BIN" "$E2E_TMP/zelmaro"
  install -m 644 "$E2E_DIR/sni_watcher.py" "$E2E_TMP/sni_watcher.py"
  WL_BIN=$E2E_TMP/zelmaro
  WL_WATCHER="$PY $E2E_TMP/sni_watcher.py"
  sway_start_bus
  sway_start "${1:-}"
}

# A private session bus without service activation: nothing it starts can outlive the test.
sway_start_bus() {
  cat >"$E2E_TMP/bus.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$XDG_RUNTIME_DIR/bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
  chmod 644 "$E2E_TMP/bus.conf"
  user_cmd
  "${USER_CMD[@]}" dbus-daemon --config-file="$E2E_TMP/bus.conf" --nofork --nopidfile >"$E2E_TMP/bus.log" 2>&1 &
  track $!
  export DBUS_SESSION_BUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/bus
  wait_for 10 test -S "$XDG_RUNTIME_DIR/bus" || { echo "dbus-daemon did not start"; exit 1; }
}

sway_start() {
  local bar=""
  [ "$1" = swaybar ] && bar="bar {
  position top
  height $((${TRAY_SIZE:-22} + 8))
  tray_output *
  tray_padding 4
  colors {
    background $BAR_BG
  }
}"
  cat >"$E2E_TMP/sway.conf" <<EOF
output HEADLESS-1 resolution ${SWAY_W}x${SWAY_H} position 0 0 bg #305070 solid_color
xwayland disable
default_border normal 2
focus_follows_mouse no
seat * hide_cursor 0
$bar
EOF
  chmod 644 "$E2E_TMP/sway.conf"
  user_cmd
  "${USER_CMD[@]}" WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS=1 WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$E2E_TMP/sway.conf" >"$E2E_TMP/sway.log" 2>&1 &
  SWAY_PID=$!
  track $SWAY_PID
  wait_for 20 sh -c "test -S '$SWAYSOCK' && ls '$XDG_RUNTIME_DIR'/wayland-*[0-9]" ||
    { echo "sway did not start"; tail -20 "$E2E_TMP/sway.log"; exit 1; }
  export WAYLAND_DISPLAY
  WAYLAND_DISPLAY=$(basename "$(ls "$XDG_RUNTIME_DIR"/wayland-*[0-9] | head -1)")
  wait_for 10 as_user swaymsg -t get_outputs || { echo "sway does not answer"; exit 1; }
}

swaymsg_u() { as_user swaymsg "$@"; }

# waybar along the top edge with only its tray, in a bar 30 pixels high: start_waybar [SIZE]
# sets the tray's icon-size; without SIZE the tray draws at waybar's own default (16).
start_waybar() {
  local size=""
  [ -n "${1:-}" ] && size="\"icon-size\": $1, "
  cat >"$E2E_TMP/waybar.json" <<EOF
{ "layer": "top", "position": "top", "height": 30, "modules-left": [],
  "modules-center": [], "modules-right": ["tray"], "tray": { $size"spacing": 4 } }
EOF
  cat >"$E2E_TMP/waybar.css" <<'EOF'
* { font-family: "DejaVu Sans"; font-size: 12px; border: none; border-radius: 0; min-height: 0; }
window#waybar { background: #202020; }
#tray { padding: 0 16px; }
EOF
  chmod 644 "$E2E_TMP/waybar.json" "$E2E_TMP/waybar.css"
  : >"$E2E_TMP/waybar.log"
  user_cmd
  "${USER_CMD[@]}" waybar -c "$E2E_TMP/waybar.json" -s "$E2E_TMP/waybar.css" >>"$E2E_TMP/waybar.log" 2>&1 &
  WAYBAR_PID=$!
  track $WAYBAR_PID
  wait_for 15 grep -q "Bar configured" "$E2E_TMP/waybar.log" || { echo "waybar did not start"; cat "$E2E_TMP/waybar.log"; exit 1; }
  wait_for 10 as_user dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher \
    /StatusNotifierWatcher org.freedesktop.DBus.Peer.Ping || { echo "waybar has no watcher"; exit 1; }
}
stop_waybar() { stop_pid "$WAYBAR_PID"; }

# The program as a native Wayland client of the test user (QT_QPA_PLATFORM=$APP_QPA, default
# wayland; with APP_QPA empty, as a session without X names nothing), with readings from the fake
# /proc/stat when start_stat ran: a private mount namespace is set up as root, then the
# program drops to the test user.
APP_QPA=${APP_QPA-wayland}
start_app_wayland() {
  local stat=${STAT:-/proc/stat}
  [ -n "$STAT" ] && chmod 644 "$STAT"
  unshare -m sh -c '[ "$0" = /proc/stat ] || mount --bind "$0" /proc/stat; shift; exec "$@"' "$stat" _ \
    setpriv --reuid="$TEST_USER" --regid="$TEST_USER" --init-groups \
    env -i PATH=/usr/bin:/bin HOME="$E2E_TMP/home" LANG="${APP_LANG:-C.UTF-8}" \
    XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" XDG_CONFIG_HOME="$XDG_CONFIG_HOME" \
    WAYLAND_DISPLAY="$WAYLAND_DISPLAY" DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" \
    ${APP_QPA:+QT_QPA_PLATFORM=$APP_QPA} "$WL_BIN" >"$E2E_TMP/app.log" 2>&1 &
  APP_PID=$!
  track $APP_PID
}

# Screenshot of a screen area: wshot OUT.png X Y W H
wshot() { as_user grim -g "$2,$3 $4x$5" - >"$1"; }

# The sway tree as JSON; the program's windows (app_id zelmaro or title from it).
sway_tree() { swaymsg_u -t get_tree; }
# Views (top-level windows) sway has, one "app_id<TAB>name<TAB>x,y,w,h<TAB>visible|hidden" line
# each, with the place and size of the view's contents on the screen.
sway_views() {
  sway_tree | $PY -c '
import json, sys
def walk(n):
    if n.get("type") in ("con", "floating_con") and n.get("pid"):
        r, c = n["rect"], n["window_rect"]
        print("%s\t%s\t%d,%d,%d,%d\t%s" % (n.get("app_id"), n.get("name"), r["x"] + c["x"], r["y"] + c["y"],
                                          c["width"], c["height"], "visible" if n.get("visible") else "hidden"))
    for k in n.get("nodes", []) + n.get("floating_nodes", []):
        walk(k)
walk(json.load(sys.stdin))'
}
# The program's window, as sway shows it.
wl_window_visible() { sway_views | grep -P "\t$WINDOW_TITLE[^\t]*\t[^\t]*\tvisible$"; }
wl_window_gone() { ! sway_views | grep -qF "$WINDOW_TITLE"; }
# How many views of the program sway has (its window, and any menu mapped as a window).
wl_app_views() { sway_views | grep -ci '^zelmaro'; }
# The contents' place of the program's window: "X Y".
wl_window_origin() { sway_views | grep -F "$WINDOW_TITLE" | head -1 | cut -f3 | awk -F, '{ print $1, $2 }'; }
# Closes the program's window the way the user does (the compositor's close request).
wl_close_window() { swaymsg_u "[title=\"^$WINDOW_TITLE\"] kill" >/dev/null; }

# The item on waybar's watcher, through the tests' client (as the test user, on the session bus).
wl_sni() { as_user $WL_WATCHER "$@"; }
wl_item_registered() { wl_sni items | grep -q .; }
PROBE="$PY $E2E_DIR/shot_probe.py"
BAR_BG="#202020"
# Screenshot of the bar's right end (where the tray is): bar_shot OUT.png
bar_shot() { wshot "$1" $((SWAY_W - 120)) 0 120 30; }
