/* Test rig only. Lets the end-to-end tests use the shell's D-Bus Eval and Screenshot calls
 * (which the shell allows only in its unsafe mode), and gives them a few helpers: real pointer
 * input through a virtual device, where the tray items sit, and the state of an item's menu.
 * The body of the probe: gnome.sh puts it into esm.js (shells from 45 on) or legacy.js (older
 * shells), which bind Clutter, GLib, Main and PopupMenu and call enableProbe and disableProbe. */

let pointer = null;

function now() { return GLib.get_monotonic_time(); }

// Moves the pointer to (x, y) and presses and releases the button, count times.
function click(x, y, button, count) {
    if (!pointer)
        pointer = (global.stage.context?.get_backend?.() ?? Clutter.get_default_backend()).get_default_seat()
            .create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE);
    pointer.notify_absolute_motion(now(), x, y);
    for (let i = 0; i < (count || 1); i++) {
        pointer.notify_button(now(), button, Clutter.ButtonState.PRESSED);
        pointer.notify_button(now(), button, Clutter.ButtonState.RELEASED);
    }
    return true;
}

// The panel's tray items (the AppIndicator extension's), as "id x y w h" lines.
function items() {
    return Object.values(Main.panel.statusArea)
        .filter(i => i && i._indicator && i._indicator.id !== undefined)
        .map(i => {
            const [x, y] = i.get_transformed_position();
            const [w, h] = i.get_transformed_size();
            return [i._indicator.id, Math.round(x), Math.round(y), Math.round(w), Math.round(h)].join(' ');
        }).join('\n');
}

function item(id) {
    return Object.values(Main.panel.statusArea).find(i => i && i._indicator && i._indicator.id === id);
}

// The item's menu entries as "label:mark" lines (mark: check, dot or none), with the entry's
// centre on the screen.
function menu(id) {
    const it = item(id);
    if (!it)
        return '';
    return it.menu._getMenuItems().map(m => {
        const label = m.label ? m.label.get_text() : '-';
        const mark = m._ornament === PopupMenu.Ornament.CHECK ? 'check'
            : m._ornament === PopupMenu.Ornament.DOT ? 'dot' : 'none';
        const [x, y] = m.get_transformed_position();
        const [w, h] = m.get_transformed_size();
        return `${label}:${mark}:${Math.round(x + w / 2)}:${Math.round(y + h / 2)}:${m.visible && it.menu.isOpen}`;
    }).join('\n');
}

function windows() {
    const actors = global.compositor?.get_window_actors?.() ?? global.get_window_actors();
    return actors.map(a => a.meta_window.get_title()).join('\n');
}

function enableProbe() {
    global.context.unsafe_mode = true;
    global.e2e = { click, items, menu, windows };
}

function disableProbe() {
    delete global.e2e;
}
