"""Device-independent bitmaps: the rows, header and palette that BMP files and the images in
icons and cursors share, the BMP writer (plain or run-length encoded), and a reader for both."""

import struct

from artwork.check import expect


def pack_rows(w, h, values, bpp):
    """Device-independent bitmap rows, bottom row first, each padded to a multiple of 4 bytes.
    values are palette indices (1, 4, 8 bpp) or (r, g, b) tuples (24 bpp)."""
    stride = (w * bpp + 31) // 32 * 4
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = values[y * w : (y + 1) * w]
        if bpp == 24:
            data = bytearray()
            for r, g, b in row:
                data += bytes((b, g, r))
        else:
            data, acc, nbits = bytearray(), 0, 0
            for v in row:
                acc = (acc << bpp) | v
                nbits += bpp
                if nbits == 8:
                    data.append(acc)
                    acc, nbits = 0, 0
            if nbits:
                data.append(acc << (8 - nbits))
        out += data + bytes(stride - len(data))
    return bytes(out)


BI_RGB, BI_RLE8 = 0, 1


def info_header(w, h, bpp, image_size, colours, dpm=2835, compression=BI_RGB):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, compression, image_size, dpm, dpm,
                       colours, 0)


def rle8_rows(w, h, values):
    """8-bit palette indices run-length encoded (BI_RLE8), bottom row first: a repeated index is
    a count and the index; three or more differing ones are a zero, their count and the indices
    themselves, padded to an even length; each row ends with 0 0 and the picture with 0 1."""
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = values[y * w : (y + 1) * w]
        x = 0
        while x < w:
            run = 1
            while x + run < w and run < 255 and row[x + run] == row[x]:
                run += 1
            if run >= 2:
                out += bytes((run, row[x]))
                x += run
                continue
            end = x + 1
            while end < w and end - x < 255 and not (end + 1 < w and row[end] == row[end + 1]):
                end += 1
            literal = bytes(row[x:end])
            if len(literal) >= 3:
                out += bytes((0, len(literal))) + literal + bytes(len(literal) % 2)
            else:
                for v in literal:
                    out += bytes((1, v))
            x = end
        out += bytes((0, 0))
    out[-1] = 1  # the last row's end is the picture's end
    return bytes(out)


def palette_bytes(palette):
    return b"".join(bytes((b, g, r, 0)) for r, g, b in palette)


def write_bmp(w, h, values, bpp, palette=None, rle=False):
    """A bottom-up BMP: 8 bpp with a 256-entry palette, or 24 bpp. rle: 8 bpp run-length
    encoded, which every Windows decodes by itself and which keeps the exe small."""
    pal = palette_bytes(palette) if palette else b""
    pixels = rle8_rows(w, h, values) if rle else pack_rows(w, h, values, bpp)
    offset = 14 + 40 + len(pal)
    colours = len(palette) if palette else 0
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    compression = BI_RLE8 if rle else BI_RGB
    return head + info_header(w, h, bpp, len(pixels), colours, compression=compression) + pal + pixels


def unrle8(data, at, w, h):
    """Decodes BI_RLE8 pixels at offset at: (indices top row first, bytes used). Every row must
    be filled and ended, as rle8_rows writes them."""
    rows, row, pos = [], [], at
    while True:
        expect(pos + 2 <= len(data), "run-length data runs past the end")
        count, value = data[pos], data[pos + 1]
        pos += 2
        if count:
            row += [value] * count
        elif value in (0, 1):
            expect(len(row) == w, f"a row of {len(row)} pixels, expected {w}")
            rows.append(row)
            row = []
            if value == 1:
                break
        else:
            expect(value != 2, "a delta, which leaves pixels undefined")
            row += list(data[pos : pos + value])
            pos += value + value % 2
    expect(len(rows) == h, f"{len(rows)} rows, expected {h}")
    return [v for r in reversed(rows) for v in r], pos - at


def read_dib(data, at, icon):
    """Decodes a DIB at offset at: (w, h, bpp, RGBA pixels top row first, bytes used)."""
    fields = struct.unpack_from("<IiiHHIIiiII", data, at)
    size, w, h, planes, bpp, comp, image_size, _, _, used, _ = fields
    expect(size == 40 and planes == 1, "not a BITMAPINFOHEADER")
    expect(comp == BI_RGB or (comp == BI_RLE8 and bpp == 8 and not icon), "unexpected compression")
    expect(bpp in (1, 4, 8, 24), f"unexpected bit count {bpp}")
    if icon:
        expect(h % 2 == 0, "icon height is not doubled")
        h //= 2
    expect(w > 0 and h > 0, "not a bottom-up bitmap")
    colours = (used or (1 << bpp)) if bpp <= 8 else 0
    pal_at = at + 40
    palette = [(data[pal_at + 4 * k + 2], data[pal_at + 4 * k + 1], data[pal_at + 4 * k])
               for k in range(colours)]
    pix_at = pal_at + 4 * colours
    if comp == BI_RLE8:
        indices, need = unrle8(data, pix_at, w, h)
        expect(image_size == need, f"image size {image_size}, expected {need}")
        expect(all(v < colours for v in indices), "index beyond the palette")
        return w, h, bpp, [palette[v] + (255,) for v in indices], pix_at + need - at
    stride = (w * bpp + 31) // 32 * 4
    mask_stride = (w + 31) // 32 * 4
    need = stride * h + (mask_stride * h if icon else 0)
    expect(image_size in (0, need), f"image size {image_size}, expected {need}")
    expect(pix_at + need <= len(data), "pixel data runs past the end")
    out = []
    for y in range(h):
        row = pix_at + (h - 1 - y) * stride
        mrow = pix_at + stride * h + (h - 1 - y) * mask_stride
        for x in range(w):
            if bpp == 24:
                b, g, r = data[row + 3 * x : row + 3 * x + 3]
                c = (r, g, b)
            else:
                bit = x * bpp
                v = (data[row + bit // 8] >> (8 - bpp - bit % 8)) & ((1 << bpp) - 1)
                expect(v < colours, f"index {v} beyond the palette")
                c = palette[v]
            a = 255
            if icon and (data[mrow + x // 8] >> (7 - x % 8)) & 1:
                expect(c == (0, 0, 0), "a see-through pixel's colour is not black")
                a = 0
            out.append(c + (a,))
    return w, h, bpp, out, pix_at + need - at


def read_bmp(data):
    magic, size, _, _, offset = struct.unpack_from("<2sIHHI", data)
    expect(magic == b"BM", "no BM signature")
    expect(size == len(data), f"file size field {size} but {len(data)} bytes")
    w, h, bpp, pixels, used = read_dib(data, 14, False)
    colours = (1 << bpp) if bpp <= 8 else 0
    expect(offset == 14 + 40 + 4 * colours, "pixel offset does not follow the palette")
    expect(14 + used == len(data), "trailing bytes after the pixels")
    return [(w, h, bpp, pixels, None)]
