"""The program's own bitmap resources used by the skin engine: the track bar channels
TRACK and TRACKVERT (4-bit, standard palette), used when a skin has no channel of its own,
ZELMARMENU, the monochrome menu glyphs restore, maximise, minimise and close, MAINICON, the
program's icon, and the media player's 27 button glyphs (EN_MPPLAY ... CL_MPEJECT)."""

from .appicon import encode_icon
from .bmp import encode_24, encode_4bit, encode_mono
from . import mpglyphs
from .canvas import Canvas

SILVER, GREY, WHITE, BLACK = (192, 192, 192), (128, 128, 128), (255, 255, 255), (0, 0, 0)
CODES = {'s': SILVER, 'g': GREY, 'w': WHITE}

TRACK_ROWS = ['ssggggggggggggww', 'sswwwwwwwwwwwwww', 'gswwwwwwwwwwwwww', 'sswwwwwwwwwwwwww']
TRACKVERT_ROWS = ['ssgs', 'ssss'] + ['gwww'] * 12 + ['wwww'] * 2

GLYPH = 16


def _from_rows(rows):
    out = Canvas(len(rows[0]), len(rows))
    for y, row in enumerate(rows):
        for x, code in enumerate(row):
            out.set(x, y, CODES[code])
    return out


def _window_outline(c, x0, y0, x1, y1, clear_inside):
    """A window outline with a two-pixel title edge, corners inclusive."""
    if clear_inside:
        c.fill(x0, y0, x1 + 1, y1 + 1, WHITE)
    c.fill(x0, y0, x1 + 1, y0 + 2, BLACK)
    c.fill(x0, y1, x1 + 1, y1 + 1, BLACK)
    c.fill(x0, y0, x0 + 1, y1 + 1, BLACK)
    c.fill(x1, y0, x1 + 1, y1 + 1, BLACK)


def menu_glyphs():
    c = Canvas(GLYPH * 4, GLYPH, WHITE)
    _window_outline(c, 6, 2, 13, 9, False)            # restore: back window
    _window_outline(c, 2, 6, 9, 13, True)             # restore: front window
    _window_outline(c, GLYPH + 3, 3, GLYPH + 12, 12, False)
    c.fill(2 * GLYPH + 4, 7, 2 * GLYPH + 12, 9, BLACK)
    for i in range(8):
        x0 = 3 * GLYPH + 4
        c.fill(x0 + i, 4 + i, x0 + i + 2, 5 + i, BLACK)
        c.fill(x0 + 6 - i, 4 + i, x0 + 8 - i, 5 + i, BLACK)
    return c


def build():
    """The resource files by file name."""
    return {
        'track.bmp': encode_4bit(_from_rows(TRACK_ROWS)),
        'trackvert.bmp': encode_4bit(_from_rows(TRACKVERT_ROWS)),
        'zelmarmenu.bmp': encode_mono(menu_glyphs()),
        'vexlo.ico': encode_icon(),
        **{name.lower() + '.bmp': encode_24(glyph) for name, glyph in mpglyphs.build().items()},
    }
