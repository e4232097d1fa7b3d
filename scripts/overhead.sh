#!/usr/bin/env bash
# What a processor meter costs the whole machine while it sits in the tray: Zelmaro docked in
# an XEmbed tray (trayer) and as a StatusNotifierItem (whose host reads every new picture),
# a plain Qt 6 tray icon redrawn every 500 ms, conky doing the same job on its console, and a
# bare C loop that only wakes every 500 ms, reads /proc/stat and computes two percentages.
#
# Every meter runs alone, on a fresh X server with openbox and the tray host, and reads a
# stand-in /proc/stat bind-mounted over the real one in a private mount namespace: "steady"
# readings that stay the same, and "changing" readings that move the bars on every tick.
# Processor time is the scheduler's run time of all the meter's threads per wall second;
# memory is its private dirty memory. Every run is made twice, the second pass in the
# opposite order, and the figures are the mean of both. Prints figures; never fails for being
# slow.
#
# Usage: scripts/overhead.sh BUILD_DIR [SECONDS]   (BUILD_DIR holds zelmaro, bare_loop,
#        stat_feeder and qt_tray_reference; SECONDS per run, default 15). OVERHEAD_SCENARIOS
#        picks some of "xembed:steady xembed:changing sni:steady sni:changing".
set -euo pipefail
[ "$(id -u)" = 0 ] || exec sudo -E "$0" "$@"  # a bind mount needs a private mount namespace
# Measuring starts once the program has settled: hidden, it lets go of what only drawing its
# window needed at its first heap check, 5 to 10 s after start.
build=$(realpath "$1"); secs=${2:-15}; settle=12
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/zelmaro-overhead.XXXXXX); pids=(); results=$work/results
cleanup() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

have_conky=0; command -v conky >/dev/null && have_conky=1
cat > "$work/conky.conf" <<'CONF'
conky.config = { out_to_x = false, out_to_console = true, update_interval = 0.5, total_run_times = 0, background = false }
conky.text = [[${cpu cpu1} ${cpu cpu2} ${cpubar cpu1 4,8} ${cpubar cpu2 4,8}]]
CONF

# On-CPU time of all of a process's threads, in nanoseconds.
cpu_ns() { local t=0 s f; for f in /proc/"$1"/task/*/schedstat; do read -r s _ < "$f" 2>/dev/null && t=$((t + s)); done; echo $t; }
private_dirty_kb() { awk '/^Private_Dirty:/ { print $2 }' /proc/"$1"/smaps_rollup; }
stop() { kill "$1" 2>/dev/null || true; wait "$1" 2>/dev/null || true; }
wait_for() { local n; for n in $(seq 100); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done; return 1; }

# A fresh session for one host kind and kind of readings: X server, openbox, session bus, the
# tray host and the stand-in counter file.
start_session() {  # HOST READINGS
  local host=$1 readings=$2 n
  session_pids=()
  n=$((200 + RANDOM % 700))
  while [ -e "/tmp/.X$n-lock" ]; do n=$((200 + RANDOM % 700)); done
  export DISPLAY=:$n XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
  rm -rf "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"; mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 & session_pids+=($!)
  wait_for xdpyinfo || { echo "Xvfb did not start" >&2; exit 1; }
  openbox >/dev/null 2>&1 & session_pids+=($!)
  dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$work/bus" 2>/dev/null & session_pids+=($!)
  wait_for grep -q . "$work/bus"
  export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$work/bus")
  if [ "$host" = xembed ]; then
    trayer --edge top --align right --widthtype pixel --width 96 --heighttype pixel --height 32 \
      >/dev/null 2>&1 & session_pids+=($!)
    wait_for xdotool search --name '^panel$'
  else
    : > "$work/watcher.log"
    /usr/bin/python3 "$root/tests/e2e/sni_watcher.py" serve --fetch >"$work/watcher.log" 2>&1 & session_pids+=($!)
    wait_for grep -q "watcher ready" "$work/watcher.log"
  fi
  rm -f "$work/stat"
  "$build/stat_feeder" "$work/stat" "$readings" & session_pids+=($!)
  wait_for test -s "$work/stat"
  pids+=("${session_pids[@]}")
}
stop_session() { local i; for ((i = ${#session_pids[@]} - 1; i >= 0; i--)); do stop "${session_pids[i]}"; done; }

# Runs one meter alone for settle + secs seconds and records its figures.
run_meter() {  # SCENARIO METER
  local scenario=$1 meter=$2 cmd pid c0 c1
  case $meter in
    zelmaro) cmd=("$build/zelmaro") ;;
    qt_tray) cmd=("$build/qt_tray_reference") ;;
    bare_loop) cmd=("$build/bare_loop") ;;
    conky) cmd=(conky -c "$work/conky.conf") ;;
  esac
  # A private network namespace too: the single-instance name lives in the abstract socket
  # namespace, and another copy running on this machine (a test) must not stop this one.
  unshare -m -n sh -c 'mount --bind "$0" /proc/stat && exec "$@"' "$work/stat" "${cmd[@]}" \
    >/dev/null 2>&1 &
  pid=$!; pids+=($pid)
  sleep "$settle"
  c0=$(cpu_ns $pid); sleep "$secs"; c1=$(cpu_ns $pid)
  if kill -0 $pid 2>/dev/null; then
    echo "$scenario $meter $(((c1 - c0) / secs)) $(private_dirty_kb $pid)" >> "$results"
  else
    echo "  ($meter ended early in $scenario)" >&2
  fi
  stop $pid
}

scenarios=(${OVERHEAD_SCENARIOS:-xembed:steady xembed:changing sni:steady sni:changing})
meters_for() {  # the meters each host kind runs; conky has no tray icon
  if [ "$1" = xembed ]; then echo "zelmaro qt_tray bare_loop$([ $have_conky = 1 ] && echo ' conky')"
  else echo "zelmaro qt_tray bare_loop"; fi
}
reverse() { local out=() w; for w in "$@"; do out=("$w" "${out[@]}"); done; echo "${out[@]}"; }

# Pages of a freshly built program not yet written to disk count as its private dirty memory:
# write them out first.
sync
total=$(( (${#scenarios[@]} * 4 - 1) * 2 * (secs + settle) ))
echo "Measuring $secs s per run, twice in opposite order (about $((total / 60 + 1)) minutes)..."
for pass in 1 2; do
  list=("${scenarios[@]}"); [ $pass = 2 ] && list=($(reverse "${scenarios[@]}"))
  for s in "${list[@]}"; do
    host=${s%%:*}; readings=${s#*:}
    start_session "$host" "$readings"
    meters=($(meters_for "$host")); [ $pass = 2 ] && meters=($(reverse "${meters[@]}"))
    for m in "${meters[@]}"; do run_meter "$s" "$m"; done
    stop_session
  done
done

# Means over both passes; each meter's ratio is to the bare loop of the same scenario.
awk -v secs="$secs" -v nproc="$(nproc)" '
  { key = $1 " " $2; ns[key] += $3; n[key]++; if ($4 > pd[$2 " " substr($1, 1, index($1, ":") - 1)]) pd[$2 " " substr($1, 1, index($1, ":") - 1)] = $4 }
  function ms(k) { return n[k] ? ns[k] / n[k] / 1e6 : -1 }
  function cell(host, readings, meter,   k, b) {
    k = host ":" readings " " meter; b = host ":" readings " bare_loop"
    if (!n[k]) return sprintf("%-17s", "-")
    if (meter == "bare_loop" || !n[b] || ms(b) <= 0) return sprintf("%-17s", sprintf("%.3f", ms(k)))
    return sprintf("%-17s", sprintf("%.3f (%.1fx)", ms(k), ms(k) / ms(b)))
  }
  function row(label, host, meter,   p) {
    p = pd[meter " " host]
    printf "| %-38s | %s | %s | %-9s |\n", label, cell(host, "steady", meter), cell(host, "changing", meter), p ? sprintf("%.1f MB", p / 1024) : "-"
  }
  END {
    printf "\nProcessor time in ms per second (ratio to the bare C loop of the same run), %d s per run,\n", secs
    printf "two passes in opposite order; private dirty memory (largest seen). %d processors.\n\n", nproc
    printf "| %-38s | %-17s | %-17s | %-9s |\n", "meter", "steady readings", "changing readings", "memory"
    printf "|%s|%s|%s|%s|\n", "----------------------------------------", "-------------------", "-------------------", "-----------"
    row("Zelmaro, XEmbed tray (trayer)", "xembed", "zelmaro")
    row("Zelmaro, StatusNotifierItem", "sni", "zelmaro")
    row("plain Qt 6 tray icon, XEmbed tray", "xembed", "qt_tray")
    row("plain Qt 6 tray icon, StatusNotifierItem", "sni", "qt_tray")
    row("conky (console output)", "xembed", "conky")
    row("bare C loop (beside the XEmbed runs)", "xembed", "bare_loop")
    row("bare C loop (beside the SNI runs)", "sni", "bare_loop")
  }' "$results"
echo
echo "StatusNotifierItem runs: the tests' host (tests/e2e/sni_watcher.py --fetch) reads IconPixmap on every NewIcon."
