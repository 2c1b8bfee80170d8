"""The open-folder icon: drawn smoothly from 32 pixels up and as pixel art at 16."""

from artwork.geometry import Mask, Picture, pixel_art, polygon, scaled
from artwork.numbers import hexrgb, ramp


FOLDER16 = [
    "................",
    "................",
    ".kkkkk..........",
    "kBBBBBk.........",
    "kBBBBBBkkkkkkk..",
    "kBBBBBBBBBBBBBk.",
    "kBBwwwwwwwwwwBk.",
    "kBBwppppppppwBk.",
    "kBBwwwwwwwwwwBk.",
    "kBBkkkkkkkkkkkkk",
    "kBBkhhhhhhhhhhhk",
    "kBkFFFFFFFFFFFk.",
    "kBkfffffffffffk.",
    "kkffffffffffdk..",
    "kkdddddddddddk..",
    "kkkkkkkkkkkkk...",
]
FOLDER16_COLOURS = {
    "k": hexrgb("#4a2e08"), "B": hexrgb("#d09a40"), "w": hexrgb("#fbf8ec"),
    "p": hexrgb("#b8b4a4"), "h": hexrgb("#fff6c8"), "F": hexrgb("#ffdc78"),
    "f": hexrgb("#f5c04a"), "d": hexrgb("#d89a2a"),
}


def draw_open_folder(size):
    """A tan folder, open towards the viewer, with a sheet of paper showing inside."""
    if size < 32:
        return pixel_art(FOLDER16, FOLDER16_COLOURS)
    s = float(size)
    pic = Picture(size, size)
    outline = hexrgb("#4a2e08")
    back = [(0.04, 0.14), (0.36, 0.14), (0.44, 0.24), (0.86, 0.24), (0.86, 0.86), (0.04, 0.86)]
    paper = [(0.14, 0.30), (0.78, 0.30), (0.78, 0.62), (0.14, 0.62)]
    front = [(0.22, 0.44), (0.98, 0.44), (0.84, 0.88), (0.04, 0.88)]

    def layer(points, colour):
        m = Mask.of(size, size, polygon(scaled(points, s)))
        pic.paint(m.dilated(1), outline)
        pic.paint(m, colour)
        return m

    layer(back, lambda x, y: ramp([(0, hexrgb("#e2ad4c")), (1, hexrgb("#a66e1c"))], y / s))
    layer(paper, hexrgb("#fbf8ec"))
    for k in range(3):
        y = int(0.38 * s) + 3 * k
        for x in range(int(0.22 * s), int(0.70 * s) - 3 * k):
            pic.set(x, y, hexrgb("#b8b4a4"))
    front_mask = layer(front, lambda x, y: ramp([(0, hexrgb("#ffe590")), (0.6, hexrgb("#f5c04a")),
                                                 (1, hexrgb("#d89a2a"))], (y / s - 0.44) / 0.44))
    # A highlight along the front's top edge gives it thickness.
    top = int(front[0][1] * s + 0.5)
    for x in range(size):
        i = top * size + x
        if front_mask.v[i] >= 0.5 and front_mask.v[i + size] >= 0.5:
            pic.set(x, top, hexrgb("#fff6c8"))
    return pic
