#!/usr/bin/env python3
"""Draws a contact sheet of the default skin from a generated skin folder:

    preview.py SKIN_DIR OUT.png

At the top, a window put together from the skin the way the engine composes it (active and
inactive, with controls and a popup menu); below, every strip with its frames magnified and
each frame composed at a working size by nine regions with its margins. Labels are set
with ImageMagick's `convert`."""

import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from preview_controls import mock_window  # noqa: E402
from preview_rows import strip_rows  # noqa: E402
from preview_sheet import Sheet, Skin  # noqa: E402
from preview_window import popup_menu  # noqa: E402

SHEET_WIDTH = 1500
BACKGROUND = (74, 78, 92)


def element_rows(sheet, skin, y):
    for row in strip_rows(skin):
        y = sheet.strip_row(skin, row, y) + 10
    return y


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    skin = Skin(sys.argv[1])
    sheet = Sheet(SHEET_WIDTH, 9000, BACKGROUND)
    sheet.label(16, 10, 'Vexlo default skin "%s": one sheet of every element' %
                skin.value('TitlebarSkin', 'SkinName'), (255, 255, 255), 18)
    active = mock_window(skin, sheet, 640, 440, True, 16, 44)
    inactive = mock_window(skin, sheet, 400, 190, False, 680, 44)
    popup_menu(skin, sheet, 1110, 44)
    y = element_rows(sheet, skin, 44 + max(active, inactive) + 24)
    sheet.save(sys.argv[2], y)


if __name__ == '__main__':
    main()
