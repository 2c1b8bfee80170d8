#!/usr/bin/python3
"""Makes tests/movie/features.swf, a movie that uses every feature the program's movie player draws.

One stage of 360 x 80 px (wider than tall, but less so than the About window's strip, so that
the fit into the strip is tested), 12 fps, 24 frames, each thing in a place of its own:

    a radial-gradient ball of curves, rolling under a square that fades (colour transform with
    alpha and an added red); a rounded box of curves with a linear gradient, turning; a square
    being skewed; a thick wavy stroke bobbing inside a fixed hairline frame; stripes moving behind
    a round clip; a badge drawn with two style tables; a sprite of five frames (a light running
    along five dots) against the main timeline's 24; a triangle removed half way; and along the
    bottom a bar one step longer each frame, which numbers the frames.

The movie is also written zlib-compressed (features-cws.swf): the same frames, the other header.
Only + - * / and sqrt are used, so every machine writes the same bytes.

    scripts/make-test-movie.py            write both files
    scripts/make-test-movie.py --check    exit 1 if the committed files are not what it makes
"""

import argparse
import math
import sys
import zlib
from pathlib import Path

from artwork.check import Bad
from artwork.swf import (Shape, linear, radial, solid, swf_background, swf_cxform, swf_file,
                         swf_matrix, swf_place, swf_remove, swf_show_frame, swf_sprite)
from artwork.swf_read import read_swf

ROOT = Path(__file__).resolve().parent.parent
OUT = ROOT / "tests" / "movie"
STAGE_W, STAGE_H, RATE, FRAMES = 360, 80, 12, 24
TW = 20  # twips per stage pixel


def px(v):
    return int(round(v * TW))


def swing(f):
    """0 up to 12 and back to 0 over the 24 frames, so that the movie loops without a jump."""
    return f if f <= FRAMES // 2 else FRAMES - f


def unit_circle():
    """Sixteen points at 22.5 degree steps, clockwise on screen from (1, 0)."""
    h = math.sqrt(2.0) / 2.0
    c, s = math.sqrt(2.0 + math.sqrt(2.0)) / 2.0, math.sqrt(2.0 - math.sqrt(2.0)) / 2.0
    quarter = [(1.0, 0.0), (c, s), (h, h), (s, c)]
    points = []
    for turns in range(4):
        for x, y in quarter:
            for _ in range(turns):
                x, y = -y, x  # a quarter turn clockwise on screen
            points.append((x, y))
    return points


def circle(shape, cx, cy, r, reverse=False, **styles):
    """Eight quadratic curves; the control points sit on the circle's tangents."""
    u = unit_circle()
    k = r / u[1][0]  # control points lie 1 / cos 22.5 degrees out
    order = list(range(0, 17, 2)) if not reverse else list(range(16, -1, -2))
    start = u[order[0] % 16]
    shape.move(px(cx + r * start[0]), px(cy + r * start[1]), **styles)
    for a, b in zip(order, order[1:]):
        mid = u[(a + b) // 2 % 16]
        end = u[b % 16]
        shape.curve_to(px(cx + k * mid[0]), px(cy + k * mid[1]),
                       px(cx + r * end[0]), px(cy + r * end[1]))
    return shape


def rect(x0, y0, x1, y1):
    return [(px(x0), px(y0)), (px(x1), px(y0)), (px(x1), px(y1)), (px(x0), px(y1))]


def rounded_box(shape, w, h, r):
    """A box centred on the origin whose corners are single curves."""
    x0, y0, x1, y1 = -w / 2, -h / 2, w / 2, h / 2
    shape.move(px(x0 + r), px(y0), fill1=1)
    for (ax, ay), (cx, cy), (bx, by) in (((x1 - r, y0), (x1, y0), (x1, y0 + r)),
                                         ((x1, y1 - r), (x1, y1), (x1 - r, y1)),
                                         ((x0 + r, y1), (x0, y1), (x0, y1 - r)),
                                         ((x0, y0 + r), (x0, y0), (x0 + r, y0))):
        shape.line_to(px(ax), px(ay)).curve_to(px(cx), px(cy), px(bx), px(by))
    return shape


def gradient_matrix(size, tx=0, ty=0):
    """Maps the gradient square (32768 twips across) onto size px centred on (tx, ty) px."""
    k = size * TW / 32768
    return swf_matrix(px(tx), px(ty), scale=(k, k))


def rotation(f):
    """cos and sin of the box's angle, from tan of half the angle (-54 to +49 degrees)."""
    t = (f - 12) / 22
    return (1 - t * t) / (1 + t * t), 2 * t / (1 + t * t)


def shapes():
    """{character id: DefineShape tag}."""
    defs = {}
    # The frame counter's long edges lie on the strip's pixel rows 44 and 47 (1437 and 1535
    # twips at its scale, 49/80), where any way of smoothing agrees: only its growing end differs.
    bar = Shape(fills=[solid((150, 176, 206))]).path([(0, 0), (240, 0), (240, 98), (0, 98)],
                                                      fill1=1)
    defs[1] = bar.define(1)

    badge = Shape(fills=[solid((190, 96, 76))], lines=[(px(1.5), (222, 170, 130))])
    badge.path(rect(0, 0, 40, 14), fill1=1, line=1)
    badge.new_styles([solid((96, 156, 204)), solid((236, 214, 128))])
    circle(badge, 12, 7, 4.5, reverse=True, fill0=1)
    badge.path(rect(24, 3, 34, 11), fill1=2)
    defs[2] = badge.define(2)

    ball = Shape(fills=[radial(gradient_matrix(28, -4, -4),
                               [(0, (255, 244, 214)), (110, (238, 150, 64)), (255, (150, 52, 40))])])
    defs[3] = circle(ball, 0, 0, 14, fill1=1).define(3)

    defs[4] = Shape(fills=[solid((240, 236, 226))]).path(rect(0, 0, 30, 30), fill1=1).define(4)

    box = Shape(fills=[linear(gradient_matrix(44),
                              [(0, (42, 179, 166)), (128, (242, 212, 92)), (255, (192, 72, 144))])])
    defs[5] = rounded_box(box, 44, 24, 6).define(5)

    skewed = Shape(fills=[solid((139, 195, 74, 230))]).path(rect(-13, -13, 13, 13), fill1=1)
    defs[6] = skewed.define(6)

    wave = Shape(lines=[(px(5), (224, 128, 100))]).move(px(232), px(32), line=1)
    for k in range(4):
        x = 232 + 11 * k
        wave.curve_to(px(x + 5.5), px(20 if k % 2 == 0 else 44), px(x + 11), px(32))
    defs[7] = wave.define(7)

    # A hairline stays one pixel wide at any size; its rows and columns are put on pixel centres
    # of the strip, where any way of smoothing agrees on what it covers.
    frame = Shape(lines=[(0, (196, 206, 222))])
    defs[8] = frame.path([(4482, 147), (5722, 147), (5722, 1225), (4482, 1225)], line=1).define(8)

    defs[9] = circle(Shape(fills=[solid((255, 255, 255))]), 316, 30, 18, fill1=1).define(9)

    # Ground and stripes are two layers under the clip rather than two fills of one shape,
    # whose shared edges each way of smoothing blends differently.
    defs[10] = Shape(fills=[solid((150, 112, 160))]).path(rect(292, 8, 340, 52), fill1=1).define(10)
    stripes = Shape(fills=[solid((222, 170, 104))])
    for k in range(-2, 3):
        x = 10 * k
        stripes.path([(px(x - 3 + 5), px(-22)), (px(x + 3 + 5), px(-22)),
                      (px(x + 3 - 5), px(22)), (px(x - 3 - 5), px(22))], fill1=1)
    defs[15] = stripes.define(15)

    dots = Shape(fills=[solid((108, 122, 146))])
    for k in range(5):
        dots.path(rect(10 * k, 0, 10 * k + 6, 6), fill1=1)
    defs[11] = dots.define(11)
    defs[12] = Shape(fills=[solid((226, 214, 150))]).path(rect(0, 0, 6, 6), fill1=1).define(12)

    triangle = Shape(fills=[solid((214, 104, 120))])
    defs[14] = triangle.path([(px(178), px(56)), (px(186), px(70)), (px(170), px(70))],
                             fill1=1).define(14)
    return defs


def spinner():
    """Sprite 13: five frames, a light stepping along the five dots, then back to the first."""
    tags = [swf_place(1, swf_matrix(0, 0), 11), swf_place(2, swf_matrix(0, 0), 12),
            swf_show_frame()]
    for k in range(1, 5):
        tags += [swf_place(2, swf_matrix(px(10 * k), 0)), swf_show_frame()]
    return swf_sprite(13, tags)


def frame_tags(f):
    """The main timeline's display-list changes for frame f; frame 0 places everything."""
    s = swing(f)
    cos, sin = rotation(f)
    k = (f - 12) / 10
    fading = dict(cxform=swf_cxform(mult=(256, 224, 192, 256 - 16 * s), add=(16, 0, 0, 0)))
    if f == 0:
        fading["matrix"] = swf_matrix(px(58), px(16))
    # (depth, character, what changes); the fading square changes only its colour transform.
    moving = [
        (1, 1, dict(matrix=swf_matrix(px(12), 1437, scale=(f + 1, 1)))),
        (3, 3, dict(matrix=swf_matrix(px(26 + 4 * s), px(30)))),
        (4, 4, fading),
        (5, 5, dict(matrix=swf_matrix(px(130), px(30), scale=(cos, cos), skew=(sin, -sin)))),
        (6, 6, dict(matrix=swf_matrix(px(190), px(30), skew=(k / 4, k)))),
        (7, 7, dict(matrix=swf_matrix(0, px(s - 6)))),
        (12, 15, dict(matrix=swf_matrix(px(300 + 2.5 * s), px(30)))),
    ]
    if f > 0:
        tags = [swf_place(depth, **fields) for depth, _, fields in moving]
        return tags + ([swf_remove(14)] if f == FRAMES // 2 else [])
    return [swf_place(depth, char_id=c, **fields) for depth, c, fields in moving] + [
        swf_place(2, swf_matrix(px(12), px(54)), 2),
        swf_place(8, swf_matrix(0, 0), 8),
        swf_place(10, swf_matrix(0, 0), 9, clip_depth=12),
        swf_place(11, swf_matrix(0, 0), 10),
        swf_place(13, swf_matrix(px(104), px(61)), 13),
        swf_place(14, swf_matrix(0, 0), 14),
    ]


def make_movie(compress=False):
    tags = [swf_background((78, 90, 110))] + list(shapes().values()) + [spinner()]
    for f in range(FRAMES):
        tags += frame_tags(f) + [swf_show_frame()]
    return swf_file(STAGE_W * TW, STAGE_H * TW, RATE, tags, version=8, compress=compress)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="compare with the committed files instead of writing them")
    args = parser.parse_args()

    plain, packed = make_movie(), make_movie(compress=True)
    try:
        info = read_swf(plain)
        read_swf(packed)
    except Bad as e:
        raise SystemExit(f"make-test-movie: the movie does not read back: {e}")
    names = {"features.swf": plain, "features-cws.swf": packed}
    if args.check:
        # The compressed copy is compared by what it holds: another zlib may pack the same
        # bytes differently.
        def same(name, data):
            path = OUT / name
            if not path.is_file():
                return False
            old = path.read_bytes()
            if name == "features.swf":
                return old == data
            try:
                return old[:8] == data[:8] and zlib.decompress(old[8:]) == plain[8:]
            except zlib.error:
                return False
        differ = [name for name, data in names.items() if not same(name, data)]
        if differ:
            print("make-test-movie: these files differ from what the script makes: "
                  + ", ".join(differ) + "\nRun scripts/make-test-movie.py and commit the result.",
                  file=sys.stderr)
            return 1
        print("make-test-movie: tests/movie/features.swf and features-cws.swf match")
        return 0
    OUT.mkdir(parents=True, exist_ok=True)
    for name, data in names.items():
        (OUT / name).write_bytes(data)
    print(f"features.swf {len(plain)} bytes, features-cws.swf {len(packed)} bytes: "
          f"{info['frames']} frames at {info['rate']:g} fps, {info['tags']} tags")
    return 0


if __name__ == "__main__":
    sys.exit(main())
