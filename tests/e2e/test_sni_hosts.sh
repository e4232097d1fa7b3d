# Hosts that come late, restart or go away: the item follows the StatusNotifierWatcher, and
# falls back to an XEmbed tray when the watcher goes away.
source "$(dirname "$0")/lib.sh"
e2e_begin
start_app
sleep 1.5
check "runs without any tray host" app_running
start_watcher
check "registers once a watcher starts late" wait_for 3 item_registered
echo "       registered ${WAITED_MS:-?} ms after the watcher"
stop_watcher
start_watcher
check "registers again within a second of a watcher restart" wait_for 1 item_registered
echo "       back ${WAITED_MS:-?} ms after the restart"
start_trayer
check "not docked in the XEmbed tray while the host runs" sh -c "sleep 0.5; ! xdotool search --onlyvisible --name '^$ICON_NAME\$'"
stop_watcher
check "moves to the XEmbed tray when the watcher goes" wait_for 2 icon_docked
start_watcher
check "back on the watcher when it returns" wait_for 2 item_registered
check "and undocked from the XEmbed tray" wait_for 2 sh -c "! xdotool search --onlyvisible --name '^$ICON_NAME\$'"
stop_watcher
start_watcher --no-host
check "a watcher without a host leaves the icon in the XEmbed tray" sh -c \
  "sleep 1; xdotool search --onlyvisible --name '^$ICON_NAME\$' >/dev/null && ! $WATCHER items | grep -q ."
e2e_end
