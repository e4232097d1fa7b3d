# Shared helpers of the tests of zelmaro.exe under Wine: a Wine prefix per test, the program
# started under a stand-in /proc/stat, the docked icon read from screenshots of trayer, the
# icon's menu and the colour kept in the registry. Source it with BUILD set to the build folder
# and NAME to the test's name; it sources the end-to-end helpers and calls e2e_begin.
source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/../e2e/lib.sh"
[ "$(id -u)" = 0 ] || { echo "needs root for the stand-in /proc/stat"; exit 1; }
EXE=$BUILD/zelmaro.exe
[ -f "$EXE" ] || { echo "no program at $EXE"; exit 1; }
SHOTS=$BUILD/test-$NAME
rm -rf "$SHOTS" && mkdir -p "$SHOTS"

# A Wine prefix of the test's own (made once, about 10 s), whose server and desktop process
# belong to this display only.
export WINEPREFIX=$BUILD/wineprefix-$NAME WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe,winedbg.exe=d"
WINE=/usr/lib/wine/wine64
[ -x "$WINE" ] || WINE=wine
REG_KEY='HKCU\Software\Quenlark\Zelmaro_Set'

e2e_begin
trap 'timeout -k 5 30 wineserver -k >/dev/null 2>&1; e2e_cleanup' EXIT
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  rm -rf "$WINEPREFIX"
  timeout -k 5 120 wineboot -i >/dev/null 2>&1
  timeout -k 5 60 wineserver -w
fi
# No colour kept from an earlier run: the bars start green.
timeout -k 5 30 "$WINE" reg delete 'HKCU\Software\Quenlark' /f >/dev/null 2>&1

# wine_app [STAT [ARGS...]]: starts the program under the stand-in STAT (default $STAT), its
# exit status written to $STATUS_FILE once it ends; APP_PID is the process that waits for it.
STATUS_FILE=""
wine_app() {
  local stat=${1:-$STAT}
  [ $# -gt 0 ] && shift
  STATUS_FILE=$(mktemp "$E2E_TMP/status.XXXXXX")
  rm -f "$STATUS_FILE"
  (
    timeout -k 5 240 unshare -m sh -c 'mount --bind "$0" /proc/stat && exec "$@"' "$stat" "$WINE" "$EXE" "$@" \
      >>"$E2E_TMP/app.log" 2>&1
    echo $? >"$STATUS_FILE"
  ) &
  APP_PID=$!
  track $APP_PID
}
ended() { [ -s "$STATUS_FILE" ]; }
exit_status() { cat "$STATUS_FILE" 2>/dev/null; }
# Processes of the program still running in this test's prefix (not a command that names it,
# as taskkill's does; other tests on the machine may run their own copies).
left_running() {
  local pid
  for pid in $(pgrep -f 'zelmaro\.exe'); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && ps -o pid=,args= -p "$pid"
  done | grep -v taskkill
}
nothing_left() { [ -z "$(left_running)" ]; }

# The docked icon: 16 x 16 in trayer's first slot (x 3 to 18, y 4 to 19), read from
# screenshots of the tray. tray_shot takes one; icon_map prints the icon from it as 16 lines
# of 16 letters: k black, . the tray behind (not the icon), b g c p r w y the seven colours,
# ? anything else (the tray behind is #DCDAD5 under Wine).
TRAY=$E2E_TMP/tray.png
tray_shot() { shot "$TRAY" 0 0 24 24; }
icon_map() {
  convert "$TRAY" -crop 16x16+3+4 +repage txt:- | awk '
    NR > 1 { split($1, p, /[,:]/); c = "?"; h = toupper($3)
      if (h ~ /^#000000/) c = "k"; else if (h ~ /^#(404040|DCDAD5)/) c = ".";
      else if (h ~ /^#0000FF/) c = "b"; else if (h ~ /^#00FFFF/) c = "c"; else if (h ~ /^#00FF00/) c = "g";
      else if (h ~ /^#FE00FE/) c = "p"; else if (h ~ /^#FF0000/) c = "r"; else if (h ~ /^#FFFFFF/) c = "w";
      else if (h ~ /^#FFFF00/) c = "y"
      m[p[2], p[1]] = c }
    END { for (y = 0; y < 16; y++) { s = ""; for (x = 0; x < 16; x++) s = s m[y, x]; print s } }'
}
# The 32 x 32 picture the program composes for readings P0 and P1 (- for an invalid one, which
# leaves its bar full) in colour letter C, as the program draws it at the shell's 16 x 16 (each
# pixel the picture's pixel under its centre, 2X + 1 and 2Y + 1: one-pixel frame lines all round):
# a black frame (rows 0, 1 and 31, columns 0, 1, 15, 16, 30 and 31), the left bar in columns 2
# to 14 and the right one in 18 to 29 (17 is transparent), each coloured from row
# round(32 - P / 3.125) down, the rows above it transparent.
expected_icon() {
  awk -v p0="$1" -v p1="$2" -v c="$3" 'function top(p,  v) {
      if (p == "-") return 0; v = 32 - p / 3.125; r = int(v); if (v - r > 0.5 || (v - r == 0.5 && r % 2)) r++; return r }
    BEGIN { t[0] = top(p0); t[1] = top(p1)
      for (Y = 0; Y < 16; Y++) { s = ""; for (X = 0; X < 16; X++) { x = 2 * X + 1; y = 2 * Y + 1
          if (y < 2 || y == 31 || x < 2 || x == 15 || x == 16 || x > 29) s = s "k"
          else if (x == 17) s = s "."
          else s = s (y >= t[x < 15 ? 0 : 1] ? c : ".") }
        print s } }'
}
# icon_is P0 P1 C: a fresh screenshot shows exactly that picture.
icon_is() { tray_shot && [ "$(icon_map)" = "$(expected_icon "$@")" ]; }
icon_gone() { tray_shot && [ -z "$(icon_map | tr -d '.\n')" ]; }

# The icon's menu: a right-click on the icon opens it; keys reach a Wine popup menu only while
# its window has the X focus.
menu_window() { xdotool search --onlyvisible --classname zelmaro.exe 2>/dev/null | while read -r w; do
  eval "$(xdotool getwindowgeometry --shell "$w")"; [ "$WIDTH" -gt 40 ] && [ "$HEIGHT" -gt 100 ] && echo "$w"; done | head -1; }
menu_open() { [ -n "$(menu_window)" ]; }
# menu_keys KEYS...: opens the icon's menu with a right-click and types the keys into it; the
# menu's picture is left in $MENU_PNG.
MENU_PNG=$E2E_TMP/menu.png
menu_keys() {
  xdotool mousemove 10 12 click 3
  check "a right-click on the icon opens its menu" wait_for 10 menu_open
  M=$(menu_window)
  [ -n "$M" ] || return 0
  import -display "$DISPLAY" -window "$M" "$MENU_PNG"
  timeout 5 xdotool windowfocus --sync "$M" 2>/dev/null || true
  xdotool key "$@"
}
# The colour kept in the registry (empty without one).
stored_colour() {
  timeout -k 5 20 "$WINE" reg query "$REG_KEY" /v Color 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *Color *REG_SZ *//p'
}
colour_kept() { [ "$(stored_colour)" = "$1" ]; }
store_colour() { timeout -k 5 20 "$WINE" reg add "$REG_KEY" /v Color /t REG_SZ /d "$1" /f >/dev/null 2>&1; }

# stat_feeder FILE CPUS: a stand-in /proc/stat with CPUS processors (1 or 2) at FILE, whose
# counters advance every 0.1 s at the busy percentages in FILE.usage ("P0 P1"), or stand still
# while it says "still" (no time passes: every reading is invalid). Rewritten in place, same
# length.
stat_feeder() {
  echo still >"$1.usage"
  $PY - "$1" "$2" <<'PYEOF' &
import os, sys, time
stat, cpus = sys.argv[1], int(sys.argv[2])
busy = [0] * cpus; idle = [0] * cpus
def render():
    lines = ["cpu  %012d 0 0 %012d 0 0 0 0 0 0" % (sum(busy), sum(idle))]
    lines += ["cpu%d %012d 0 0 %012d 0 0 0 0 0 0" % (i, busy[i], idle[i]) for i in range(cpus)]
    return ("\n".join(lines) + "\nintr 0\nctxt 0\nbtime 0\nprocesses 1\n").encode()
with open(stat, "wb") as f:
    f.write(render())
end = time.time() + 900
while time.time() < end:
    time.sleep(0.1)
    try:
        p = [int(x) for x in open(stat + ".usage").read().split()]
    except (OSError, ValueError):
        continue
    for i in range(cpus):
        busy[i] += p[i]; idle[i] += 100 - p[i]
    fd = os.open(stat, os.O_WRONLY)
    os.write(fd, render())
    os.close(fd)
PYEOF
  track $!
  wait_for 5 test -s "$1"
}
# feed FILE P0 [P1] | feed FILE still
feed() { local f=$1; shift; echo "$*" >"$f.usage.new" && mv "$f.usage.new" "$f.usage"; }
