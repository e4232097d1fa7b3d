# While no window is shown the program lets go of the graphs' scratch copies and of the memory
# that drawing used, and keeps the graphs compactly. The window it shows after such a spell reads
# the same, pixel for pixel, as the one shown before: the button, the headings, the "Current
# Usage" panel and the usage labels (constant readings keep them the same; the clock is left
# out). So does the one shown after a second spell. Shown again after a long spell, its graphs
# carry on from where they were, with no gap. Its private dirty memory after the second spell is
# that after the first: repeated openings leave nothing behind.
source "$(dirname "$0")/lib.sh"
e2e_begin
start_wm
start_watcher
start_stat 40 70
W=""
open_and_shoot() {  # OUT.png
  $WATCHER activate
  wait_for 5 window_visible || { check "window opens" false; return 1; }
  sleep 1.2  # the next tick writes the current and average labels
  W=$(window_visible | head -1)
  import -display "$DISPLAY" -window "$W" "$1"
}
window_hidden() { ! window_visible; }
private_dirty_kb() { awk '/^Private_Dirty:/ { print $2 }' "/proc/$APP_PID/smaps_rollup"; }
hide() { xdotool windowminimize "$W"; wait_for 5 window_hidden; }
# Regions "WxH+X+Y" of the client area that stay the same under constant readings.
REGIONS="81x33+176+21 69x13+318+9 432x15+0+30 432x14+0+48"
same_text() {  # A.png B.png
  local r n
  for r in $REGIONS; do
    n=$(compare -metric AE -crop "$r" "$1" "$2" null: 2>&1) || true
    [ "$n" = 0 ] || { echo "       region $r: $n pixels differ"; return 1; }
  done
}

# Pages of a freshly built program file not yet written to disk count as the program's private
# dirty memory (some 560 kB for a Release build): write them out first, as overhead.sh does.
sync "$ZELMARO_BIN"
start_app
wait_for 15 item_registered
# The first check for a hidden window comes 5 s after start: this opening comes before it.
open_and_shoot "$E2E_TMP/before.png"
hide
sleep 12  # hidden through two checks: memory let go, graphs set aside
spell1=$(private_dirty_kb)
open_and_shoot "$E2E_TMP/after.png"
check "text after an idle spell is pixel for pixel the text before it" same_text "$E2E_TMP/before.png" "$E2E_TMP/after.png"
hide
sleep 12
spell2=$(private_dirty_kb)
open_and_shoot "$E2E_TMP/again.png"
[ -n "${ZELMARO_SHOTS:-}" ] && cp "$E2E_TMP"/before.png "$E2E_TMP"/after.png "$E2E_TMP"/again.png "$ZELMARO_SHOTS/"
check "and after a second idle spell" same_text "$E2E_TMP/before.png" "$E2E_TMP/again.png"
# The graphs (405 x 50 at 10,76 and 10,132): their newest columns hold the lines of the
# readings queued while hidden, 40 % at row 30 and 70 % at row 15, in the graphs' green. A grid
# mark may cover the newest column, never two side by side.
green() { test "$(convert "$E2E_TMP/again.png" -format "%[pixel:p{$1,$2}]" info:)" = "srgb(0,255,0)"; }
newest_green() { green 410 "$1" || green 409 "$1"; }
lines_drawn() { newest_green 106 && newest_green 147; }
check "graphs carry on with the readings of the idle spell" lines_drawn
# A few pages of the allocator's rounding may differ; an opening's fonts, pictures or widgets
# left behind would be far more.
echo "  private dirty memory hidden: ${spell1} kB after the first spell, ${spell2} kB after the second"
check "memory after the second spell is that after the first" test "$spell2" -le $((spell1 + 128))
check "program alive" app_running
stop_app
stop_watcher
e2e_end
