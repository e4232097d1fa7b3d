#!/usr/bin/env bash
# The Windows installer and zelmaro.exe's command line as a user meets them, under Wine in a
# fresh prefix on a private X display with openbox and trayer: zelmaro-<version>-setup.exe
# installs silently for the user (program, uninstaller, Start menu entry, the uninstaller's
# entry among the apps, start at sign-in); the Start menu entry starts the installed program and
# its icon docks, its bars following a stand-in /proc/stat; --help, --version and an unknown
# option answer on the console; --autostart off and on remove and write the Run value; the
# uninstaller refuses while Zelmaro runs, and once it has ended, silently leaves no file or
# registry value of the installer's, the colour setting kept unless /REMOVESETTINGS; the setup's
# pages install, and its finish page starts the program, in the colour kept; /NOAUTOSTART; the
# portable zip holds the program and its text. Every wait is bounded; screenshots stay in the
# build folder.
# Usage: tests/windows/test_installer.sh BUILD_DIR   (as root, for the stand-in /proc/stat)
[ -n "${1:-}" ] && BUILD=$(cd "$1" && pwd)
BUILD=${BUILD:?usage: $0 BUILD_DIR}
export BUILD
source "$(cd "$(dirname "$0")" && pwd)/../e2e/lib.sh"
[ "$(id -u)" = 0 ] || { echo "needs root for the stand-in /proc/stat"; exit 1; }
SETUP=$(ls "$BUILD"/zelmaro-*-setup.exe 2>/dev/null | head -1)
[ -f "$SETUP" ] || { echo "no installer in $BUILD"; exit 1; }
VERSION=$(basename "$SETUP" | sed 's/^zelmaro-\(.*\)-setup\.exe$/\1/')
PORTABLE=$BUILD/zelmaro-$VERSION-portable.zip
SHOTS=$BUILD/test-installer
mkdir -p "$SHOTS"

export WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe,winedbg.exe=d"
WINE=/usr/lib/wine/wine64
[ -x "$WINE" ] || WINE=wine
w() { timeout -k 5 60 "$WINE" "$@" </dev/null; }

e2e_begin
# A fresh prefix every run (about 10 s), so that what the installer leaves is plain to see.
export WINEPREFIX=$E2E_TMP/prefix
trap 'timeout -k 5 30 wineserver -k >/dev/null 2>&1; e2e_cleanup' EXIT
timeout -k 5 120 wineboot -i >/dev/null 2>&1
# The prefix's first server saves it and ends; then one that stays for every command below.
timeout -k 5 60 wineserver -w
timeout -k 5 60 wineserver -p

USERDIR=$WINEPREFIX/drive_c/users/$(id -un)
INSTDIR=$USERDIR/AppData/Local/Programs/Zelmaro
LINK="$USERDIR/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Zelmaro.lnk"
WIN_INSTDIR="C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Zelmaro"
UNINST_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelmaro'
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
SETTINGS_KEY='HKCU\Software\Quenlark\Zelmaro_Set'

# reg_value KEY NAME: the value's data as reg.exe shows it (nothing when there is none).
reg_value() { w reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { $1 = ""; $2 = ""; sub(/^  /, ""); print }'; }
no_value() { ! w reg query "$1" /v "$2" >/dev/null 2>&1; }
no_key() { ! w reg query "$1" >/dev/null 2>&1; }
# What the prefix holds that could be the installer's: the users' files (but for the temporary
# folders), and the user's registry keys and values that name the program or its publisher, one
# line each ("key" or "key: value line" of reg.exe's export).
snapshot() {
  (cd "$WINEPREFIX/drive_c" && find users ! -path 'users/*/Temp/*' | sort) >"$E2E_TMP/files-$1"
  w reg export HKCU "C:\\hkcu-$1.reg" /y >/dev/null 2>&1
  iconv -f UTF-16LE -t UTF-8 "$WINEPREFIX/drive_c/hkcu-$1.reg" | tr -d '\r' | $PY -c 'import re, sys
key = None
for line in sys.stdin.read().splitlines():
    if line.startswith("["):
        key = line.strip("[]")
        if re.search("zelmaro|quenlark", key, re.I): print(key)
    elif line and key and re.search("zelmaro|quenlark", key + line, re.I):
        print(key + ": " + line)' >"$E2E_TMP/reg-$1"
}
# Files the temporary folders hold that a restart will not delete (the system's list of pending
# deletions, PendingFileRenameOperations).
kept_temp_files() {
  local pending
  pending=$(w reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations 2>/dev/null | tr -d '\r')
  (cd "$WINEPREFIX/drive_c" && find users -path 'users/*/Temp/*' -type f) | while read -r f; do
    win=$(echo "C:/$f" | tr / '\\')
    grep -qiF "$win" <<<"$pending" || echo "$f"
  done
}
new_files() { comm -13 "$E2E_TMP/files-before" "$E2E_TMP/files-$1"; }
snapshot before

echo "== silent install"
w "$SETUP" /S
check "setup.exe /S ends with status 0" test $? = 0
check "the program is installed under the user's local programs folder" \
  cmp -s "$INSTDIR/zelmaro.exe" "$BUILD/package/zelmaro.exe"
check "with its uninstaller" test -f "$INSTDIR/uninstall.exe"
check "a Start menu entry" test -f "$LINK"
# The shortcut's target and its icon: the installed program, in the link's ANSI and UTF-16 text.
link_names() {
  $PY - "$LINK" "$WIN_INSTDIR\\zelmaro.exe" <<'PYEOF'
import sys
data, path = open(sys.argv[1], "rb").read(), sys.argv[2]
sys.exit(0 if path.encode() in data and data.count(path.encode("utf-16-le")) >= 1 else 1)
PYEOF
}
check "the entry starts the installed program and shows its icon" link_names
expect_value() {  # expect_value KEY NAME DATA
  local got
  got=$(reg_value "$1" "$2")
  check "$2 = $3${got:+ }$([ "$got" = "$3" ] || echo "(is '$got')")" test "$got" = "$3"
}
expect_value "$UNINST_KEY" DisplayName Zelmaro
expect_value "$UNINST_KEY" DisplayVersion "$VERSION"
expect_value "$UNINST_KEY" Publisher Quenlark
expect_value "$UNINST_KEY" DisplayIcon "$WIN_INSTDIR\\zelmaro.exe,0"
expect_value "$UNINST_KEY" UninstallString "\"$WIN_INSTDIR\\uninstall.exe\""
expect_value "$UNINST_KEY" QuietUninstallString "\"$WIN_INSTDIR\\uninstall.exe\" /S"
expect_value "$UNINST_KEY" NoModify 0x1
expect_value "$UNINST_KEY" NoRepair 0x1
size=$(($(reg_value "$UNINST_KEY" EstimatedSize)))
files_kb=$(($(cat "$INSTDIR"/*.exe | wc -c) / 1024))
check "EstimatedSize is the files' size ($size KB, files $files_kb KB)" test "$size" -ge "$files_kb" -a "$size" -le $((files_kb + 8))
expect_value "$RUN_KEY" Zelmaro "\"$WIN_INSTDIR\\zelmaro.exe\""

echo "== the command line (installed program)"
EXE="$WIN_INSTDIR\\zelmaro.exe"
w "$EXE" --version >"$E2E_TMP/out" 2>"$E2E_TMP/err"
status=$?
check "--version: 'zelmaro $VERSION' and status 0" \
  sh -c "test $status = 0 && test \"\$(tr -d '\r' <'$E2E_TMP/out')\" = 'zelmaro $VERSION'"
w "$EXE" --help >"$E2E_TMP/out" 2>"$E2E_TMP/err"
status=$?
check "--help: the usage on standard output and status 0" sh -c "test $status = 0 && grep -q '^Usage: zelmaro' '$E2E_TMP/out'"
w "$EXE" --bogus >"$E2E_TMP/out" 2>"$E2E_TMP/err"
status=$?
check "an unknown option: status 2, the fault and the usage on standard error" \
  sh -c "test $status = 2 && grep -q \"unknown option '--bogus'\" '$E2E_TMP/err' && grep -q '^Usage: zelmaro' '$E2E_TMP/err' && ! test -s '$E2E_TMP/out'"
# From a command prompt on a terminal, started the way that gives it no standard handles
# (start /wait): the program joins the prompt's console.
console() {
  timeout -k 5 60 script -qec "$WINE cmd /c start /wait \"$EXE\" $1 \& echo status %errorlevel%" /dev/null </dev/null |
    $PY -c 'import re, sys
text = sys.stdin.read()  # the console draws spaces as cursor moves
text = re.sub(r"\x1b\[(\d*)C", lambda m: " " * int(m.group(1) or 1), text)
sys.stdout.write(re.sub(r"\x1b\[[0-9;?]*[a-zA-Z]", "", text).replace("\r", ""))'
}
console --version >"$E2E_TMP/console"
check "--version in a command prompt's console, status 0" \
  sh -c "grep -qx 'zelmaro $VERSION' '$E2E_TMP/console' && grep -qx 'status 0' '$E2E_TMP/console'"
console --bogus >"$E2E_TMP/console"
check "an unknown option in a command prompt's console, status 2" \
  sh -c "grep -q '^Usage: zelmaro' '$E2E_TMP/console' && grep -qx 'status 2' '$E2E_TMP/console'"

echo "== start at sign-in from the command line"
w "$EXE" --autostart off >"$E2E_TMP/out" 2>&1
status=$?
check "--autostart off: status 0, the Run value removed" sh -c "test $status = 0 && grep -q '^Autostart off: removed' '$E2E_TMP/out'"
check "no Run value" no_value "$RUN_KEY" Zelmaro
w "$EXE" --autostart on >"$E2E_TMP/out" 2>&1
status=$?
check "--autostart on: status 0" sh -c "test $status = 0 && grep -q '^Autostart on' '$E2E_TMP/out'"
expect_value "$RUN_KEY" Zelmaro "\"$WIN_INSTDIR\\zelmaro.exe\""

echo "== the Start menu entry starts Zelmaro; its icon docks"
start_wm
TRAY_HEIGHT=24 start_trayer
start_stat 20 80
# Through the shell, as a click on the entry does; start /wait lasts as long as the program.
timeout -k 5 240 unshare -m sh -c 'mount --bind "$0" /proc/stat && exec "$@"' "$STAT" \
  "$WINE" start /wait /unix "$LINK" >"$E2E_TMP/app.log" 2>&1 &
track $!
TRAY=$E2E_TMP/tray.png
bar_rows() {  # bar_rows BAR COLOUR: rows of the 16 x 16 icon's left (0) or right (1) bar in the
  # tray's first slot that show the colour
  convert "$TRAY" -crop 4x24+"$((5 + $1 * 8))"+0 +repage txt:- |
    awk -v c="#$2" '$0 ~ c { split($1, p, /[,:]/); rows[p[2]] = 1 } END { print length(rows) }'
}
docked() {  # docked [COLOUR]: the icon in the tray, its bars low (20 %) and high (80 %)
  shot "$TRAY" 0 0 24 24 || return 1
  local l r
  l=$(bar_rows 0 "${1:-00FF00}") r=$(bar_rows 1 "${1:-00FF00}")
  echo "left $l rows, right $r rows" >"$E2E_TMP/bars"
  [ "$l" -ge 1 ] && [ "$r" -ge $((l + 4)) ]
}
installed_running() { pgrep -f 'Programs.Zelmaro.zelmaro\.exe' >/dev/null; }
check "the installed program runs" wait_for 20 installed_running
check "its icon docks in the tray, the bars following the readings" wait_for 40 docked
echo "       $(cat "$E2E_TMP/bars")"
cp "$TRAY" "$SHOTS/tray.png"
shot "$SHOTS/screen-top.png" 0 0 200 24

echo "== uninstall while it runs, then after Exit"
# _?= runs the uninstaller in place, so its exit status is its own.
w "$INSTDIR/uninstall.exe" /S "_?=$WIN_INSTDIR"
status=$?
check "silent uninstall refuses while Zelmaro runs (status $status)" test "$status" = 2
check "and leaves it installed" test -f "$INSTDIR/zelmaro.exe" -a -f "$LINK"
# "Exit Zelmaro", the last entry of the icon's menu: keys reach a Wine popup menu only while
# its window has the X focus.
menu_window() { xdotool search --onlyvisible --classname zelmaro.exe 2>/dev/null | while read -r m; do
  eval "$(xdotool getwindowgeometry --shell "$m")"; [ "$WIDTH" -gt 40 ] && [ "$HEIGHT" -gt 100 ] && echo "$m"; done | head -1; }
menu_open() { [ -n "$(menu_window)" ]; }
exit_zelmaro() {
  local m
  xdotool mousemove 10 12 click 3
  wait_for 10 menu_open
  m=$(menu_window)
  [ -n "$m" ] && { timeout 5 xdotool windowfocus --sync "$m" 2>/dev/null; xdotool key Up Return; }
  check "Exit Zelmaro ends it" wait_for 15 sh -c '! pgrep -f "Programs.Zelmaro.zelmaro\.exe"'
}
exit_zelmaro
w reg add "$SETTINGS_KEY" /v Color /d 3 /f >/dev/null 2>&1  # the colour the user chose
w "$INSTDIR/uninstall.exe" /S
check "uninstall.exe /S ends with status 0" test $? = 0
# The uninstaller runs on from a copy in the temporary folder.
uninstalled() { [ ! -e "$INSTDIR" ] && no_key "$UNINST_KEY"; }
check "the program's folder and the Apps entry go" wait_for 20 uninstalled
snapshot after
check "no file of the installer's is left ($(new_files after | tr '\n' ' '))" test -z "$(new_files after)"
# The uninstaller cannot delete the copy of itself it runs from: it leaves it to the restart.
check "in the temporary folder, only what goes at the next restart ($(kept_temp_files | tr '\n' ' '))" \
  test -z "$(kept_temp_files)"
check "the Start menu entry goes" test ! -e "$LINK"
check "the Run value goes" no_value "$RUN_KEY" Zelmaro
check "the colour setting stays, and nothing else of the program's in the registry ($(tr '\n' ' ' <"$E2E_TMP/reg-after"))" \
  test "$(tr '\n' ' ' <"$E2E_TMP/reg-after")" = 'HKEY_CURRENT_USER\Software\Quenlark HKEY_CURRENT_USER\Software\Quenlark\Zelmaro_Set HKEY_CURRENT_USER\Software\Quenlark\Zelmaro_Set: "Color"="3" '

echo "== the setup's pages: Next, Install, Finish with \"Start Zelmaro now\""
# In the stand-in /proc/stat's namespace, which the program it starts inherits.
timeout -k 5 120 unshare -m sh -c 'mount --bind "$0" /proc/stat && exec "$@"' "$STAT" \
  "$WINE" "$SETUP" >"$E2E_TMP/setup.log" 2>&1 &
track $!
setup_window() {
  local s
  s=$(xdotool search --onlyvisible --name '^Zelmaro Setup' 2>/dev/null | head -1)
  [ -n "$s" ] && echo "$s"
}
check "the setup's window opens" wait_for 20 setup_window
S=$(setup_window)
# page N: the setup's window as it shows now, in $SHOTS/setup-N.png; a new page is one that
# differs from the last.
page() { import -display "$DISPLAY" -window "$S" "$SHOTS/setup-$1.png" 2>/dev/null; }
new_page() { page "$1" && [ "$(compare -metric AE "$SHOTS/setup-$1.png" "$SHOTS/setup-$(($1 - 1)).png" null: 2>&1 | cut -d' ' -f1)" != 0 ]; }
# The page drawn whole: two looks in a row alike.
settled() {
  import -display "$DISPLAY" -window "$S" "$E2E_TMP/look.png" 2>/dev/null &&
    { [ "$(compare -metric AE "$E2E_TMP/look.png" "$SHOTS/setup-$1.png" null: 2>&1 | cut -d' ' -f1)" = 0 ] ||
      { cp "$E2E_TMP/look.png" "$SHOTS/setup-$1.png"; false; }; }
}
press() { timeout 5 xdotool windowfocus --sync "$S" 2>/dev/null; xdotool key "$1"; }
if [ -n "$S" ]; then
  wait_for 5 page 1  # the components: the program, and start at sign-in (ticked)
  press Return
  check "Next: the folder's page" wait_for 10 new_page 2
  press Return
  check "Install puts the program in place" wait_for 20 test -f "$INSTDIR/zelmaro.exe"
  check "then the finish page" wait_for 10 new_page 3
  wait_for 10 new_page 4  # the installation's page may show before it
  wait_for 5 settled 4
  press Return
  check "Finish with \"Start Zelmaro now\" ticked starts the installed program" wait_for 20 installed_running
  check "the setup's window closes" wait_for 10 sh -c "! xdotool search --onlyvisible --name '^Zelmaro Setup'"
  expect_value "$RUN_KEY" Zelmaro "\"$WIN_INSTDIR\\zelmaro.exe\""
  check "its icon docks, in the colour kept from before the uninstall (purple)" wait_for 40 docked FE00FE
  cp "$TRAY" "$SHOTS/tray-after-setup.png"
  exit_zelmaro
fi

echo "== again, without start at sign-in; uninstalled with /REMOVESETTINGS"
w "$SETUP" /S /NOAUTOSTART
check "setup.exe /S /NOAUTOSTART ends with status 0" test $? = 0
check "installed" test -f "$INSTDIR/zelmaro.exe"
check "no Run value" no_value "$RUN_KEY" Zelmaro
w "$INSTDIR/uninstall.exe" /S /REMOVESETTINGS
check "uninstalled" wait_for 20 uninstalled
snapshot removed
check "no file left ($(new_files removed | tr '\n' ' '))" test -z "$(new_files removed)"
check "in the temporary folder, only what goes at the next restart ($(kept_temp_files | tr '\n' ' '))" test -z "$(kept_temp_files)"
check "no registry value of the program's left ($(tr '\n' ' ' <"$E2E_TMP/reg-removed"))" test ! -s "$E2E_TMP/reg-removed"

echo "== the portable zip"
unzip -Z1 "$PORTABLE" | sort >"$E2E_TMP/zip-list"
check "holds zelmaro.exe and README.txt" test "$(tr '\n' ' ' <"$E2E_TMP/zip-list")" = "README.txt zelmaro.exe "
unzip -p "$PORTABLE" README.txt >"$E2E_TMP/readme"
crlf_only() { [ "$(grep -c $'\r$' "$1")" = "$(wc -l <"$1")" ] && grep -q 'autostart on' "$1"; }
check "the text has CRLF line ends only" crlf_only "$E2E_TMP/readme"
unzip -p "$PORTABLE" zelmaro.exe >"$E2E_TMP/portable.exe"
check "its program is the installer's" cmp -s "$E2E_TMP/portable.exe" "$BUILD/package/zelmaro.exe"
e2e_end
