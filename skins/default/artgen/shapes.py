"""Rounded shapes with crisp one-pixel rings: the building block of every control face."""

from .canvas import Canvas, MAGENTA, lerp


def rounded_mask(width, height, radius, corners=(True, True, True, True)):
    """mask[y][x] is True inside a rectangle whose chosen corners (top-left, top-right,
    bottom-right, bottom-left) are rounded with the given radius."""
    def inside(x, y):
        cx, cy = x + 0.5, y + 0.5
        spots = [(radius, radius), (width - radius, radius),
                 (width - radius, height - radius), (radius, height - radius)]
        for (sx, sy), rounded, (left, top) in zip(spots, corners,
                                                   [(1, 1), (0, 1), (0, 0), (1, 0)]):
            in_x = cx < sx if left else cx > sx
            in_y = cy < sy if top else cy > sy
            if rounded and in_x and in_y and (cx - sx) ** 2 + (cy - sy) ** 2 > radius ** 2 + 0.01:
                return False
        return True
    return [[inside(x, y) for x in range(width)] for y in range(height)]


def ring_map(mask):
    """For each inside pixel its ring: 0 on the outline (a 4-neighbour lies outside or off
    the canvas), 1 just inside it, and so on; None outside."""
    h, w = len(mask), len(mask[0])
    rings = [[None] * w for _ in range(h)]
    frontier = []
    for y in range(h):
        for x in range(w):
            if mask[y][x] and any(not (0 <= x + dx < w and 0 <= y + dy < h) or not mask[y + dy][x + dx]
                                  for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                rings[y][x] = 0
                frontier.append((x, y))
    level = 0
    while frontier:
        level += 1
        nxt = []
        for x, y in frontier:
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                nx, ny = x + dx, y + dy
                if 0 <= nx < w and 0 <= ny < h and mask[ny][nx] and rings[ny][nx] is None:
                    rings[ny][nx] = level
                    nxt.append((nx, ny))
        frontier = nxt
    return rings


class Face:
    """How a rounded box is painted: outline colour, a one-pixel inner bevel (light on the
    top and left, dark on the bottom and right; None to skip), and a vertical fill gradient."""

    def __init__(self, outline, top, bottom, light=None, dark=None, accent=None):
        self.outline, self.top, self.bottom = outline, top, bottom
        self.light, self.dark, self.accent = light, dark, accent


def box(width, height, radius, face, corners=(True, True, True, True), outside=MAGENTA):
    """A rounded box painted with a Face. An accent, when given, is a second ring in the
    accent colour just inside the outline (the focus mark)."""
    return shaped(rounded_mask(width, height, radius, corners), face, outside)


def shaped(mask, face, outside=MAGENTA):
    """Any shape given by its mask, painted with a Face like a box."""
    height, width = len(mask), len(mask[0])
    rings = ring_map(mask)
    out = Canvas(width, height, outside)
    for y in range(height):
        fill = lerp(face.top, face.bottom, y / max(height - 1, 1))
        for x in range(width):
            ring = rings[y][x]
            if ring is not None:
                out.set(x, y, _box_pixel(face, ring, x, y, width, height, fill))
    return out


def _box_pixel(face, ring, x, y, width, height, fill):
    if ring == 0:
        return face.outline
    bevel = 1
    if face.accent is not None:
        if ring == 1:
            return face.accent
        bevel = 2
    if ring == bevel:
        lower_right = x >= width - 1 - bevel or y >= height - 1 - bevel
        shade = face.dark if lower_right else face.light
        if shade is not None:
            return shade
    return fill
