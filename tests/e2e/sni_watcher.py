#!/usr/bin/python3
"""A small StatusNotifierWatcher and host for tests, and a client for the item it knows.

  sni_watcher.py serve [--no-host] [--fetch]
                                       own the watcher name (and register as a host); log
                                       "registered NAME", "unregistered NAME" and "NewIcon NAME"
                                       lines on stdout until killed; --fetch: read the item's
                                       IconPixmap on every NewIcon, as a host that shows it does
  sni_watcher.py items                 print the registered items, one a line
  sni_watcher.py wait-item SECONDS     wait until an item is registered (exit 1 on timeout)
  sni_watcher.py icon OUT [SIZE]       write the item's IconPixmap entry of SIZE (default 32)
                                       as a PNG (OUT ends in .png) or text (one hex row a line)
  sni_watcher.py sizes                 print the sizes the item offers
  sni_watcher.py prop NAME             print one item property
  sni_watcher.py activate [N] | contextmenu
  sni_watcher.py menu                  print the exported menu: id, label, type, enabled, toggle
  sni_watcher.py click LABEL           send "clicked" for the menu entry with that label
"""
import os
import struct
import sys
import time
import zlib

import dbus

WATCHER = "org.kde.StatusNotifierWatcher"
WATCHER_PATH = "/StatusNotifierWatcher"
ITEM_IFACE = "org.kde.StatusNotifierItem"
MENU_IFACE = "com.canonical.dbusmenu"
PROPS = "org.freedesktop.DBus.Properties"


def log(*parts):
    print(*parts, flush=True)


def serve(with_host, fetch):
    import dbus.service
    from dbus.mainloop.glib import DBusGMainLoop
    from gi.repository import GLib

    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()

    class Watcher(dbus.service.Object):
        def __init__(self):
            super().__init__(bus, WATCHER_PATH)
            self.items = []
            self.hosts = []

        def _drop(self, name):
            gone = [i for i in self.items if i == name or i.startswith(name + "/")]
            for i in gone:
                self.items.remove(i)
                log("unregistered", i)
                self.StatusNotifierItemUnregistered(i)

        @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
        def RegisterStatusNotifierItem(self, service, sender=None):
            name = service if not service.startswith("/") else sender + service
            if name not in self.items:
                self.items.append(name)
                log("registered", name)
                self.StatusNotifierItemRegistered(name)

        @dbus.service.method(WATCHER, in_signature="s")
        def RegisterStatusNotifierHost(self, service):
            if service not in self.hosts:
                self.hosts.append(service)
                self.StatusNotifierHostRegistered()

        @dbus.service.signal(WATCHER, signature="s")
        def StatusNotifierItemRegistered(self, name):
            pass

        @dbus.service.signal(WATCHER, signature="s")
        def StatusNotifierItemUnregistered(self, name):
            pass

        @dbus.service.signal(WATCHER, signature="")
        def StatusNotifierHostRegistered(self):
            pass

        @dbus.service.signal(WATCHER, signature="")
        def StatusNotifierHostUnregistered(self):
            pass

        def _props(self):
            return {
                "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
                "IsStatusNotifierHostRegistered": dbus.Boolean(bool(self.hosts)),
                "ProtocolVersion": dbus.Int32(0),
            }

        # The properties in the introspection data too: toolkits read them through proxies
        # built from it (Qt asks IsStatusNotifierHostRegistered so).
        @dbus.service.method(dbus.INTROSPECTABLE_IFACE, in_signature="", out_signature="s",
                             path_keyword="object_path", connection_keyword="connection")
        def Introspect(self, object_path, connection):
            xml = dbus.service.Object.Introspect(self, object_path, connection)
            props = ('<property name="RegisteredStatusNotifierItems" type="as" access="read"/>'
                     '<property name="IsStatusNotifierHostRegistered" type="b" access="read"/>'
                     '<property name="ProtocolVersion" type="i" access="read"/>')
            tag = '<interface name="%s">' % WATCHER
            return xml.replace(tag, tag + props, 1)

        @dbus.service.method(PROPS, in_signature="ss", out_signature="v")
        def Get(self, iface, prop):
            return self._props()[prop]

        @dbus.service.method(PROPS, in_signature="s", out_signature="a{sv}")
        def GetAll(self, iface):
            return self._props()

    watcher = Watcher()  # the object first, so a name owner always answers

    def owner_changed(name, old, new):
        if old and not new:
            watcher._drop(name)
            if name in watcher.hosts:
                watcher.hosts.remove(name)

    bus.add_signal_receiver(owner_changed, "NameOwnerChanged", "org.freedesktop.DBus")
    def new_icon(*args, **kw):
        sender, path = kw.get("sender"), kw.get("path")
        log("NewIcon", sender)
        if fetch:
            # Asynchronous, as a host's main loop does it; the answer is dropped.
            bus.call_async(sender, path, PROPS, "Get", "ss", (ITEM_IFACE, "IconPixmap"),
                           lambda *r: None, lambda e: log("fetch failed", e), byte_arrays=True)

    bus.add_signal_receiver(new_icon, "NewIcon", ITEM_IFACE, sender_keyword="sender",
                            path_keyword="path")
    # Hold the name only after everything answers.
    name = dbus.service.BusName(WATCHER, bus, do_not_queue=True)
    if with_host:
        host = "org.kde.StatusNotifierHost-%d" % os.getpid()
        host_name = dbus.service.BusName(host, bus, do_not_queue=True)
        watcher.RegisterStatusNotifierHost(host)
    log("watcher ready")
    GLib.MainLoop().run()
    del name


def watcher_items(bus):
    obj = bus.get_object(WATCHER, WATCHER_PATH)
    return [str(i) for i in obj.Get(WATCHER, "RegisteredStatusNotifierItems", dbus_interface=PROPS)]


def item(bus):
    items = watcher_items(bus)
    if not items:
        sys.exit("no item registered")
    name = items[-1]
    service, _, path = name.partition("/")
    return bus.get_object(service, "/" + path if path else "/StatusNotifierItem")


def item_prop(bus, name):
    return item(bus).Get(ITEM_IFACE, name, dbus_interface=PROPS)


def write_png(path, w, h, argb_bytes):
    rows = b""
    for y in range(h):
        rows += b"\0"
        for x in range(w):
            a, r, g, b = argb_bytes[(y * w + x) * 4:(y * w + x) * 4 + 4]
            rows += bytes((r, g, b, a))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def pixmaps(bus):
    return [(int(w), int(h), bytes(bytearray(d))) for w, h, d in item_prop(bus, "IconPixmap")]


def menu_entries(bus):
    obj = item(bus)
    path = str(obj.Get(ITEM_IFACE, "Menu", dbus_interface=PROPS))
    menu = bus.get_object(obj.bus_name, path)
    _, layout = menu.GetLayout(0, -1, dbus.Array([], signature="s"), dbus_interface=MENU_IFACE)
    out = []

    def walk(node, depth):
        ident, props, children = node
        if depth > 0:
            out.append((int(ident), str(props.get("label", "")), str(props.get("type", "standard")),
                        bool(props.get("enabled", True)), int(props.get("toggle-state", -1))))
        for child in children:
            walk(child, depth + 1)

    walk(layout, 0)
    return menu, out


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    cmd, args = sys.argv[1], sys.argv[2:]
    if cmd == "serve":
        serve("--no-host" not in args, "--fetch" in args)
        return
    bus = dbus.SessionBus()
    if cmd == "items":
        for i in watcher_items(bus):
            print(i)
    elif cmd == "wait-item":
        end = time.time() + float(args[0] if args else 5)
        while time.time() < end:
            try:
                if watcher_items(bus):
                    return
            except dbus.DBusException:
                pass
            time.sleep(0.1)
        sys.exit("no item within the time")
    elif cmd == "icon":
        size = int(args[1]) if len(args) > 1 else 32
        match = [p for p in pixmaps(bus) if p[0] == size and p[1] == size]
        if not match:
            sys.exit("no %dx%d picture" % (size, size))
        w, h, data = match[0]
        if args[0].endswith(".png"):
            write_png(args[0], w, h, data)
        else:
            with open(args[0], "w") as f:
                for y in range(h):
                    f.write(" ".join("%08x" % struct.unpack(">I", data[(y * w + x) * 4:(y * w + x) * 4 + 4])[0]
                                     for x in range(w)) + "\n")
    elif cmd == "sizes":
        print(" ".join("%dx%d" % (w, h) for w, h, _ in pixmaps(bus)))
    elif cmd == "prop":
        print(item_prop(bus, args[0]))
    elif cmd == "activate":
        # N > 1: a burst, sent without waiting for any answer, as a host does on fast clicks.
        count = int(args[0]) if args else 1
        obj = item(bus)
        if count == 1:
            obj.Activate(0, 0, dbus_interface=ITEM_IFACE)
        else:
            from dbus.lowlevel import MethodCallMessage
            for _ in range(count):
                msg = MethodCallMessage(obj.bus_name, obj.object_path, ITEM_IFACE, "Activate")
                msg.append(dbus.Int32(0), dbus.Int32(0))
                bus.send_message(msg)
            bus.flush()
    elif cmd == "contextmenu":
        item(bus).ContextMenu(0, 0, dbus_interface=ITEM_IFACE)
    elif cmd == "menu":
        for ident, label, kind, enabled, toggle in menu_entries(bus)[1]:
            print("%d\t%s\t%s\t%s\t%d" % (ident, label, kind, "enabled" if enabled else "disabled", toggle))
    elif cmd == "click":
        menu, entries = menu_entries(bus)
        want = args[0].replace("_", "")
        ids = [e[0] for e in entries if e[1].replace("__", "\0").replace("_", "").replace("\0", "_") == want]
        if not ids:
            sys.exit("no entry %r" % args[0])
        menu.Event(ids[0], "clicked", dbus.Int32(0, variant_level=1), dbus.UInt32(0),
                   dbus_interface=MENU_IFACE)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
