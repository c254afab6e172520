"""A window put together from the skin as the engine composes it, and a popup menu."""

from artgen import palette as P
from artgen.canvas import Canvas, lerp
from artgen.compose import frame, nine_region

PERSONALITY = 'Personality'
MENUBAR_HEIGHT = 19


def _visible(code, window):
    table = {0: True, 1: window['maximised'], 2: not window['maximised'], 3: window['active'],
             4: not window['active'], 6: window['maxbox'], 7: not window['maxbox'],
             8: window['minbox'], 9: not window['minbox']}
    return table.get(code, False)


def _app_icon():
    icon = Canvas(16, 16)
    icon.blit(Canvas(14, 14, P.ACCENT), 1, 1)
    for y, (a, b) in enumerate([(3, 12), (3, 12), (4, 11), (4, 11), (5, 10), (5, 10), (6, 9), (6, 9), (7, 8)]):
        icon.set(a, y + 3, P.HEADER_BAND)
        icon.set(b, y + 3, P.HEADER_BAND)
    return icon


class Window:
    def __init__(self, skin, width, height, active):
        self.skin, self.w, self.h, self.active = skin, width, height, active
        self.index = 1 if active else 2
        p = PERSONALITY
        self.lw = skin.image(p, 'Left').width // 2
        self.rw = skin.image(p, 'Right').width // 2
        self.th = skin.image(p, 'Top').height // 2
        self.bh = skin.image(p, 'Bottom').height // 2
        self.canvas = Canvas(width, height, P.FACE)
        self.labels = []

    def borders(self):
        s, p, i, c = self.skin, PERSONALITY, self.index, self.canvas
        c.blit(s.element(p, 'Left', 2, i, self.lw, self.h,
                         (0, s.int(p, 'LeftTopHeight'), 0, s.int(p, 'LeftBotHeight'))), 0, 0, key=None)
        c.blit(s.element(p, 'Right', 2, i, self.rw, self.h,
                         (0, s.int(p, 'RightTopHeight'), 0, s.int(p, 'RightBotHeight'))), self.w - self.rw, 0, key=None)
        inner = self.w - self.lw - self.rw
        c.blit(s.element(p, 'Bottom', 2, i, inner, self.bh, (0, 0, 0, 0), stacked=True), self.lw, self.h - self.bh, key=None)
        c.blit(s.element(p, 'Top', 2, i, inner, self.th,
                         (s.int(p, 'TopTopHeight'), 0, s.int(p, 'TopBotHeight'), 0), stacked=True), self.lw, 0, key=None)

    def title(self, caption, flags):
        s, p = self.skin, PERSONALITY
        shift = s.int(p, 'TextShift')
        plate = s.element(p, 'TextBack', 2, self.index, 7 * len(caption) + 18, self.th,
                          (s.int(p, 'TXTBackleft'), 0, s.int(p, 'TXTBackRight'), 0))
        self.canvas.blit(plate, shift - 8, 0)
        colour = s.colour('TitleTextActive' if self.active else 'TitleTextNoActive')
        self.labels.append((shift + 1, (self.th - 13) // 2 - 1, caption, colour, 12, True))
        window = dict(flags, active=self.active, maximised=False)
        for section in s.sections:
            if not section.startswith('button.'):
                continue
            if not (_visible(s.int(section, 'Visibility'), window) and _visible(s.int(section, 'Visibility1'), window)):
                continue
            self._caption_button(section)

    def _caption_button(self, section):
        s = self.skin
        x = s.int(section, 'Xcoord')
        if s.int(section, 'Align') == 1:
            x = self.w - x
        if not s.value(section, 'ButtonImage'):
            self.canvas.blit(_app_icon(), x, s.int(section, 'Ycoord'))
            return
        strip = s.image(section, 'ButtonImage')
        self.canvas.blit(frame(strip, 4, 1 if self.active else 4), x, s.int(section, 'Ycoord'))

    def menubar(self, items, hot):
        s, p = self.skin, PERSONALITY
        bar = s.element(p, 'menuBar', 2, self.index, self.w - self.lw - self.rw, MENUBAR_HEIGHT,
                        (s.int(p, 'TileLeftMenu'), 0, s.int(p, 'TileRightMenu'), 0))
        self.canvas.blit(bar, self.lw, self.th, key=None)
        x = self.lw + s.int(p, 'TileLeftMenu') + 4
        for n, text in enumerate(items):
            width = 7 * len(text) + 10
            if n == hot:
                self._outline(x, self.th, width, MENUBAR_HEIGHT - 1, s.colour('ButtonHilight'))
            self.labels.append((x + 5, self.th + 2, text, s.colour('MenuBarText'), 12, False))
            x += width

    def _outline(self, x, y, w, h, colour):
        c = self.canvas
        c.fill(x, y, x + w, y + 1, colour)
        c.fill(x, y + h - 1, x + w, y + h, colour)
        c.fill(x, y, x + 1, y + h, colour)
        c.fill(x + w - 1, y, x + w, y + h, colour)

    def client_origin(self):
        return self.lw, self.th + MENUBAR_HEIGHT

    def header_band(self, height):
        x, y = self.client_origin()
        self.canvas.fill(x, y, self.w - self.rw, y + height, P.HEADER_BAND)
        self.labels.append((x + 16, y + 8, 'Vexlo', (255, 255, 0), 24, True))
        self.labels.append((x + 130, y + 20, 'Free Build', (0, 255, 0), 12, False))
        self.labels.append((x + 18, y + 50, 'CSS: style.css', (0, 255, 255), 12, False))


def popup_menu(skin, sheet, x, y):
    """A popup menu: background with gutter, items normal, selected, separator, disabled."""
    items = [('Open...', 1), ('Convert', 4), ('-', 2), ('Download', 1), ('Disabled', 3), ('Close', 5)]
    width, height = 170, 3 * 2 + 20 * len(items)
    menu = nine_region(frame(skin.image('MenuBackground', 'Image'), 1, 1), width, height,
                       *skin.margins('MenuBackground'))
    for n, (text, index) in enumerate(items):
        r_y = 3 + 20 * n
        if text == '-':
            sep = frame(skin.image('MenuItem', 'Image'), 5, 2)
            piece = nine_region(sep.crop(0, sep.height - 9, sep.width, 9), width - 6, 9, 3, 0, 3, 0)
            menu.blit(piece, 3, r_y + 5)
            continue
        if index in (4, 5):
            menu.blit(skin.element('MenuItem', 'Image', 5, index, width - 6, 20), 3, r_y)
        key = 'HilightText' if index == 4 else 'MenuText'
        colour = skin.colour('ButtonShadow') if index == 3 else skin.colour(key)
        sheet.label(x + 3 + 1 + skin.int('MenuItem', 'LeftWidth') + 16 + 3, y + r_y + 2, text, colour, 12)
    sheet.put(menu, x, y, transparent=False)
    sheet.label(x, y + height + 6, 'popup menu: background, selected, separator, disabled, default',
                (190, 196, 214), 11)
    return height + 24
