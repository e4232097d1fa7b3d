# The window as it opens from the tray after the program has sampled hidden for a while:
# centred, graphs holding the recent readings under their fixed scale strips, the button and
# the grid in their places. Checked from a screenshot of the real window.
source "$(dirname "$0")/lib.sh"
e2e_begin
start_wm
start_watcher
start_stat 36 72  # rows 32 and 14 of the graphs: clear of the grid rows (every 5th)
start_app
check "item registers" wait_for 15 item_registered
sleep 3  # ticks while hidden keep the graphs scrolling
$WATCHER activate
check "window opens" wait_for 3 window_visible
W=$(window_visible | head -1)
eval "$(xdotool getwindowgeometry --shell "$W")"
check "client area 432 x 191" test "${WIDTH}x${HEIGHT}" = 432x191
# Centred as framed by the window manager: the frame's outer box, from the client's place on
# the screen and the frame extents (left, right, top, bottom).
read -r L R T B <<<"$(xprop -id "$W" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,)"
CX=$(xwininfo -id "$W" | sed -n 's/.*Absolute upper-left X: *//p')
CY=$(xwininfo -id "$W" | sed -n 's/.*Absolute upper-left Y: *//p')
FX=$((CX - L)) FY=$((CY - T)) FW=$((432 + L + R)) FH=$((191 + T + B))
echo "       frame at $FX,$FY size ${FW}x$FH"
check "frame centred on the 1024 x 768 screen" test $((2 * FX - (1024 - FW))) -ge -1 -a $((2 * FX - (1024 - FW))) -le 1 \
  -a $((2 * FY - (768 - FH))) -ge -1 -a $((2 * FY - (768 - FH))) -le 1
PNG=$E2E_TMP/window.png
px() { convert "$PNG" -format '%[hex:p{'"$1,$2"'}]' info: | cut -c1-6; }
# The window once painted: its button face stands out from the window around it.
painted() { import -display "$DISPLAY" -window "$W" "$PNG" && [ "$(px 216 23)" != "$(px 216 18)" ]; }
wait_for 5 painted
[ -n "${ZELMARO_DOCS:-}" ] && cp "$PNG" "$ZELMARO_DOCS/window.png"
# Graph 0 at (10, 76), graph 1 at (10, 132), 405 x 50 each.
# Newest point at column 403 (x 413); one column per tick, so points from before the window
# opened stand further left.
check "graph 0 shows 36 % on row 32" test "$(px 413 108)" = 00FF00
check "graph 1 shows 72 % on row 14" test "$(px 413 146)" = 00FF00
check "graph 0 background black" test "$(px 300 98)" = 000000
# The 50 % grid row (row 25) right of the strip: 2-pixel teal dashes every 6 pixels.
teal=$(convert "$PNG" -crop 398x1+17+101 +repage txt:- | grep -ci '#008080')
check "dashed grid row, 2 of every 6 pixels ($teal of 398)" test "$teal" -ge 128 -a "$teal" -le 136
check "points sampled while hidden scrolled left" test "$(px 410 108)" = 00FF00
check "left scale strip over graph 0" test "$(px 10 77)" = 008080
check "left strip's digits" test "$(px 10 79)" = 00FFFF
check "right scale strip beside graph 1" test "$(px 420 133)" = 008080
check "no hidden surface visible below the graphs" test "$(px 100 188)" = "$(px 100 186)"
check "button face differs from the window around it" test "$(px 216 23)" != "$(px 216 18)"
e2e_end
