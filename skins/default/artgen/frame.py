"""The window frame: title bar, side and bottom borders, menu bar strip and the caption text
plate. The title is drawn once as one wide bar with rounded top corners and then cut into
the side borders' title parts and the Top strip, so the three pieces always join."""

from . import palette as P
from .canvas import Canvas, MAGENTA, darken, lerp, strip
from .shapes import ring_map, rounded_mask

TITLE_HEIGHT = 26
SIDE_WIDTH = 4
BOTTOM_HEIGHT = 4
SIDE_BODY = 8            # the stretched middle of a side border
TOP_WIDTH = 120
TOP_MARGIN = 12          # unscaled ends of the Top strip: they hold the rounded corners
CORNER_RADIUS = 7
MENUBAR_HEIGHT = 18
MENUBAR_WIDTH = 40
MENUBAR_CAP = 4
PLATE_WIDTH = 24
PLATE_HEIGHT = 18         # the darker band, centred on the title
PLATE_CAP = 8


class Look:
    """The colours of one frame state (active or inactive)."""

    def __init__(self, active):
        self.edge = P.FRAME_EDGE if active else P.INACTIVE_EDGE
        self.light = P.FRAME_LIGHT if active else P.INACTIVE_LIGHT
        self.sheen = P.TITLE_SHEEN if active else P.INACTIVE_LIGHT
        self.top = P.TITLE_TOP if active else P.INACTIVE_TOP
        self.bottom = P.TITLE_BOTTOM if active else P.INACTIVE_BOTTOM
        self.mid = P.FRAME_MID if active else P.INACTIVE_MID
        self.deep = P.FRAME_DEEP if active else P.INACTIVE_DEEP
        self.inner = P.FRAME_INNER if active else P.INACTIVE_EDGE

    def title_row(self, y):
        if y == TITLE_HEIGHT - 1:
            return self.inner
        return lerp(self.top, self.bottom, (y - 2) / (TITLE_HEIGHT - 4))

    def side_columns(self, right):
        """Colours from the outside in: edge, light (left) or deep (right), mid as often as
        the width asks, inner."""
        middle = [self.mid] * (SIDE_WIDTH - 3)
        return [self.edge, self.deep if right else self.light] + middle + [self.inner]

    def bottom_rows(self):
        """Colours from the inside out: inner, mid as often as the height asks, deep, edge."""
        return [self.inner] + [self.mid] * (BOTTOM_HEIGHT - 3) + [self.deep, self.edge]


def title_bar(look):
    """The whole title bar for a window TOP_WIDTH wide between its side borders."""
    width = SIDE_WIDTH * 2 + TOP_WIDTH
    # A taller mask keeps the bottom row from counting as an outline.
    mask = rounded_mask(width, TITLE_HEIGHT * 2, CORNER_RADIUS, (True, True, False, False))
    rings = ring_map(mask)
    out = Canvas(width, TITLE_HEIGHT)
    for y in range(TITLE_HEIGHT):
        for x in range(width):
            ring = rings[y][x]
            if ring is None:
                continue
            out.set(x, y, _title_pixel(look, ring, x, y, width))
    return out


def _title_pixel(look, ring, x, y, width):
    if ring == 0:
        return look.edge
    if y == TITLE_HEIGHT - 1 and SIDE_WIDTH - 1 <= x <= width - SIDE_WIDTH:
        return look.inner
    if ring == 1:
        return look.deep if x >= width - 1 - CORNER_RADIUS and y > 1 else look.sheen
    return look.title_row(y)


def side_border(look, right):
    """One frame of the Left (or Right) border: title part, stretched body, bottom corner."""
    bar = title_bar(look)
    x0 = bar.width - SIDE_WIDTH if right else 0
    out = Canvas(SIDE_WIDTH, TITLE_HEIGHT + SIDE_BODY + BOTTOM_HEIGHT)
    out.blit(bar.crop(x0, 0, SIDE_WIDTH, TITLE_HEIGHT), 0, 0, key=None)
    cols = look.side_columns(right)
    rows = look.bottom_rows()
    for y in range(TITLE_HEIGHT, out.height):
        for depth in range(SIDE_WIDTH):
            x = SIDE_WIDTH - 1 - depth if right else depth
            below = out.height - 1 - y     # depth from the window's bottom edge
            if y >= TITLE_HEIGHT + SIDE_BODY and below <= depth:
                colour = rows[BOTTOM_HEIGHT - 1 - below]
            else:
                colour = cols[depth]
            out.set(x, y, colour)
    return out


def bottom_border(look):
    out = Canvas(16, BOTTOM_HEIGHT)
    for y, colour in enumerate(look.bottom_rows()):
        out.fill(0, y, out.width, y + 1, colour)
    return out


def top_border(look):
    return title_bar(look).crop(SIDE_WIDTH, 0, TOP_WIDTH, TITLE_HEIGHT)


def menubar(look, active):
    out = Canvas(MENUBAR_WIDTH, MENUBAR_HEIGHT)
    top, bottom = P.MENUBAR_ACTIVE if active else P.MENUBAR_INACTIVE
    out.vgradient(0, 0, out.width, out.height - 1, top, bottom)
    out.fill(0, 0, out.width, 1, lerp(top, look.sheen, 0.35))
    out.fill(0, out.height - 1, out.width, out.height, look.inner)
    return out


def text_plate(look):
    """The caption text plate: a darker rounded band on the title, rows aligned with it."""
    out = Canvas(PLATE_WIDTH, TITLE_HEIGHT)
    for y in range(TITLE_HEIGHT):
        out.fill(0, y, PLATE_WIDTH, y + 1, look.title_row(y))
    mask = rounded_mask(PLATE_WIDTH, PLATE_HEIGHT, 6)
    top = (TITLE_HEIGHT - PLATE_HEIGHT) // 2
    for y in range(PLATE_HEIGHT):
        for x in range(PLATE_WIDTH):
            if mask[y][x]:
                base = look.title_row(y + top)
                out.set(x, y + top, darken(base, P.PLATE_DARKEN))
    out.fill(0, 0, PLATE_WIDTH, 1, look.edge)
    out.fill(0, 1, PLATE_WIDTH, 2, look.sheen)
    out.fill(0, TITLE_HEIGHT - 1, PLATE_WIDTH, TITLE_HEIGHT, look.inner)
    return out


def build():
    """The frame bitmaps by entry name."""
    active, inactive = Look(True), Look(False)
    return {
        'top.bmp': strip([top_border(active), top_border(inactive)], stacked=True),
        'bottom.bmp': strip([bottom_border(active), bottom_border(inactive)], stacked=True),
        'left.bmp': strip([side_border(active, False), side_border(inactive, False)]),
        'right.bmp': strip([side_border(active, True), side_border(inactive, True)]),
        'menubar.bmp': strip([menubar(active, True), menubar(inactive, False)]),
        'titletext.bmp': strip([text_plate(active), text_plate(inactive)]),
    }
