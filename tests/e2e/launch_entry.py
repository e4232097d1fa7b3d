#!/usr/bin/python3
"""Starts a desktop entry the way desktops do, with GLib's launcher (TryExec, then Exec read by
the desktop entry rules), writes the started process's id to PIDFILE, waits for it and exits
with its status. Usage: launch_entry.py ENTRY PIDFILE"""
import os
import sys

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

entry, pidfile = sys.argv[1:3]
info = Gio.DesktopAppInfo.new_from_filename(entry)
if info is None:
    print(f"{entry}: not a launchable desktop entry (or TryExec/Exec not found)", file=sys.stderr)
    sys.exit(127)
pids = []
info.launch_uris_as_manager([], None, GLib.SpawnFlags.SEARCH_PATH | GLib.SpawnFlags.DO_NOT_REAP_CHILD,
                            None, None, lambda _info, pid, *_: pids.append(pid), None)
with open(pidfile + ".new", "w") as out:
    out.write(f"{pids[0]}\n")
os.rename(pidfile + ".new", pidfile)
_, status = os.waitpid(pids[0], 0)
sys.exit(os.waitstatus_to_exitcode(status) if os.WIFEXITED(status) else 128 + os.WTERMSIG(status))
