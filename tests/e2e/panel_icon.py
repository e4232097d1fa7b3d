#!/usr/bin/python3
"""Finds the two-bar icon in a screenshot of a panel and reports what a user sees of it.

usage: panel_icon.py SHOT.png [X0 X1]
Prints one line: "size WxH bars L R colours N crisp YES|NO at X Y colour RRGGBB" where L and R are the filled
share of the left and right bar in percent, N the number of distinct colours inside the
icon, and crisp says whether every one of them is the frame's black, a bar colour or the
panel's own background (no blended edge colours), X Y the icon's top left corner and RRGGBB
the bars' colour. Prints "none" when no icon is found.
The icon is the bounding box of the pure black frame pixels (within columns X0..X1).
"""
import subprocess
import sys


def load(path):
    out = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
    w, h = (int(v) for v in subprocess.run(
        ["identify", "-format", "%w %h", path], capture_output=True, check=True, text=True).stdout.split())
    px = [tuple(out[i:i + 3]) for i in range(0, len(out), 3)]
    return w, h, px


BAR_COLOURS = [(0, 0, 255), (0, 255, 255), (0, 255, 0), (254, 0, 254), (255, 0, 0), (255, 255, 255), (255, 255, 0)]


# Some hosts tint every pixel of an item alike (GNOME's draws 0 as 2 and 255 as 242): colours
# are matched with that much room. A blended edge pixel lies far from all of them.
def near(c, ref, room=16):
    return all(abs(a - b) <= room for a, b in zip(c, ref))


def is_black(c):
    return near(c, (0, 0, 0), 8)


def is_bar(c):
    return any(near(c, b) for b in BAR_COLOURS)


def main():
    w, h, px = load(sys.argv[1])
    x0, x1 = (int(sys.argv[2]), int(sys.argv[3])) if len(sys.argv) > 3 else (0, w - 1)
    at = lambda x, y: px[y * w + x]
    black = [(x, y) for y in range(h) for x in range(x0, x1 + 1) if is_black(at(x, y))]
    # The frame: the largest group of black columns that are near each other.
    if len(black) < 8:
        print("none")
        return
    xs = sorted({x for x, _ in black})
    groups, cur = [], [xs[0]]
    for x in xs[1:]:
        if x - cur[-1] <= 3:
            cur.append(x)
        else:
            groups.append(cur)
            cur = [x]
    groups.append(cur)
    cols = max(groups, key=lambda g: sum(1 for bx, _ in black if g[0] <= bx <= g[-1]))
    left, right = cols[0], cols[-1]
    ys = [y for x, y in black if left <= x <= right]
    top, bottom = min(ys), max(ys)
    bg = at(left - 1, (top + bottom) // 2) if left > 0 else None
    inside = [at(x, y) for y in range(top, bottom + 1) for x in range(left, right + 1)]
    colours = set(inside)
    # The panel shows through the empty part of the bars: its colours (also found around the
    # icon) are fine; any other colour is an edge blended by scaling.
    around = {at(x, y) for y in range(h) for x in range(max(0, left - 4), min(w, right + 5))
              if not (left <= x <= right and top <= y <= bottom)}
    crisp = all(is_black(c) or is_bar(c) or c in around for c in colours)

    def filled(x):
        column = [at(x, y) for y in range(top + 1, bottom)]
        inner = [c for c in column if not is_black(c)]
        bars = [c for c in inner if is_bar(c) and c != bg]
        return round(100 * len(bars) / len(inner)) if inner else 0

    width = right - left + 1
    if not 8 <= width <= 96 or not 8 <= bottom - top + 1 <= 96 or not any(is_bar(c) for c in colours):
        print("none")  # a black background, not the icon
        return
    counts = {}
    for c in inside:
        for b in BAR_COLOURS:
            if near(c, b) and c not in around:
                counts[b] = counts.get(b, 0) + 1
    colour = max(counts, key=counts.get) if counts else (0, 0, 0)
    print("size %dx%d bars %d %d colours %d crisp %s at %d %d colour %02X%02X%02X" % (
        width, bottom - top + 1, filled(left + width // 4), filled(left + 3 * width // 4),
        len(colours), "YES" if crisp else "NO", left, top, *colour))


main()
