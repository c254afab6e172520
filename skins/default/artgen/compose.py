"""What the skin engine does with a strip, for the preview: read a bitmap back, cut a frame,
stretch without smoothing, compose by nine regions, draw with the key colour transparent."""

import struct

from .canvas import Canvas, MAGENTA


def read_24(data):
    """A canvas from a bottom-up 24-bit bitmap file (the kind the generator writes)."""
    offset, = struct.unpack_from('<I', data, 10)
    width, height, _, bits = struct.unpack_from('<iiHH', data, 18)
    if bits != 24 or height <= 0:
        raise ValueError('not a bottom-up 24-bit bitmap')
    stride = (width * 3 + 3) // 4 * 4
    out = Canvas(width, height)
    for y in range(height):
        row = offset + (height - 1 - y) * stride
        for x in range(width):
            b, g, r = data[row + 3 * x:row + 3 * x + 3]
            out.set(x, y, (r, g, b))
    return out


def frame(strip, count, index, stacked=False):
    """Frame index (1-based) of a strip of count frames."""
    if stacked:
        h = strip.height // count
        return strip.crop(0, h * (index - 1), strip.width, h)
    w = strip.width // count
    return strip.crop(w * (index - 1), 0, w, strip.height)


def stretched(src, x0, y0, w, h, dw, dh):
    """The source rectangle scaled to dw x dh by picking pixels (no smoothing)."""
    out = Canvas(max(dw, 1), max(dh, 1))
    for y in range(dh):
        for x in range(dw):
            out.set(x, y, src.get(x0 + x * w // dw, y0 + y * h // dh))
    return out


def _piece(out, src, sx, sy, sw, sh, dx, dy, dw, dh):
    if sw > 0 and sh > 0 and dw > 0 and dh > 0:
        out.blit(stretched(src, sx, sy, sw, sh, dw, dh), dx, dy, key=None)


def nine_region(src, dw, dh, left, top, right, bottom):
    """The frame composed to dw x dh: corners unscaled, edges and centre stretched."""
    if dw < left + right:
        left = right = 0
    if dh < top + bottom:
        top = bottom = 0
    out = Canvas(dw, dh)
    sw, sh = src.width, src.height
    mw, mh = sw - left - right, sh - top - bottom
    cw, ch = dw - left - right, dh - top - bottom
    for sx, dx, w, dwid in ((0, 0, left, left), (left, left, mw, cw), (sw - right, dw - right, right, right)):
        for sy, dy, h, dhei in ((0, 0, top, top), (top, top, mh, ch), (sh - bottom, dh - bottom, bottom, bottom)):
            _piece(out, src, sx, sy, w, h, dx, dy, dwid, dhei)
    return out


def checker(width, height, a=(255, 255, 255), b=(222, 224, 230), size=4):
    out = Canvas(width, height)
    for y in range(height):
        for x in range(width):
            out.set(x, y, a if (x // size + y // size) % 2 == 0 else b)
    return out


def over(background, image, dx=0, dy=0):
    """image drawn on a copy of background with the key colour transparent."""
    out = Canvas(background.width, background.height)
    out.pixels = list(background.pixels)
    out.blit(image, dx, dy, key=MAGENTA)
    return out


def magnified(image, factor):
    return stretched(image, 0, 0, image.width, image.height, image.width * factor, image.height * factor)
