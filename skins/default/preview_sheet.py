"""The preview's building blocks: the skin as read back from a generated folder, and the
sheet with its text labels."""

import os
import subprocess
import tempfile

from artgen.bmp import encode_24
from artgen.canvas import Canvas, MAGENTA
from artgen.compose import checker, frame, magnified, nine_region, over, read_24


class Skin:
    """The description and the bitmaps of a generated skin folder."""

    def __init__(self, folder):
        self.folder = folder
        self.sections = {}
        section = None
        with open(os.path.join(folder, 'skin.ini'), encoding='latin-1') as f:
            for raw in f:
                line = raw.strip()
                if not line or line.startswith(';'):
                    continue
                if line.startswith('[') and line.endswith(']'):
                    section = self.sections.setdefault(line[1:-1].lower(), {})
                elif '=' in line and section is not None:
                    key, value = line.split('=', 1)
                    section.setdefault(key.strip().lower(), value.strip())
        self._images = {}

    def value(self, section, key, default=''):
        return self.sections.get(section.lower(), {}).get(key.lower(), default) or default

    def int(self, section, key, default=0):
        try:
            return int(self.value(section, key, str(default)))
        except ValueError:
            return default

    def colour(self, key):
        return tuple(int(v) for v in self.value('Colours', key).split())

    def image(self, section, key):
        name = self.value(section, key)
        if name not in self._images:
            with open(os.path.join(self.folder, name), 'rb') as f:
                self._images[name] = read_24(f.read())
        return self._images[name]

    def margins(self, section):
        return tuple(self.int(section, k) for k in ('LeftWidth', 'TopHeight', 'RightWidth', 'BottomHeight'))

    def element(self, section, key, count, index, w, h, margins=None, stacked=False):
        """Frame index of the element composed to w x h."""
        src = frame(self.image(section, key), count, index, stacked)
        return nine_region(src, w, h, *(margins if margins is not None else self.margins(section)))


class Sheet:
    def __init__(self, width, height, background):
        self.canvas = Canvas(width, height, background)
        self.background = background
        self.labels = []

    def label(self, x, y, text, colour=(235, 238, 245), size=12, bold=False):
        self.labels.append((x, y, text, colour, size, bold))

    def put(self, image, x, y, transparent=True):
        self.canvas.blit(image, x, y, key=MAGENTA if transparent else None)

    def strip_row(self, skin, row, y):
        """One element: label, magnified frames on a checker, frames composed at working size.
        Returns the y below the row."""
        title, section, key, count, stacked, meanings, size, margins = row
        strip = skin.image(section, key)
        self.label(16, y, title, (255, 255, 255), 13, True)
        self.label(16, y + 18, '%d x %d, %d frame%s%s' % (strip.width, strip.height, count,
                   's' if count > 1 else '', ' stacked' if stacked else ''), (190, 196, 214), 11)
        if meanings:
            self.label(16, y + 34, meanings, (190, 196, 214), 10)
        x, bottom = 330, y + 52
        factor = 3 if max(strip.width, strip.height) * 3 <= 900 else 2
        for i in range(1, count + 1):
            f = frame(strip, count, i, stacked)
            big = magnified(over(checker(f.width, f.height), f), factor)
            if x + big.width > self.canvas.width - 10:
                x, y = 330, bottom + 6
            self.put(big, x, y, transparent=False)
            bottom = max(bottom, y + big.height)
            x += big.width + 6
        if size is not None:
            bottom = self._samples(skin, row, bottom + 8)
        return bottom

    def _samples(self, skin, row, y):
        _, section, key, count, stacked, _, (w, h), margins = row
        x = 330
        factor = 2 if (w + 8) * 2 <= 480 else 1
        for i in range(1, count + 1):
            tile = Canvas(w + 8, h + 8, P_FACE)
            tile.blit(skin.element(section, key, count, i, w, h, margins, stacked), 4, 4)
            big = magnified(tile, factor)
            if x + big.width > self.canvas.width - 10:
                x, y = 330, y + big.height + 6
            self.put(big, x, y, transparent=False)
            x += big.width + 6
        return y + (h + 8) * factor

    def save(self, path, height):
        out = self.canvas.crop(0, 0, self.canvas.width, min(height + 10, self.canvas.height))
        with tempfile.TemporaryDirectory() as tmp:
            bmp = os.path.join(tmp, 'sheet.bmp')
            with open(bmp, 'wb') as f:
                f.write(encode_24(out))
            args = ['convert', bmp]
            for x, y, text, (r, g, b), size, bold in self.labels:
                font = 'DejaVu-Sans-Bold' if bold else 'DejaVu-Sans'
                if not text.isascii():
                    font = 'WenQuanYi-Zen-Hei'
                args += ['-font', font, '-pointsize', str(size),
                         '-fill', '#%02x%02x%02x' % (r, g, b), '-annotate', '+%d+%d' % (x, y + size), text]
            subprocess.run(args + [path], check=True)


P_FACE = (236, 239, 245)
