# On a StatusNotifierItem host: the item registers with the composed 32x32 picture of known
# readings, offers crisp scaled pictures, opens the window once on a burst of activations and
# sends no NewIcon while the picture stays the same.
source "$(dirname "$0")/lib.sh"
e2e_begin
start_wm
start_watcher
start_stat 30 70
start_app
check "item registers with the watcher" wait_for 15 item_registered
D=$E2E_TMP
# The picture once ticks have drawn the fixed readings (the left bar below 30 %, the right one
# up to 70 %).
drawn() {
  $WATCHER icon "$D/i32.txt" 32 && test "$(icon_pixel "$D/i32.txt" 25 15)" = ff00ff00 &&
    test "$(icon_pixel "$D/i32.txt" 5 5)" = 00000000
}
wait_for 5 drawn
check "frame is black" test "$(icon_pixel "$D/i32.txt" 0 0)" = ff000000
check "left bar coloured at the bottom" test "$(icon_pixel "$D/i32.txt" 5 29)" = ff00ff00
check "left bar empty above 30 %" test "$(icon_pixel "$D/i32.txt" 5 5)" = 00000000
check "right bar coloured at 70 %" test "$(icon_pixel "$D/i32.txt" 25 15)" = ff00ff00
check "column 17 transparent" test "$(icon_pixel "$D/i32.txt" 17 29)" = 00000000
check "all tray sizes offered" test "$($WATCHER sizes)" = "16x16 22x22 24x24 32x32 44x44"
for s in 16 22 24 44; do
  $WATCHER icon "$D/i$s.txt" "$s"
  check "size $s has only the picture's colours" test "$(icon_colours "$D/i$s.txt")" = "00000000 ff000000 ff00ff00"
done
check "tooltip is the fixed text" sh -c "$WATCHER prop ToolTip | grep -q 'Zelmaro by Quenlark'"
check "item is no menu-only item" test "$($WATCHER prop ItemIsMenu)" = 0

before=$(new_icon_count)
sleep 2
check "no NewIcon while the picture is unchanged" test "$(new_icon_count)" = "$before"
set_usage 90 10
check "NewIcon when the readings change" wait_for 3 sh -c "test \$(grep -c '^NewIcon' '$E2E_TMP/watcher.log') -gt $before"

check "window hidden at start" test "$(window_visible | wc -l)" = 0
$WATCHER activate 25
check "a burst of activations opens the window" wait_for 3 window_visible
sleep 0.5
check "one window, program alive" sh -c "test \$(xdotool search --onlyvisible --name '$WINDOW_TITLE' | wc -l) = 1 && kill -0 $APP_PID"
e2e_end
