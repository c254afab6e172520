"""Which strips the preview shows, with their frame meanings and working sizes."""

STATES5 = 'normal, pressed, disabled, hot, focused'
STATES4 = 'normal, pressed, disabled, hot'


def caption_rows(skin):
    rows, seen = [], set()
    for section in skin.sections:
        if not section.startswith('button.') or not skin.value(section, 'ButtonImage'):
            continue
        image = skin.value(section, 'ButtonImage')
        if image in seen:
            continue
        seen.add(image)
        rows.append(('[%s] ButtonImage' % section, section, 'ButtonImage', skin.int(section, 'frame'),
                     False, 'normal, pressed, hot, inactive', None, None))
    return rows


def strip_rows(skin):
    """(title, section, key, frames, stacked, meanings, working size or None, margins or None)"""
    p = 'Personality'
    top = (skin.int(p, 'TopTopHeight'), 0, skin.int(p, 'TopBotHeight'), 0)
    side = lambda s: (0, skin.int(p, s + 'TopHeight'), 0, skin.int(p, s + 'BotHeight'))  # noqa: E731
    menubar = (skin.int(p, 'TileLeftMenu'), 0, skin.int(p, 'TileRightMenu'), 0)
    plate = (skin.int(p, 'TXTBackleft'), 0, skin.int(p, 'TXTBackRight'), 0)
    return [
        ('Top: title bar', p, 'Top', 2, True, 'active, inactive', (300, 26), top),
        ('Left border', p, 'Left', 2, False, 'active, inactive', (4, 90), side('Left')),
        ('Right border', p, 'Right', 2, False, 'active, inactive', (4, 90), side('Right')),
        ('Bottom border', p, 'Bottom', 2, True, 'active, inactive', (200, 4), (0, 0, 0, 0)),
        ('menuBar', p, 'menuBar', 2, False, 'active, inactive', (300, 19), menubar),
        ('TextBack: caption plate', p, 'TextBack', 2, False, 'active, inactive', (140, 26), plate),
    ] + caption_rows(skin) + [
        ('[MDICONTROLS]', 'MDICONTROLS', 'Image', 12, False,
         'minimise, restore, close: normal, pressed, inactive, hot', None, None),
        ('[Buttons] Bitmap', 'Buttons', 'Bitmap', 5, False, STATES5, (105, 25), None),
        ('[Buttons] CheckButton', 'Buttons', 'CheckButton', 12, False,
         'unchecked, checked, mixed x normal, hot, pressed, disabled', None, None),
        ('[Buttons] RadioButton', 'Buttons', 'RadioButton', 8, False,
         'unchecked, checked x normal, hot, pressed, disabled', None, None),
        ('[ToolBars]', 'ToolBars', 'Image', 5, False, STATES5, (40, 26), None),
        ('[Progress]', 'Progress', 'Bitmap', 2, False, 'trough, filled bar', (200, 18), None),
        ('[Progress.Chunk]', 'Progress.Chunk', 'Image', 1, False, 'one chunk and its gap', None, None),
        ('[GroupBox] caption plate', 'GroupBox', 'Image', 1, False, '', (90, 18), None),
        ('[GroupBoxEdge]', 'GroupBoxEdge', 'Image', 2, False, 'normal, disabled', (160, 70), None),
        ('[Tabs]', 'Tabs', 'Image', 5, False, 'normal, current, disabled, hot, current+focused', (76, 22), None),
        ('[Tab.Pane] and [Tabs] Border', 'Tab.Pane', 'Image', 1, False, '', (200, 70), None),
        ('[StatusBarEdges]', 'StatusBarEdges', 'Image', 3, False, 'lowered, raised, none', (120, 20), None),
        ('[SunkEdge]', 'SunkEdge', 'Image', 4, False, STATES4, (140, 21), None),
        ('[ComboButton]', 'ComboButton', 'Image', 4, False, STATES4, None, None),
        ('[ExtraImages]', 'ExtraImages', 'Image', 5, False, 'arrow: ' + STATES4 + '; size grip', None, None),
        ('[Headerbar]', 'Headerbar', 'Image', 5, False, 'normal, hot, pressed, disabled, focused', (110, 20), None),
        ('[MenuItem]', 'MenuItem', 'Image', 5, False, 'normal, separator, disabled, selected, default', (160, 20), None),
        ('[MenuBackground]', 'MenuBackground', 'Image', 1, False, 'border, gutter', (160, 90), None),
        ('[Scrollbar]', 'Scrollbar', 'Image', 23, False,
         'arrows left, right, up, down (normal, pressed, disabled, hot); grips; size box', None, None),
        ('[HorzScroll] / [VertScroll]', 'HorzScroll', 'Image', 4, False, STATES4, (160, 17), None),
        ('[HorzScrollThumb] / [VertScrollThumb]', 'HorzScrollThumb', 'Image', 3, False,
         'normal, dragged, hot', (90, 17), None),
        ('[Trackbar.ThumbHorz] / ThumbDown', 'Trackbar.ThumbHorz', 'Image', 5, False, STATES5, None, None),
        ('[Trackbar.ThumbVert] / ThumbRight', 'Trackbar.ThumbVert', 'Image', 5, False, STATES5, None, None),
        ('[Trackbar.ThumbUp]', 'Trackbar.ThumbUp', 'Image', 5, False, STATES5, None, None),
        ('[Trackbar.ThumbLeft]', 'Trackbar.ThumbLeft', 'Image', 5, False, STATES5, None, None),
        ('[UpDown.*] Image (shared face)', 'UpDown.Vert', 'Image', 8, False, 'first half, second half: ' + STATES4, None, None),
        ('[UpDown.Vert] GlyphImage', 'UpDown.Vert', 'GlyphImage', 8, False, 'up, down: ' + STATES4, None, None),
        ('[UpDown.Horz] GlyphImage', 'UpDown.Horz', 'GlyphImage', 8, False, 'left, right: ' + STATES4, None, None),
        ('[Track]', 'Track', 'Image', 1, False, 'channel', (160, 5), None),
        ('[TRACKVERT]', 'TRACKVERT', 'Image', 1, False, 'channel', (5, 80), None),
    ]
