"""PNG previews, for looking at the artwork; never shipped."""

import struct
import zlib


def write_png(w, h, rgba, zoom=1, checker=True):
    rows = []
    for y in range(h * zoom):
        row = bytearray(b"\0")
        for x in range(w * zoom):
            r, g, b, a = rgba[(y // zoom) * w + x // zoom]
            if checker:
                bg = 200 if ((x // 4 + y // 4) % 2) else 150
                r, g, b = (int(c * a / 255 + bg * (255 - a) / 255) for c in (r, g, b))
                a = 255
            row += bytes((r, g, b, a))
        rows.append(bytes(row))

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    head = struct.pack(">IIBBBBB", w * zoom, h * zoom, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", head)
            + chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))
