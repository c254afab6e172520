"""Progress bar, group box, tabs and page pane, status bar panels and list headers."""

from . import palette as P
from .canvas import Canvas, lerp, strip
from .shapes import Face, box

TROUGH = Face(P.OUTLINE_SOFT, (214, 220, 234), (242, 244, 250), light=(192, 200, 220), dark=P.FIELD)
FILL = Face((18, 38, 122), (104, 150, 240), (30, 62, 172), light=(156, 190, 250), dark=(26, 52, 150))
TROUGH_MID = (228, 232, 242)


def progress():
    """Frame 1 the empty trough, frame 2 the filled bar."""
    return strip([box(24, 14, 3, TROUGH), box(24, 14, 3, FILL)])


def progress_chunk():
    out = Canvas(9, 8, TROUGH_MID)
    out.blit(box(7, 8, 1, FILL), 0, 0)
    return out


def groupbox_label():
    return box(32, 16, 4, Face(P.OUTLINE_SOFT, (250, 251, 254), (230, 235, 245), light=P.FIELD))


def groupbox_edge():
    """An etched rounded frame with an open (key-coloured) middle; normal and disabled."""
    frames = []
    for outline in (P.OUTLINE_SOFT, P.DISABLED_OUTLINE):
        out = box(24, 24, 4, Face(outline, P.FACE, P.FACE, light=P.FIELD, dark=P.FIELD))
        out.fill(3, 3, 21, 21, (255, 0, 255))
        frames.append(out)
    return strip(frames)


def _tab(face, top_bar=None, open_bottom=False):
    out = box(40, 22, 4, face, corners=(True, True, False, False))
    if top_bar is not None:
        for y, colour in enumerate(top_bar):
            for x in range(out.width):
                if out.get(x, y + 1) not in ((255, 0, 255), face.outline):
                    out.set(x, y + 1, colour)
    if open_bottom:
        out.fill(1, out.height - 1, out.width - 1, out.height, P.FACE)
        out.fill(1, out.height - 2, out.width - 1, out.height - 1, P.FACE)
    return out


def tabs():
    """Normal tab, current tab, disabled, hot, current and focused."""
    current = Face(P.OUTLINE, P.FIELD, P.FACE, light=P.FIELD)
    return strip([
        _tab(Face(P.OUTLINE_SOFT, (240, 243, 249), (218, 224, 238), light=P.FIELD)),
        _tab(current, top_bar=[P.SELECT_TOP, P.SELECT], open_bottom=True),
        _tab(Face(P.DISABLED_OUTLINE, P.DISABLED_FILL, P.DISABLED_FILL)),
        _tab(Face(P.HOT_OUTLINE, P.FIELD, (232, 240, 253), light=P.FIELD), top_bar=[(150, 184, 246)]),
        _tab(current, top_bar=[P.ACCENT_SOFT, P.ACCENT], open_bottom=True),
    ])


def tab_pane():
    return box(16, 16, 1, Face(P.OUTLINE_SOFT, P.FACE, P.FACE, light=P.FIELD, dark=(208, 214, 230)))


def status_edges():
    """Lowered panel, raised panel, panel without edge."""
    lowered = box(12, 12, 0, Face((176, 184, 204), P.FACE, P.FACE, light=(214, 219, 231), dark=P.FACE))
    for x in range(12):
        lowered.set(x, 11, P.FIELD)
    for y in range(12):
        lowered.set(11, y, P.FIELD)
    raised = box(12, 12, 0, Face((176, 184, 204), P.FACE, P.FACE, light=P.FIELD, dark=(214, 219, 231)))
    for x in range(12):
        raised.set(x, 0, P.FIELD)
    for y in range(12):
        raised.set(0, y, P.FIELD)
    return strip([lowered, raised, Canvas(12, 12, P.FACE)])


def _header(top, bottom, base_lines):
    out = Canvas(24, 20)
    out.vgradient(0, 0, 24, 18, top, bottom)
    out.fill(0, 18, 24, 19, base_lines[0])
    out.fill(0, 19, 24, 20, base_lines[1])
    out.fill(23, 3, 24, 16, (190, 198, 218))
    out.fill(22, 3, 23, 16, P.FIELD)
    return out


def headerbar():
    """Normal, hot, pressed, disabled, focused."""
    return strip([
        _header((252, 253, 255), (226, 231, 243), [(214, 220, 234), (176, 186, 210)]),
        _header(P.FIELD, (234, 241, 254), [(140, 174, 244), P.HOT_OUTLINE]),
        _header((206, 215, 236), (230, 236, 248), [(180, 190, 214), (150, 162, 196)]),
        _header(P.DISABLED_FILL, P.DISABLED_FILL, [P.DISABLED_FILL, P.DISABLED_OUTLINE]),
        _header((252, 253, 255), (226, 231, 243), [P.ACCENT_SOFT, P.ACCENT]),
    ])


def build():
    return {
        'progress.bmp': progress(),
        'progresschunk.bmp': progress_chunk(),
        'groupbox.bmp': groupbox_label(),
        'groupboxedge.bmp': groupbox_edge(),
        'tabs.bmp': tabs(),
        'tabpane.bmp': tab_pane(),
        'statusbar.bmp': status_edges(),
        'headerbar.bmp': headerbar(),
    }
