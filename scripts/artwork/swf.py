"""Writes the movie format: bit fields, rectangles, matrices, shapes, placements, sprites, files.

Coordinates are whole twips (1/20 px), y down. Colours are (r, g, b) or (r, g, b, a) tuples; a
shape that has any colour with alpha is written as DefineShape3, where every colour carries one.
"""

import struct
import zlib


class BitWriter:
    """Bit fields, most significant bit first, as the movie format packs them."""

    def __init__(self):
        self.out, self.acc, self.n = bytearray(), 0, 0

    def ub(self, value, bits):
        assert 0 <= value < (1 << bits) or bits == 0 and value == 0, (value, bits)
        for i in range(bits - 1, -1, -1):
            self.acc = (self.acc << 1) | ((value >> i) & 1)
            self.n += 1
            if self.n == 8:
                self.out.append(self.acc)
                self.acc, self.n = 0, 0

    def sb(self, value, bits):
        assert -(1 << (bits - 1)) <= value < (1 << (bits - 1)), (value, bits)
        self.ub(value & ((1 << bits) - 1), bits)

    def raw(self, data):
        """Whole bytes, which start on a byte boundary (the bits before are padded with 0)."""
        if self.n:
            self.ub(0, 8 - self.n)
        self.out += data

    def done(self):
        if self.n:
            self.ub(0, 8 - self.n)
        return bytes(self.out)


def signed_bits(*values):
    return max(1, *[(v.bit_length() if v >= 0 else (~v).bit_length()) + 1 for v in values])


def unsigned_bits(value):
    return value.bit_length()


def fixed16(v):
    return int(round(v * 65536))


def swf_rect(xmin, xmax, ymin, ymax):
    b = BitWriter()
    n = signed_bits(xmin, xmax, ymin, ymax)
    b.ub(n, 5)
    for v in (xmin, xmax, ymin, ymax):
        b.sb(v, n)
    return b.done()


def swf_matrix(tx, ty, scale=None, skew=None):
    """x' = sx x + r1 y + tx, y' = r0 x + sy y + ty, where scale = (sx, sy) and skew = (r0, r1)
    are plain numbers (stored in 16.16); a rotation by a is scale (cos a, cos a), skew
    (sin a, -sin a)."""
    b = BitWriter()
    for pair in (scale, skew):
        if pair is None:
            b.ub(0, 1)
            continue
        a, c = (fixed16(v) for v in pair)
        n = signed_bits(a, c)
        b.ub(1, 1)
        b.ub(n, 5)
        b.sb(a, n)
        b.sb(c, n)
    n = signed_bits(tx, ty) if (tx or ty) else 0
    b.ub(n, 5)
    if n:
        b.sb(tx, n)
        b.sb(ty, n)
    return b.done()


def swf_cxform(mult=None, add=None):
    """A colour transform with alpha: each channel becomes c * mult / 256 + add; mult and add are
    (r, g, b, a) tuples of whole numbers, or None for none."""
    b = BitWriter()
    b.ub(1 if add is not None else 0, 1)
    b.ub(1 if mult is not None else 0, 1)
    terms = (list(mult) if mult is not None else []) + (list(add) if add is not None else [])
    n = signed_bits(*terms) if terms else 1
    b.ub(n, 4)
    for v in terms:
        b.sb(v, n)
    return b.done()


def swf_tag(code, body=b""):
    if len(body) < 0x3F:
        return struct.pack("<H", code << 6 | len(body)) + body
    return struct.pack("<HI", code << 6 | 0x3F, len(body)) + body


# ----------------------------------------------------------------------------------------------
# Shapes
# ----------------------------------------------------------------------------------------------


def solid(colour):
    return ("solid", colour)


def linear(matrix, stops):
    """A linear gradient: the square from -16384 to 16384 twips, mapped by matrix (from
    swf_matrix), runs through stops [(ratio 0..255, colour), ...] from left to right."""
    return ("linear", matrix, stops)


def radial(matrix, stops):
    """A radial gradient: ratio 0 at the square's centre, 255 on its inscribed circle."""
    return ("radial", matrix, stops)


class Shape:
    """A shape's style tables and records, written by define(). Points are absolute; the fill
    styles to the left (fill0) and right (fill1) of each edge and the line style are 1-based
    indexes into the current tables, 0 for none."""

    def __init__(self, fills=(), lines=()):
        self.fills, self.lines = list(fills), list(lines)
        self.tables = [(self.fills, self.lines)]
        self.records = []
        self.points = []
        self.pen = (0, 0)

    def colours(self):
        for fills, lines in self.tables:
            for style in fills:
                if style[0] == "solid":
                    yield style[1]
                else:
                    yield from (c for _, c in style[2])
            yield from (c for _, c in lines)

    def move(self, x, y, fill0=None, fill1=None, line=None):
        self.records.append(("change", (x, y), fill0, fill1, line))
        self.points.append((x, y))
        self.pen = (x, y)
        return self

    def style(self, fill0=None, fill1=None, line=None):
        self.records.append(("change", None, fill0, fill1, line))
        return self

    def new_styles(self, fills, lines=()):
        """Replaces the style tables for the records that follow, and sets every style to none:
        an index left in force would point into the new tables, where it may not exist."""
        self.records.append(("styles", list(fills), list(lines)))
        self.records.append(("change", None, 0, 0, 0))
        self.tables.append((list(fills), list(lines)))
        return self

    def line_to(self, x, y):
        px, py = self.pen
        if (x, y) != (px, py):
            self.records.append(("line", x - px, y - py))
        self.points.append((x, y))
        self.pen = (x, y)
        return self

    def curve_to(self, cx, cy, x, y):
        """A quadratic Bezier curve through the control point (cx, cy) to (x, y)."""
        px, py = self.pen
        self.records.append(("curve", cx - px, cy - py, x - cx, y - cy))
        self.points += [(cx, cy), (x, y)]
        self.pen = (x, y)
        return self

    def path(self, points, fill0=None, fill1=None, line=None):
        """A closed straight-edged path."""
        self.move(*points[0], fill0=fill0, fill1=fill1, line=line)
        for p in points[1:] + points[:1]:
            self.line_to(*p)
        return self

    def define(self, shape_id):
        rgba = any(len(c) == 4 for c in self.colours())
        code = 32 if rgba else 22 if len(self.tables) > 1 else 2
        pad = max((w for _, lines in self.tables for w, _ in lines), default=0) // 2
        xs = [x for x, _ in self.points]
        ys = [y for _, y in self.points]
        body = struct.pack("<H", shape_id)
        body += swf_rect(min(xs) - pad, max(xs) + pad, min(ys) - pad, max(ys) + pad)
        body += style_tables(self.fills, self.lines, rgba, code)
        b = BitWriter()
        fill_bits, line_bits = unsigned_bits(len(self.fills)), unsigned_bits(len(self.lines))
        b.ub(fill_bits, 4)
        b.ub(line_bits, 4)
        for record in self.records:
            fill_bits, line_bits = write_record(b, record, fill_bits, line_bits, rgba, code)
        b.ub(0, 6)  # end of shape
        return swf_tag(code, body + b.done())


def write_colour(colour, rgba):
    return bytes(colour[:3]) + (bytes((colour[3] if len(colour) == 4 else 255,)) if rgba else b"")


def style_tables(fills, lines, rgba, code):
    out = bytearray()
    for table in (fills, lines):
        assert len(table) < 255 or code != 2, "DefineShape holds at most 254 styles"
        out += bytes((len(table),)) if len(table) < 255 else struct.pack("<BH", 255, len(table))
        for style in table:
            if table is lines:
                width, colour = style
                out += struct.pack("<H", width) + write_colour(colour, rgba)
            elif style[0] == "solid":
                out += b"\x00" + write_colour(style[1], rgba)
            else:
                kind, matrix, stops = style
                assert 1 <= len(stops) <= 8, "a gradient holds one to eight stops"
                out += bytes((0x10 if kind == "linear" else 0x12,)) + matrix
                out += bytes((len(stops),))
                for ratio, colour in stops:
                    out += bytes((ratio,)) + write_colour(colour, rgba)
    return bytes(out)


def write_record(b, record, fill_bits, line_bits, rgba, code):
    """One shape record; returns the index widths in force after it."""
    kind = record[0]
    if kind == "line":
        _, dx, dy = record
        b.ub(1, 1)                       # edge record
        b.ub(1, 1)                       # straight
        if dx == 0 or dy == 0:
            d = dy if dx == 0 else dx
            n = max(2, signed_bits(d))
            b.ub(n - 2, 4)
            b.ub(0, 1)                   # not general: horizontal or vertical
            b.ub(1 if dx == 0 else 0, 1)
            b.sb(d, n)
        else:
            n = max(2, signed_bits(dx, dy))
            b.ub(n - 2, 4)
            b.ub(1, 1)
            b.sb(dx, n)
            b.sb(dy, n)
    elif kind == "curve":
        n = max(2, signed_bits(*record[1:]))
        b.ub(1, 1)
        b.ub(0, 1)                       # curved
        b.ub(n - 2, 4)
        for v in record[1:]:
            b.sb(v, n)
    elif kind == "styles":
        _, fills, lines = record
        b.ub(0, 1)
        b.ub(0x10, 5)                    # new styles only
        b.raw(style_tables(fills, lines, rgba, code))
        fill_bits, line_bits = unsigned_bits(len(fills)), unsigned_bits(len(lines))
        b.ub(fill_bits, 4)
        b.ub(line_bits, 4)
    else:
        _, to, fill0, fill1, line = record
        b.ub(0, 1)                       # style change record
        b.ub(0, 1)                       # new styles
        b.ub(line is not None, 1)
        b.ub(fill1 is not None, 1)
        b.ub(fill0 is not None, 1)
        b.ub(to is not None, 1)
        if to is not None:
            n = signed_bits(*to)
            b.ub(n, 5)
            b.sb(to[0], n)
            b.sb(to[1], n)
        for index, bits in ((fill0, fill_bits), (fill1, fill_bits), (line, line_bits)):
            if index is not None:
                b.ub(index, bits)
    return fill_bits, line_bits


def swf_shape(shape_id, paths, colour, alpha=None):
    """DefineShape (or DefineShape3 when the colour has alpha) with one solid fill and closed
    straight-edged paths in twips; the fill lies to the right of clockwise paths."""
    shape = Shape(fills=[solid(tuple(colour) + ((alpha,) if alpha is not None else ()))])
    for k, path in enumerate(paths):
        shape.path(path, fill1=1 if k == 0 else None)
    return shape.define(shape_id)


# ----------------------------------------------------------------------------------------------
# The display list, sprites and the file
# ----------------------------------------------------------------------------------------------


def swf_place(depth, matrix=None, char_id=None, clip_depth=None, cxform=None):
    """PlaceObject2: a new character at a depth, or (char_id None) a change to the one there;
    matrix and cxform are the bytes of swf_matrix and swf_cxform, or None to leave them."""
    flags = 0x02 if char_id is not None else 0x01
    body = struct.pack("<H", char_id) if char_id is not None else b""
    if matrix is not None:
        flags |= 0x04
        body += matrix
    if cxform is not None:
        flags |= 0x08
        body += cxform
    if clip_depth is not None:
        flags |= 0x40
        body += struct.pack("<H", clip_depth)
    return swf_tag(26, struct.pack("<BH", flags, depth) + body)


def swf_remove(depth):
    """RemoveObject2."""
    return swf_tag(28, struct.pack("<H", depth))


def swf_show_frame():
    return swf_tag(1)


def swf_background(colour):
    return swf_tag(9, bytes(colour))


def swf_stop():
    """DoAction with a single Stop: the timeline it sits in stays on this frame."""
    return swf_tag(12, bytes((0x07, 0x00)))


def swf_sprite(sprite_id, tags):
    """DefineSprite: its own timeline of display-list tags and ShowFrames (an End is added)."""
    frames = sum(1 for t in tags if t == swf_show_frame())
    return swf_tag(39, struct.pack("<HH", sprite_id, frames) + b"".join(tags) + swf_tag(0))


def swf_file(width, height, rate, tags, version=6, compress=False):
    """The whole file: a stage of width x height twips at rate frames a second; tags end with the
    End tag, which is added. Compressed files are zlib streams after the first eight bytes."""
    frames = sum(1 for t in tags if t == swf_show_frame())
    body = (swf_rect(0, width, 0, height) + struct.pack("<HH", int(rate * 256), frames)
            + b"".join(tags) + swf_tag(0))
    head = struct.pack("<I", 8 + len(body))
    if compress:
        return b"CWS" + bytes((version,)) + head + zlib.compress(body, 9)
    return b"FWS" + bytes((version,)) + head + body
