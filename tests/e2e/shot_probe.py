#!/usr/bin/python3
"""Reads pixels of a screenshot (any format ImageMagick reads) for the end-to-end tests.

  shot_probe.py colours PNG                 the distinct colours, #rrggbb, one a line
  shot_probe.py icon PNG BG                 bounding box of the pixels that differ from BG
                                            (#rrggbb): "x y w h", or nothing
  shot_probe.py bars PNG BG COLOUR          inside that box: the rows of COLOUR in the left
                                            half and in the right half: "LEFT RIGHT"
  shot_probe.py pixel PNG X Y               the colour of one pixel, #rrggbb
"""
import subprocess
import sys


def load(path):
    data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                          capture_output=True).stdout
    # P6 header: magic, width, height, maxval, each separated by whitespace.
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    pos += 1
    w, h = int(fields[1]), int(fields[2])
    px = data[pos:]
    return w, h, lambda x, y: "#%02x%02x%02x" % tuple(px[(y * w + x) * 3:(y * w + x) * 3 + 3])


def box(w, h, at, bg):
    xs = [x for y in range(h) for x in range(w) if at(x, y) != bg]
    ys = [y for y in range(h) for x in range(w) if at(x, y) != bg]
    if not xs:
        return None
    return min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1


def main():
    cmd, path = sys.argv[1], sys.argv[2]
    w, h, at = load(path)
    if cmd == "colours":
        print("\n".join(sorted({at(x, y) for y in range(h) for x in range(w)})))
    elif cmd == "icon":
        b = box(w, h, at, sys.argv[3].lower())
        if b:
            print(*b)
    elif cmd == "bars":
        b = box(w, h, at, sys.argv[3].lower())
        colour = sys.argv[4].lower()
        if not b:
            print(0, 0)
            return
        x0, y0, bw, bh = b
        def rows(xa, xb):
            return sum(1 for y in range(y0, y0 + bh) if any(at(x, y) == colour for x in range(xa, xb)))
        print(rows(x0, x0 + bw // 2), rows(x0 + bw // 2, x0 + bw))
    elif cmd == "pixel":
        print(at(int(sys.argv[3]), int(sys.argv[4])))


if __name__ == "__main__":
    main()
