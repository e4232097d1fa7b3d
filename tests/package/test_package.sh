#!/bin/bash
# The Debian package as users get it: lintian reports no error or warning; its files sit where
# desktops look (menu entry, icons at every size, AppStream metadata, manual page, documents),
# each valid and of one version; `cmake --install` lays out the same files under any prefix
# and DESTDIR; and the program unpacked from the package, started by its menu entry's Exec
# line as a desktop does, docks in a tray, while a second start shows the single-instance
# message and ends with status 1. In a real desktop menu (LXQt's panel), the entry shows with
# its icon, starts the program, and a second start from there shows the message.
# Usage: tests/package/test_package.sh PACKAGE.deb [BUILD_DIR]
source "$(dirname "$0")/../e2e/lib.sh"
DEB=$(realpath "$1")
BUILD=${2:-$(dirname "$DEB")}
e2e_begin
ROOTFS=$E2E_TMP/root
dpkg-deb -x "$DEB" "$ROOTFS"
SHARE=$ROOTFS/usr/share
field() { dpkg-deb -f "$DEB" "$1"; }

echo "-- package"
lintian --fail-on error,warning "$DEB" >"$E2E_TMP/lintian.log" 2>&1; status=$?
grep -v 'running with root privileges' "$E2E_TMP/lintian.log" | sed 's/^/       /'
check "lintian: no errors or warnings" test "$status" = 0
check "section utils, priority optional" test "$(field Section)/$(field Priority)" = utils/optional
check "Depends from the shared libraries, and the display plugins" \
  sh -c "dpkg-deb -f '$DEB' Depends | grep -q 'libqt6widgets6' && dpkg-deb -f '$DEB' Depends | grep -q 'qt6-qpa-plugins' && dpkg-deb -f '$DEB' Depends | grep -q 'libc6'"
check "a short and a long description" test "$(field Description | wc -l)" -ge 4
check "every file under /usr" test -z "$(dpkg-deb -c "$DEB" | awk '{print $6}' | grep -v '^\./usr/' | grep -vx '\./')"
check "no maintainer scripts to leave anything behind" \
  test -z "$(dpkg-deb -I "$DEB" | grep -E '^ +[0-9]+ bytes.*(pre|post)(inst|rm)')"

echo "-- installed files"
DESKTOP=$SHARE/applications/zelmaro.desktop
METAINFO=$(ls "$SHARE"/metainfo/*.metainfo.xml)
MAN=$SHARE/man/man1/zelmaro.1.gz
check "program" test -x "$ROOTFS/usr/bin/zelmaro"
check "menu entry passes desktop-file-validate" desktop-file-validate "$DESKTOP"
check "menu entry among the system monitors" grep -qx 'Categories=System;Monitor;' "$DESKTOP"
check "AppStream metadata passes appstreamcli validate --no-net" appstreamcli validate --no-net "$METAINFO"
check "metadata names the menu entry" grep -q '<launchable type="desktop-id">zelmaro.desktop</launchable>' "$METAINFO"
MANWIDTH=80 man --warnings -l "$MAN" >"$E2E_TMP/man.txt" 2>"$E2E_TMP/man.err"
check "manual page renders without warnings" test ! -s "$E2E_TMP/man.err" -a -s "$E2E_TMP/man.txt"
check "copyright and change log" test -s "$SHARE/doc/zelmaro/copyright" -a -s "$SHARE/doc/zelmaro/changelog.gz"
for size in 16 22 24 32 48 64 128 256; do
  png=$SHARE/icons/hicolor/${size}x$size/apps/zelmaro.png
  check "icon ${size}x$size" test "$(identify -format '%wx%h' "$png" 2>/dev/null)" = "${size}x$size"
done
check "scalable icon" grep -q '<svg' "$SHARE/icons/hicolor/scalable/apps/zelmaro.svg"
# The committed icons are what the icon script draws (pixel for pixel: compressors may differ).
$PY "$ROOT/scripts/make-app-icons.py" "$E2E_TMP/icons"
same_icons() {
  local f
  for f in $(cd "$E2E_TMP/icons" && find hicolor -name '*.png'); do
    [ "$(compare -metric AE "$E2E_TMP/icons/$f" "$SHARE/icons/$f" null: 2>&1)" = 0 ] || return 1
  done
  cmp -s "$E2E_TMP/icons/hicolor/scalable/apps/zelmaro.svg" "$SHARE/icons/hicolor/scalable/apps/zelmaro.svg" &&
    test "$(cd "$E2E_TMP/icons" && find hicolor -type f | sort)" = "$(cd "$SHARE/icons" && find hicolor -type f | sort)"
}
check "icons are the ones the icon script draws" same_icons
version=$("$ROOTFS/usr/bin/zelmaro" --version | awk '{print $2}')
check "one version ($version): package, metadata, manual page, change log" sh -c "
  test '$(field Version)' = '$version' &&
  grep -q '<release version=\"$version\"' '$METAINFO' &&
  zcat '$MAN' | grep -q '^\.TH ZELMARO 1 .*\"Zelmaro $version\"' &&
  zcat '$SHARE/doc/zelmaro/changelog.gz' | head -1 | grep -q '^zelmaro ($version)'"

echo "-- cmake --install"
if [ -f "$BUILD/cmake_install.cmake" ]; then
  DESTDIR=$E2E_TMP/destdir cmake --install "$BUILD" --prefix /opt/zelmaro >/dev/null
  (cd "$E2E_TMP/destdir/opt/zelmaro" && find . -type f | sort) >"$E2E_TMP/installed.txt"
  (cd "$ROOTFS/usr" && find . -type f | sort) >"$E2E_TMP/packaged.txt"
  check "the same files under DESTDIR and another prefix" diff "$E2E_TMP/installed.txt" "$E2E_TMP/packaged.txt"
else
  echo "       (no build directory beside the package: skipped)"
fi

echo "-- the installed program"
# Answers the message box titled "Zelmaro" with Return, as a user's keyboard does (the
# window focused, the key from the keyboard, not sent to the window).
press_ok() {
  local B
  B=$(xdotool search --onlyvisible --name '^Zelmaro$' | head -1)
  [ -n "$B" ] || return 1
  xdotool windowfocus --sync "$B" key Return
}
export PATH=$ROOTFS/usr/bin:$PATH XDG_DATA_DIRS=$SHARE:/usr/share
start_stat 40 80
start_trayer
start_entry "$DESKTOP" || exit 1
check "started from the menu entry, it docks in the tray" wait_for 10 icon_docked
# The same file (compared as a file: its path reads differently from the program's own mount
# namespace when the tests run in a chroot).
check "it is the installed program" test "/proc/$APP_PID/exe" -ef "$ROOTFS/usr/bin/zelmaro"
FIRST=$APP_PID FIRST_LAUNCHER=$LAUNCHER_PID
W=$(icon_docked | head -1)
eval "$(xdotool getwindowgeometry --shell "$W")"
# Once a tick has drawn the readings: frame, bars and the tray showing through.
three_colours() {
  shot "$E2E_TMP/icon.png" "$X" "$Y" "$WIDTH" "$HEIGHT" &&
    colours=$(convert "$E2E_TMP/icon.png" -unique-colors txt:- | grep -c '^[0-9]') && [ "$colours" -eq 3 ]
}
check "the docked icon shows frame, bars and tray" wait_for 3 three_colours
echo "       $colours colours"
start_entry "$DESKTOP" || exit 1
check "a second start from the menu shows the single-instance message" \
  wait_for 10 xdotool search --onlyvisible --name '^Zelmaro$'
shot "$E2E_TMP/second.png" 0 0 1024 768
press_ok
wait_for 10 sh -c "! kill -0 $APP_PID"
wait "$LAUNCHER_PID"; status=$?
check "and that second start ends with status 1" test "$status" = 1
check "the first one runs on, docked" sh -c "kill -0 $FIRST && xdotool search --onlyvisible --name '^$ICON_NAME\$' >/dev/null"
stop_pid "$FIRST"
wait "$FIRST_LAUNCHER"; status=$?
check "SIGTERM ends it with status 0" test "$status" = 0
stop_trayer

echo "-- in a desktop's application menu (LXQt's panel under openbox)"
start_wm
mkdir -p "$XDG_CONFIG_HOME/lxqt"
cat >"$XDG_CONFIG_HOME/lxqt/panel.conf" <<'CONF'
[General]
__userfile__=true
panels=panel1

[panel1]
plugins=mainmenu,statusnotifier
position=Bottom
desktop=0
alignment=-1
width=100
width-percent=true
hidable=false
background-color=#c8c8c8
opacity=100

[mainmenu]
type=mainmenu
alignment=Left

[statusnotifier]
type=statusnotifier
alignment=Right
CONF
# The programs the panel starts read the fake /proc/stat too (as root: the panel runs with it
# mounted over the real one), so the icon shows the readings 40 and 80.
panel=(env XDG_MENU_PREFIX=lxqt- XDG_CURRENT_DESKTOP=LXQt lxqt-panel)
if [ "$(id -u)" = 0 ]; then
  unshare -m sh -c 'mount --bind "$0" /proc/stat && exec "$@"' "$STAT" "${panel[@]}" >"$E2E_TMP/panel.log" 2>&1 &
else
  "${panel[@]}" >"$E2E_TMP/panel.log" 2>&1 &
fi
track $!
wait_for 20 xdotool search --onlyvisible --class '^lxqt-panel$' || { echo "lxqt-panel did not start"; exit 1; }
sleep 2  # the panel reads the menus
eval "$(xdotool getdisplaygeometry --shell)"
# Pixels of a screenshot that are plainly green (the icon's bars, also when the menu tints the
# selected item's icon with its highlight colour).
count_green() { convert "$1" -fx 'g > 0.6 && r < 0.4 && b < 0.45' -format '%[fx:int(mean * w * h + 0.5)]' info:; }
# listed NAME: a screenshot of the open menu (NAME.png) shows the entry's icon.
listed() { shot "$E2E_TMP/$1.png" 0 $((HEIGHT - 300)) 400 260 && [ "$(count_green "$E2E_TMP/$1.png")" -ge 20 ]; }
# The installed programs of this test's package that run now (started by the panel, not by us).
ours() {
  local p
  for p in $(pgrep -x zelmaro); do [ "/proc/$p/exe" -ef "$ROOTFS/usr/bin/zelmaro" ] && echo "$p"; done
}
# The panel's menu is open: a second window of the panel's.
menu_open() { test "$(xdotool search --onlyvisible --class '^lxqt-panel$' | wc -l)" -ge 2; }
menu_closed() { ! menu_open; }
# Opens the panel's menu (a click on its button, bottom left), searches for the program,
# keeps a screenshot of the menu as NAME.png and starts the one result.
from_menu() {
  local try
  for try in 1 2; do
    xdotool mousemove 15 $((HEIGHT - 10)) click 1
    wait_for 20 menu_open && break  # a busy panel may take its time
  done
  sleep 0.5
  xdotool key ctrl+a  # the search field keeps the last search: type over it
  xdotool type --delay 100 zelmaro
  wait_for 5 listed "$1"  # the search has found the entry
  xdotool mousemove 60 $((HEIGHT - 75)) click 1  # the one result, above the search field
  wait_for 5 menu_closed
}
from_menu menu
green=$(count_green "$E2E_TMP/menu.png")
check "the menu lists Zelmaro with its icon ($green green pixels)" test "$green" -ge 20
started_from_menu() { test -n "$(ours)"; }
check "chosen there, it starts" wait_for 10 started_from_menu
MENU_FIRST=$(ours | head -1)
[ -n "$MENU_FIRST" ] && track "$MENU_FIRST"
panel_green() { shot "$E2E_TMP/panel.png" $((WIDTH - 200)) $((HEIGHT - 40)) 200 40 && test "$(count_green "$E2E_TMP/panel.png")" -ge 20; }
check "and its icon shows in the panel" wait_for 10 panel_green
from_menu menu-again
check "started again from the menu, it shows the single-instance message" \
  wait_for 10 xdotool search --onlyvisible --name '^Zelmaro$'
SECOND=$(ours | grep -vx "$MENU_FIRST" | head -1)
press_ok
check "and that second copy ends" wait_for 10 sh -c "test -n '$SECOND' && ! kill -0 '$SECOND'"
check "the first one runs on" kill -0 "$MENU_FIRST"
stop_pid "$MENU_FIRST"
e2e_end
