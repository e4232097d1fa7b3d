#!/usr/bin/python3
"""Draws the application icon: the window icon's two striped bars in a black frame, as PNGs for
the hicolor sizes, as a scalable SVG and as the Windows program's icon file (zelmaro.ico). Every edge of the pictures falls on a whole pixel, so
small sizes stay sharp. At 32 pixels the PNG is the window icon pixel for pixel.

Usage: scripts/make-app-icons.py [OUT_DIR]   (default: data/icons; writes hicolor/... and zelmaro.ico)
Needs only Python's standard library; the results are committed."""
import os
import struct
import sys
import zlib

SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
BLACK = (0, 0, 0, 255)
GREEN = (0, 255, 0, 255)
GREY = (128, 128, 128, 255)
LIGHT_GREY = (192, 192, 192, 255)
CLEAR = (0, 0, 0, 0)


def half_up(v):
    return int(v + 0.5)


def geometry(size):
    """The icon's parts in whole pixels for one size. At 32 they are the window icon's: a frame
    of 2, a 1-pixel divider, bars 13 and 14 wide, 21 and 12 rows filled of 28, stripes of one
    row with a period of three."""
    frame = max(1, half_up(size / 16))
    divider = max(1, half_up(size / 32))
    unit = max(1, half_up(size / 32))  # height of one stripe row
    inner_w = size - 2 * frame - divider
    left_w = half_up(inner_w * 13 / 27)
    inner_h = size - 2 * frame
    rows = inner_h // unit
    return {
        "frame": frame, "divider": divider, "unit": unit,
        "bars": [(frame, left_w), (frame + left_w + divider, inner_w - left_w)],
        "filled": [half_up(rows * 21 / 28), half_up(rows * 12 / 28)],
    }


def bar_colour(row_from_bottom, filled):
    """Colour of a bar's stripe row counted from the bottom; the top filled row is the light
    grey cap, below it grey every third row (the second from the bottom first), green between."""
    if row_from_bottom == filled - 1:
        return LIGHT_GREY
    return GREY if row_from_bottom % 3 == 1 else GREEN


def pixels(size):
    g = geometry(size)
    f, u = g["frame"], g["unit"]
    img = [[BLACK] * size for _ in range(size)]
    bottom = size - f  # first frame row below the bars
    for (x0, w), filled in zip(g["bars"], g["filled"]):
        for y in range(f, bottom):
            k = (bottom - 1 - y) // u
            c = bar_colour(k, filled) if k < filled else CLEAR
            for x in range(x0, x0 + w):
                img[y][x] = c
    return img


def png(img):
    size = len(img)
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in img)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


ICO_SIZES = (16, 24, 32, 48, 256)


def ico():
    """The sizes Windows asks for, in one icon file: 32-bit bitmaps with their transparency mask
    for the small sizes (which every version reads), PNG for 256."""
    entries = []
    for size in ICO_SIZES:
        img = pixels(size)
        if size == 256:
            entries.append(png(img))
            continue
        mask_stride = (size + 31) // 32 * 4
        colour, mask = b"", b""
        for row in reversed(img):  # bottom row first
            colour += b"".join(bytes((b, g, r, a)) for r, g, b, a in row)
            bits = 0
            for x, p in enumerate(row):
                if p[3] == 0:
                    bits |= 1 << (mask_stride * 8 - 1 - x)
            mask += bits.to_bytes(mask_stride, "big")
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
        entries.append(header + colour + mask)
    data = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for size, entry in zip(ICO_SIZES, entries):
        data += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(entry), offset)
        offset += len(entry)
    return data + b"".join(entries)


def svg():
    """The 32-pixel picture as rectangles on a 32-unit grid, drawn without anti-aliased edges:
    runs of one colour in a row, joined with the same run in the rows below."""
    img = pixels(32)
    runs = []  # [x, y, width, height, colour]
    open_runs = {}
    for y, row in enumerate(img):
        x, now = 0, {}
        while x < 32:
            end = x
            while end < 32 and row[end] == row[x]:
                end += 1
            if row[x][3]:
                key = (x, end - x, row[x])
                if key in open_runs:
                    open_runs[key][3] += 1
                    now[key] = open_runs[key]
                else:
                    now[key] = [x, y, end - x, 1, row[x]]
                    runs.append(now[key])
            x = end
        open_runs = now
    body = "".join(f'  <rect x="{x}" y="{y}" width="{w}" height="{h}" fill="#{c[0]:02x}{c[1]:02x}{c[2]:02x}"/>\n'
                   for x, y, w, h, c in runs)
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32" '
            'shape-rendering="crispEdges">\n' + body + "</svg>\n")


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data", "icons")
    for size in SIZES:
        write(os.path.join(out, "hicolor", f"{size}x{size}", "apps", "zelmaro.png"), png(pixels(size)))
    write(os.path.join(out, "hicolor", "scalable", "apps", "zelmaro.svg"), svg().encode())
    write(os.path.join(out, "zelmaro.ico"), ico())


if __name__ == "__main__":
    main()
