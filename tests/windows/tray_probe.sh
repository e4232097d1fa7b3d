#!/usr/bin/env bash
# Runs tray_probe.exe under Wine on a private X display with openbox and trayer, and saves a
# screenshot of the tray taken while the icon shows readings (for a person to look at). Given
# two percentages (and run as root), the readings come from a stand-in /proc/stat that keeps
# processors 0 and 1 that busy: Wine reads the kernel's per-processor times from there.
# Usage: tests/windows/tray_probe.sh BUILD_DIR [OUT.png [USAGE0 USAGE1]]
set -euo pipefail
build=$(cd "$1" && pwd)
out=${2:-$build/tray_probe.png}
usage0=${3:-}
usage1=${4:-}
export WINEPREFIX="$build/wineprefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe,winedbg.exe=d"

if [ -z "${ZELMARO_PROBE_DISPLAY:-}" ]; then
  export ZELMARO_PROBE_DISPLAY=1
  exec timeout -k 5 180 xvfb-run -a -s "-screen 0 640x480x24 -nolisten tcp" "$0" "$build" "$out" $usage0 $usage1
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  timeout -k 5 120 wineboot -i >/dev/null 2>&1
  timeout -k 5 60 wineserver -w
fi
openbox >/dev/null 2>&1 &
# A fixed width: a tray that grows when an icon docks clips Wine's docked icon away.
trayer --edge top --align left --widthtype pixel --width 200 --heighttype pixel --height 32 \
  --iconspacing 2 --transparent false >/dev/null 2>&1 &
sleep 2
wine64=/usr/lib/wine/wine64
[ -x "$wine64" ] || wine64=wine
run=("$wine64" "$build/tray_probe.exe" 8)
if [ -n "$usage1" ]; then
  stat="$build/tray_probe.stat"
  : >"$stat"
  # Every 100 ms each processor gains 100 ticks, the given share of them busy.
  python3 - "$stat" "$usage0" "$usage1" <<'PYEOF' &
import os, sys, time
path, shares = sys.argv[1], [int(sys.argv[2]), int(sys.argv[3])]
busy, idle = [0, 0], [0, 0]
for _ in range(300):
    for i in range(2):
        busy[i] += shares[i]
        idle[i] += 100 - shares[i]
    text = "cpu  %d 0 0 %d 0 0 0 0 0 0\n" % (sum(busy), sum(idle))
    text += "".join("cpu%d %d 0 0 %d 0 0 0 0 0 0\n" % (i, busy[i], idle[i]) for i in range(2))
    with open(path, "r+") as f:
        f.write(text)
        f.truncate()
    time.sleep(0.1)
PYEOF
  feeder=$!
  sleep 0.5
  run=(unshare -m sh -c 'mount --bind "$0" /proc/stat && exec "$@"' "$stat" "${run[@]}")
fi
timeout -k 5 60 "${run[@]}" >"$build/tray_probe.log" 2>&1 &
probe=$!
sleep 6
import -window root -crop 200x32+0+0 "$out"
status=0
wait $probe || status=$?
timeout -k 5 30 wineserver -k >/dev/null 2>&1 || true
kill %1 %2 ${feeder:-} 2>/dev/null || true
cat "$build/tray_probe.log"
echo "probe exit status $status; screenshot $out"
exit $status
