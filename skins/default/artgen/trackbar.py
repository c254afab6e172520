"""Track bars: the channel (horizontal and vertical) and the thumbs. A thumb strip has the
five states normal, pressed, disabled, hot, focused; the engine shows frame 2 while the
thumb rests, so the pressed look is the thumb's everyday blue."""

from . import palette as P
from .canvas import strip
from .shapes import Face, box, shaped

THUMB_WIDTH, THUMB_LENGTH, THUMB_BODY = 11, 19, 14
CHANNEL_LENGTH, CHANNEL_THICKNESS, CHANNEL_CAP = 24, 5, 3

THUMB_FACES = [
    Face(P.OUTLINE, P.FIELD, (212, 220, 238), light=P.FIELD),
    Face((18, 36, 120), (96, 140, 236), (32, 64, 172), light=(156, 188, 250)),
    Face(P.DISABLED_OUTLINE, P.DISABLED_FILL, P.DISABLED_FILL),
    Face(P.HOT_OUTLINE, P.FIELD, (228, 237, 254), light=P.FIELD),
    Face(P.OUTLINE, P.FIELD, (212, 220, 238), accent=P.ACCENT),
]


def _pointer_down_mask():
    """A body with rounded top corners and a point at the bottom."""
    mask = []
    for y in range(THUMB_LENGTH):
        row = []
        for x in range(THUMB_WIDTH):
            if y < THUMB_BODY:
                corner = y == 0 and x in (0, THUMB_WIDTH - 1)
                row.append(not corner)
            else:
                row.append(abs(x - THUMB_WIDTH // 2) <= THUMB_LENGTH - 1 - y)
        mask.append(row)
    return mask


def _turn(mask, how):
    h, w = len(mask), len(mask[0])
    if how == 'up':
        return mask[::-1]
    if how == 'right':   # turned counter-clockwise: the point goes to the right
        return [[mask[x][w - 1 - y] for x in range(h)] for y in range(w)]
    if how == 'left':    # turned clockwise
        return [[mask[h - 1 - x][y] for x in range(h)] for y in range(w)]
    return mask


def thumb(how):
    mask = _turn(_pointer_down_mask(), how)
    return strip([shaped(mask, face) for face in THUMB_FACES])


def channel(vertical):
    """The channel is copied opaquely, so its rounded ends sit on the face colour."""
    groove = Face(P.OUTLINE_SOFT, (192, 200, 220), (232, 236, 244), light=(168, 178, 204))
    if vertical:
        return box(CHANNEL_THICKNESS, CHANNEL_LENGTH, 2, groove, outside=P.FACE)
    return box(CHANNEL_LENGTH, CHANNEL_THICKNESS, 2, groove, outside=P.FACE)


def build():
    return {
        'trackthumbh.bmp': thumb('down'),
        'trackthumbv.bmp': thumb('right'),
        'trackthumbup.bmp': thumb('up'),
        'trackthumbleft.bmp': thumb('left'),
        'track.bmp': channel(False),
        'trackvert.bmp': channel(True),
    }
