#!/usr/bin/python3
"""Watches where a top-level window of the given title shows on the X screen, from the moment
it is mapped: every place it is seen at, as "X Y W H" of its client area in root coordinates,
one line per place, for the given number of seconds.
Usage: place_watch.py TITLE SECONDS"""
import sys
import time

from Xlib import X, display, error

title, seconds = sys.argv[1], float(sys.argv[2])
d = display.Display()
root = d.screen().root
seen = set()


def places():
    for top in root.query_tree().children:
        try:
            if top.get_attributes().map_state != X.IsViewable:
                continue
            for w in [top] + list(top.query_tree().children):
                name = w.get_wm_name()
                if name and title in name:
                    g = w.get_geometry()
                    at = root.translate_coords(w, 0, 0)
                    yield at.x, at.y, g.width, g.height
        except error.XError:
            continue  # gone while we looked


end = time.time() + seconds
while time.time() < end:
    for place in places():
        if place not in seen:
            seen.add(place)
            print("%d %d %d %d" % place, flush=True)
    time.sleep(0.002)
