"""Sunken edit edge, combo box button and its arrow glyphs, and the spin buttons.
Edge and combo button frames: normal, pressed, disabled, hot. Arrow glyphs: the same four,
then the size grip. Spin faces and glyphs: the four states for the first direction (up or
left), then for the second (down or right)."""

from . import glyphs as G
from . import palette as P
from .canvas import Canvas, strip
from .shapes import Face, box

COMBO_HEIGHT = 21
COMBO_BUTTON_WIDTH = 18
SPIN_WIDTH, SPIN_HEIGHT = 15, 11
GLYPH_CELL = 12

EDGE_FACES = [
    Face(P.OUTLINE_SOFT, P.FIELD, P.FIELD, light=(214, 220, 234), dark=P.FIELD),
    Face(P.SELECT, P.FIELD, P.FIELD, light=(190, 204, 236), dark=P.FIELD),
    Face(P.DISABLED_OUTLINE, P.DISABLED_FILL, P.DISABLED_FILL),
    Face(P.HOT_OUTLINE, P.FIELD, P.FIELD, light=(206, 220, 248), dark=P.FIELD),
]

BUTTON_FACES = [
    Face(P.OUTLINE_SOFT, (248, 249, 253), (220, 226, 239), light=P.FIELD),
    Face(P.PRESSED_OUTLINE, P.PRESSED_TOP, P.PRESSED_BOTTOM, light=P.PRESSED_SHADE),
    Face(P.DISABLED_OUTLINE, P.DISABLED_FILL, P.DISABLED_FILL),
    Face(P.HOT_OUTLINE, P.HOT_TOP, P.HOT_BOTTOM, light=P.FIELD),
]

# Glyph colour and offset per state: normal, pressed, disabled, hot.
GLYPH_STATES = [(P.MARK, 0), (P.MARK, 1), (P.DISABLED_TEXT, 0), (P.MARK_HOT, 0)]


def sunk_edge():
    return strip([box(16, COMBO_HEIGHT, 1, face) for face in EDGE_FACES])


def combo_button():
    """The drop-down button; its key-coloured rim lets the sunken edge show around it."""
    frames = []
    for face in BUTTON_FACES:
        out = Canvas(COMBO_BUTTON_WIDTH, COMBO_HEIGHT)
        out.blit(box(COMBO_BUTTON_WIDTH - 2, COMBO_HEIGHT - 4, 2, face,
                     corners=(False, True, True, False)), 0, 2)
        frames.append(out)
    return strip(frames)


def _glyph_frame(width, height, pattern, colour, offset):
    out = Canvas(width, height)
    G.draw_centred(out, pattern, colour, dx=offset, dy=offset)
    return out


def size_grip():
    out = Canvas(GLYPH_CELL, GLYPH_CELL)
    for x, y in ((9, 9), (6, 9), (3, 9), (9, 6), (6, 6), (9, 3)):
        out.fill(x + 1, y + 1, x + 3, y + 3, P.FIELD)
        out.fill(x, y, x + 2, y + 2, (140, 150, 180))
    return out


def combo_arrows():
    frames = [_glyph_frame(GLYPH_CELL, GLYPH_CELL, G.ARROW_DOWN, colour, offset)
              for colour, offset in GLYPH_STATES]
    return strip(frames + [size_grip()])


def spin_faces():
    faces = [P.light_faces()[i] for i in (0, 1, 2, 3)]
    frames = [box(SPIN_WIDTH, SPIN_HEIGHT, 2, face) for face in faces]
    return strip(frames + frames)


def spin_glyphs(first_turns, second_turns):
    """Arrow glyphs as large as a face frame, so that they sit right whether drawn centred
    or stretched over a half."""
    frames = []
    for turns in (first_turns, second_turns):
        pattern = G.turned(G.SMALL_ARROW_DOWN, turns)
        frames += [_glyph_frame(SPIN_WIDTH, SPIN_HEIGHT, pattern, colour, offset)
                   for colour, offset in GLYPH_STATES]
    return strip(frames)


def build():
    return {
        'sunkedge.bmp': sunk_edge(),
        'combobutton.bmp': combo_button(),
        'comboarrows.bmp': combo_arrows(),
        'spinface.bmp': spin_faces(),
        'spinglyphv.bmp': spin_glyphs(2, 0),
        'spinglyphh.bmp': spin_glyphs(1, 3),
    }
