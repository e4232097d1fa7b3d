#!/usr/bin/env bash
# zelmaro.exe under Wine at 96, 120, 144 and 192 dpi (Xvfb, openbox, trayer), one start per
# DPI: the window is first seen where it stays, centred (no frame anywhere else); its client
# area is 432 x 191 times the scale; every label's text fits its label in the label's font;
# each graph shows 398 x scale columns between its scale strips, in the program's own colours
# only (no blended pixel). Enter on the focused "Reset Avg" resets the clock, Esc hides the
# window, and /? prints the help. The docked icon, at each DPI: drawn at the tray's size with
# one-pixel frame and divider lines and no blended pixel, and at 96 dpi the very picture
# test_icon_menu.sh expects. Screenshots in BUILD_DIR/test-display-scale/.
# Usage: tests/windows/test_display_scale.sh BUILD_DIR   (as root, for the mount namespace)
[ -n "${1:-}" ] && BUILD=$(cd "$1" && pwd)
BUILD=${BUILD:?usage: $0 BUILD_DIR}
NAME=display-scale
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/lib_wine.sh"
start_wm
TRAY_HEIGHT=24 start_trayer
ST=$E2E_TMP/stat
stat_feeder "$ST" 2
feed "$ST" 30 70
PROBE=$E2E_TMP/window_probe.exe
x86_64-w64-mingw32-gcc -O2 -Wall -o "$PROBE" "$HERE/window_probe.c" -lgdi32 || exit 1
probe() { timeout -k 5 20 "$WINE" "$PROBE" </dev/null 2>/dev/null | tr -d '\r'; }

echo "== /? prints the help"
timeout -k 5 60 "$WINE" "$EXE" '/?' </dev/null >"$E2E_TMP/out" 2>"$E2E_TMP/err"
status=$?
check "/?: the usage on standard output and status 0" sh -c "test $status = 0 && grep -q '^Usage: zelmaro' '$E2E_TMP/out'"

set_dpi() {
  timeout -k 5 20 "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  timeout -k 5 20 "$WINE" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
# scaled EDGE DPI: an edge of the 96-dpi layout at DPI (halves up), as the program places it.
scaled() { echo $((($1 * $2 * 2 + 96) / 192)); }
near() { local d=$(($1 - $2)); [ "${d#-}" -le "$3" ]; }
opened() { [ -n "$(window_visible | head -1)" ]; }
hidden() { [ -z "$(window_visible)" ]; }
docked() { tray_shot && [ -n "$(icon_map | tr -d '.\n')" ]; }
# The docked icon in the last tray screenshot: "WxH columns C rows R others N", where W x H is
# the box of its black frame, C the widths of the black runs across the bars' bottom row, R
# those down the left bar, N the pixels inside the box that are neither black, green nor the
# tray behind.
icon_shape() {
  convert "$TRAY" -depth 8 txt:- | $PY -c '
import re, sys
px = {}
for line in sys.stdin:
    m = re.match(r"(\d+),(\d+):.*#([0-9A-Fa-f]{6})", line)
    if m: px[int(m[1]), int(m[2])] = m[3].upper()
black = [p for p, c in px.items() if c == "000000"]
if not black: sys.exit("no icon")
x0, x1 = min(x for x, _ in black), max(x for x, _ in black)
y0, y1 = min(y for _, y in black), max(y for _, y in black)
def runs(cells):
    out, n = [], 0
    for c in cells + ["end"]:
        if c == "000000": n += 1
        elif n: out.append(str(n)); n = 0
    return ",".join(out)
row = [px[x, y1 - 1] for x in range(x0, x1 + 1)]
col = [px[x0 + (x1 - x0 + 1) // 4, y] for y in range(y0, y1 + 1)]
others = sum(1 for x in range(x0, x1 + 1) for y in range(y0, y1 + 1)
             if px[x, y] not in ("000000", "00FF00", "404040", "DCDAD5"))
print("%dx%d columns %s rows %s others %d" % (x1 - x0 + 1, y1 - y0 + 1, runs(row), runs(col), others))'
}
client_at() { xwininfo -id "$1" | sed -n 's/.*Absolute upper-left X: *//p; s/.*Absolute upper-left Y: *//p' | tr '\n' ' '; }

for DPI in ${DPIS:-96 120 144 192}; do
  echo "== $DPI dpi"
  set_dpi "$DPI"
  PLACES=$E2E_TMP/places-$DPI
  timeout -k 5 60 $PY "$HERE/place_watch.py" "$WINDOW_TITLE" 40 >"$PLACES" &
  track $!
  wine_app "$ST"
  check "the icon docks" wait_for 40 docked
  if [ "$DPI" = 96 ]; then
    check "96 dpi: the picture test_icon_menu.sh expects, pixel for pixel" wait_for 10 icon_is 30 70 g
  fi
  lines_kept() { tray_shot && SHAPE=$(icon_shape) && echo "$SHAPE" | grep -Eq '^([0-9]+)x\1 columns 1,1,1 rows 1,1 others 0$'; }
  wait_for 10 lines_kept
  cp "$TRAY" "$SHOTS/tray-$DPI.png"
  check "the docked icon ($SHAPE): one-pixel lines, no blended pixel" lines_kept
  # The start shows the window once while it draws the graphs' grid, then hides it.
  wait_for 20 test -s "$PLACES"
  wait_for 10 hidden
  sleep 0.5  # the start's first tick and reset
  # On a loaded machine a double-click can fall within the start: one more try.
  open_by_icon() { xdotool mousemove 10 12 click --repeat 2 --delay 100 1; wait_for 10 opened; }
  open_once_more() { open_by_icon || open_by_icon; }
  check "a double-click on the icon opens the window" open_once_more
  W=$(window_visible | head -1)
  if [ -n "$W" ]; then
    sleep 1.2  # a couple of ticks: the graphs have moved on
    read -r X Y < <(client_at "$W")
    eval "$(xdotool getwindowgeometry --shell "$W")"
    ew=$((432 * DPI / 96)) eh=$((191 * DPI / 96))
    check "client area ${WIDTH}x$HEIGHT is 432 x 191 at $DPI dpi (${ew}x$eh)" \
      sh -c "$(declare -f near); near $WIDTH $ew 3 && near $HEIGHT $eh 3"
    # Each place seen since the start is the client's where it opens, or, for the moment before
    # the window manager frames it, the frame's corner there.
    read -r fl fr ft fb < <(xprop -id "$W" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    elsewhere=$(awk -v x="$X" -v y="$Y" -v l="$fl" -v t="$ft" '{ dx = x - $1; dy = y - $2
      if (dx < -1 || dx > l + 1 || dy < -1 || dy > t + 1) print }' "$PLACES" | tr '\n' ';')
    check "seen since the start only where it opens, $X,$Y ($(wc -l <"$PLACES") place(s); ${elsewhere:-none else})" \
      sh -c "test -s '$PLACES' && test -z '$elsewhere'"
    P=$(probe)
    echo "$P" | sed 's/^/       /'
    check "every label's text fits its label ($(echo "$P" | grep -c '^label .* fits ') of 8)" \
      sh -c "test \"\$(echo '$P' | grep -c '^label .* fits ')\" = 8"
    PNG=$SHOTS/window-$DPI.png
    import -display "$DISPLAY" -window "$W" "$PNG"
    # The graphs: every pixel from the left strip to the right one is black, green, teal (the
    # grid, the strips) or cyan (the strips' digits); along row 2 of each graph (the strips'
    # teal, no grid, no line) the teal of the left strip, the black graph and the right strip's
    # teal follow each other at the scaled edges.
    for i in 0 1; do
      top=$((76 + 56 * i))
      gx=$(scaled 10 "$DPI") gy=$(scaled "$top" "$DPI") gw=$(($(scaled 422 "$DPI") - $(scaled 10 "$DPI")))
      gh=$(($(scaled $((top + 50)) "$DPI") - gy))
      others=$(convert "$PNG" -crop "${gw}x$gh+$gx+$gy" +repage txt:- | awk 'NR > 1 { print toupper($3) }' |
        grep -cvE '^#(000000|00FF00|008080|00FFFF)')
      check "graph $i: only the program's colours ($others other pixels)" test "$others" = 0
      row=$(scaled $((top + 2)) "$DPI")
      runs=$(convert "$PNG" -crop "${gw}x1+$gx+$row" +repage txt:- | awk 'NR > 1 { c = toupper($3)
          if (c != last) { if (n) printf "%s:%d ", last, n; last = c; n = 0 } n++ }
        END { printf "%s:%d\n", last, n }')
      want="#008080:$(($(scaled 17 "$DPI") - gx)) #000000:$(($(scaled 415 "$DPI") - $(scaled 17 "$DPI"))) #008080:$(($(scaled 422 "$DPI") - $(scaled 415 "$DPI")))"
      check "graph $i: strip, $((398 * DPI / 96)) black columns, strip ($runs)" test "$runs" = "$want"
    done
    if [ "$DPI" = 192 ]; then
      # Enter presses the focused button: the clock, counting, starts again from 00:00:00.
      clock() { probe | awk '$9 ~ /^[0-9][0-9]:[0-9][0-9]:[0-9][0-9]$/ { print $9 }'; }
      counted() { [ "$(clock)" \> 00:00:02 ]; }
      wait_for 10 counted
      before=$(clock)
      timeout 5 xdotool windowfocus --sync "$W" 2>/dev/null
      xdotool key Return
      after=$(clock)
      check "Enter on the focused \"Reset Avg\" resets the clock ($before, then $after)" \
        test -n "$after" -a "$after" \< "$before"
    fi
    timeout 5 xdotool windowfocus --sync "$W" 2>/dev/null
    xdotool key Escape
    check "Esc hides the window" wait_for 10 hidden
    going_on() { ! ended; }
    check "the program goes on" going_on
  fi
  timeout -k 5 30 "$WINE" taskkill /im zelmaro.exe >/dev/null 2>&1
  check "the program ends" wait_for 20 ended
done
set_dpi 96
e2e_end
