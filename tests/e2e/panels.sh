# Real desktop panels for the end-to-end tests, each on the test's private display and bus:
# openbox as the window manager, XFCE's panel and LXQt's panel with their notification areas,
# and what the tests read off a panel screenshot. Source after lib.sh.

PANEL_ICON="$PY $E2E_DIR/panel_icon.py"
PANEL_H=${PANEL_H:-26}
PANEL_Y=${PANEL_Y:-0}  # the panel's top edge on the screen

start_openbox() {
  openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
  track $!
  wait_for 10 sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window" || { echo "openbox did not start"; exit 1; }
}

# run_panel SECONDS READY COMMAND...: starts a panel (its output in panel.log) as PANEL_PID and
# waits until the command line READY succeeds; a panel that never gets there ends the test.
run_panel() {
  local limit=$1 ready=$2; shift 2
  "$@" >>"$E2E_TMP/panel.log" 2>&1 &
  PANEL_PID=$!
  track $PANEL_PID
  # shellcheck disable=SC2086  # READY is a command line
  wait_for "$limit" $ready || { echo "$* did not start"; tail -20 "$E2E_TMP/panel.log"; exit 1; }
}

# xfce4-panel with one top panel that holds the notification area (tests/e2e/xfce_panel.xml).
start_xfce_panel() {
  local dir=$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml
  mkdir -p "$dir"
  [ -f "$dir/xfce4-panel.xml" ] || cp "$E2E_DIR/xfce_panel.xml" "$dir/xfce4-panel.xml"
  run_panel 40 "xdotool search --onlyvisible --class ^Xfce4-panel$" xfce4-panel
}

# lxqt-panel with one top panel that holds the status notifier (tests/e2e/lxqt_panel.conf).
start_lxqt_panel() {
  mkdir -p "$XDG_CONFIG_HOME/lxqt"
  [ -f "$XDG_CONFIG_HOME/lxqt/panel.conf" ] || cp "$E2E_DIR/lxqt_panel.conf" "$XDG_CONFIG_HOME/lxqt/panel.conf"
  run_panel 40 "xdotool search --onlyvisible --class ^lxqt-panel$" lxqt-panel
}
# KDE Plasma's desktop shell with its default layout: one bottom panel whose system tray shows
# StatusNotifierItems. The watcher is a module of KDE's service daemon (kded6 with Plasma 6,
# kded5 with Plasma 5), which a Plasma session loads at login; here it is loaded by hand once.
start_plasma_panel() {
  local kded=kded6
  command -v kded6 >/dev/null || kded=kded5
  if ! gdbus call --session --dest org.kde.StatusNotifierWatcher --object-path /StatusNotifierWatcher \
      --method org.freedesktop.DBus.Peer.Ping >/dev/null 2>&1; then
    QT_QPA_PLATFORM=xcb $kded >>"$E2E_TMP/kded.log" 2>&1 &
    track $!
    wait_for 20 gdbus call --session --dest "org.kde.$kded" --object-path /kded \
      --method "org.kde.$kded.loadModule" statusnotifierwatcher || { echo "KDE's service daemon ($kded) did not start"; exit 1; }
  fi
  run_panel 40 plasma_panel_shown env QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1 XDG_CURRENT_DESKTOP=KDE \
    KDE_FULL_SESSION=true plasmashell --no-respawn
}
# The panel: a shell window as wide as the screen along its bottom edge (Plasma 6 lets it float
# a few pixels above the edge in a taller window); where it is goes to PANEL_Y and PANEL_H.
plasma_panel_shown() {
  local w g_X g_Y g_WIDTH g_HEIGHT
  for w in $(xdotool search --onlyvisible --class '^plasmashell$' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w" | sed -n 's/^\(X\|Y\|WIDTH\|HEIGHT\)=/g_\1=/p')"
    if [ "$g_WIDTH" = "${SCREEN_W:-1024}" ] && [ "$g_HEIGHT" -lt 100 ] && [ $((g_Y + g_HEIGHT)) = "${SCREEN_H:-768}" ]; then
      PANEL_Y=$g_Y PANEL_H=$g_HEIGHT
      return 0
    fi
  done
  return 1
}
stop_panel() { stop_pid "$PANEL_PID"; }

# panel_icon [NAME]: screenshot of the panel (kept as NAME.png) and what panel_icon.py reads
# off it: "size WxH bars L R colours N crisp YES|NO at X Y", or "none".
panel_icon() {
  local png=$E2E_TMP/${1:-panel}.png
  shot "$png" 0 "$PANEL_Y" "${SCREEN_W:-$(xdotool getdisplaygeometry | cut -d' ' -f1)}" "$PANEL_H" && $PANEL_ICON "$png"
}
icon_shown() { panel_icon "$@" | grep -q '^size'; }
icon_gone() { panel_icon "$@" | grep -q '^none'; }
# The icon's centre on the screen, as "X Y".
icon_centre() { panel_icon | awk -v top="$PANEL_Y" '$1 == "size" { split($2, s, "x"); print $11 + int(s[1] / 2), top + $12 + int(s[2] / 2) }'; }
# bars_near L R: the bars show L and R percent, give or take 10.
bars_near() {
  panel_icon bars | awk -v l="$1" -v r="$2" '$1 == "size" { d1 = $4 - l; d2 = $5 - r
    exit !(d1 <= 10 && d1 >= -10 && d2 <= 10 && d2 >= -10) } $1 != "size" { exit 1 }'
}
# The bar colour of the icon in the panel, as hex RRGGBB.
icon_colour() { panel_icon colour | awk '$1 == "size" { print $14 }'; }
# checked_in SHOT X Y: whether the check box drawn around (X, Y) of a menu screenshot holds a
# mark (dark pixels inside the box, not only its border).
checked_in() {
  local dark
  dark=$(convert "$1" -crop "9x9+$(($2 - 4))+$(($3 - 4))" +repage -colorspace gray -threshold 50% \
    -format "%[fx:int(w*h*(1-mean)+0.5)]" info:)
  [ "$dark" -ge 10 ]
}

# The checks every StatusNotifierItem panel gets, with the program started under readings of
# 30 and 70 percent: icon, crispness, readings, the click, the panel's menu and its check
# marks, a panel restart, Exit. Arguments: the panel's start function, its icon size, and the
# window class of the panel's menus (the menu and its entries are found on the screen).
panel_sni_checks() {
  local start=$1 px=$2
  local size l r n crisp status
  MENU_CLASS=$3
  check "the icon appears in the panel" wait_for 15 icon_shown
  check "the bars show the readings (30 and 70)" wait_for 5 bars_near 30 70
  read -r _ size _ l r _ n _ crisp _ < <(panel_icon sni)
  echo "       $size, bars $l% $r%, $n colours"
  check "drawn at the panel's $px pixels" test "$size" = "${px}x$px"
  check "crisp: only frame, bar and panel colours" test "$crisp" = YES
  set_usage 80 10
  check "and follow them (80 and 10)" wait_for 5 bars_near 80 10

  read -r IX IY < <(icon_centre)
  xdotool mousemove "$IX" "$IY" click 1
  check "a click opens the window" wait_for 5 window_visible
  close_window

  # The menu is read off the screen once it shows the expected mark (a loaded machine may take
  # a while to draw it); the other row is read off that same picture.
  xdotool mousemove "$IX" "$IY" click 3
  check "the panel's menu shows Green checked" wait_for 5 menu_checked Green
  check "and Red not" not checked_in "$E2E_TMP/menu.png" "$box_x" "$(menu_row Red)"
  xdotool mousemove $((box_x + 40)) "$(menu_row Red)" click 1
  check "choosing Red there makes the bars red" wait_for 5 bars_red
  xdotool mousemove "$IX" "$IY" click 3
  check "the check mark moves to Red" wait_for 5 menu_checked Red
  check "and leaves Green" not checked_in "$E2E_TMP/menu.png" "$box_x" "$(menu_row Green)"
  xdotool key Escape
  wait_for 5 not locate_menu

  stop_panel
  check "the icon goes with the panel" wait_for 5 icon_gone
  $start
  check "and comes back when the panel restarts" wait_for 15 icon_shown
  read -r _ size _ _ _ _ _ _ crisp _ < <(panel_icon sni-again)
  check "as crisp ($size)" test "$crisp" = YES

  read -r IX IY < <(icon_centre)
  xdotool mousemove "$IX" "$IY" click 3
  wait_for 5 menu_checked Red
  xdotool mousemove $((box_x + 40)) "$(menu_row "Exit Zelmaro")" click 1
  check "Exit from the panel's menu ends the program" wait_for 5 sh -c "! kill -0 $APP_PID"
  wait "$APP_PID"; status=$?
  check "with status 0" test "$status" = 0
  check "and removes the item" wait_for 5 icon_gone
}
not() { ! "$@"; }
# The open menu, wherever the panel put it: a visible window of the panel's (class MENU_CLASS)
# of a menu's size. A screenshot of it ($E2E_TMP/menu.png) gives its entries (menu_rows.py):
# box_x, the check boxes' column, and MENU_ROWS, the entries' centres from the top.
locate_menu() {
  local w g_X g_Y g_WIDTH g_HEIGHT rows
  for w in $(xdotool search --onlyvisible --class "$MENU_CLASS" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w" | sed -n 's/^\(X\|Y\|WIDTH\|HEIGHT\)=/g_\1=/p')"
    [ "$g_WIDTH" -lt 500 ] && [ "$g_HEIGHT" -gt 150 ] && [ "$g_HEIGHT" -lt 600 ] || continue
    shot "$E2E_TMP/menu.png" 0 0 "${SCREEN_W:-1024}" "${SCREEN_H:-768}" || return 1
    read -r box_x rows <<<"$($PY "$E2E_DIR/menu_rows.py" "$E2E_TMP/menu.png" "$g_X" "$g_Y" "$g_WIDTH" "$g_HEIGHT")"
    read -r -a MENU_ROWS <<<"$rows"
    [ "${#MENU_ROWS[@]}" = "${#MENU_ENTRIES[@]}" ] && return 0
  done
  return 1
}
# The program's menu, top to bottom (the separators aside).
MENU_ENTRIES=("Tray Icon Color" Blue Cyan Green Purple Red White Yellow "Show Usage" "Exit Zelmaro")
# menu_row ENTRY: the y of that entry of the menu last located.
menu_row() {
  local i
  for i in "${!MENU_ENTRIES[@]}"; do [ "${MENU_ENTRIES[i]}" = "$1" ] && echo "${MENU_ROWS[i]}"; done
}
# menu_checked ENTRY: the open menu shows a mark in the check box of that entry.
menu_checked() { locate_menu && checked_in "$E2E_TMP/menu.png" "$box_x" "$(menu_row "$1")"; }
bars_red() { [ "$(icon_colour)" = FF0000 ]; }
# Closes the program's window as its close button does, and waits until it has gone.
close_window() {
  local w
  w=$(window_visible | head -1)
  [ -n "$w" ] || return 0
  xdotool windowclose "$w" 2>/dev/null || true
  wait_for 5 not window_visible
}
