# /proc/stat turned oversized (10 MB, 70 MB) or endless (/dev/zero) under the running program,
# then normal again: no reading is taken from it, the program runs on, and its resident memory
# comes back to within 4 MB of where it was.
source "$(dirname "$0")/lib.sh"
e2e_begin
[ "$(id -u)" = 0 ] || { echo "  skipped: needs root for a private mount namespace"; exit 0; }
start_watcher
start_stat 30 60
start_app
check "item registers" wait_for 15 item_registered
rss() { awk '/VmRSS/ {print $2}' "/proc/$APP_PID/status"; }
# Over the program's own /proc/stat, in its mount namespace. The cover goes lazily: a tick may
# be reading it at that moment, and the path names the real file again at once all the same.
cover() { nsenter -m -t "$APP_PID" mount --bind "$1" /proc/stat; }
uncover() { nsenter -m -t "$APP_PID" umount -l /proc/stat; }
$PY - "$E2E_TMP" <<'PYEOF'
import sys
for name, mb in (("stat10", 10), ("stat70", 70)):
    with open(sys.argv[1] + "/" + name, "w") as f:
        f.write("cpu  1 1 1 1\ncpu0 1 0 0 1\ncpu1 1 0 0 1\nintr " + "7 " * (mb * 512 * 1024) + "\n")
PYEOF
sleep 2
before=$(rss)
report=""
for source in "$E2E_TMP/stat10" /dev/zero "$E2E_TMP/stat70"; do
  cover "$source"
  sleep 3
  report="$report $(basename "$source"): $(rss) kB;"
  uncover
done
icons=$(new_icon_count)
set_usage 90 10
check "ticks go on once the file is normal again" wait_for 5 sh -c "test \$(grep -c '^NewIcon' $E2E_TMP/watcher.log) -gt $icons"
wait_for 10 sh -c "test \$(awk '/VmRSS/ {print \$2}' /proc/$APP_PID/status) -le $((before + 4096))"
after=$(rss)
echo "  resident ${before} kB before; during${report} ${after} kB $((WAITED_MS / 1000)) s after"
check "memory back within 4 MB" test "$after" -le $((before + 4096))
check "program still runs" app_running
e2e_end
