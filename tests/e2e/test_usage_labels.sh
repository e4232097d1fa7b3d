# The usage labels as users read them, from screenshots of the real window under openbox:
# under de_DE.UTF-8 they read "52,00 %" where the C locale reads "52.00 %" (the same text but
# for the decimal mark), and all four show "100.00 %" whole at the window's fixed size.
source "$(dirname "$0")/lib.sh"
e2e_begin
start_wm
start_watcher
start_stat 52 52
# Value labels: x from, width of the box searched, at rows 48 to 60 (cpu0avg, cpu1avg,
# Label6, Label5; Label5 reaches the window's right edge).
BOXES="18:80 104:66 290:80 372:60"

# open_and_shoot LOCALE OUT.png: runs the program in LOCALE, opens the window after a few
# ticks and takes its screenshot.
open_and_shoot() {
  LC_ALL=$1 LANG=$1 start_app
  wait_for 15 item_registered
  sleep 2.2  # averages over a few ticks of constant readings
  $WATCHER activate
  if ! wait_for 5 window_visible; then
    check "window opens ($1)" false
    exit 1
  fi
  sleep 1.2  # the next tick writes current and average labels
  W=$(window_visible | head -1)
  import -display "$DISPLAY" -window "$W" "$2"
  stop_app
  wait_for 5 sh -c "! kill -0 $APP_PID"
}
BG=""
# text_box PNG X W: "width left" of the text inside a label's box (left relative to X, plus
# one for the border added around the box).
text_box() {
  convert "$1" -crop "$3x13+$2+48" +repage -bordercolor "$BG" -border 1 -fuzz 8% -trim \
    -format '%w %X' info: | sed 's/+//'
}
open_and_shoot C "$E2E_TMP/c.png"
open_and_shoot de_DE.UTF-8 "$E2E_TMP/de.png"
[ -n "${ZELMARO_SHOTS:-}" ] && cp "$E2E_TMP"/c.png "$E2E_TMP"/de.png "$ZELMARO_SHOTS/"
BG=$(convert "$E2E_TMP/c.png" -format '%[pixel:p{2,60}]' info:)
for box in $BOXES; do
  x=${box%:*} w=${box#*:}
  c=$(text_box "$E2E_TMP/c.png" "$x" "$w") de=$(text_box "$E2E_TMP/de.png" "$x" "$w")
  # The two texts differ only in a mark a few pixels wide, in the same place.
  diff=$(convert "$E2E_TMP/c.png" "$E2E_TMP/de.png" -crop "${w}x13+$x+48" +repage \
    -compose difference -composite -threshold 10% -bordercolor black -border 1 -trim -format '%w' info:)
  check "label at x $x: same text width in C and de_DE ($c / $de)" test "${c% *}" = "${de% *}" -a "${c% *}" -ge 30
  check "label at x $x: only the decimal mark differs ($diff px wide)" test "$diff" -ge 1 -a "$diff" -le 4
done

# 100 %: the texts of all four labels are equally wide, the rightmost one included, in the
# default sans-serif font Debian installs (DejaVu Sans) and in those of the common desktops
# (Cantarell for GNOME, Liberation Sans). FONT_DIR adds fonts from elsewhere; FONTS is the
# comma-separated list.
# use_font FAMILY: a private fontconfig set-up that prefers FAMILY for sans-serif.
use_font() {
  local conf=$E2E_TMP/fonts-$RANDOM.conf
  cat >"$conf" <<XML
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  ${FONT_DIR:+<dir>$FONT_DIR</dir>}
  <match target="pattern"><test name="family"><string>sans-serif</string></test>
    <edit name="family" mode="prepend_first" binding="strong"><string>$1</string></edit></match>
  <match target="pattern"><test name="family"><string>Sans Serif</string></test>
    <edit name="family" mode="prepend_first" binding="strong"><string>$1</string></edit></match>
  <cachedir>$E2E_TMP/fontcache</cachedir>
</fontconfig>
XML
  export FONTCONFIG_FILE=$conf
}
set_usage 100 100
IFS=, read -ra font_list <<<"${FONTS:-DejaVu Sans,Cantarell,Liberation Sans}"
for font in "${font_list[@]}"; do
  use_font "$font"
  got=$(fc-match -f '%{family[0]}' sans-serif)
  check "sans-serif is $font" test "$got" = "$font"
  png=$E2E_TMP/full-${font// /_}.png
  open_and_shoot C "$png"
  [ -n "${ZELMARO_SHOTS:-}" ] && cp "$png" "$ZELMARO_SHOTS/"
  first=""
  for box in $BOXES; do
    x=${box%:*} w=${box#*:}
    t=$(text_box "$png" "$x" "$w")
    [ -z "$first" ] && first=${t% *}
    check "$font: \"100.00 %\" whole in the label at x $x ($t)" test "${t% *}" = "$first" -a "$first" -ge 40
  done
  last=$(text_box "$png" 372 60)
  right=$((372 + ${last#* } - 1 + ${last% *} - 1))
  check "$font: rightmost label ends before the window's last column ($right of 431)" test "$right" -le 430
done
unset FONTCONFIG_FILE
e2e_end
