# LXQt's panel (lxqt-panel, statusnotifier plugin) as users run it: icon, readings, click, the
# panel's own menu with check marks, a panel restart, Exit.
source "$(dirname "$0")/lib.sh"
source "$E2E_DIR/panels.sh"
PANEL_H=32
e2e_begin
start_openbox
start_lxqt_panel
start_stat 30 70
start_app
panel_sni_checks start_lxqt_panel 22 "^lxqt-panel$"
e2e_end
