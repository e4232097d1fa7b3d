#!/usr/bin/python3
"""A hostile or careless second client of the session bus, for tests.

  bus_abuse.py bad-requests          send requests the item and its menu must refuse; print one
                                     line per request ("ok NAME: reply|error NAME") and exit 1 if
                                     any got no answer within 3 s
  bus_abuse.py flood KIND SECONDS RATE
                                     send KIND requests at RATE a second for SECONDS without
                                     waiting for answers (KIND: pixmap, getall, layout, clicked,
                                     activate, contextmenu,
                                     big: 20 MB, bigids: 12 MB of menu ids); print how many were sent
  bus_abuse.py ping                  time one Get of the item's Id, in ms (exit 1 without answer)
  bus_abuse.py pings SECONDS         a Get of the Id every 10 ms for SECONDS: print the longest
                                     and the median answer time, in ms
  bus_abuse.py reads SECONDS INTERVAL [menu]
                                     a host's reads: a Get of IconPixmap (menu: a GetLayout of
                                     the whole menu) every INTERVAL s for SECONDS; print
                                     "R reads, P with pictures, E empty, X errors" (for the
                                     menu: P with entries)
"""
import sys
import time

import dbus
from dbus.lowlevel import MethodCallMessage

sys.path.insert(0, __file__.rsplit("/", 1)[0])
from sni_watcher import ITEM_IFACE, MENU_IFACE, PROPS, item  # noqa: E402


def call(bus, obj, path, iface, method, sig, *args):
    msg = MethodCallMessage(obj.bus_name, path, iface, method)
    if args:
        msg.append(signature=sig, *args)
    return msg


def menu_path(bus, obj):
    return str(obj.Get(ITEM_IFACE, "Menu", dbus_interface=PROPS))


def bad_requests(bus):
    obj = item(bus)
    ip, mp = obj.object_path, menu_path(bus, obj)
    _, layout = bus.get_object(obj.bus_name, mp).GetLayout(0, 1, dbus.Array([], signature="s"),
                                                            dbus_interface=MENU_IFACE)
    first = int(layout[2][0][0])
    cases = [
        ("GetProperty of a missing id", mp, MENU_IFACE, "GetProperty", "is", 99999, "label"),
        ("GetProperty of a missing property", mp, MENU_IFACE, "GetProperty", "is", first, "no-such"),
        ("GetLayout of a missing id", mp, MENU_IFACE, "GetLayout", "iias", 99999, -1, []),
        ("Event on a missing id", mp, MENU_IFACE, "Event", "isvu", 99999, "clicked", dbus.Int32(0), 0),
        ("AboutToShow of a missing id", mp, MENU_IFACE, "AboutToShow", "i", 99999),
        ("GetGroupProperties of a million ids", mp, MENU_IFACE, "GetGroupProperties", "aias",
         dbus.Array(range(1000000), signature="i"), []),
        ("Get of an unknown item property", ip, PROPS, "Get", "ss", ITEM_IFACE, "NoSuchProperty"),
        ("Get on an unknown interface", ip, PROPS, "Get", "ss", "no.such.Interface", "Id"),
        ("GetAll on an unknown interface", ip, PROPS, "GetAll", "s", "no.such.Interface"),
        ("Set of a read-only property", ip, PROPS, "Set", "ssv", ITEM_IFACE, "Id", "x"),
        ("Get of an unknown menu property", mp, PROPS, "Get", "ss", MENU_IFACE, "NoSuchProperty"),
        ("an unknown method", ip, ITEM_IFACE, "NoSuchMethod", ""),
        ("Activate with wrong arguments", ip, ITEM_IFACE, "Activate", "s", "x"),
        ("GetProperty with wrong arguments", mp, MENU_IFACE, "GetProperty", "s", "x"),
    ]
    pending, answers = {}, {}
    for name, path, iface, method, sig, *args in cases:
        msg = call(bus, obj, path, iface, method, sig, *args)
        serial = None

        def done(reply, name=name):
            answers[name] = "error " + reply.get_error_name() if reply.get_type() == 3 else "reply"
        pending[name] = bus.send_message_with_reply(msg, done, 3000, require_main_loop=False)
    end = time.time() + 4
    from gi.repository import GLib
    ctx = GLib.MainContext.default()
    while len(answers) < len(cases) and time.time() < end:
        ctx.iteration(False)
        time.sleep(0.01)
    failed = 0
    for name, *_ in cases:
        a = answers.get(name)
        if a is None or a.endswith("NoReply"):
            failed += 1
            print("none", name)
        else:
            print("ok", name + ":", a)
    return 1 if failed else 0


def flood(bus, kind, seconds, rate):
    obj = item(bus)
    ip, mp = obj.object_path, menu_path(bus, obj)
    _, layout = bus.get_object(obj.bus_name, mp).GetLayout(0, 1, dbus.Array([], signature="s"),
                                                            dbus_interface=MENU_IFACE)
    colour = next(int(c[0]) for c in layout[2] if str(c[1].get("label", "")) == "Red")
    big = dbus.ByteArray(b"x" * (20 * 1024 * 1024)) if kind == "big" else None
    ids = dbus.Array(range(3 * 1024 * 1024), signature="i") if kind == "bigids" else None
    make = {
        "pixmap": lambda: call(bus, obj, ip, PROPS, "Get", "ss", ITEM_IFACE, "IconPixmap"),
        "getall": lambda: call(bus, obj, ip, PROPS, "GetAll", "s", ITEM_IFACE),
        "layout": lambda: call(bus, obj, mp, MENU_IFACE, "GetLayout", "iias", 0, -1, []),
        "clicked": lambda: call(bus, obj, mp, MENU_IFACE, "Event", "isvu", colour, "clicked",
                                dbus.Int32(0), 0),
        "activate": lambda: call(bus, obj, ip, ITEM_IFACE, "Activate", "ii", 0, 0),
        "contextmenu": lambda: call(bus, obj, ip, ITEM_IFACE, "ContextMenu", "ii", 0, 0),
        "big": lambda: call(bus, obj, ip, ITEM_IFACE, "Scroll", "ay", big),
        "bigids": lambda: call(bus, obj, mp, MENU_IFACE, "GetGroupProperties", "aias", ids, []),
    }[kind]
    sent, start = 0, time.time()
    while True:
        now = time.time() - start
        if now >= seconds:
            break
        due = min(int(now * rate) + 1, int(seconds * rate))
        while sent < due:
            bus.send_message(make())
            sent += 1
        bus.flush()
        time.sleep(0.002)
    print("sent", sent, "in %.1f s" % (time.time() - start))


def ping(bus):
    obj = item(bus)
    start = time.time()
    obj.Get(ITEM_IFACE, "Id", dbus_interface=PROPS, timeout=20)
    print("%.0f" % ((time.time() - start) * 1000))


def pings(bus, seconds):
    obj = item(bus)
    times, end = [], time.time() + seconds
    while time.time() < end:
        start = time.time()
        obj.Get(ITEM_IFACE, "Id", dbus_interface=PROPS, timeout=60)
        times.append((time.time() - start) * 1000)
        time.sleep(0.01)
    times.sort()
    print("%.1f %.1f" % (times[-1], times[len(times) // 2]))


def reads(bus, seconds, interval, what):
    obj = item(bus)
    menu = bus.get_object(obj.bus_name, menu_path(bus, obj)) if what == "menu" else None
    counts = {"reads": 0, "pictures": 0, "empty": 0, "errors": 0}
    end = time.time() + seconds
    while time.time() < end:
        counts["reads"] += 1
        try:
            if menu:
                _, (_, _, got) = menu.GetLayout(0, -1, dbus.Array([], signature="s"),
                                                dbus_interface=MENU_IFACE, timeout=5)
            else:
                got = obj.Get(ITEM_IFACE, "IconPixmap", dbus_interface=PROPS, timeout=5)
            counts["pictures" if len(got) else "empty"] += 1
        except dbus.DBusException:
            counts["errors"] += 1
        time.sleep(interval)
    print("{reads} reads, {pictures} with pictures, {empty} empty, {errors} errors".format(**counts))


def main():
    cmd, args = sys.argv[1], sys.argv[2:]
    if cmd == "bad-requests":
        from dbus.mainloop.glib import DBusGMainLoop
        bus = dbus.SessionBus(mainloop=DBusGMainLoop())
        sys.exit(bad_requests(bus))
    bus = dbus.SessionBus()
    if cmd == "flood":
        flood(bus, args[0], float(args[1]), float(args[2]))
    elif cmd == "ping":
        ping(bus)
    elif cmd == "pings":
        pings(bus, float(args[0]))
    elif cmd == "reads":
        reads(bus, float(args[0]), float(args[1]), args[2] if len(args) > 2 else "pictures")
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
