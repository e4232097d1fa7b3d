# Started where no display can be opened, the program says so in one line on standard error
# and exits with status 1, instead of aborting inside the toolkit.
source "$(dirname "$0")/lib.sh"
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
export XDG_RUNTIME_DIR=$tmp XDG_CONFIG_HOME=$tmp
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$ZELMARO_BIN" >"$tmp/out" 2>"$tmp/err"; status=$?
check "no display named: status 1" test "$status" = 1
check "no display named: one line on stderr" test "$(wc -l <"$tmp/err")" = 1
check "no display named: nothing on stdout" test ! -s "$tmp/out"
cat "$tmp/err" | sed 's/^/       /'
env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:4321 "$ZELMARO_BIN" >"$tmp/out" 2>"$tmp/err"; status=$?
check "unreachable display: status 1" test "$status" = 1
check "unreachable display: one line on stderr" test "$(wc -l <"$tmp/err")" = 1
cat "$tmp/err" | sed 's/^/       /'
check "no settings written" test ! -e "$tmp/Quenlark.ini"
e2e_end
