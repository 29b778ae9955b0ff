#!/usr/bin/env python3
"""Draws the main program's icons and bitmaps into resources/.

Icons: 128 (program), 146 (blank; gives the profile list its row height),
163..168 (the six profile icons). Bitmaps: 175 (About banner, 519 x 90) and
190 (taskbar pin hint, 209 x 98). Plain Python, no imaging library: the
pictures are drawn from simple shapes and written as .ico / .bmp files.
Run again after changing a picture; the outputs are kept in the repository.
"""
import math
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")


# ---- canvas ----------------------------------------------------------------
class Canvas:
    def __init__(self, w, h, fill=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.px = [[fill for _ in range(w)] for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def shape(self, inside, c, samples=4):
        """Fills where inside(x, y) holds, anti-aliased by supersampling."""
        for y in range(self.h):
            for x in range(self.w):
                hits = sum(inside(x + (i + 0.5) / samples, y + (j + 0.5) / samples)
                           for i in range(samples) for j in range(samples))
                if hits:
                    self.blend(x, y, c, hits / (samples * samples))

    def blend(self, x, y, c, a):
        r, g, b, oa = self.px[y][x]
        ca = c[3] / 255 * a
        na = ca + oa / 255 * (1 - ca)
        if na <= 0:
            return
        mix = lambda s, d: round((s * ca + d * (oa / 255) * (1 - ca)) / na)
        self.px[y][x] = (mix(c[0], r), mix(c[1], g), mix(c[2], b), round(na * 255))

    def rect(self, x0, y0, x1, y1, c):
        self.shape(lambda x, y: x0 <= x < x1 and y0 <= y < y1, c, 1)


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r0, r1):
    return lambda x, y: r0 * r0 <= (x - cx) ** 2 + (y - cy) ** 2 <= r1 * r1


def polygon(points):
    def inside(x, y):
        hit = False
        for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
            if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                hit = not hit
        return hit
    return inside


def box(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


WHITE = (255, 255, 255, 255)


# ---- pictures --------------------------------------------------------------
def badge(colour):
    c = Canvas(32, 32)
    c.shape(circle(16, 16, 15), (40, 40, 40, 90))          # soft edge
    c.shape(circle(16, 16, 14.2), colour)
    return c


def icon_house():
    c = badge((52, 120, 200, 255))
    c.shape(polygon([(6, 16), (16, 7), (26, 16)]), WHITE)
    c.shape(box(9, 16, 23, 25), WHITE)
    c.shape(box(14, 19, 18, 25), (52, 120, 200, 255))
    return c


def icon_office():
    c = badge((90, 90, 110, 255))
    c.shape(box(9, 6, 23, 27), WHITE)
    for row in range(4):
        for col in range(2):
            c.shape(box(11 + col * 6, 9 + row * 4, 15 + col * 6, 11 + row * 4), (90, 90, 110, 255))
    return c


def icon_cafe():
    c = badge((150, 95, 50, 255))
    c.shape(box(8, 12, 21, 23), WHITE)
    c.shape(ring(21, 17, 2, 4.2), WHITE)
    c.shape(box(6, 24, 24, 26), WHITE)
    return c


def icon_train():
    c = badge((40, 150, 90, 255))
    c.shape(box(9, 7, 23, 23), WHITE)
    c.shape(box(11, 9, 21, 15), (40, 150, 90, 255))
    c.shape(circle(12.5, 19, 1.5), (40, 150, 90, 255))
    c.shape(circle(19.5, 19, 1.5), (40, 150, 90, 255))
    c.shape(polygon([(10, 23), (13, 23), (9, 27), (7, 27)]), WHITE)
    c.shape(polygon([(19, 23), (22, 23), (25, 27), (23, 27)]), WHITE)
    return c


def icon_plane():
    c = badge((220, 120, 40, 255))
    c.shape(polygon([(16, 5), (18, 9), (18, 14), (27, 19), (27, 21), (18, 18), (18, 24),
                     (21, 26), (21, 27), (16, 26), (11, 27), (11, 26), (14, 24), (14, 18),
                     (5, 21), (5, 19), (14, 14), (14, 9)]), WHITE)
    return c


def icon_globe():
    c = badge((30, 140, 170, 255))
    c.shape(ring(16, 16, 8.2, 9.8), WHITE)
    c.shape(lambda x, y: abs(((x - 16) / 4.0) ** 2 + ((y - 16) / 9.0) ** 2 - 1) < 0.22, WHITE)
    c.shape(box(7, 15.2, 25, 16.8), WHITE)
    c.shape(box(15.2, 7, 16.8, 25), WHITE)
    return c


def icon_program(size):
    c = Canvas(size, size)
    s = size / 32.0
    c.shape(lambda x, y: box(2 * s, 4 * s, 30 * s, 24 * s)(x, y), (60, 60, 70, 255))
    c.shape(lambda x, y: box(4 * s, 6 * s, 28 * s, 22 * s)(x, y), (70, 150, 220, 255))
    c.shape(lambda x, y: box(12 * s, 24 * s, 20 * s, 27 * s)(x, y), (60, 60, 70, 255))
    c.shape(lambda x, y: box(8 * s, 27 * s, 24 * s, 29 * s)(x, y), (60, 60, 70, 255))
    # two arrows: switching between networks
    c.shape(lambda x, y: polygon([(8 * s, 11 * s), (19 * s, 11 * s), (19 * s, 8 * s), (24 * s, 12.5 * s),
                                  (19 * s, 17 * s), (19 * s, 14 * s), (8 * s, 14 * s)])(x, y), WHITE)
    c.shape(lambda x, y: polygon([(24 * s, 16 * s), (13 * s, 16 * s), (13 * s, 14.5 * s), (8 * s, 17.5 * s),
                                  (13 * s, 20.5 * s), (13 * s, 19 * s), (24 * s, 19 * s)])(x, y),
            (255, 230, 120, 255))
    return c


# ---- 5 x 7 letters for the banner -------------------------------------------
LETTERS = {
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "3": ["11110", "00001", "00001", "01110", "00001", "00001", "11110"],
    ".": ["00000", "00000", "00000", "00000", "00000", "01100", "01100"],
    "0": ["01110", "10011", "10101", "10101", "11001", "10001", "01110"],
}


def text(c, s, x, y, cell, colour):
    for ch in s:
        for r, row in enumerate(LETTERS[ch]):
            for k, bit in enumerate(row):
                if bit == "1":
                    c.shape(box(x + k * cell, y + r * cell, x + (k + 1) * cell - 0.5,
                                y + (r + 1) * cell - 0.5), colour, 1)
        x += 6 * cell


def banner():
    c = Canvas(519, 90)
    for y in range(90):
        for x in range(519):
            t = x / 518
            c.px[y][x] = (round(20 + 40 * t), round(70 + 80 * t), round(140 + 90 * t), 255)
    for i in range(5):
        c.shape(ring(440 + i * 8, 45, 20 + i * 14, 22 + i * 14), (255, 255, 255, 60), 2)
    text(c, "ORTIVO", 24, 18, 6, WHITE)
    text(c, "3.00", 26, 66, 2, (220, 235, 255, 255))
    return c


def pin_hint():
    c = Canvas(209, 98, (255, 255, 255, 255))
    c.rect(0, 0, 209, 98, (240, 240, 240, 255))
    c.rect(0, 0, 209, 1, (160, 160, 160, 255))
    c.rect(0, 97, 209, 98, (160, 160, 160, 255))
    c.rect(0, 0, 1, 98, (160, 160, 160, 255))
    c.rect(208, 0, 209, 98, (160, 160, 160, 255))
    rows = [(8, 90), (26, 120), (44, 150), (62, 110)]
    for i, (y, width) in enumerate(rows):
        if i == 2:  # the entry under the pointer
            c.rect(3, y - 4, 206, y + 12, (204, 232, 255, 255))
            c.rect(3, y - 4, 206, y - 3, (153, 209, 255, 255))
            c.rect(3, y + 11, 206, y + 12, (153, 209, 255, 255))
        c.shape(box(8, y, 20, y + 8), (90, 130, 190, 255), 1)
        c.rect(28, y + 2, 28 + width, y + 6, (70, 70, 70, 255))
    c.rect(3, 80, 206, 81, (200, 200, 200, 255))
    c.rect(28, 87, 110, 91, (70, 70, 70, 255))
    # mouse pointer on the highlighted entry
    arrow = [(150, 46), (150, 64), (154, 60), (157, 67), (160, 66), (157, 59), (162, 59)]
    c.shape(polygon(arrow), (0, 0, 0, 255))
    inner = [(151.3, 49), (151.3, 61), (154.3, 58), (157.3, 64.5), (158.6, 64), (155.6, 57.6), (159.3, 57.6)]
    c.shape(polygon(inner), WHITE)
    return c


# ---- files ------------------------------------------------------------------
def dib(c):
    """BITMAPINFOHEADER + 32-bit XOR image + 1-bit AND mask, bottom-up (icon entry)."""
    header = struct.pack("<IiiHHIIiiII", 40, c.w, c.h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(c.px) for (r, g, b, a) in row)
    stride = ((c.w + 31) // 32) * 4
    mask = b""
    for row in reversed(c.px):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + xor + mask


def write_ico(name, canvases):
    images = [dib(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.w % 256, c.h % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(out + b"".join(images))


def write_bmp(name, c):
    stride = (c.w * 3 + 3) & ~3
    rows = b""
    for row in reversed(c.px):
        line = b"".join(bytes((b, g, r)) for (r, g, b, _) in row)
        rows += line + b"\0" * (stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, c.w, c.h, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(header + info + rows)


def main():
    write_ico("Tolvik_Network.ico", [icon_program(32), icon_program(16)])
    write_ico("row_height.ico", [Canvas(32, 32)])
    for n, draw in enumerate([icon_house, icon_office, icon_cafe, icon_train, icon_plane, icon_globe]):
        write_ico("profile%d.ico" % (n + 1), [draw()])
    write_bmp("about_banner.bmp", banner())
    write_bmp("pin_hint.bmp", pin_hint())


if __name__ == "__main__":
    main()
