# The exported menu: the items with their check marks and the heading; choosing "Red" there
# recolours the icon. ContextMenu opens the program's own menu once.
source "$(dirname "$0")/lib.sh"
e2e_begin
start_wm
start_watcher
start_stat 50 50
start_app
check "item registers" wait_for 15 item_registered
M=$E2E_TMP/menu.txt
wait_for 5 sh -c "$WATCHER menu 2>/dev/null | grep -qP '\tGreen\t'"
$WATCHER menu >"$M" 2>&1
cat "$M" | sed 's/^/       /'
check "heading kept as disabled text" grep -qP '\tTray Icon Color\tstandard\tdisabled\t' "$M"
check "Green is checked" grep -qP '\tGreen\tstandard\tenabled\t1$' "$M"
check "Red is unchecked" grep -qP '\tRed\tstandard\tenabled\t0$' "$M"
check "separators exported" grep -qP '\t\tseparator\t' "$M"
for item in Blue Cyan Purple White Yellow "Show Usage"; do
  check "has $item" grep -qP "\t$item\t" "$M"
done
$WATCHER click Red
check "Red becomes checked" wait_for 2 sh -c "$WATCHER menu 2>/dev/null | grep -qP '\tRed\tstandard\tenabled\t1\$'"
check "icon bars turn red within a tick" wait_for 2 sh -c \
  "$WATCHER icon '$E2E_TMP/r.txt' 32 && test \$(awk 'NR==30 {print \$6}' '$E2E_TMP/r.txt') = ffff0000"
check "Green unchecked" sh -c "$WATCHER menu 2>/dev/null | grep -qP '\tGreen\tstandard\tenabled\t0\$'"

before=$(visible_app_windows)
$WATCHER contextmenu
check "ContextMenu opens a menu" wait_for 2 sh -c "test \$(xdotool search --onlyvisible --classname zelmaro | wc -l) -gt $before"
sleep 0.3
$WATCHER contextmenu  # while the menu is open: ignored, not a second menu
sleep 0.5
check "only one menu open" test "$(visible_app_windows)" = $((before + 1))
xdotool key Escape
check "menu closes" wait_for 2 sh -c "test \$(xdotool search --onlyvisible --classname zelmaro | wc -l) = $before"
check "program alive" app_running
e2e_end
