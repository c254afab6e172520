"""A small RGB pixel canvas and the colour arithmetic the skin is drawn with."""

MAGENTA = (255, 0, 255)  # the key colour: transparent wherever an element has Trans set


def lerp(a, b, t):
    """The colour a fraction t of the way from a to b, rounded per channel."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def lighten(c, t):
    return lerp(c, (255, 255, 255), t)


def darken(c, t):
    return lerp(c, (0, 0, 0), t)


def greyed(c, toward=(236, 237, 240), t=0.55):
    """The disabled look of a colour: its grey value pulled toward a light neutral."""
    v = (c[0] * 30 + c[1] * 59 + c[2] * 11) // 100
    return lerp((v, v, v), toward, t)


class Canvas:
    def __init__(self, width, height, fill=MAGENTA):
        if width <= 0 or height <= 0:
            raise ValueError('empty canvas %dx%d' % (width, height))
        self.width = width
        self.height = height
        self.pixels = [fill] * (width * height)

    def get(self, x, y):
        return self.pixels[y * self.width + x]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y * self.width + x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        """Fills [x0, x1) x [y0, y1), clipped to the canvas."""
        for y in range(max(y0, 0), min(y1, self.height)):
            for x in range(max(x0, 0), min(x1, self.width)):
                self.pixels[y * self.width + x] = colour

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        """Rows from `top` at y0 to `bottom` at y1 - 1."""
        rows = max(y1 - y0 - 1, 1)
        for y in range(y0, y1):
            self.fill(x0, y, x1, y + 1, lerp(top, bottom, (y - y0) / rows))

    def hgradient(self, x0, y0, x1, y1, left, right):
        cols = max(x1 - x0 - 1, 1)
        for x in range(x0, x1):
            self.fill(x, y0, x + 1, y1, lerp(left, right, (x - x0) / cols))

    def blit(self, src, dx, dy, key=MAGENTA):
        """Copies src with its top-left corner at (dx, dy); pixels of the key colour are
        skipped unless key is None."""
        for y in range(src.height):
            for x in range(src.width):
                c = src.get(x, y)
                if key is None or c != key:
                    self.set(dx + x, dy + y, c)

    def crop(self, x0, y0, w, h):
        out = Canvas(w, h)
        for y in range(h):
            for x in range(w):
                out.set(x, y, self.get(x0 + x, y0 + y))
        return out

    def mapped(self, fn):
        """A copy with fn applied to every pixel that is not the key colour."""
        out = Canvas(self.width, self.height)
        out.pixels = [c if c == MAGENTA else fn(c) for c in self.pixels]
        return out

    def transformed(self, width, height, source_of):
        """A new canvas whose pixel (x, y) is this canvas's pixel source_of(x, y)."""
        out = Canvas(width, height)
        for y in range(height):
            for x in range(width):
                out.set(x, y, self.get(*source_of(x, y)))
        return out

    def mirrored(self):
        return self.transformed(self.width, self.height, lambda x, y: (self.width - 1 - x, y))

    def flipped(self):
        return self.transformed(self.width, self.height, lambda x, y: (x, self.height - 1 - y))

    def rotated_cw(self):
        return self.transformed(self.height, self.width, lambda x, y: (y, self.height - 1 - x))

    def rotated_ccw(self):
        return self.transformed(self.height, self.width, lambda x, y: (self.width - 1 - y, x))


def strip(frames, stacked=False):
    """Equal frames side by side (or one above the other when stacked) in one canvas."""
    w, h = frames[0].width, frames[0].height
    if any(f.width != w or f.height != h for f in frames):
        raise ValueError('frames of a strip differ in size')
    out = Canvas(w, h * len(frames)) if stacked else Canvas(w * len(frames), h)
    for i, f in enumerate(frames):
        out.blit(f, 0 if stacked else i * w, i * h if stacked else 0, key=None)
    return out
