"""The controls of the preview window, each composed from its skin element."""

from artgen import palette as P
from artgen.canvas import Canvas
from artgen.compose import frame, nine_region


class Controls:
    def __init__(self, window, x, y):
        self.win, self.skin, self.x, self.y = window, window.skin, x, y
        self.c = window.canvas

    def put(self, image, x, y):
        self.c.blit(image, self.x + x, self.y + y)

    def text(self, x, y, text, colour, size=12, bold=False):
        self.win.labels.append((self.x + x, self.y + y, text, colour, size, bold))

    def buttons(self, y):
        names = ['Normal', 'Pressed', 'Disabled', 'Hot', 'Focused']
        colours = [self.skin.colour('ButtonText'), (0, 0, 64), P.DISABLED_TEXT, (20, 52, 150), self.skin.colour('ButtonText')]
        for i, name in enumerate(names):
            self.put(self.skin.element('Buttons', 'Bitmap', 5, i + 1, 105, 25), 10 + 115 * i, y)
            self.text(10 + 115 * i + 52 - 4 * len(name), y + 5 + (i == 1), name, colours[i], 12, True)

    def marks(self, y):
        checks = [(1, 'Off'), (5, 'On'), (9, 'Mixed'), (2, 'Hot'), (8, 'Disabled')]
        strip = self.skin.image('Buttons', 'CheckButton')
        for i, (index, name) in enumerate(checks):
            self.put(frame(strip, 12, index), 10 + 80 * i, y)
            self.text(28 + 80 * i, y - 1, name, P.TEXT if index != 8 else P.DISABLED_TEXT)
        radios = self.skin.image('Buttons', 'RadioButton')
        for i, (index, name) in enumerate([(1, 'One'), (5, 'Two'), (8, 'Off')]):
            self.put(frame(radios, 8, index), 420 + 70 * i, y)
            self.text(438 + 70 * i, y - 1, name, P.TEXT if index != 8 else P.DISABLED_TEXT)

    def edits(self, y):
        s = self.skin
        self.put(s.element('SunkEdge', 'Image', 4, 1, 170, 21), 10, y)
        self.text(15, y + 3, 'background(.*?)url', P.TEXT)
        self.put(s.element('SunkEdge', 'Image', 4, 4, 150, 21), 190, y)
        button = frame(s.image('ComboButton', 'Image'), 4, 4)
        self.put(button, 190 + 150 - button.width, y)
        arrow = frame(s.image('ExtraImages', 'Image'), 5, 4)
        self.put(arrow, 190 + 150 - button.width + (button.width - 2 - arrow.width) // 2, y + (21 - arrow.height) // 2)
        self.text(195, y + 3, 'http://', P.TEXT)
        self.spin(350, y - 1)
        self.progress(380, y + 1, 0.6)

    def spin(self, x, y):
        s = self.skin
        for half, (face, glyph) in enumerate(((1, 4), (5, 5))):
            self.put(s.element('UpDown.Vert', 'Image', 8, face, 16, 11, (0, 0, 0, 0)), x, y + 11 * half)
            self.put(s.element('UpDown.Vert', 'GlyphImage', 8, glyph, 16, 11, (0, 0, 0, 0)), x, y + 11 * half)

    def progress(self, x, y, part):
        s = self.skin
        w = 230
        self.put(s.element('Progress', 'Bitmap', 2, 1, w, 18), x, y)
        self.put(s.element('Progress', 'Bitmap', 2, 2, int(w * part), 18), x, y)

    def tabs(self, y):
        s = self.skin
        pane = nine_region(frame(s.image('Tabs', 'Border'), 1, 1), 330, 120, 4, 5, 4, 4)
        self.put(pane, 10, y + 21)
        for i, (index, name) in enumerate(((2, 'Step 1'), (1, 'Step 2'), (4, 'Step 3'), (3, 'Step 4'))):
            self.put(s.element('Tabs', 'Image', 5, index, 76, 22), 12 + 78 * i, y)
            colour = P.DISABLED_TEXT if index == 3 else (0, 0, 64) if index == 2 else (60, 70, 104)
            self.text(28 + 78 * i, y + 4, name, colour, 12, index == 2)
        self.trackbar(30, y + 50)
        self.put(s.element('GroupBoxEdge', 'Image', 2, 1, 290, 50), 30, y + 82)
        self.put(s.element('GroupBox', 'Image', 1, 1, 84, 16), 42, y + 75)
        self.text(50, y + 75, 'Group box', (18, 44, 140), 11)

    def trackbar(self, x, y):
        s = self.skin
        track = s.element('Track', 'Image', 1, 1, 240, 5, (3, 0, 3, 0))
        self.put(track, x, y + 7)
        thumb = frame(s.image('Trackbar.ThumbHorz', 'Image'), 5, 2)
        self.put(thumb, x + 90, y)
        for t in range(0, 241, 24):
            self.c.fill(self.x + x + t, self.y + y + 22, self.x + x + t + 1, self.y + y + 26, P.SHADOW)

    def list_view(self, x, y, w, h):
        s = self.skin
        body = Canvas(w, h, P.FIELD)
        self.put(body, x, y)
        self.c.fill(self.x + x, self.y + y, self.x + x + w, self.y + y + 1, P.SHADOW)
        cols = [('#', 34, 1), ('File', 120, 2), ('Progress', w - 17 - 154, 1)]
        cx = x
        for name, cw, index in cols:
            self.put(s.element('Headerbar', 'Image', 5, index, cw, 20), cx, y)
            self.text(cx + 6, y + 2, name, P.TEXT)
            cx += cw
        for r, (a, b, c) in enumerate((('0', 'top.gif', '100%'), ('1', 'logo.png', '62%'), ('2', 'bg.jpg', 'waiting'))):
            if r == 1:
                self.c.fill(self.x + x, self.y + y + 21 + 18 * r, self.x + x + w - 17, self.y + y + 39 + 18 * r, s.colour('Hilight'))
            colour = s.colour('HilightText') if r == 1 else P.TEXT
            for text, tx in ((a, 8), (b, 40), (c, 160)):
                self.text(x + tx, y + 22 + 18 * r, text, colour, 11)
        self.scrollbar(x + w - 17, y + 20, h - 20)

    def scrollbar(self, x, y, h):
        s = self.skin
        arrows = s.image('Scrollbar', 'Image')
        self.put(s.element('VertScroll', 'Image', 4, 1, 17, h - 34), x, y + 17)
        self.put(frame(arrows, 23, 9), x, y)
        self.put(frame(arrows, 23, 16), x, y + h - 17)
        self.put(s.element('VertScrollThumb', 'Image', 3, 3, 17, 44), x, y + 30)
        self.put(frame(arrows, 23, 22), x, y + 30 + (44 - 17) // 2)

    def status_bar(self, y, w):
        s = self.skin
        x = 0
        for pw, index, text in ((220, 1, 'Ready'), (160, 1, '3 images'), (w - 380, 3, '')):
            self.put(s.element('StatusBarEdges', 'Image', 3, index, pw, 20), x, y)
            self.text(x + 6, y + 3, text, s.colour('WindowText'), 11)
            x += pw
        grip = frame(s.image('ExtraImages', 'Image'), 5, 5)
        self.put(grip, w - grip.width - 1, y + 20 - grip.height - 1)


def mock_window(skin, sheet, width, height, active, x, y):
    from preview_window import Window
    win = Window(skin, width, height, active)
    win.borders()
    flags = {'maxbox': not active, 'minbox': True}
    win.title('Vexlo 1.0 免费版' if active else 'Open', flags)
    win.menubar(['File', 'Steps', 'Help'], 1 if active else -1)
    cx, cy = win.client_origin()
    band = 74 if active else 40
    win.header_band(band)
    if active:
        c = Controls(win, cx, cy + band)
        c.buttons(10)
        c.marks(46)
        c.edits(70)
        c.tabs(104)
        c.list_view(356, 104, 270, 142)
        c.status_bar(height - win.th - 19 - win.bh - band - 20, width - win.lw - win.rw)
    sheet.put(win.canvas, x, y)
    for lx, ly, text, colour, size, bold in win.labels:
        sheet.label(x + lx, y + ly, text, colour, size, bold)
    sheet.label(x, y + height + 6, ('active' if active else 'inactive') + ' window', (190, 196, 214), 11)
    return height + 24
