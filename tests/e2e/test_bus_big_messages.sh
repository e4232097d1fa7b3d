# Large messages and floods from another client of the session bus: a few 12-20 MB messages, and
# 10 s at 10,000 a second of menu layout requests, activations and context-menu requests leave
# the program answering and its resident memory back within 10 MB of where it was within 10 s.
source "$(dirname "$0")/lib.sh"
e2e_begin
start_wm
start_watcher
start_stat 30 60
start_app
check "item registers" wait_for 15 item_registered
ABUSE="$PY $E2E_DIR/bus_abuse.py"
rss() { awk '/VmRSS/ {print $2}' "/proc/$APP_PID/status"; }
sleep 2

for run in "big 3 2" "bigids 3 1" "layout 10 10000" "activate 10 10000" "contextmenu 10 10000"; do
  set -- $run
  before=$(rss)
  $ABUSE flood "$1" "$2" "$3" >"$E2E_TMP/flood.txt" 2>&1
  at_end=$(rss)
  ping=$($ABUSE ping 2>/dev/null)
  wait_for 10 sh -c "test \$(awk '/VmRSS/ {print \$2}' /proc/$APP_PID/status) -le $((before + 10240))"
  after=$(rss)
  echo "  $1: $(cat "$E2E_TMP/flood.txt"); resident ${before} kB before, ${at_end} kB at the end," \
       "${after} kB $((WAITED_MS / 1000)) s later; a Get afterwards took ${ping:-no answer} ms"
  check "$1: answered afterwards" test -n "$ping"
  check "$1: memory back within 10 MB within 10 s" test "$after" -le $((before + 10240))
done
check "program still runs" app_running
e2e_end
