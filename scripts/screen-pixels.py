#!/usr/bin/env python3
"""Pixel questions about screenshots, for the checks on the virtual display. Images are read
through ImageMagick's convert as binary PPM.

  at FILE X Y                          the pixel's red, green and blue
  arrow SHOT X Y SIZE STRIP FRAME      how many of the SIZE x SIZE square's inner pixels at
                                       (X, Y) differ from frame FRAME of the 23-frame scroll-bar
                                       strip (key-colour pixels left out), and how many were
                                       compared
  thumb FILE X Y0 Y1                   the first and last row of the longest run in column X,
                                       between rows Y0 and Y1, whose pixels differ from the
                                       pixel at (X, Y0) (the track): the thumb
  shift BEFORE AFTER X Y W H           the least upward shift of the rectangle's content that
                                       turns BEFORE into AFTER; -1 when none below H/2 does
"""
import subprocess, sys

def load(path):
    data = subprocess.run(["convert", path, "ppm:-"], capture_output=True, check=True).stdout
    parts, pos = [], 0
    while len(parts) < 4:
        while data[pos:pos + 1].isspace(): pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace(): end += 1
        parts.append(data[pos:end]); pos = end
    pos += 1
    w, h = int(parts[1]), int(parts[2])
    return w, h, data[pos:]

def px(img, x, y):
    w, h, d = img
    i = (y * w + x) * 3
    return d[i], d[i + 1], d[i + 2]

cmd = sys.argv[1]
if cmd == "at":          # at FILE X Y -> r g b
    img = load(sys.argv[2]); print(*px(img, int(sys.argv[3]), int(sys.argv[4])))
elif cmd == "arrow":     # arrow SHOT X Y SIZE STRIP FRAME -> mismatches checked
    shot, strip = load(sys.argv[2]), load(sys.argv[6])
    x0, y0, size, frame = int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5]), int(sys.argv[7])
    fw = strip[0] // 23
    bad = checked = 0
    for y in range(1, size - 1):
        for x in range(1, size - 1):
            want = px(strip, fw * (frame - 1) + x * fw // size, y * strip[1] // size)
            if want == (255, 0, 255): continue
            checked += 1
            if px(shot, x0 + x, y0 + y) != want: bad += 1
    print(bad, checked)
elif cmd == "shift":     # shift BEFORE AFTER X Y W H -> the upward shift that maps before onto after
    a, b = load(sys.argv[2]), load(sys.argv[3])
    x0, y0, w, h = map(int, sys.argv[4:8])
    def same(dy):
        for y in range(y0, y0 + h - dy):
            for x in range(x0, x0 + w, 3):
                if px(a, x, y + dy) != px(b, x, y): return False
        return True
    print(next((dy for dy in range(0, h // 2) if same(dy)), -1))
elif cmd == "thumb":
    img = load(sys.argv[2])
    x, y0, y1 = int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5])
    track = px(img, x, y0)
    best, start = (-1, -1), None
    for y in range(y0, y1 + 1):
        differs = y < y1 and px(img, x, y) != track
        if differs and start is None:
            start = y
        elif not differs and start is not None:
            if y - start > best[1] - best[0]:
                best = (start, y - 1)
            start = None
    print(*best)
