"""The About window's movie."""

from artwork.fonts import SMALL_FONT, glyph_paths, text_width
from artwork.numbers import hexrgb, smooth
from artwork.swf import (swf_background, swf_file, swf_matrix, swf_place, swf_shape,
                         swf_show_frame)


MOVIE_W, MOVIE_H, MOVIE_FRAMES, MOVIE_RATE = 267, 49, 36, 12


def make_movie():
    """The studio's name in gold on dark red-brown, a glint running through the letters, sparks
    sliding along two rules and a diamond pulsing at each end; three seconds, looped."""
    tw = 20  # twips per pixel
    W, H = MOVIE_W * tw, MOVIE_H * tw
    big, small = 4 * tw, 2 * tw
    text_w = (text_width(SMALL_FONT, "TESSEL") * big + 8 * tw
              + text_width(SMALL_FONT, "STUDIO") * small)
    x0 = (W - text_w) // 2
    y0 = 10 * tw
    letters = (glyph_paths(SMALL_FONT, "TESSEL", x0, y0, big)
               + glyph_paths(SMALL_FONT, "STUDIO", x0 + text_width(SMALL_FONT, "TESSEL") * big
                             + 8 * tw, y0 + 14 * tw, small))
    glint = [(-6 * tw, 0), (6 * tw, 0), (-4 * tw, H), (-16 * tw, H)]
    diamond = [(0, -5 * tw), (5 * tw, 0), (0, 5 * tw), (-5 * tw, 0)]
    rule = [(0, 0), (W - 40 * tw, 0), (W - 40 * tw, tw), (0, tw)]
    spark = [(0, 0), (24 * tw, 0), (24 * tw, tw), (0, tw)]

    tags = [swf_background(hexrgb("#3a1208"))]
    tags.append(swf_shape(1, letters, hexrgb("#f0b030")))
    tags.append(swf_shape(2, [glint], (255, 250, 220), alpha=170))
    tags.append(swf_shape(3, [diamond], hexrgb("#ffcf5a")))
    tags.append(swf_shape(4, [rule], hexrgb("#8a3a10")))
    tags.append(swf_shape(5, [spark], (255, 214, 120), alpha=230))

    rule_x = 20 * tw
    top_y, bottom_y = 4 * tw, H - 5 * tw
    left_d, right_d = (12 * tw, H // 2), (W - 12 * tw, H // 2)
    n = MOVIE_FRAMES
    sweep = 24

    def glint_x(f):
        return -30 * tw + (W + 60 * tw) * min(f, sweep) // sweep

    def pulse(f):
        t = f / n
        tri = 1.0 - abs(2.0 * t - 1.0)
        return 0.7 + 0.45 * smooth(tri)

    def spark_x(f, reverse):
        span = W - 40 * tw - 24 * tw
        p = span * f // (n - 1)
        return rule_x + (span - p if reverse else p)

    tags += [
        swf_place(1, swf_matrix(rule_x, top_y), 4),
        swf_place(2, swf_matrix(rule_x, bottom_y), 4),
        swf_place(3, swf_matrix(0, 0), 1),
        swf_place(4, swf_matrix(0, 0), 1, clip_depth=5),
        swf_place(5, swf_matrix(glint_x(0), 0), 2),
        swf_place(6, swf_matrix(*left_d, scale=(pulse(0), pulse(0))), 3),
        swf_place(7, swf_matrix(*right_d, scale=(pulse(0), pulse(0))), 3),
        swf_place(8, swf_matrix(spark_x(0, False), top_y), 5),
        swf_place(9, swf_matrix(spark_x(0, True), bottom_y), 5),
        swf_show_frame(),
    ]
    for f in range(1, n):
        if f <= sweep:
            tags.append(swf_place(5, swf_matrix(glint_x(f), 0)))
        s = pulse(f)
        tags.append(swf_place(6, swf_matrix(*left_d, scale=(s, s))))
        tags.append(swf_place(7, swf_matrix(*right_d, scale=(s, s))))
        tags.append(swf_place(8, swf_matrix(spark_x(f, False), top_y)))
        tags.append(swf_place(9, swf_matrix(spark_x(f, True), bottom_y)))
        tags.append(swf_show_frame())
    return swf_file(W, H, MOVIE_RATE, tags)
