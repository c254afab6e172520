"""The program's icon: a rounded tile in the title bar's blue carrying a white "V" over a small
picture frame, at 16 and 32 pixels, written as an icon file with 32-bit images (alpha for the
rounded corners) and their 1-bit masks."""

import struct

from .canvas import lerp
from .palette import FRAME_EDGE, TITLE_BOTTOM, TITLE_SHEEN, TITLE_TOP
from .shapes import ring_map, rounded_mask

WHITE = (255, 255, 255)
PICTURE_SKY = (255, 196, 64)     # the small picture behind the letter: a warm sun
PICTURE_HILL = (96, 196, 120)


def _inside_v(x, y, size):
    """Whether the pixel centre lies on the letter: two strokes from the top corners of the
    tile's inner area to the bottom middle."""
    cx, cy = x + 0.5, y + 0.5
    top, bottom = size * 0.22, size * 0.80
    if not top <= cy <= bottom:
        return False
    t = (cy - top) / (bottom - top)
    half = size * 0.30 * (1 - t) + size * 0.02
    middle = size / 2
    stroke = size * 0.11
    return abs(abs(cx - middle) - half) <= stroke / 2 + (0.4 if size <= 16 else 0)


def draw(size):
    """The icon's pixels at one size as rows of (r, g, b, a)."""
    mask = rounded_mask(size, size, max(size // 5, 3))
    rings = ring_map(mask)
    pixels = [[(0, 0, 0, 0)] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            if not mask[y][x]:
                continue
            if rings[y][x] == 0:
                colour = FRAME_EDGE
            elif rings[y][x] == 1 and y < size // 2:
                colour = TITLE_SHEEN
            else:
                colour = lerp(TITLE_TOP, TITLE_BOTTOM, y / (size - 1))
            # The picture: a sun between the arms of the letter and a hill along the bottom edge.
            sun = (x + 0.5 - size * 0.5) ** 2 + (y + 0.5 - size * 0.27) ** 2 <= (size * 0.1) ** 2
            hill = y >= size * 0.84 - (size * 0.06) * (x / size) and rings[y][x] >= 1
            if sun:
                colour = PICTURE_SKY
            elif hill:
                colour = PICTURE_HILL
            if _inside_v(x, y, size) and rings[y][x] >= 1:
                colour = WHITE
            pixels[y][x] = colour + (255,)
    return pixels


def _image(pixels):
    size = len(pixels)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b''.join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def encode_icon(sizes=(16, 32)):
    """An icon file holding one 32-bit image per size."""
    images = [_image(draw(size)) for size in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b''.join(images)
