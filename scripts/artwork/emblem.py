"""The program's emblem: a shield bearing a K, smoothly drawn from 32 pixels up and placed pixel
by pixel at 16."""

from artwork.geometry import Mask, Picture, fill_rect, inset, polygon, scaled, union
from artwork.numbers import hexrgb, mix, ramp


EMBLEM_SHIELD = [(0.5, 0.02), (0.95, 0.16), (0.95, 0.56), (0.5, 0.985), (0.05, 0.56), (0.05, 0.16)]


# At 16 pixels smoothed edges only blur, so the small emblem is placed pixel by pixel: the
# shield as each row's first and last pixel, and the K on top of it.
EMBLEM16_SHIELD = [(6, 9), (4, 11), (2, 13), (1, 14), (1, 14), (1, 14), (1, 14), (1, 14),
                   (1, 14), (1, 14), (2, 13), (3, 12), (4, 11), (5, 10), (6, 9), (7, 8)]
EMBLEM16_K = [
    "................",
    "................",
    "................",
    ".....##...##....",
    ".....##..##.....",
    ".....##.##......",
    ".....####.......",
    ".....####.......",
    ".....##.##......",
    ".....##..##.....",
    ".....##...##....",
]
EMBLEM16_K_COLOURS = ["#fff0a0", "#fff0a0", "#ffd24a", "#ffd24a", "#ffb030", "#ffb030",
                      "#f58a1c", "#f07a12"]


def draw_emblem16():
    inside = [[lo <= x <= hi for x in range(16)] for lo, hi in EMBLEM16_SHIELD]

    def at(x, y):
        return 0 <= x < 16 and 0 <= y < 16 and inside[y][x]

    def touches(x, y, test):
        return any(test(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))

    def edge(x, y):
        return at(x, y) and touches(x, y, lambda a, b: not at(a, b))

    pic = Picture(16, 16)
    for y in range(16):
        for x in range(16):
            if not at(x, y):
                continue
            if edge(x, y):
                c = hexrgb("#1a0703")
            elif touches(x, y, edge):
                c = ramp([(0, hexrgb("#ffd878")), (0.5, hexrgb("#e89a2c")),
                          (1, hexrgb("#8a4410"))], y / 15.0)
            else:
                c = ramp([(0, hexrgb("#9a3a1a")), (1, hexrgb("#4a160a"))], y / 15.0)
                if x >= 8:
                    c = mix(c, hexrgb("#200804"), 0.35)
            pic.set(x, y, c)
    for y, row in enumerate(EMBLEM16_K):
        for x, ch in enumerate(row):
            if ch == "#":
                pic.set(x, y, hexrgb(EMBLEM16_K_COLOURS[y - 3]))
    return pic


def draw_emblem(size):
    """A dark red-brown hexagonal shield with a gold rim, bearing a bright K whose lower leg is
    a lightning stroke."""
    if size < 32:
        return draw_emblem16()
    s = float(size)
    pic = Picture(size, size)
    shield = scaled(EMBLEM_SHIELD, s)
    pic.paint(Mask.of(size, size, polygon(shield)), hexrgb("#1a0703"))
    rim = inset(shield, 1.0)
    pic.paint(Mask.of(size, size, polygon(rim)),
              lambda x, y: ramp([(0, hexrgb("#ffd878")), (0.5, hexrgb("#e89a2c")),
                                 (1, hexrgb("#8a4410"))], y / s))
    field = inset(shield, 2.0)
    field_mask = Mask.of(size, size, polygon(field))
    centre = s * 0.5

    def field_colour(x, y):
        t = (y + 0.5) / s
        lit = ramp([(0, hexrgb("#8c3418")), (1, hexrgb("#4a160a"))], t)
        dark = ramp([(0, hexrgb("#6a2410")), (1, hexrgb("#300c04"))], t)
        return lit if x + 0.5 < centre else dark

    pic.paint(field_mask, field_colour)

    # The K, in unit coordinates.
    stem = (0.27, 0.22, 0.41, 0.80)
    arm = [(0.41, 0.47), (0.64, 0.22), (0.81, 0.22), (0.41, 0.66)]
    bolt = [(0.47, 0.46), (0.62, 0.55), (0.55, 0.59), (0.80, 0.80), (0.59, 0.80), (0.41, 0.62)]
    mark = union(fill_rect(*[c * s for c in stem]), polygon(scaled(arm, s)),
                 polygon(scaled(bolt, s)))
    mark_mask = Mask.of(size, size, mark)
    pic.paint(mark_mask.shifted(1, 1).minus(mark_mask), hexrgb("#140402"), 0.8)
    pic.paint(mark_mask, lambda x, y: ramp([(0.2, hexrgb("#fff0a0")), (0.5, hexrgb("#ffc23a")),
                                            (0.8, hexrgb("#f07a12"))], (y + 0.5) / s))
    return pic
