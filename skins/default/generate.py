#!/usr/bin/env python3
"""Draws Vexlo's skins: the default skin, or another theme drawn by the same art.

    generate.py --skin DIR [--theme THEME_DIR] [--resources DIR]

--skin DIR receives a folder ready for `skinpack pack DIR PACKAGE`: every bitmap the
description names, the description skin.ini and the entry order entries.lst.
--theme THEME_DIR names the folder holding the skin's skin.ini and entries.lst (default:
this folder, the default skin) and, for a theme other than the default, theme.py: its
PALETTE (palette names to colours) and GEOMETRY (art module name to sizes), which replace
the default skin's values before anything is drawn.
--resources DIR receives the program's own bitmap resources (resource-track.bmp,
resource-trackvert.bmp, resource-zelmarmenu.bmp, resource-vexlo.ico and the media
player's glyphs resource-en_mpplay.bmp ... resource-cl_mpeject.bmp).
The output depends on nothing but these sources: every run writes the same bytes."""

import argparse
import os
import shutil
import sys

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from artgen import resources, theme  # noqa: E402
from artgen.bmp import encode_24  # noqa: E402

# Imported only after the theme is applied: some modules make their faces from the palette
# when they load.
ELEMENT_MODULES = ('frame', 'caption', 'buttons', 'panels', 'edits', 'menus', 'scroll', 'trackbar')
DESCRIPTION = 'skin.ini'
ENTRY_LIST = 'entries.lst'


def listed_entries(theme_dir):
    with open(os.path.join(theme_dir, ENTRY_LIST), encoding='ascii') as f:
        return [line.strip() for line in f if line.strip() and not line.startswith('#')]


def draw_skin():
    images = {}
    for module in theme.element_modules(ELEMENT_MODULES):
        for name, canvas in module.build().items():
            if name in images:
                raise SystemExit('generate.py: %s is drawn twice' % name)
            images[name] = canvas
    return images


def check_entries(images, theme_dir):
    """The entry list and the drawn bitmaps must name the same files."""
    listed = [n for n in listed_entries(theme_dir) if n != DESCRIPTION]
    missing = sorted(set(listed) - set(images))
    extra = sorted(set(images) - set(listed))
    if missing or extra:
        raise SystemExit('generate.py: %s lists %s that nobody draws; drawn but not listed: %s'
                         % (ENTRY_LIST, missing, extra))


def write(path, data):
    with open(path, 'wb') as f:
        f.write(data)


def write_skin(out_dir, theme_dir):
    images = draw_skin()
    check_entries(images, theme_dir)
    os.makedirs(out_dir, exist_ok=True)
    for name, canvas in images.items():
        write(os.path.join(out_dir, name), encode_24(canvas))
    for name in (DESCRIPTION, ENTRY_LIST):
        shutil.copyfile(os.path.join(theme_dir, name), os.path.join(out_dir, name))


def write_resources(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    for name, data in resources.build().items():
        write(os.path.join(out_dir, 'resource-' + name), data)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--skin', required=True, help='folder for the skin sources to pack')
    parser.add_argument('--theme', default=HERE, help='folder of the skin description and theme')
    parser.add_argument('--resources', help='folder for the program bitmap resources')
    args = parser.parse_args()
    theme.apply(args.theme)
    write_skin(args.skin, args.theme)
    if args.resources:
        write_resources(args.resources)


if __name__ == '__main__':
    main()
