#!/usr/bin/env bash
# Measures the whole process's processor cost of Zelmaro hidden in an XEmbed tray under Xvfb,
# next to conky doing the same job (two processors' usage every 500 ms), over the same seconds.
# Prints figures only; it never fails for being slow.
# Usage: scripts/overhead.sh path/to/zelmaro [seconds]
set -euo pipefail
bin=$(realpath "$1"); secs=${2:-30}
work=$(mktemp -d); pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT

disp=:$((80 + RANDOM % 100))
Xvfb "$disp" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
export DISPLAY=$disp XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
trayer --edge top --align right --widthtype pixel --width 64 --heighttype pixel --height 32 >/dev/null 2>&1 & pids+=($!)
sleep 1

# On-CPU time of all of a process's threads, in nanoseconds.
cpu_ns() { local t=0 s; for f in /proc/"$1"/task/*/schedstat; do read -r s _ < "$f" && t=$((t + s)); done; echo $t; }

env -u DBUS_SESSION_BUS_ADDRESS "$bin" >/dev/null 2>&1 & zpid=$!; pids+=($zpid)
have_conky=0
if command -v conky >/dev/null; then
  cat > "$work/conky.conf" <<'CONF'
conky.config = { out_to_x = false, out_to_console = true, update_interval = 0.5, total_run_times = 0, background = false }
conky.text = [[${cpu cpu1} ${cpu cpu2} ${cpubar cpu1 4,8} ${cpubar cpu2 4,8}]]
CONF
  conky -c "$work/conky.conf" >/dev/null 2>&1 & cpid=$!; pids+=($cpid); have_conky=1
fi
sleep 5  # let start-up settle
z0=$(cpu_ns $zpid); [ $have_conky = 1 ] && c0=$(cpu_ns $cpid)
sleep "$secs"
z1=$(cpu_ns $zpid); [ $have_conky = 1 ] && c1=$(cpu_ns $cpid)
zms=$(awk -v a="$z0" -v b="$z1" -v s="$secs" 'BEGIN{printf "%.3f", (b-a)/1e6/s}')
echo "zelmaro (hidden in the tray): ${zms} ms of CPU per second over ${secs} s"
echo "zelmaro resident memory: $(awk '/VmRSS/{print $2, $3}' /proc/$zpid/status)"
if [ $have_conky = 1 ]; then
  cms=$(awk -v a="$c0" -v b="$c1" -v s="$secs" 'BEGIN{printf "%.3f", (b-a)/1e6/s}')
  echo "conky (same job, console output): ${cms} ms of CPU per second"
  awk -v z="$zms" -v c="$cms" 'BEGIN{ if (c > 0) printf "ratio zelmaro/conky: %.2f (aim: at most 0.25)\n", z/c }'
fi
