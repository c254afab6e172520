"""Popup menus: the window background with its glyph gutter, and the item strip (normal,
separator, disabled, selected, default)."""

from . import palette as P
from .canvas import Canvas, strip
from .shapes import Face, box

BORDER = 3
GUTTER = 24                # the glyph column: border plus the 1 + 3 + 16 pixels of an item
ITEM_WIDTH, ITEM_HEIGHT = 24, 20
SEPARATOR_ROW = 15


def menu_background():
    out = Canvas(GUTTER + 16, 24, P.MENU)
    out.fill(0, 0, out.width, out.height, P.MENU)
    out.fill(BORDER, BORDER, GUTTER, out.height - BORDER, P.MENU_GUTTER)
    out.fill(GUTTER, BORDER, GUTTER + 1, out.height - BORDER, (214, 220, 234))
    out.fill(0, 0, out.width, 1, P.FRAME_MID)
    out.fill(0, out.height - 1, out.width, out.height, P.FRAME_MID)
    out.fill(0, 0, 1, out.height, P.FRAME_MID)
    out.fill(out.width - 1, 0, out.width, out.height, P.FRAME_MID)
    return out


def separator():
    out = Canvas(ITEM_WIDTH, ITEM_HEIGHT)
    out.fill(0, SEPARATOR_ROW, ITEM_WIDTH, SEPARATOR_ROW + 1, (196, 204, 222))
    out.fill(0, SEPARATOR_ROW + 1, ITEM_WIDTH, SEPARATOR_ROW + 2, P.FIELD)
    return out


def menu_items():
    selected = Face((24, 46, 140), P.SELECT_TOP, P.SELECT_BOTTOM, light=(124, 158, 236))
    default = Face(P.SELECT, (236, 241, 253), (214, 224, 248), light=P.FIELD)
    blank = Canvas(ITEM_WIDTH, ITEM_HEIGHT)
    return strip([blank, separator(), blank,
                  box(ITEM_WIDTH, ITEM_HEIGHT, 3, selected),
                  box(ITEM_WIDTH, ITEM_HEIGHT, 3, default)])


def build():
    return {
        'menubackground.bmp': menu_background(),
        'menuitem.bmp': menu_items(),
    }
