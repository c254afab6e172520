#!/usr/bin/env python3
"""Finds a skin strip's frames in a screenshot, pixel for pixel (magenta is left out).

  skin-pixels.py corners SCREEN.ppm STRIP.bmp FRAMES MARGIN
      every rectangle whose four MARGIN x MARGIN corners equal those of one frame of the strip
      (a button drawn from the skin at any size): lines "FRAME LEFT TOP WIDTH HEIGHT"
  skin-pixels.py whole SCREEN.ppm STRIP.bmp FRAMES
      every place where a whole frame of the strip is drawn unscaled (a check box's mark):
      lines "FRAME LEFT TOP"

SCREEN is a binary PPM (P6) as ImageMagick's convert writes it; STRIP a 24- or 32-bit BMP.
"""
import struct
import sys

MAGENTA = (255, 0, 255)


def read_ppm(path):
    data = open(path, 'rb').read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            pos = data.index(b'\n', pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b'P6' or int(fields[3]) != 255:
        raise SystemExit('%s: not an 8-bit binary PPM' % path)
    width, height = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:pos + 1 + width * height * 3]
    return width, height, pixels


def read_bmp(path):
    data = open(path, 'rb').read()
    offset = struct.unpack_from('<I', data, 10)[0]
    width, height = struct.unpack_from('<ii', data, 18)
    bits = struct.unpack_from('<H', data, 28)[0]
    if bits not in (24, 32):
        raise SystemExit('%s: %d bits per pixel' % (path, bits))
    step = bits // 8
    stride = (width * step + 3) // 4 * 4
    rows = []
    for y in range(abs(height)):
        source = (abs(height) - 1 - y) if height > 0 else y
        row = data[offset + source * stride:offset + source * stride + width * step]
        rows.append([(row[x * step + 2], row[x * step + 1], row[x * step]) for x in range(width)])
    return width, abs(height), rows


class Screen:
    def __init__(self, path):
        self.width, self.height, self.pixels = read_ppm(path)

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def find(self, colour):
        """Every (x, y) of the colour."""
        needle = bytes(colour)
        pos = self.pixels.find(needle)
        while pos >= 0:
            if pos % 3 == 0:
                yield (pos // 3) % self.width, (pos // 3) // self.width
            pos = self.pixels.find(needle, pos + 1)


def piece(rows, left, top, width, height):
    """The non-magenta pixels of a part of the strip as ((dx, dy), colour)."""
    return [((dx, dy), rows[top + dy][left + dx]) for dy in range(height) for dx in range(width)
            if rows[top + dy][left + dx] != MAGENTA]


def matches(screen, x, y, pattern):
    if x < 0 or y < 0:
        return False
    for (dx, dy), colour in pattern:
        if x + dx >= screen.width or y + dy >= screen.height or screen.at(x + dx, y + dy) != colour:
            return False
    return True


def places(screen, pattern):
    (ax, ay), anchor = pattern[0]
    for x, y in screen.find(anchor):
        if matches(screen, x - ax, y - ay, pattern):
            yield x - ax, y - ay


def corners(screen, rows, frames, frame_width, strip_height, margin):
    for frame in range(1, frames + 1):
        left = (frame - 1) * frame_width
        top_left = piece(rows, left, 0, margin, margin)
        top_right = piece(rows, left + frame_width - margin, 0, margin, margin)
        bottom_left = piece(rows, left, strip_height - margin, margin, margin)
        bottom_right = piece(rows, left + frame_width - margin, strip_height - margin, margin, margin)
        if not top_left:
            continue
        for x, y in places(screen, top_left):
            right = next((r for r in range(x + margin, min(x + 800, screen.width - margin + 1))
                          if matches(screen, r, y, top_right)), None)
            bottom = next((b for b in range(y + margin, min(y + 300, screen.height - margin + 1))
                           if matches(screen, x, b, bottom_left)), None)
            if right is None or bottom is None or not matches(screen, right, bottom, bottom_right):
                continue
            print(frame, x, y, right + margin - x, bottom + margin - y)


def whole(screen, rows, frames, frame_width, strip_height):
    for frame in range(1, frames + 1):
        pattern = piece(rows, (frame - 1) * frame_width, 0, frame_width, strip_height)
        if pattern:
            for x, y in places(screen, pattern):
                print(frame, x, y)


def main(argv):
    if len(argv) < 5 or argv[1] not in ('corners', 'whole'):
        raise SystemExit(__doc__)
    screen = Screen(argv[2])
    width, height, rows = read_bmp(argv[3])
    frames = int(argv[4])
    if argv[1] == 'corners':
        corners(screen, rows, frames, width // frames, height, int(argv[5]))
    else:
        whole(screen, rows, frames, width // frames, height)


if __name__ == '__main__':
    main(sys.argv)
