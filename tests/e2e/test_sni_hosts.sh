# Hosts that come late, restart or go away: the item follows the StatusNotifierWatcher, and
# falls back to an XEmbed tray when the watcher goes away.
source "$(dirname "$0")/lib.sh"
e2e_begin
start_app
sleep 1.5
check "runs without any tray host" app_running
start_watcher
check "registers once a watcher starts late" wait_for 15 item_registered
echo "       registered ${WAITED_MS:-?} ms after the watcher"
stop_watcher
start_watcher
check "registers again after a watcher restart" wait_for 15 item_registered
echo "       back ${WAITED_MS:-?} ms after the restart"
start_trayer
check "not docked in the XEmbed tray while the host runs" sh -c "sleep 0.5; ! xdotool search --onlyvisible --name '^$ICON_NAME\$'"
stop_watcher
check "moves to the XEmbed tray when the watcher goes" wait_for 15 icon_docked
start_watcher
check "back on the watcher when it returns" wait_for 15 item_registered
check "and undocked from the XEmbed tray" wait_for 15 sh -c "! xdotool search --onlyvisible --name '^$ICON_NAME\$'"
stop_watcher
start_watcher --no-host
# The program gives a new watcher's host a few seconds to register: watched for longer.
docked_unregistered() { icon_docked >/dev/null && ! item_registered; }
stays_docked() { local end=$((SECONDS + 6)); while [ $SECONDS -lt $end ]; do docked_unregistered || return 1; sleep 0.5; done; }
check "a watcher without a host leaves the icon in the XEmbed tray" stays_docked
e2e_end
