"""Palettes of at most 256 colours made for a picture, and each pixel's nearest entry."""

import math


def median_cut(histogram, n):
    """At most n colours for a {colour: count} histogram, splitting the box whose widest channel
    (weighted roughly by how much the eye notices it) spans most, times the root of its count."""
    weights = (3, 4, 2)
    boxes = [sorted(histogram.items())]
    while len(boxes) < n:
        best, best_score = None, 0.0
        for k, box in enumerate(boxes):
            if len(box) < 2:
                continue
            spans = [(max(c[ch] for c, _ in box) - min(c[ch] for c, _ in box)) * weights[ch]
                     for ch in range(3)]
            score = max(spans) * math.sqrt(sum(cnt for _, cnt in box))
            if score > best_score:
                best, best_score, axis = k, score, spans.index(max(spans))
        if best is None:
            break
        box = sorted(boxes[best], key=lambda item: (item[0][axis], item[0]))
        half = sum(cnt for _, cnt in box) / 2.0
        run, cut = 0, 1
        for idx, (_, cnt) in enumerate(box):
            run += cnt
            if run >= half:
                cut = min(max(idx + 1, 1), len(box) - 1)
                break
        boxes[best:best + 1] = [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(cnt for _, cnt in box)
        palette.append(tuple(int(sum(c[ch] * cnt for c, cnt in box) / total + 0.5)
                             for ch in range(3)))
    return palette


def nearest(palette, colour, first=0):
    best, best_d = first, None
    for k in range(first, len(palette)):
        p = palette[k]
        d = 3 * (p[0] - colour[0]) ** 2 + 4 * (p[1] - colour[1]) ** 2 + 2 * (p[2] - colour[2]) ** 2
        if best_d is None or d < best_d:
            best, best_d = k, d
    return best


def to_indexed(pixels, palette, keep=None, first=0):
    """Palette index per pixel; pixels a mask drops get index 0, which is black in every icon."""
    cache, out = {}, []
    for k, c in enumerate(pixels):
        if keep is not None and not keep[k]:
            out.append(0)
            continue
        if c not in cache:
            cache[c] = nearest(palette, c, first)
        out.append(cache[c])
    return out


def adaptive_palette(pixels, size, keep=None, reserve_black=False):
    hist = {}
    for k, c in enumerate(pixels):
        if keep is None or keep[k]:
            hist[c] = hist.get(c, 0) + 1
    if reserve_black:
        palette = [(0, 0, 0)] + median_cut(hist, size - 1)
    else:
        palette = median_cut(hist, size)
    return palette + [(0, 0, 0)] * (size - len(palette))
