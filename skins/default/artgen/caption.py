"""Caption buttons on the title bar and the three buttons of a maximised MDI child.
Caption button frames: normal, pressed, hot, inactive. MDI child frames: normal, pressed,
inactive, hot (the frame painter shows their hot state with frame 4)."""

from . import glyphs as G
from . import palette as P
from .canvas import darken, strip
from .shapes import Face, box

BUTTON_WIDTH, BUTTON_HEIGHT = 22, 18
MDI_WIDTH, MDI_HEIGHT = 16, 14

NORMAL = Face(P.FRAME_EDGE, (74, 100, 188), (30, 48, 134), light=(124, 148, 224))
PRESSED = Face(P.FRAME_EDGE, (14, 24, 88), (30, 46, 126), light=(6, 12, 60))
HOT = Face(P.FRAME_EDGE, (112, 142, 232), (56, 84, 178), light=(170, 190, 246))
CLOSE_HOT = Face((60, 6, 6), (236, 104, 92), P.CLOSE_HOT, light=(250, 160, 150))
CLOSE_PRESSED = Face((40, 0, 0), (120, 20, 20), P.CLOSE_PRESSED, light=(80, 8, 8))
INACTIVE = Face(P.INACTIVE_EDGE, (112, 118, 142), (80, 86, 110), light=(140, 146, 168))


def _frame(width, height, face, pattern, glyph, offset):
    out = box(width, height, 3, face)
    G.draw_centred(out, pattern, glyph, dx=offset, dy=offset, shadow=darken(face.bottom, 0.55))
    return out


def caption_button(pattern, close=False):
    hot = CLOSE_HOT if close else HOT
    pressed = CLOSE_PRESSED if close else PRESSED
    w, h = BUTTON_WIDTH, BUTTON_HEIGHT
    return strip([_frame(w, h, NORMAL, pattern, P.GLYPH, 0),
                  _frame(w, h, pressed, pattern, P.GLYPH, 1),
                  _frame(w, h, hot, pattern, (255, 255, 255), 0),
                  _frame(w, h, INACTIVE, pattern, P.GLYPH_INACTIVE, 0)])


def mdi_controls():
    frames = []
    for pattern, close in ((G.SMALL_MINIMISE, False), (G.SMALL_RESTORE, False), (G.SMALL_CLOSE, True)):
        w, h = MDI_WIDTH, MDI_HEIGHT
        frames += [_frame(w, h, NORMAL, pattern, P.GLYPH, 0),
                   _frame(w, h, CLOSE_PRESSED if close else PRESSED, pattern, P.GLYPH, 1),
                   _frame(w, h, INACTIVE, pattern, P.GLYPH_INACTIVE, 0),
                   _frame(w, h, CLOSE_HOT if close else HOT, pattern, (255, 255, 255), 0)]
    return strip(frames)


def build():
    return {
        'btnclose.bmp': caption_button(G.CLOSE, close=True),
        'btnmax.bmp': caption_button(G.MAXIMISE),
        'btnrestore.bmp': caption_button(G.RESTORE),
        'btnmin.bmp': caption_button(G.MINIMISE),
        'mdicontrols.bmp': mdi_controls(),
    }
