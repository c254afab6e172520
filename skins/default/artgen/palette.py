"""The one palette of the default skin: a midnight-blue frame that meets the main window's
header band (RGB 0, 0, 64), cool light faces for the controls, a royal-blue selection and an
amber accent for focus. The description's [Colours] use the same values."""

from .shapes import Face

HEADER_BAND = (0, 0, 64)

# Window frame and title.
FRAME_EDGE = (0, 0, 36)          # the outermost line of the window
FRAME_LIGHT = (74, 100, 186)     # one-pixel highlight just inside the edge
FRAME_MID = (20, 34, 110)
FRAME_DEEP = (10, 20, 84)
FRAME_INNER = (4, 8, 56)         # the line that meets the client area
TITLE_TOP = (46, 70, 158)
TITLE_BOTTOM = (8, 18, 88)
TITLE_SHEEN = (104, 128, 210)    # the second row of the title
INACTIVE_EDGE = (30, 34, 52)
INACTIVE_LIGHT = (122, 128, 150)
INACTIVE_TOP = (92, 98, 122)
INACTIVE_BOTTOM = (58, 63, 86)
INACTIVE_MID = (70, 76, 100)
INACTIVE_DEEP = (56, 61, 84)

# Control faces.
FACE = (236, 239, 245)           # ButtonFace
FACE_TOP = (253, 253, 255)
FACE_BOTTOM = (219, 225, 238)
OUTLINE = (92, 106, 146)
OUTLINE_SOFT = (150, 160, 188)
HOT_OUTLINE = (48, 92, 196)
HOT_TOP = (255, 255, 255)
HOT_BOTTOM = (230, 238, 253)
PRESSED_OUTLINE = (22, 36, 104)
PRESSED_TOP = (188, 200, 226)
PRESSED_BOTTOM = (214, 222, 240)
PRESSED_SHADE = (150, 164, 200)
DISABLED_OUTLINE = (182, 186, 198)
DISABLED_FILL = (238, 239, 243)
FIELD = (255, 255, 255)          # text fields and check boxes
SHADOW = (128, 136, 162)         # ButtonShadow
DARK_SHADOW = (44, 52, 86)       # ButtonDkShadow
TEXT = (16, 20, 44)
DISABLED_TEXT = (150, 156, 172)

# Selection, marks and accent.
SELECT = (38, 72, 176)           # Hilight
SELECT_TOP = (70, 110, 214)
SELECT_BOTTOM = (34, 64, 166)
MARK = (18, 44, 140)             # check marks, arrows, glyphs
MARK_HOT = (36, 86, 210)
ACCENT = (236, 164, 28)          # focus rings and the current tab
ACCENT_SOFT = (248, 206, 120)
MENU = (250, 251, 254)
MENU_GUTTER = (232, 236, 246)

# Status lights on the dark title: caption glyphs and the close button's warning colour.
GLYPH = (236, 240, 252)
GLYPH_INACTIVE = (168, 172, 190)
GLYPH_HOT = (255, 255, 255)
PLATE_DARKEN = 0.3               # how much the caption text plate darkens the title
CLOSE_HOT = (214, 58, 52)
CLOSE_PRESSED = (150, 28, 28)

# Caption button faces (outline comes from the frame edge): top, bottom and bevel light.
CAPTION_NORMAL = ((74, 100, 188), (30, 48, 134), (124, 148, 224))
CAPTION_PRESSED = ((14, 24, 88), (30, 46, 126), (6, 12, 60))
CAPTION_HOT = ((112, 142, 232), (56, 84, 178), (170, 190, 246))
CAPTION_INACTIVE = ((112, 118, 142), (80, 86, 110), (140, 146, 168))

# The menu bar strip: top and bottom of its gradient, active and inactive.
MENUBAR_ACTIVE = ((24, 40, 118), (12, 22, 90))
MENUBAR_INACTIVE = ((80, 86, 110), (62, 67, 90))


def light_faces():
    """The five state faces of light controls: normal, pressed, disabled, hot, focused."""
    normal = Face(OUTLINE, FACE_TOP, FACE_BOTTOM, light=(255, 255, 255), dark=(206, 213, 230))
    pressed = Face(PRESSED_OUTLINE, PRESSED_TOP, PRESSED_BOTTOM, light=PRESSED_SHADE, dark=None)
    disabled = Face(DISABLED_OUTLINE, DISABLED_FILL, DISABLED_FILL)
    hot = Face(HOT_OUTLINE, HOT_TOP, HOT_BOTTOM, light=(255, 255, 255), dark=(196, 214, 246))
    focused = Face(OUTLINE, FACE_TOP, FACE_BOTTOM, dark=(206, 213, 230), accent=ACCENT)
    return [normal, pressed, disabled, hot, focused]
