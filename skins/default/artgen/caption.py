"""Caption buttons on the title bar and the three buttons of a maximised MDI child.
Caption button frames: normal, pressed, hot, then inactive unless a theme leaves it out
(with fewer than four frames the engine shows frame 1 on an inactive window). MDI child
frames: normal, pressed, inactive, hot (the frame painter shows their hot state with
frame 4)."""

from . import glyphs as G
from . import palette as P
from .canvas import darken, strip
from .shapes import Face, box

BUTTON_WIDTH, BUTTON_HEIGHT = 22, 18
BUTTON_RADIUS = 3
WITH_INACTIVE_FRAME = True
MDI_WIDTH, MDI_HEIGHT = 16, 14


def _face(outline, colours):
    top, bottom, light = colours
    return Face(outline, top, bottom, light=light)


NORMAL = _face(P.FRAME_EDGE, P.CAPTION_NORMAL)
PRESSED = _face(P.FRAME_EDGE, P.CAPTION_PRESSED)
HOT = _face(P.FRAME_EDGE, P.CAPTION_HOT)
CLOSE_HOT = Face((60, 6, 6), (236, 104, 92), P.CLOSE_HOT, light=(250, 160, 150))
CLOSE_PRESSED = Face((40, 0, 0), (120, 20, 20), P.CLOSE_PRESSED, light=(80, 8, 8))
INACTIVE = _face(P.INACTIVE_EDGE, P.CAPTION_INACTIVE)


def _frame(width, height, face, pattern, glyph, offset, radius=3):
    out = box(width, height, radius, face)
    G.draw_centred(out, pattern, glyph, dx=offset, dy=offset, shadow=darken(face.bottom, 0.55))
    return out


def caption_button(pattern, close=False):
    hot = CLOSE_HOT if close else HOT
    pressed = CLOSE_PRESSED if close else PRESSED
    w, h, r = BUTTON_WIDTH, BUTTON_HEIGHT, BUTTON_RADIUS
    frames = [_frame(w, h, NORMAL, pattern, P.GLYPH, 0, r),
              _frame(w, h, pressed, pattern, P.GLYPH, 1, r),
              _frame(w, h, hot, pattern, P.GLYPH_HOT, 0, r)]
    if WITH_INACTIVE_FRAME:
        frames.append(_frame(w, h, INACTIVE, pattern, P.GLYPH_INACTIVE, 0, r))
    return strip(frames)


def mdi_controls():
    frames = []
    for pattern, close in ((G.SMALL_MINIMISE, False), (G.SMALL_RESTORE, False), (G.SMALL_CLOSE, True)):
        w, h = MDI_WIDTH, MDI_HEIGHT
        frames += [_frame(w, h, NORMAL, pattern, P.GLYPH, 0),
                   _frame(w, h, CLOSE_PRESSED if close else PRESSED, pattern, P.GLYPH, 1),
                   _frame(w, h, INACTIVE, pattern, P.GLYPH_INACTIVE, 0),
                   _frame(w, h, CLOSE_HOT if close else HOT, pattern, P.GLYPH_HOT, 0)]
    return strip(frames)


def build():
    return {
        'btnclose.bmp': caption_button(G.CLOSE, close=True),
        'btnmax.bmp': caption_button(G.MAXIMISE),
        'btnrestore.bmp': caption_button(G.RESTORE),
        'btnmin.bmp': caption_button(G.MINIMISE),
        'mdicontrols.bmp': mdi_controls(),
    }
