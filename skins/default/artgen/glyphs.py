"""One-colour glyphs drawn from pixel patterns ('#' set, anything else clear)."""

CLOSE = ["##....##",
         "###..###",
         ".######.",
         "..####..",
         "..####..",
         ".######.",
         "###..###",
         "##....##"]

MAXIMISE = ["##########",
            "##########",
            "#........#",
            "#........#",
            "#........#",
            "#........#",
            "#........#",
            "##########"]

RESTORE = ["..########",
           "..########",
           "..#......#",
           "########.#",
           "########.#",
           "#......###",
           "#......#..",
           "#......#..",
           "########.."]

MINIMISE = ["........",
            "........",
            "........",
            "........",
            "........",
            "........",
            "########",
            "########"]

SMALL_CLOSE = ["##..##",
               "######",
               ".####.",
               ".####.",
               "######",
               "##..##"]

SMALL_RESTORE = ["..######",
                 "..######",
                 "######.#",
                 "######.#",
                 "#....###",
                 "#....#..",
                 "######.."]

SMALL_MINIMISE = ["......",
                  "......",
                  "......",
                  "......",
                  "######",
                  "######"]

CHECK = [".......#",
         "......##",
         "#....###",
         "##..###.",
         "######..",
         ".####...",
         "..##...."]

ARROW_DOWN = ["#######",
              ".#####.",
              "..###..",
              "...#..."]

SMALL_ARROW_DOWN = ["#####",
                    ".###.",
                    "..#.."]


def size(pattern):
    return len(pattern[0]), len(pattern)


def draw(canvas, pattern, x0, y0, colour):
    for y, row in enumerate(pattern):
        for x, ch in enumerate(row):
            if ch == '#':
                canvas.set(x0 + x, y0 + y, colour)


def draw_centred(canvas, pattern, colour, dx=0, dy=0, shadow=None):
    """Centres the pattern; a shadow colour adds a one-pixel drop shadow down and right."""
    w, h = size(pattern)
    x0 = (canvas.width - w) // 2 + dx
    y0 = (canvas.height - h) // 2 + dy
    if shadow is not None:
        draw(canvas, pattern, x0 + 1, y0 + 1, shadow)
    draw(canvas, pattern, x0, y0, colour)


def turned(pattern, quarter_turns):
    """The pattern turned clockwise by 90 degrees per quarter turn."""
    for _ in range(quarter_turns % 4):
        pattern = [''.join(pattern[len(pattern) - 1 - y][x] for y in range(len(pattern)))
                   for x in range(len(pattern[0]))]
    return pattern
