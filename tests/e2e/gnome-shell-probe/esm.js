// The probe as an extension of a shell from 45 on (an ECMAScript module).
import Clutter from 'gi://Clutter';
import GLib from 'gi://GLib';
import * as Main from 'resource:///org/gnome/shell/ui/main.js';
import * as PopupMenu from 'resource:///org/gnome/shell/ui/popupMenu.js';
import { Extension } from 'resource:///org/gnome/shell/extensions/extension.js';

// @PROBE@

export default class Probe extends Extension {
    enable() { enableProbe(); }
    disable() { disableProbe(); }
}
