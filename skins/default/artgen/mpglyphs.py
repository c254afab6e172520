"""The media player's button glyphs: nine symbols (play, pause, stop, next, previous, step,
back, record, eject), each in three looks - enabled (black), disabled (grey with a white
emboss) and coloured - on olive, the colour the player draws as transparent."""

from .canvas import Canvas

OLIVE = (128, 128, 0)
BLACK, GREY, WHITE = (0, 0, 0), (128, 128, 128), (255, 255, 255)
WIDTH, HEIGHT = 15, 13

NAMES = ['MPPLAY', 'MPPAUSE', 'MPSTOP', 'MPNEXT', 'MPPREV', 'MPSTEP', 'MPBACK', 'MPRECORD',
         'MPEJECT']
COLOURS = {
    'MPPLAY': (0, 160, 0), 'MPPAUSE': (224, 160, 0), 'MPSTOP': (0, 0, 200),
    'MPNEXT': (0, 128, 192), 'MPPREV': (0, 128, 192), 'MPSTEP': (0, 128, 128),
    'MPBACK': (0, 128, 128), 'MPRECORD': (224, 0, 0), 'MPEJECT': (96, 0, 160),
}


def _triangle_right(points, x0, top, height):
    """A triangle pointing right: its left edge at x0, `height` rows from `top`."""
    half = height // 2
    for row in range(height):
        reach = half - abs(row - half)
        for x in range(x0, x0 + reach + 1):
            points.add((x, top + row))


def _triangle_left(points, x1, top, height):
    half = height // 2
    for row in range(height):
        reach = half - abs(row - half)
        for x in range(x1 - reach, x1 + 1):
            points.add((x, top + row))


def _bar(points, x0, y0, x1, y1):
    for y in range(y0, y1):
        for x in range(x0, x1):
            points.add((x, y))


def _shape(name):
    """The symbol's pixels."""
    p = set()
    if name == 'MPPLAY':
        _triangle_right(p, 5, 1, 11)
    elif name == 'MPPAUSE':
        _bar(p, 3, 1, 6, 12)
        _bar(p, 9, 1, 12, 12)
    elif name == 'MPSTOP':
        _bar(p, 3, 2, 12, 11)
    elif name == 'MPNEXT':
        _triangle_right(p, 2, 2, 9)
        _triangle_right(p, 7, 2, 9)
        _bar(p, 12, 2, 14, 11)
    elif name == 'MPPREV':
        _bar(p, 1, 2, 3, 11)
        _triangle_left(p, 7, 2, 9)
        _triangle_left(p, 12, 2, 9)
    elif name == 'MPSTEP':
        _triangle_right(p, 4, 2, 9)
        _bar(p, 10, 2, 12, 11)
    elif name == 'MPBACK':
        _bar(p, 3, 2, 5, 11)
        _triangle_left(p, 10, 2, 9)
    elif name == 'MPRECORD':
        for y in range(HEIGHT):
            for x in range(WIDTH):
                if (x - 7) ** 2 + (y - 6) ** 2 <= 20:
                    p.add((x, y))
    elif name == 'MPEJECT':
        for row in range(6):
            _bar(p, 7 - row, 1 + row, 8 + row, 2 + row)
        _bar(p, 1, 9, 14, 12)
    return p


def _draw(points, colour, emboss=False):
    c = Canvas(WIDTH, HEIGHT, OLIVE)
    if emboss:
        for (x, y) in points:
            c.set(x + 1, y + 1, WHITE)
    for (x, y) in points:
        c.set(x, y, colour)
    return c


def build():
    """The glyph bitmaps by resource name (EN_, DI_ and CL_ followed by the button's name)."""
    out = {}
    for name in NAMES:
        points = _shape(name)
        out['EN_' + name] = _draw(points, BLACK)
        out['DI_' + name] = _draw(points, GREY, emboss=True)
        out['CL_' + name] = _draw(points, COLOURS[name])
    return out
