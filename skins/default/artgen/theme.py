"""Themes: a skin drawn by this art with other colours and sizes. A theme folder holds the
skin's description and entry list and, unless it is the default skin, theme.py with

    PALETTE = {'NAME': value, ...}              names of palette.py
    GEOMETRY = {'module': {'NAME': value}, ...} size constants of the art modules

Every name must already exist: a misspelt one would silently draw the default instead."""

import importlib
import os
import runpy

from . import palette

THEME_FILE = 'theme.py'


def _replace(module, values, what):
    for name, value in values.items():
        if not hasattr(module, name):
            raise SystemExit('theme: %s has no %s %s' % (module.__name__, what, name))
        setattr(module, name, value)


def apply(theme_dir):
    """Sets the theme's palette and sizes; must run before the element modules load."""
    path = os.path.join(theme_dir, THEME_FILE)
    if not os.path.exists(path):
        return
    values = runpy.run_path(path)
    _replace(palette, values.get('PALETTE', {}), 'colour')
    for module_name, sizes in values.get('GEOMETRY', {}).items():
        _replace(importlib.import_module('artgen.' + module_name), sizes, 'size')


def element_modules(names):
    return [importlib.import_module('artgen.' + name) for name in names]
