// The probe as an extension of a shell before 45 (imports.* modules).
const { Clutter, GLib } = imports.gi;
const Main = imports.ui.main;
const PopupMenu = imports.ui.popupMenu;

// @PROBE@

function init() {
    return { enable: enableProbe, disable: disableProbe };
}
