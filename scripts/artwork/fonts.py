"""Bitmap fonts, and text in them as shapes for the pictures and as paths for the movie."""

from pathlib import Path


def read_fonts(path=Path(__file__).with_name("fonts.txt")):
    """{font name: {character: rows}} from the glyph pictures in fonts.txt. A comment there is a
    line that starts with "# " (a row of cells holds no space)."""
    fonts, glyph = {}, None
    for line in path.read_text(encoding="utf-8").splitlines():
        if not line or line.startswith("# "):
            continue
        word, _, rest = line.partition(" ")
        if word == "font":
            font = fonts.setdefault(rest, {})
        elif word == "glyph":
            glyph = font.setdefault(" " if rest == "space" else rest, [])
        else:
            glyph.append(line)
    return fonts


_FONTS = read_fonts()
SMALL_FONT = _FONTS["small"]
LOGO_FONT = _FONTS["logo"]


def glyph_cell(rows, i, j):
    return 0 <= j < len(rows) and 0 <= i < len(rows[0]) and rows[j][i] == "#"


def glyph_inside(rows, u, v):
    """Is glyph point (u, v), in cells, inked? An empty cell between two inked neighbours that
    meet at a corner is half filled along its diagonal, so steps become slopes when scaled up."""
    i, j = int(u), int(v)
    if glyph_cell(rows, i, j):
        return True
    fu, fv = u - i, v - j
    left, right = glyph_cell(rows, i - 1, j), glyph_cell(rows, i + 1, j)
    up, down = glyph_cell(rows, i, j - 1), glyph_cell(rows, i, j + 1)
    return ((up and left and fu + fv < 1.0) or (up and right and fv < fu)
            or (down and left and fu < fv) or (down and right and fu + fv > 1.0))


def text_width(font, text, tracking=1):
    return sum(len(font[ch][0]) for ch in text) + tracking * (len(text) - 1)


def text_shape(font, text, x, y, scale, tracking=1, shear=0.0):
    """The text as a shape with its top-left at (x, y); shear leans it right by that many pixels
    per pixel of height. Returns the inside test and a bounding box."""
    height = len(next(iter(font.values())))
    starts, pos = [], 0
    for ch in text:
        starts.append((pos, font[ch]))
        pos += len(font[ch][0]) + tracking
    bottom = y + height * scale

    def inside(px, py):
        v = (py - y) / scale
        if v < 0.0 or v >= height:
            return False
        u = (px - x - shear * (bottom - py)) / scale
        for start, rows in starts:
            if start <= u < start + len(rows[0]):
                return glyph_inside(rows, u - start, v)
        return False

    width = text_width(font, text, tracking) * scale
    return inside, (x - 1, y - 1, x + width + shear * height * scale + 1, bottom + 1)


def glyph_paths(font, text, x0, y0, cell):
    """The text as twip paths: each glyph's cells merged into rectangles, plus the diagonal
    half-cells the bitmaps fill, so the movie's lettering matches the pictures'."""
    paths = []
    pos = 0
    for ch in text:
        rows = font[ch]
        gw, gh = len(rows[0]), len(rows)
        used = [[False] * gw for _ in range(gh)]
        for j in range(gh):
            for i in range(gw):
                if rows[j][i] != "#" or used[j][i]:
                    continue
                i1 = i
                while i1 + 1 < gw and rows[j][i1 + 1] == "#" and not used[j][i1 + 1]:
                    i1 += 1
                j1 = j
                while j1 + 1 < gh and all(rows[j1 + 1][k] == "#" and not used[j1 + 1][k]
                                          for k in range(i, i1 + 1)):
                    j1 += 1
                for jj in range(j, j1 + 1):
                    for ii in range(i, i1 + 1):
                        used[jj][ii] = True
                ax, ay = x0 + (pos + i) * cell, y0 + j * cell
                bx, by = x0 + (pos + i1 + 1) * cell, y0 + (j1 + 1) * cell
                paths.append([(ax, ay), (bx, ay), (bx, by), (ax, by)])
        for j in range(gh):
            for i in range(gw):
                if glyph_cell(rows, i, j):
                    continue
                ax, ay = x0 + (pos + i) * cell, y0 + j * cell
                bx, by = ax + cell, ay + cell
                left, right = glyph_cell(rows, i - 1, j), glyph_cell(rows, i + 1, j)
                up, down = glyph_cell(rows, i, j - 1), glyph_cell(rows, i, j + 1)
                if up and left:
                    paths.append([(ax, ay), (bx, ay), (ax, by)])
                if up and right:
                    paths.append([(ax, ay), (bx, ay), (bx, by)])
                if down and left:
                    paths.append([(ax, ay), (bx, by), (ax, by)])
                if down and right:
                    paths.append([(bx, ay), (bx, by), (ax, by)])
        pos += gw + 1
    return paths
