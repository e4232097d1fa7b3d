#!/usr/bin/python3
"""Finds the rows of a popup menu in a screenshot, from what is drawn there.

usage: menu_rows.py SHOT.png X Y W H
X Y W H is the menu's rectangle on the screenshot. Prints one line: "BOX_X Y1 Y2 ...", where
Y1, Y2, ... are the centres of the menu's entries from top to bottom (bands of drawn rows:
text, check boxes, a highlighted entry; separators, a row or two high, are left out) and BOX_X
the centre of the leftmost thing drawn in any entry (the check boxes' column). Prints nothing
when the rectangle holds no entries.
"""
import subprocess
import sys
from collections import Counter

MARGIN = 3  # the menu's border and rounded corners


def main():
    path = sys.argv[1]
    x0, y0, w, h = (int(v) for v in sys.argv[2:6])
    raw = subprocess.run(["convert", path, "-crop", "%dx%d+%d+%d" % (w, h, x0, y0), "+repage",
                          "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
    if len(raw) < w * h * 3:
        return
    px = [tuple(raw[i:i + 3]) for i in range(0, w * h * 3, 3)]
    at = lambda x, y: px[y * w + x]
    inner = [at(x, y) for y in range(MARGIN, h - MARGIN) for x in range(MARGIN, w - MARGIN)]
    if not inner:
        return
    back = Counter(inner).most_common(1)[0][0]
    ink = lambda c: sum(abs(a - b) for a, b in zip(c, back)) > 60
    inked = [[ink(at(x, y)) for x in range(MARGIN, w - MARGIN)] for y in range(h)]
    bands, start = [], None
    for y in range(MARGIN, h - MARGIN + 1):
        on = y < h - MARGIN and any(inked[y])
        if on and start is None:
            start = y
        elif not on and start is not None:
            if y - start > 2:
                bands.append((start, y - 1))
            start = None
    if not bands:
        return
    # The leftmost drawn column of each entry, and the run of drawn columns from there.
    best = None
    for top, bottom in bands:
        cols = [any(inked[y][i] for y in range(top, bottom + 1)) for i in range(w - 2 * MARGIN)]
        if not any(cols) or all(cols):
            continue  # a highlighted entry is drawn all across
        first = cols.index(True)
        last = first
        while last + 1 < len(cols) and (cols[last + 1] or (last + 2 < len(cols) and cols[last + 2])):
            last += 1
        if best is None or first < best[0]:
            best = (first, last)
    if best is None:
        return
    box_x = x0 + MARGIN + (best[0] + best[1]) // 2
    print(box_x, *(y0 + (top + bottom) // 2 for top, bottom in bands))


main()
