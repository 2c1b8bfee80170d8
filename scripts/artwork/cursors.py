"""The cursors: the pointing hand, the hand with a red '!', and the pen."""

import math

from artwork.icon import icon_image
from artwork.numbers import hexrgb


# '#' black, 'o' white, 'r' red, anything else see-through. Hot spot: the fingertip's top at (2, 1).
HAND = [
    ".###.............",
    "#ooo#............",
    "#ooo#............",
    "#ooo#............",
    "#ooo#............",
    "#ooo#............",
    "#ooo####.........",
    "#ooo#ooo####.....",
    "#ooo#ooo#ooo#....",
    "#ooo#ooo#ooo####.",
    "#ooo#ooo#ooo#ooo#",
    "#ooo#ooo#ooo#ooo#",
    "#ooooooooooooooo#",
    "#ooooooooooooooo#",
    "#######ooooooooo#",
    "#oooooo#oooooooo#",
    "#oooooo#oooooooo#",
    "#ooooo#ooooooooo#",
    "#ooooooooooooooo#",
    "#ooooooooooooooo#",
    ".#ooooooooooooo#.",
    ".#ooooooooooooo#.",
    "..#ooooooooooo#..",
    "..#############..",
    "..#ooooooooooo#..",
    "..#ooooooooooo#..",
    "..#############..",
]

EXCLAIM = [
    ".###.",
    "#rrr#",
    "#rrr#",
    "#rrr#",
    "#rrr#",
    ".#r#.",
    ".#r#.",
    "..#..",
    ".....",
    ".###.",
    "#rrr#",
    "#rrr#",
    ".###.",
]

CURSOR_PALETTE = [  # the sixteen colours every 4-bit cursor here uses
    hexrgb("#000000"), hexrgb("#ffffff"), hexrgb("#e01818"), hexrgb("#8a0c0c"),
    hexrgb("#ffe48a"), hexrgb("#e0a830"), hexrgb("#9a6410"), hexrgb("#5a5a5a"),
    hexrgb("#2a2a2a"), hexrgb("#c8c8c8"), hexrgb("#d03020"), hexrgb("#8a1a10"),
    hexrgb("#4a0c06"), hexrgb("#f08060"), hexrgb("#808080"), hexrgb("#404040"),
]
PIXEL_ART = {"#": 0, "o": 1, "r": 2}


def stamp(grid, art, ox, oy):
    for y, row in enumerate(art):
        for x, ch in enumerate(row):
            if ch in PIXEL_ART:
                grid[(oy + y) * 32 + ox + x] = PIXEL_ART[ch]


def draw_hand(exclaim):
    """Palette indices (None for see-through) of the pointing hand, optionally with a red '!'."""
    grid = [None] * (32 * 32)
    stamp(grid, HAND, 0, 0)
    if exclaim:
        stamp(grid, EXCLAIM, 20, 18)
    return grid


def draw_pen():
    """A fountain pen lying from the bottom right up to its nib at the hot spot (4, 5): gold nib
    with its slit, black grip, a gold band and a red barrel lit from the upper left."""
    grid = [None] * (32 * 32)
    tx, ty = 4.5, 5.5
    k = 1.0 / math.sqrt(2.0)
    inked = {}
    for y in range(32):
        for x in range(32):
            dx, dy = x + 0.5 - tx, y + 0.5 - ty
            u = (dx + dy) * k          # along the pen, from the tip
            v = (dx - dy) * k          # across it; negative is the upper-right flank
            if u < -0.3 or u > 30.0:
                continue
            if u < 8.0:
                half = 0.55 + u * 0.33
            elif u < 27.5:
                half = 3.3
            else:
                e = (u - 27.5) / 2.6
                half = 3.3 * math.sqrt(max(0.0, 1.0 - e * e))
            if abs(v) > half:
                continue
            side = v / half
            if u < 8.0:
                if abs(v) < 0.5 and 1.5 < u < 6.0:
                    c = 6
                elif 6.0 <= u < 7.2 and abs(v) < 0.9:
                    c = 6
                else:
                    c = 4 if side > 0.25 else 5
            elif u < 11.0:
                c = 15 if side > 0.4 else 8
            elif u < 12.5:
                c = 4 if side > 0.0 else 5
            else:
                c = 13 if side > 0.5 else 10 if side > -0.4 else 11 if side > -0.8 else 12
            inked[(x, y)] = c
    # Outline every inked pixel, except beyond the tip, which must stay a single point.
    for (x, y), c in inked.items():
        grid[y * 32 + x] = c
    for (x, y) in list(inked):
        for ddx in (-1, 0, 1):
            for ddy in (-1, 0, 1):
                nx, ny = x + ddx, y + ddy
                if (nx, ny) in inked or not (0 <= nx < 32 and 0 <= ny < 32):
                    continue
                if (nx + 0.5 - tx + ny + 0.5 - ty) * k < 0.8:
                    continue
                grid[ny * 32 + nx] = 0
    grid[5 * 32 + 4] = 0
    return grid


def cursor_image(grid, bpp):
    keep = [c is not None for c in grid]
    indices = [c if c is not None else 0 for c in grid]
    palette = CURSOR_PALETTE[: 1 << bpp] if bpp == 4 else [(0, 0, 0), (255, 255, 255)]
    return {"w": 32, "h": 32, "bpp": bpp, "colours": 1 << bpp,
            "data": icon_image(32, 32, indices, palette, keep, bpp)}
