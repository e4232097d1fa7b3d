# Started where no display can be opened, the program says so in one line on standard error
# and exits with status 1, instead of aborting inside the toolkit. Each line is true to the
# environment, and a missing platform plugin is named with the package that holds it.
source "$(dirname "$0")/lib.sh"
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
export XDG_RUNTIME_DIR=$tmp XDG_CONFIG_HOME=$tmp

# run NAME ENV...: runs the program with the given environment changes; sets status and err.
run() {
  local name=$1; shift
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "${BIN:-$ZELMARO_BIN}" >"$tmp/out" 2>"$tmp/err"
  status=$?
  err=$(cat "$tmp/err")
  check "$name: status 1" test "$status" = 1
  check "$name: one line on stderr" test "$(wc -l <"$tmp/err")" = 1
  check "$name: nothing on stdout" test ! -s "$tmp/out"
  echo "       $err"
}
says() { grep -qF -- "$1" "$tmp/err"; }
never_says() { ! grep -qF -- "$1" "$tmp/err"; }

run "no display named"
check "no display named: names both variables" says "DISPLAY and WAYLAND_DISPLAY are not set"

run "unreachable display" DISPLAY=:4321
check "unreachable display: says it cannot open it" says "cannot open the display"

# A Wayland socket that exists (nobody listens: the toolkit never gets that far).
$PY -c 'import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' "$tmp/wayland-7"

run "X11 asked for in a Wayland session" QT_QPA_PLATFORM=xcb WAYLAND_DISPLAY=wayland-7
check "X11 asked for: DISPLAY is not set" says "DISPLAY is not set"
check "X11 asked for: never claims WAYLAND_DISPLAY is unset" never_says "WAYLAND_DISPLAY are not set"
check "X11 asked for: never claims WAYLAND_DISPLAY is unset (2)" never_says "WAYLAND_DISPLAY is not set"
check "X11 asked for: points at QT_QPA_PLATFORM" says "unset QT_QPA_PLATFORM"

run "Wayland asked for in an X11 session" QT_QPA_PLATFORM=wayland DISPLAY=:4321
check "Wayland asked for: WAYLAND_DISPLAY is not set" says "WAYLAND_DISPLAY is not set"
check "Wayland asked for: never claims DISPLAY is unset" never_says "DISPLAY and"

run "stale WAYLAND_DISPLAY" WAYLAND_DISPLAY=wayland-9
check "stale WAYLAND_DISPLAY: names the missing socket" says "WAYLAND_DISPLAY (wayland-9) names no socket"

# A toolkit whose plugin folder lacks the Wayland plugin (qt6-wayland not installed): a copy
# of the program with a qt.conf that points the toolkit at a plugin folder of X11 alone.
qtplugins=$(dirname "$(ls /usr/lib/*/qt6/plugins/platforms/libqxcb.so | head -1)")
mkdir -p "$tmp/app" "$tmp/plugins/platforms"
cp "$ZELMARO_BIN" "$tmp/app/zelmaro"
ln -s "$qtplugins/libqxcb.so" "$tmp/plugins/platforms/libqxcb.so"
printf '[Paths]\nPlugins=%s\n' "$tmp/plugins" >"$tmp/app/qt.conf"
BIN=$tmp/app/zelmaro run "Wayland session without the Wayland plugin" WAYLAND_DISPLAY=wayland-7
check "no Wayland plugin: names the package" says "install the package qt6-wayland"
check "no Wayland plugin: not sent to a desktop session" never_says "run it in a desktop session"
check "no settings written" test ! -e "$tmp/Quenlark.ini"
e2e_end
