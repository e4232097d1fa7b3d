#!/usr/bin/python3
"""Asks a top-level window to close, as a window manager's close button or Alt+F4 does:
a WM_DELETE_WINDOW client message. Usage: wm_close.py WINDOW_ID"""
import sys

from Xlib import X, display, protocol

d = display.Display()
win = d.create_resource_object("window", int(sys.argv[1]))
protocols = d.intern_atom("WM_PROTOCOLS")
delete = d.intern_atom("WM_DELETE_WINDOW")
event = protocol.event.ClientMessage(window=win, client_type=protocols,
                                     data=(32, [delete, X.CurrentTime, 0, 0, 0]))
win.send_event(event, event_mask=X.NoEventMask)
d.flush()
