#!/usr/bin/python3
"""Makes the program's pictures, icons, cursors, About movie and read-me in assets/.

Everything the resource script and the About window ship is made here from code, so that it can be
reviewed and rebuilt like the rest of the source. A run always writes the same bytes: the drawing
uses only + - * / and sqrt (which IEEE 754 rounds the same on every machine, unlike sin or exp from
the platform's maths library) and its own xorshift numbers instead of the `random` module.
The drawing, the file formats and the read-me's making live in the artwork/ package beside this
script, which puts them together, writes the files and reads them back.

    scripts/make-assets.py              write the files into assets/
    scripts/make-assets.py --check      rebuild in a temporary folder; exit 1 if assets/ differs
    scripts/make-assets.py --preview D  also write enlarged PNG previews of the pictures into D

Every run reads its own output back (headers, pixel data, masks, the movie's tags) before it
reports success, so a writer that packs a field wrong fails here rather than in a window.
"""

import argparse
import struct
import sys
import tempfile
from pathlib import Path

from artwork.banner import ABOUT_H, ABOUT_W, BANNER_H, BANNER_W, draw_about_banner, draw_banner
from artwork.bmp import read_bmp, write_bmp
from artwork.check import Bad, expect
from artwork.cursors import cursor_image, draw_hand, draw_pen
from artwork.emblem import draw_emblem
from artwork.folder import draw_open_folder
from artwork.icon import icon_from_picture, read_icon_file, write_icon_file
from artwork.movie import make_movie
from artwork.palette import adaptive_palette, to_indexed
from artwork.png import write_png
from artwork.readme import check_readme, make_linux_readme, make_readme
from artwork.swf_read import read_swf

ROOT = Path(__file__).resolve().parent.parent
ASSETS = ROOT / "assets"


def build():
    """{file name: bytes} for everything in assets/ that this script owns."""
    files = {}
    files["emblem.ico"] = write_icon_file(1, [icon_from_picture(draw_emblem(32)),
                                              icon_from_picture(draw_emblem(16))])
    files["open_folder.ico"] = write_icon_file(1, [icon_from_picture(draw_open_folder(32)),
                                                   icon_from_picture(draw_open_folder(16))])
    # Both banners in 256 colours of their own, run-length encoded: a fraction of the bytes,
    # and no colour is more than a step or two off.
    for name, w, h, picture in (("banner.bmp", BANNER_W, BANNER_H, draw_banner()),
                                ("about_banner.bmp", ABOUT_W, ABOUT_H, draw_about_banner())):
        pixels = picture.pixels()
        palette = adaptive_palette(pixels, 256)
        files[name] = write_bmp(w, h, to_indexed(pixels, palette), 8, palette, rle=True)
    hand = cursor_image(draw_hand(False), 1)
    hand["hotspot"] = (2, 1)
    files["hand.cur"] = write_icon_file(2, [hand])
    exclaim = cursor_image(draw_hand(True), 4)
    exclaim["hotspot"] = (2, 1)
    files["hand_exclaim.cur"] = write_icon_file(2, [exclaim])
    pen = cursor_image(draw_pen(), 4)
    pen["hotspot"] = (4, 5)
    files["pen.cur"] = write_icon_file(2, [pen])
    source = (ASSETS / "readme.source.txt").read_text(encoding="utf-8")
    files["readme.txt"] = make_readme(source)
    files["readme-linux.txt"] = make_linux_readme(source)
    files["tessel.swf"] = make_movie()
    return files


def self_check(files):
    """Reads every file back; returns one line per file for the report."""
    lines = []
    for name, data in files.items():
        try:
            if name.endswith(".bmp"):
                (w, h, bpp, _, _), = read_bmp(data)
                want = {"banner.bmp": (342, 112, 8), "about_banner.bmp": (267, 45, 8)}[name]
                expect((w, h, bpp) == want, f"{w}x{h}x{bpp}, expected {want}")
                info = f"{w}x{h}, {bpp} bpp"
            elif name.endswith(".ico"):
                images = read_icon_file(data, 1)
                expect([(w, h, b) for w, h, b, _, _ in images] == [(32, 32, 8), (16, 16, 8)],
                       "icon sizes")
                info = ", ".join(f"{w}x{h} {b} bpp" for w, h, b, _, _ in images)
            elif name.endswith(".cur"):
                images = read_icon_file(data, 2)
                expect(len(images) == 1 and images[0][:2] == (32, 32), "cursor size")
                w, h, b, pixels, hot = images[0]
                want = (4, 5) if name == "pen.cur" else (2, 1)
                expect(hot == want, f"hot spot {hot}, expected {want}")
                expect(pixels[hot[1] * w + hot[0]][3] == 255, "hot spot is see-through")
                info = f"{w}x{h} {b} bpp, hot spot {hot}"
            elif name.endswith(".swf"):
                m = read_swf(data)
                info = (f"version {m['version']}, {m['frame'][1] // 20}x{m['frame'][3] // 20} px, "
                        f"{m['rate']:g} fps, {m['frames']} frames, {m['tags']} tags")
            elif name == "readme-linux.txt":
                text = data.decode("utf-8")
                expect("\r" not in text, "a CR in the Linux read-me")
                info = f"{text.count(chr(10))} lines, UTF-8, LF"
            else:
                info = f"{check_readme(data)} lines, GBK, CR LF"
        except (Bad, struct.error, IndexError, UnicodeDecodeError) as e:
            raise SystemExit(f"make-assets: {name} does not read back: {e}")
        lines.append(f"{name:18} {len(data):6} bytes  {info}")
    return lines


def write_previews(files, folder):
    folder.mkdir(parents=True, exist_ok=True)
    for name, data in files.items():
        stem = name.rsplit(".", 1)[0]
        if name.endswith(".bmp"):
            images, zoom = read_bmp(data), 3
        elif name.endswith((".ico", ".cur")):
            images, zoom = read_icon_file(data, 1 if name.endswith(".ico") else 2), 12
        else:
            continue
        for w, h, _, pixels, _ in images:
            suffix = f"-{w}" if name.endswith(".ico") else ""
            (folder / f"{stem}{suffix}.png").write_bytes(write_png(w, h, pixels, zoom))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="rebuild in a temporary folder and compare with assets/")
    parser.add_argument("--preview", type=Path, metavar="DIR",
                        help="also write enlarged PNG previews into DIR")
    args = parser.parse_args()

    files = build()
    report = self_check(files)
    if args.preview:
        write_previews(files, args.preview)

    if args.check:
        with tempfile.TemporaryDirectory() as tmp:
            for name, data in files.items():
                (Path(tmp) / name).write_bytes(data)
            differ = [name for name in files
                      if not (ASSETS / name).is_file()
                      or (ASSETS / name).read_bytes() != (Path(tmp) / name).read_bytes()]
        if differ:
            print("make-assets: these files differ from what the script makes: "
                  + ", ".join(differ), file=sys.stderr)
            print("Run scripts/make-assets.py and commit the result.", file=sys.stderr)
            return 1
        print(f"make-assets: all {len(files)} files in assets/ match")
        return 0

    ASSETS.mkdir(exist_ok=True)
    for name, data in files.items():
        (ASSETS / name).write_bytes(data)
    print("\n".join(report))
    return 0


if __name__ == "__main__":
    sys.exit(main())
