"""Reads a written movie back, so that a writer that packs a field wrong fails before a player.

Knows the tags the writer makes (shapes, sprites, PlaceObject2, RemoveObject2, the background,
DoAction) and checks what a player relies on: every field inside its tag, style indexes inside
their tables, characters defined before they are placed, depths in use before they are moved or
emptied, and as many ShowFrame tags as the header (or the sprite) says.
"""

import struct
import zlib

from artwork.check import expect

SHAPE_TAGS = {2: 1, 22: 2, 32: 3}  # tag code: DefineShape version


class BitReader:
    def __init__(self, data, at=0):
        self.data, self.pos = data, at * 8

    def ub(self, n):
        v = 0
        for _ in range(n):
            expect(self.pos < len(self.data) * 8, "bit field runs past its tag")
            v = (v << 1) | ((self.data[self.pos // 8] >> (7 - self.pos % 8)) & 1)
            self.pos += 1
        return v

    def sb(self, n):
        v = self.ub(n)
        return v - (1 << n) if n and v >> (n - 1) else v

    def align(self):
        self.pos = (self.pos + 7) // 8 * 8
        return self.pos // 8


def read_rect(r):
    n = r.ub(5)
    return [r.sb(n) for _ in range(4)]


def read_matrix(r):
    for _ in range(2):
        if r.ub(1):
            n = r.ub(5)
            r.sb(n), r.sb(n)
    n = r.ub(5)
    tx, ty = r.sb(n), r.sb(n)
    r.align()
    return tx, ty


def read_cxform(r):
    has_add, has_mult = r.ub(1), r.ub(1)
    n = r.ub(4)
    for _ in range(4 * (has_add + has_mult)):
        r.sb(n)
    r.align()


def read_styles(body, at, version):
    """Skips a fill and a line style table; returns (position after them, fills, lines)."""
    colour = 4 if version == 3 else 3
    counts = []
    for table in ("fill", "line"):
        expect(at < len(body), f"{table} style table runs past its tag")
        n = body[at]
        at += 1
        if n == 255 and version > 1:
            n = struct.unpack_from("<H", body, at)[0]
            at += 2
        for _ in range(n):
            if table == "line":
                at += 2 + colour
                continue
            kind = body[at]
            at += 1
            if kind == 0x00:
                at += colour
            else:
                expect(kind in (0x10, 0x12), f"fill style type {kind:#x} is not written")
                r = BitReader(body, at)
                read_matrix(r)
                at = r.pos // 8
                stops = body[at] & 0x0F
                expect(body[at] >> 4 == 0 and 1 <= stops <= 8, "gradient header")
                at += 1 + stops * (1 + colour)
        counts.append(n)
    expect(at <= len(body), "style tables run past their tag")
    return at, counts[0], counts[1]


def read_shape(body, version):
    """Returns the number of edges; checks each style index against the table in force."""
    r = BitReader(body, 2)
    read_rect(r)
    at, fills, lines = read_styles(body, r.align(), version)
    r = BitReader(body, at)
    fill_bits, line_bits = r.ub(4), r.ub(4)
    edges = 0
    while True:
        if r.ub(1) == 0:
            flags = r.ub(5)
            if flags == 0:
                break
            if flags & 0x01:
                n = r.ub(5)
                r.sb(n), r.sb(n)
            for bit in (0x02, 0x04):
                if flags & bit:
                    expect(r.ub(fill_bits) <= fills, "fill style index beyond its table")
            if flags & 0x08:
                expect(r.ub(line_bits) <= lines, "line style index beyond its table")
            if flags & 0x10:
                expect(version > 1, "new styles in a DefineShape")
                at, fills, lines = read_styles(body, r.align(), version)
                r.pos = at * 8
                fill_bits, line_bits = r.ub(4), r.ub(4)
        else:
            straight = r.ub(1)
            n = r.ub(4) + 2
            if not straight:
                for _ in range(4):
                    r.sb(n)
            elif r.ub(1):
                r.sb(n), r.sb(n)
            else:
                r.ub(1)
                r.sb(n)
            edges += 1
    expect(r.align() == len(body), "shape records do not fill the tag exactly")
    return edges


def read_place(body, defined, depths):
    flags, depth = struct.unpack_from("<BH", body)
    expect(flags & 0xB0 == 0, "PlaceObject2 with a ratio, a name or clip actions")
    p = 3
    if flags & 0x02:
        expect(struct.unpack_from("<H", body, p)[0] in defined, "places an undefined character")
        expect(flags & 0x01 or depth not in depths, f"places a character on used depth {depth}")
        p += 2
    else:
        expect(flags & 0x01 and depth in depths, f"moves the empty depth {depth}")
    depths.add(depth)
    for bit, read in ((0x04, read_matrix), (0x08, read_cxform)):
        if flags & bit:
            r = BitReader(body, p)
            read(r)
            p = r.pos // 8
    if flags & 0x40:
        expect(struct.unpack_from("<H", body, p)[0] > depth, "clip depth not above its own")
        p += 2
    expect(p == len(body), "PlaceObject2 has bytes left over")


def read_tags(data, at, defined, counts, sprite=False):
    """Reads tags up to and including End; returns (position after End, ShowFrames, tags)."""
    shown, tags, depths = 0, 0, set()
    while True:
        expect(at + 2 <= len(data), "tags run past the end")
        head = struct.unpack_from("<H", data, at)[0]
        code, size = head >> 6, head & 0x3F
        at += 2
        if size == 0x3F:
            expect(at + 4 <= len(data), "tag length runs past the end")
            size = struct.unpack_from("<I", data, at)[0]
            at += 4
        body = data[at : at + size]
        expect(len(body) == size, "tag runs past the end")
        at += size
        tags += 1
        counts[code] = counts.get(code, 0) + 1
        if code == 0:
            return at, shown, tags
        if code == 1:
            shown += 1
        elif code in SHAPE_TAGS and not sprite:
            expect(read_shape(body, SHAPE_TAGS[code]) > 0, "empty shape")
            defined.add(struct.unpack_from("<H", body)[0])
        elif code == 39 and not sprite:
            sid, frames = struct.unpack_from("<HH", body)
            end, inner, _ = read_tags(body, 4, defined, counts, sprite=True)
            expect(end == len(body), "bytes after a sprite's End tag")
            expect(inner == frames, f"sprite {sid} says {frames} frames, shows {inner}")
            defined.add(sid)
        elif code == 26:
            read_place(body, defined, depths)
        elif code == 28:
            expect(size == 2 and struct.unpack_from("<H", body)[0] in depths, "removes nothing")
            depths.discard(struct.unpack_from("<H", body)[0])
        elif code == 12:
            expect(body == bytes((0x07, 0x00)), "an action other than Stop")
        else:
            expect(code == 9 and size == 3 and not sprite, f"tag {code} is not written here")


def read_swf(data):
    expect(data[:3] in (b"FWS", b"CWS") and len(data) >= 8, "not a movie")
    version, length = data[3], struct.unpack_from("<I", data, 4)[0]
    if data[:3] == b"CWS":
        try:
            data = data[:8] + zlib.decompress(data[8:])
        except zlib.error as e:
            expect(False, f"compressed body: {e}")
    expect(length == len(data), f"length field {length} but {len(data)} bytes")
    r = BitReader(data, 8)
    frame = read_rect(r)
    at = r.align()
    rate, frames = struct.unpack_from("<HH", data, at)
    counts = {}
    at, shown, tags = read_tags(data, at + 4, set(), counts)
    expect(at == len(data), "bytes after the End tag")
    expect(shown == frames, f"header says {frames} frames, {shown} ShowFrame tags")
    return {"version": version, "frame": frame, "rate": rate / 256.0, "frames": frames,
            "tags": tags, "counts": counts}
