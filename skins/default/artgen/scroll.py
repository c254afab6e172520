"""Scroll bars. The 23-frame strip holds the arrows (left, right, up, down; each normal,
pressed, disabled, hot), the thumb grips (horizontal then vertical; normal, pressed, hot)
and the size box. Track and thumb are drawn without direction, so both bars share them:
track frames normal, pressed, disabled, hot; thumb frames normal, dragged, hot."""

from . import glyphs as G
from . import palette as P
from .canvas import Canvas, strip
from .shapes import Face, box

SIZE = 17
THUMB_MARGIN = 4
TRACK_MARGIN = 2

# Arrow directions in strip order, as quarter turns of a down arrow.
ARROW_TURNS = (1, 3, 2, 0)
GRIP_COLOURS = [((140, 152, 186), P.FIELD), ((226, 234, 252), (28, 48, 130)), (P.HOT_OUTLINE, P.FIELD)]


def _arrow(face, colour, turns, offset):
    out = box(SIZE, SIZE, 3, face)
    G.draw_centred(out, G.turned(G.ARROW_DOWN, turns), colour, dx=offset, dy=offset)
    return out


def _arrow_group(turns):
    faces = P.light_faces()
    return [_arrow(faces[0], P.MARK, turns, 0), _arrow(faces[1], P.MARK, turns, 1),
            _arrow(faces[2], P.DISABLED_TEXT, turns, 0), _arrow(faces[3], P.MARK_HOT, turns, 0)]


def _grip(vertical, dark, light):
    out = Canvas(SIZE, SIZE)
    for i in (-3, 0, 3):
        if vertical:
            out.fill(5, 8 + i, 11, 9 + i, dark)
            out.fill(6, 9 + i, 12, 10 + i, light)
        else:
            out.fill(8 + i, 5, 9 + i, 11, dark)
            out.fill(9 + i, 6, 10 + i, 12, light)
    return out


def _size_box():
    out = Canvas(SIZE, SIZE, P.FACE)
    for x, y in ((13, 13), (10, 13), (7, 13), (13, 10), (10, 10), (13, 7)):
        out.fill(x + 1, y + 1, x + 3, y + 3, P.FIELD)
        out.fill(x, y, x + 2, y + 2, (140, 150, 180))
    return out


def scrollbar():
    frames = []
    for turns in ARROW_TURNS:
        frames += _arrow_group(turns)
    for vertical in (False, True):
        frames += [_grip(vertical, dark, light) for dark, light in GRIP_COLOURS]
    return strip(frames + [_size_box()])


def track():
    looks = [((214, 219, 231), (232, 235, 243)), ((188, 198, 222), (208, 216, 234)),
             ((230, 232, 238), (243, 244, 247)), ((196, 210, 240), (222, 230, 246))]
    frames = []
    for edge, fill in looks:
        out = Canvas(SIZE, SIZE, edge)
        out.fill(1, 1, SIZE - 1, SIZE - 1, fill)
        frames.append(out)
    return strip(frames)


def thumb():
    light = (248, 250, 255)
    return strip([
        box(SIZE, SIZE, 3, Face(P.OUTLINE, (214, 222, 240), (214, 222, 240), light=light, dark=(186, 196, 222))),
        box(SIZE, SIZE, 3, Face(P.PRESSED_OUTLINE, (160, 178, 226), (160, 178, 226), light=(124, 144, 204))),
        box(SIZE, SIZE, 3, Face(P.HOT_OUTLINE, (230, 238, 254), (230, 238, 254), light=P.FIELD, dark=(190, 208, 246))),
    ])


def build():
    return {
        'scrollbar.bmp': scrollbar(),
        'scrolltrack.bmp': track(),
        'scrollthumb.bmp': thumb(),
    }
