# Another client of the session bus, careless or hostile: requests the item and its menu must
# refuse get an error reply at once (no caller waits out its timeout, nothing on stderr); floods
# of 10,000 requests a second for 10 s leave the ticks on time, the program answering, a host
# that reads the pictures (or, during a flood of menu reads, the menu) meanwhile getting them on
# every read, and the program's resident memory back within 10 MB of where it was within 10 s
# of the flood's end. The program's processor time during each flood is printed.
source "$(dirname "$0")/lib.sh"
e2e_begin
start_watcher
start_stat 30 60
start_app
check "item registers" wait_for 15 item_registered
ABUSE="$PY $E2E_DIR/bus_abuse.py"
rss() { awk '/VmRSS/ {print $2}' "/proc/$APP_PID/status"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$APP_PID/stat"; }  # user + system, in clock ticks

$ABUSE bad-requests >"$E2E_TMP/bad.txt" 2>&1; status=$?
sed 's/^/  | /' "$E2E_TMP/bad.txt"
check "every bad request is answered" test "$status" = 0
check "bad requests print nothing on stderr" test ! -s "$E2E_TMP/app.log"

# The usage changes every half second, so that every tick gives the tray a new icon.
( end=$((SECONDS + 100)); while [ $SECONDS -lt $end ]; do
    set_usage 10 90; sleep 0.5; set_usage 90 10; sleep 0.5; done ) &
track $!
sleep 2

# flood KIND [menu]: 10 s at 10,000 requests a second, with the figures printed; meanwhile
# another host reads the pictures (menu: the menu's layout).
flood() {
  local kind=$1 what=${2:-pictures} before icons0 icons1 at_end after ping cpu0 cpu1 t0 t1 reads nreads npictures
  before=$(rss); icons0=$(new_icon_count); cpu0=$(cpu_ticks); t0=$(date +%s%N)
  $ABUSE flood "$kind" 10 10000 >"$E2E_TMP/flood.txt" 2>&1 &
  local fl=$!
  sleep 1
  # A host reading four times a second while the flood goes on.
  $ABUSE reads 8 0.25 "$what" >"$E2E_TMP/reads.txt" 2>&1 &
  local rd=$!
  sleep 4
  ping=$($ABUSE ping 2>/dev/null)
  wait $fl
  cpu1=$(cpu_ticks); t1=$(date +%s%N)
  wait $rd
  reads=$(tail -1 "$E2E_TMP/reads.txt")
  icons1=$(new_icon_count); at_end=$(rss)
  wait_for 10 sh -c "test \$(awk '/VmRSS/ {print \$2}' /proc/$APP_PID/status) -le $((before + 10240))"
  after=$(rss)
  echo "  $kind: $(cat "$E2E_TMP/flood.txt"); a Get mid-flood took ${ping:-no answer} ms;" \
       "new icons during the flood $((icons1 - icons0)) (20 ticks);" \
       "resident ${before} kB before, ${at_end} kB at the end, ${after} kB $((WAITED_MS / 1000)) s later;" \
       "processor $(((cpu1 - cpu0) * 100000000000 / $(getconf CLK_TCK) / (t1 - t0)))% of one core;" \
       "another host's reads: $reads"
  check "$kind: answered during the flood" test -n "$ping"
  read -r nreads _ npictures _ <<<"$reads"
  check "$kind: another host's reads all got the $what" test "${nreads:-0}" -gt 0 -a "$nreads" = "$npictures"
  check "$kind: ticks went on during the flood" test $((icons1 - icons0)) -ge 10
  check "$kind: memory back within 10 MB within 10 s" test "$after" -le $((before + 10240))
}
flood pixmap
flood getall
flood layout menu
flood clicked
check "the flooded colour was applied and stored" wait_for 3 grep -qx 'Color=4' "$XDG_CONFIG_HOME/Quenlark.ini"
check "program still runs" app_running
e2e_end
