# Shared helpers for the end-to-end tests: a private X server and session bus, tray hosts,
# the program under controlled processor readings, bounded waits, and a cleanup that ends
# only what the test started. Source it, then call e2e_begin.
set -u

# Each test runs in a network namespace of its own where it may (as root): the program's
# single-instance name is an abstract socket, which everything in one network namespace shares,
# so copies started by tests running side by side on one machine met as "already running" and
# never showed their icon. The X server, the buses and the hosts run in the namespace too.
if [ -z "${E2E_OWN_NET:-}" ] && [ "$(id -u)" = 0 ] && unshare -n true 2>/dev/null; then
  export E2E_OWN_NET=1
  exec unshare -n -- bash "$0" "$@"
fi

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(cd "$E2E_DIR/../.." && pwd)
PY=/usr/bin/python3
WATCHER="$PY $E2E_DIR/sni_watcher.py"
ZELMARO_BIN=${ZELMARO_BIN:-$ROOT/build/zelmaro}
WINDOW_TITLE="Dual Core CPU Usage"
ICON_NAME="Zelmaro by Quenlark"
E2E_PIDS=()
E2E_FAILS=0

e2e_begin() {
  E2E_TMP=$(mktemp -d /tmp/zelmaro-e2e.XXXXXX)
  trap e2e_cleanup EXIT
  trap 'exit 130' INT TERM
  export XDG_CONFIG_HOME=$E2E_TMP/config XDG_RUNTIME_DIR=$E2E_TMP/run XDG_CACHE_HOME=$E2E_TMP/cache
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$XDG_CACHE_HOME"
  chmod 700 "$XDG_RUNTIME_DIR"
  unset QT_QPA_PLATFORM
  start_xvfb
  start_bus
}

e2e_cleanup() {
  local i
  if [ "$E2E_FAILS" -ne 0 ] && [ -s "${E2E_TMP:-/nonexistent}/app.log" ]; then
    echo "  --- program output"; tail -20 "$E2E_TMP/app.log" | sed 's/^/  /'
  fi
  if [ "$E2E_FAILS" -ne 0 ] && [ -s "${E2E_TMP:-/nonexistent}/watcher.log" ]; then
    echo "  --- watcher log"; tail -20 "$E2E_TMP/watcher.log" | sed 's/^/  /'
  fi
  if [ "$E2E_FAILS" -ne 0 ] && ! kill -0 "${XVFB_PID:-0}" 2>/dev/null; then
    echo "  --- the X server had ended:"; tail -5 "$E2E_TMP/xvfb.log" | sed 's/^/  /'
  fi
  for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do stop_pid "${E2E_PIDS[i]}"; done
  [ -n "${E2E_TMP:-}" ] && [ -z "${E2E_KEEP:-}" ] && rm -rf "$E2E_TMP"
}

# Remembers a process this test started, so cleanup ends it.
track() { E2E_PIDS+=("$1"); }

# Ends one process we started: TERM, then KILL after two seconds.
stop_pid() {
  local pid=$1 n
  kill -0 "$pid" 2>/dev/null || return 0
  kill -TERM "$pid" 2>/dev/null
  for n in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -KILL "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  return 0
}

# wait_for SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds or time runs out.
wait_for() {
  local limit=$1; shift
  local end=$((SECONDS + limit)) start
  start=$(date +%s%N)
  while :; do
    if "$@" >/dev/null 2>&1; then
      WAITED_MS=$((($(date +%s%N) - start) / 1000000))
      return 0
    fi
    [ "$SECONDS" -ge "$end" ] && return 1
    sleep 0.1
  done
}

# A display number far from the usual :0, :1 or :99, so that other X servers on the machine
# (someone else's tests) neither collide with nor get mistaken for ours.
start_xvfb() {
  local try n
  for try in 1 2 3 4 5; do
    n=$((200 + RANDOM % 700))
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    # -noreset: the server would otherwise reset when its last client leaves, refusing
    # connections meanwhile.
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >"$E2E_TMP/xvfb.log" 2>&1 &
    XVFB_PID=$!
    export DISPLAY=:$n
    if wait_for 10 xdotool getdisplaygeometry && kill -0 "$XVFB_PID" 2>/dev/null; then
      track $XVFB_PID
      return 0
    fi
    stop_pid "$XVFB_PID"
  done
  echo "Xvfb did not start"; cat "$E2E_TMP/xvfb.log"; exit 1
}

start_bus() {
  local addr=$E2E_TMP/bus
  dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$addr" 2>"$E2E_TMP/bus.log" &
  track $!
  wait_for 10 grep -q . "$addr" || { echo "dbus-daemon did not start"; exit 1; }
  export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$addr")
}

# A reparenting window manager, as every desktop has one: it frames, iconifies and maps
# windows asynchronously, which a bare X server never does.
start_wm() {
  openbox --sm-disable >"$E2E_TMP/wm.log" 2>&1 &
  WM_PID=$!
  track $WM_PID
  wait_for 10 wm_running || { echo "openbox did not start"; cat "$E2E_TMP/wm.log"; exit 1; }
}
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
# WM_STATE of the program's window: Normal, Iconic or Withdrawn (empty without one).
wm_state() { xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/.*window state: //p'; }

# The StatusNotifierWatcher (and host) of the tests; its log is $E2E_TMP/watcher.log.
start_watcher() {
  : >"$E2E_TMP/watcher.log"
  $WATCHER serve "$@" >>"$E2E_TMP/watcher.log" 2>&1 &
  WATCHER_PID=$!
  track $WATCHER_PID
  wait_for 10 grep -q "watcher ready" "$E2E_TMP/watcher.log" || { echo "watcher did not start"; exit 1; }
}
stop_watcher() { stop_pid "$WATCHER_PID"; }
item_registered() { $WATCHER items | grep -q .; }
new_icon_count() { grep -c '^NewIcon' "$E2E_TMP/watcher.log"; }

# trayer, an XEmbed system tray, along the top edge of the screen.
start_trayer() {
  trayer --edge top --align left --widthtype pixel --width 200 --heighttype pixel \
    --height "${TRAY_HEIGHT:-24}" --SetDockType true --transparent false --tint 0x404040 \
    >"$E2E_TMP/trayer.log" 2>&1 &
  TRAYER_PID=$!
  track $TRAYER_PID
  wait_for 10 xdotool search --name '^panel$' || { echo "trayer did not start"; exit 1; }
}
stop_trayer() { stop_pid "$TRAYER_PID"; }
icon_docked() { xdotool search --onlyvisible --name "^$ICON_NAME\$"; }
window_visible() { xdotool search --onlyvisible --name "$WINDOW_TITLE"; }
# Visible top-level windows of the program (its window, an open popup menu).
# Answers a message box with Return. The key goes through the server's test extension to the box
# once it has the focus, press and release alike: `key --window` sends the release as a
# synthetic event when the press has already closed the box, which leaves Return held down in
# the server and its auto-repeat answers the next box the moment it opens.
press_return_in() { xdotool windowactivate --sync "$1" 2>/dev/null; xdotool key Return 2>/dev/null; }
visible_app_windows() { xdotool search --onlyvisible --classname zelmaro 2>/dev/null | wc -l; }

# A fake /proc/stat with two processors whose counters advance every 0.1 s at the given
# busy percentages (set_usage P0 P1). Fixed-width numbers: rewritten in place, same length.
STAT=""
start_stat() {
  STAT=$E2E_TMP/stat
  echo "${1:-0} ${2:-0}" >"$E2E_TMP/usage"
  $PY - "$STAT" "$E2E_TMP/usage" <<'PYEOF' &
import os, sys, time
stat, usage = sys.argv[1], sys.argv[2]
busy = [0, 0]; idle = [0, 0]
def render():
    lines = ["cpu  %012d 0 0 %012d 0 0 0 0 0 0" % (sum(busy), sum(idle))]
    for i in range(2):
        lines.append("cpu%d %012d 0 0 %012d 0 0 0 0 0 0" % (i, busy[i], idle[i]))
    lines.append("intr 0\nctxt 0\nbtime 0\nprocesses 1\nprocs_running 1\nprocs_blocked 0\n")
    return "\n".join(lines).encode()
with open(stat, "wb") as f:
    f.write(render())
end = time.time() + 3600
while time.time() < end:
    try:
        p = [float(x) for x in open(usage).read().split()]
    except (OSError, ValueError):
        p = [0, 0]
    for i in range(2):
        busy[i] += int(p[i]); idle[i] += 100 - int(p[i])
    fd = os.open(stat, os.O_WRONLY)
    os.write(fd, render())
    os.close(fd)
    time.sleep(0.1)
PYEOF
  track $!
  wait_for 5 test -s "$STAT"
}
set_usage() { echo "$1 $2" >"$E2E_TMP/usage.new" && mv "$E2E_TMP/usage.new" "$E2E_TMP/usage"; }

# Starts the program (readings from the fake /proc/stat when start_stat ran, as root).
start_app() {
  [ -x "$ZELMARO_BIN" ] || { echo "no program at $ZELMARO_BIN"; exit 1; }
  if [ -n "$STAT" ] && [ "$(id -u)" = 0 ]; then
    unshare -m sh -c 'mount --bind "$0" /proc/stat && exec "$1"' "$STAT" "$ZELMARO_BIN" \
      >"$E2E_TMP/app.log" 2>&1 &
  else
    "$ZELMARO_BIN" >"$E2E_TMP/app.log" 2>&1 &
  fi
  APP_PID=$!
  track $APP_PID
}
stop_app() { stop_pid "$APP_PID"; }
app_running() { kill -0 "$APP_PID" 2>/dev/null; }

# check NAME COMMAND...: one named check of a test; a failure is counted, the test goes on.
check() {
  local name=$1; shift
  if "$@"; then echo "  ok   $name"; else echo "  FAIL $name"; E2E_FAILS=$((E2E_FAILS + 1)); fi
}
e2e_end() { [ "$E2E_FAILS" -eq 0 ]; }

# ImageMagick 7's convert (its compatibility mode) prints a stray line with -fx, which a
# pixel count read from its output would take in; its own command, magick, takes the same
# arguments. ImageMagick 6 has convert only.
command -v magick >/dev/null 2>&1 && convert() { magick "$@"; }

# Screenshot of a screen area: shot OUT.png X Y W H
shot() { import -display "$DISPLAY" -window root -crop "$4x$5+$2+$3" +repage "$1"; }

# icon_pixel FILE X Y: the 0xAARRGGBB pixel of an icon dumped as text by "sni_watcher.py icon".
icon_pixel() { awk -v x="$2" -v y="$3" 'NR == y + 1 { print $(x + 1) }' "$1"; }
# The distinct pixel values of a text icon dump, sorted, on one line.
icon_colours() { tr ' ' '\n' <"$1" | sort -u | tr '\n' ' ' | sed 's/ $//'; }

# Starts the program from a desktop entry as a desktop does (launch_entry.py), with readings
# from the fake /proc/stat as start_app: APP_PID is the program, LAUNCHER_PID the launcher,
# whose exit status is the program's.
start_entry() {
  local pidfile=$E2E_TMP/entry.pid
  rm -f "$pidfile"
  if [ -n "$STAT" ] && [ "$(id -u)" = 0 ]; then
    unshare -m sh -c 'mount --bind "$0" /proc/stat && exec "$@"' "$STAT" \
      $PY "$E2E_DIR/launch_entry.py" "$1" "$pidfile" >>"$E2E_TMP/app.log" 2>&1 &
  else
    $PY "$E2E_DIR/launch_entry.py" "$1" "$pidfile" >>"$E2E_TMP/app.log" 2>&1 &
  fi
  LAUNCHER_PID=$!
  track $LAUNCHER_PID
  wait_for 10 test -s "$pidfile" || { echo "launching $1 failed"; cat "$E2E_TMP/app.log"; return 1; }
  APP_PID=$(cat "$pidfile")
  track "$APP_PID"
}
