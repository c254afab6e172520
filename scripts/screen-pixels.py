#!/usr/bin/env python3
"""Pixel questions about screenshots, for the checks on the virtual display: where a skin
strip's frames are drawn, and what a few pixels show. SCREEN is any image ImageMagick's
convert reads (a binary PPM is read directly); STRIP a 24- or 32-bit BMP of the skin.

  corners SCREEN STRIP FRAMES MARGIN
      every rectangle whose four MARGIN x MARGIN corners equal those of one frame of the strip
      (a button drawn from the skin at any size): lines "FRAME LEFT TOP WIDTH HEIGHT"
  whole SCREEN STRIP FRAMES
      every place where a whole frame of the strip is drawn unscaled (a check box's mark):
      lines "FRAME LEFT TOP"
  at SCREEN X Y
      the pixel's red, green and blue
  arrow SCREEN X Y SIZE STRIP FRAMES FRAME
      how many of the SIZE x SIZE square's inner pixels at (X, Y) differ from frame FRAME of
      the strip of FRAMES frames scaled to SIZE (magenta left out), and how many were compared
  nearest SCREEN X0 Y0 X1 Y1 SIZE STRIP FRAMES FRAME
      of the SIZE x SIZE squares at every (X, Y) with X0 <= X <= X1 and Y0 <= Y <= Y1, the one
      whose inner pixels are nearest in colour (least sum of the channels' differences) to
      frame FRAME scaled as for arrow (the first found, X before Y, on a tie); a filtered
      picture is found too: "X Y MISMATCHING COMPARED" as arrow answers there
  thumb SCREEN X Y0 Y1 [TRACK_SCREEN]
      the first and last row of the longest run in column X between rows Y0 and Y1 whose
      pixels differ from the pixel at (X, Y0) of TRACK_SCREEN (the track; a screenshot in
      which the thumb is known not to touch Y0), else of SCREEN: the thumb
  blobs SCREEN STRIP FRAMES FRAME
      the places of the colour most frequent in frame FRAME of the strip (a skin picture
      drawn at any size keeps its colours): each group of touching pixels of that colour (side
      or corner) as a
      line "LEFT TOP WIDTH HEIGHT", top to bottom
  shift BEFORE AFTER X Y W H
      the least upward shift of the rectangle's content that turns BEFORE into AFTER; -1 when
      none below H/2 does
"""
import struct
import subprocess
import sys

MAGENTA = (255, 0, 255)


def parse_ppm(data, path):
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
    return width, height, data[pos + 1:pos + 1 + width * height * 3]


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
        if path.endswith('.ppm'):
            data = open(path, 'rb').read()
        else:
            data = subprocess.run(['convert', path, 'ppm:-'], capture_output=True, check=True).stdout
        self.width, self.height, self.pixels = parse_ppm(data, path)

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


def arrow_mismatches(screen, x0, y0, size, rows, frames, frame):
    """Mismatching pixels, compared pixels and the sum of the channels' differences."""
    frame_width = len(rows[0]) // frames
    bad = checked = distance = 0
    for y in range(1, size - 1):
        for x in range(1, size - 1):
            want = rows[y * len(rows) // size][frame_width * (frame - 1) + x * frame_width // size]
            if want == MAGENTA:
                continue
            checked += 1
            got = screen.at(x0 + x, y0 + y)
            bad += got != want
            distance += sum(abs(g - w) for g, w in zip(got, want))
    return bad, checked, distance


def arrow(screen, x0, y0, size, rows, frames, frame):
    print(*arrow_mismatches(screen, x0, y0, size, rows, frames, frame)[:2])


def nearest(screen, x0, y0, x1, y1, size, rows, frames, frame):
    best = None
    for x in range(x0, x1 + 1):
        for y in range(y0, y1 + 1):
            bad, checked, distance = arrow_mismatches(screen, x, y, size, rows, frames, frame)
            if best is None or distance < best[0]:
                best = (distance, x, y, bad, checked)
    print(*best[1:])


def thumb(screen, x, y0, y1, track_screen):
    track = track_screen.at(x, y0)
    best, start = (-1, -1), None
    for y in range(y0, y1 + 1):
        differs = y < y1 and screen.at(x, y) != track
        if differs and start is None:
            start = y
        elif not differs and start is not None:
            if y - start > best[1] - best[0]:
                best = (start, y - 1)
            start = None
    print(*best)


def blobs(screen, rows, frames, frame):
    frame_width = len(rows[0]) // frames
    counts = {}
    for row in rows:
        for colour in row[frame_width * (frame - 1):frame_width * frame]:
            if colour != MAGENTA:
                counts[colour] = counts.get(colour, 0) + 1
    colour = max(counts, key=counts.get)
    left = set(screen.find(colour))
    found = []
    while left:
        stack = [left.pop()]
        xs, ys = [], []
        while stack:
            x, y = stack.pop()
            xs.append(x)
            ys.append(y)
            for n in ((x + dx, y + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
                if n in left:
                    left.remove(n)
                    stack.append(n)
        found.append((min(ys), min(xs), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1))
    for top, x, w, h in sorted(found):
        print(x, top, w, h)


def shift(before, after, x0, y0, width, height):
    def same(dy):
        return all(before.at(x, y + dy) == after.at(x, y)
                   for y in range(y0, y0 + height - dy) for x in range(x0, x0 + width, 3))
    print(next((dy for dy in range(0, height // 2) if same(dy)), -1))


def main(argv):
    command, args = (argv[1], argv[2:]) if len(argv) > 1 else ('', [])
    numbers = lambda items: [int(a) for a in items]
    if command in ('corners', 'whole') and len(args) >= 3:
        screen = Screen(args[0])
        width, height, rows = read_bmp(args[1])
        frames = int(args[2])
        if command == 'corners':
            corners(screen, rows, frames, width // frames, height, int(args[3]))
        else:
            whole(screen, rows, frames, width // frames, height)
    elif command == 'at' and len(args) == 3:
        print(*Screen(args[0]).at(*numbers(args[1:])))
    elif command == 'arrow' and len(args) == 7:
        x, y, size = numbers(args[1:4])
        arrow(Screen(args[0]), x, y, size, read_bmp(args[4])[2], int(args[5]), int(args[6]))
    elif command == 'nearest' and len(args) == 9:
        x0, y0, x1, y1, size = numbers(args[1:6])
        nearest(Screen(args[0]), x0, y0, x1, y1, size, read_bmp(args[6])[2], int(args[7]),
                int(args[8]))
    elif command == 'thumb' and len(args) in (4, 5):
        screen = Screen(args[0])
        thumb(screen, *numbers(args[1:4]), Screen(args[4]) if len(args) == 5 else screen)
    elif command == 'blobs' and len(args) == 4:
        blobs(Screen(args[0]), read_bmp(args[1])[2], int(args[2]), int(args[3]))
    elif command == 'shift' and len(args) == 6:
        shift(Screen(args[0]), Screen(args[1]), *numbers(args[2:]))
    else:
        raise SystemExit(__doc__)


if __name__ == '__main__':
    main(sys.argv)
