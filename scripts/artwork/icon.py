"""Icon (.ico) and cursor (.cur) files: each a directory of bitmap images with 1-bit masks."""

import struct

from artwork.bmp import info_header, pack_rows, palette_bytes, read_dib
from artwork.check import expect
from artwork.palette import adaptive_palette, to_indexed


def icon_image(w, h, indices, palette, keep, bpp):
    """One image of an icon or cursor: the header gives twice the height because the colour
    bitmap is followed by the 1-bit AND mask (1 = see-through), both bottom-up."""
    xor = pack_rows(w, h, indices, bpp)
    andmask = pack_rows(w, h, [0 if k else 1 for k in keep], 1)
    head = info_header(w, h * 2, bpp, len(xor) + len(andmask), 0, dpm=0)
    return head + palette_bytes(palette) + xor + andmask


def write_icon_file(kind, images):
    """kind 1 is an icon, 2 a cursor. images: dicts with w, h, data, bpp, colours and, for a
    cursor, the hot spot. The directory entry holds planes and bit count for an icon, and the
    hot spot in those two fields for a cursor."""
    out = bytearray(struct.pack("<HHH", 0, kind, len(images)))
    offset = 6 + 16 * len(images)
    for im in images:
        colours = im["colours"] if im["colours"] < 256 else 0
        if kind == 1:
            a, b = 1, im["bpp"]
        else:
            a, b = im["hotspot"]
        out += struct.pack("<BBBBHHII", im["w"] % 256, im["h"] % 256, colours, 0, a, b,
                           len(im["data"]), offset)
        offset += len(im["data"])
    for im in images:
        out += im["data"]
    return bytes(out)


def icon_from_picture(pic):
    """An 8-bit image of an icon: its own 255 colours plus black at index 0 for see-through
    pixels, so that the colour bitmap leaves the screen alone wherever the mask lets it through."""
    keep = pic.opaque()
    pixels = pic.pixels()
    palette = adaptive_palette(pixels, 256, keep, reserve_black=True)
    indices = to_indexed(pixels, palette, keep, first=1)
    return {"w": pic.w, "h": pic.h, "bpp": 8, "colours": 256,
            "data": icon_image(pic.w, pic.h, indices, palette, keep, 8)}


def read_icon_file(data, kind):
    reserved, typ, count = struct.unpack_from("<HHH", data)
    expect(reserved == 0 and typ == kind and count > 0, "bad icon directory header")
    images, end = [], 6 + 16 * count
    for k in range(count):
        bw, bh, colours, res, a, b, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * k)
        expect(res == 0, "reserved byte set")
        expect(offset == end, "images are not stored back to back in directory order")
        w, h, bpp, pixels, used = read_dib(data, offset, True)
        expect(used == size, f"entry says {size} bytes, image has {used}")
        expect(bw == w % 256 and bh == h % 256, "entry size differs from the image's")
        expect(colours == ((1 << bpp) if bpp < 8 else 0), "entry colour count")
        if kind == 1:
            expect(a == 1 and b == bpp, "entry planes / bit count")
            hot = None
        else:
            expect(a < w and b < h, "hot spot outside the cursor")
            hot = (a, b)
        images.append((w, h, bpp, pixels, hot))
        end = offset + size
    expect(end == len(data), "trailing bytes after the last image")
    return images
