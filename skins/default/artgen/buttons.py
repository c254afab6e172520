"""Push buttons, tool bar buttons, and the check box and radio button marks.
Push and tool buttons: normal, pressed, disabled, hot, focused. Check box: twelve frames in
three groups (unchecked, checked, mixed) of normal, hot, pressed, disabled. Radio button:
eight frames in two groups (unchecked, checked) of the same four."""

from . import glyphs as G
from . import palette as P
from .canvas import Canvas, strip
from .shapes import Face, box, rounded_mask

BUTTON_WIDTH, BUTTON_HEIGHT, BUTTON_MARGIN = 32, 25, 4
TOOL_SIZE, TOOL_MARGIN = 22, 4
MARK_SIZE = 13


def push_buttons():
    return strip([box(BUTTON_WIDTH, BUTTON_HEIGHT, BUTTON_MARGIN, face) for face in P.light_faces()])


def tool_buttons():
    normal = Face(P.OUTLINE_SOFT, (248, 249, 253), (232, 236, 245), light=(255, 255, 255))
    faces = P.light_faces()
    faces[0] = normal
    return strip([box(TOOL_SIZE, TOOL_SIZE, TOOL_MARGIN - 1, face) for face in faces])


# The four states of a mark: box face, mark colour.
MARK_STATES = [
    (Face(P.OUTLINE, (236, 240, 248), P.FIELD), P.MARK),                          # normal
    (Face(P.HOT_OUTLINE, (224, 234, 254), P.FIELD, light=(200, 218, 252)), P.MARK_HOT),  # hot
    (Face(P.PRESSED_OUTLINE, (196, 208, 234), (224, 230, 246)), P.MARK),           # pressed
    (Face(P.DISABLED_OUTLINE, P.DISABLED_FILL, P.DISABLED_FILL), P.DISABLED_TEXT),  # disabled
]


def _check_frame(face, mark, kind):
    out = box(MARK_SIZE, MARK_SIZE, 2, face)
    inset = (MARK_SIZE - 13) // 2     # the marks are drawn for 13 pixels and centred
    if kind == 'checked':
        G.draw(out, G.CHECK, 3 + inset, 3 + inset, mark)
    elif kind == 'mixed':
        out.fill(4 + inset, 4 + inset, 9 + inset, 9 + inset, mark)
    return out


def check_marks():
    return strip([_check_frame(face, mark, kind)
                  for kind in ('unchecked', 'checked', 'mixed')
                  for face, mark in MARK_STATES])


def _radio_frame(face, mark, checked):
    out = box(MARK_SIZE, MARK_SIZE, MARK_SIZE // 2, face)
    if checked:
        dot = rounded_mask(5, 5, 2)
        inset = (MARK_SIZE - 5) // 2
        for y in range(5):
            for x in range(5):
                if dot[y][x]:
                    out.set(inset + x, inset + y, mark)
    return out


def radio_marks():
    return strip([_radio_frame(face, mark, checked)
                  for checked in (False, True)
                  for face, mark in MARK_STATES])


def build():
    return {
        'buttons.bmp': push_buttons(),
        'toolbars.bmp': tool_buttons(),
        'checkbox.bmp': check_marks(),
        'radio.bmp': radio_marks(),
    }
