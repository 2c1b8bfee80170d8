"""Shapes as point-inside tests in pixel coordinates (x right, y down, pixel centres at +0.5),
the coverage masks sampled from them, and a straight-alpha RGBA picture to paint masks on."""

import math

from artwork.numbers import clamp


def polygon(points):
    edges = list(zip(points, points[1:] + points[:1]))

    def inside(x, y):
        hit = False
        for (x0, y0), (x1, y1) in edges:
            if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                hit = not hit
        return hit

    return inside


def fill_rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def circle(cx, cy, r):
    return lambda x, y: (x - cx) * (x - cx) + (y - cy) * (y - cy) < r * r


def line(x0, y0, x1, y1, width):
    """A straight stroke with square ends, as a four-cornered polygon."""
    dx, dy = x1 - x0, y1 - y0
    n = math.sqrt(dx * dx + dy * dy)
    ox, oy = -dy / n * width / 2, dx / n * width / 2
    return polygon([(x0 + ox, y0 + oy), (x1 + ox, y1 + oy), (x1 - ox, y1 - oy), (x0 - ox, y0 - oy)])


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


def inset(points, d):
    """A convex polygon moved inwards by d on every side: an even rim whatever the angles."""
    area = sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]))
    sign = 1.0 if area > 0 else -1.0
    lines = []
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        dx, dy = x1 - x0, y1 - y0
        n = math.sqrt(dx * dx + dy * dy)
        nx, ny = -dy / n * sign, dx / n * sign
        lines.append(((x0 + nx * d, y0 + ny * d), (dx, dy)))
    out = []
    for (p, r), (q, s) in zip(lines[-1:] + lines[:-1], lines):
        cross = r[0] * s[1] - r[1] * s[0]
        t = ((q[0] - p[0]) * s[1] - (q[1] - p[1]) * s[0]) / cross
        out.append((p[0] + r[0] * t, p[1] + r[1] * t))
    return out


def scaled(points, k, dx=0.0, dy=0.0):
    return [(x * k + dx, y * k + dy) for x, y in points]


# ----------------------------------------------------------------------------------------------
# Coverage masks and a straight-alpha RGBA picture
# ----------------------------------------------------------------------------------------------


class Mask:
    """How much of each pixel a shape covers, 0..1, found by sampling a grid inside the pixel."""

    def __init__(self, w, h, values=None):
        self.w, self.h = w, h
        self.v = values if values is not None else [0.0] * (w * h)

    @classmethod
    def of(cls, w, h, inside, box=None, samples=4):
        m = cls(w, h)
        x0, y0, x1, y1 = box or (0, 0, w, h)
        x0, y0, x1, y1 = max(0, int(x0)), max(0, int(y0)), min(w, int(x1) + 1), min(h, int(y1) + 1)
        offsets = [(i + 0.5) / samples for i in range(samples)]
        total = samples * samples
        for y in range(y0, y1):
            for x in range(x0, x1):
                n = 0
                for oy in offsets:
                    for ox in offsets:
                        if inside(x + ox, y + oy):
                            n += 1
                if n:
                    m.v[y * w + x] = n / total
        return m

    def _neighbourhood(self, offsets, pick):
        w, h, v = self.w, self.h, self.v
        out = [0.0] * (w * h)
        for y in range(h):
            for x in range(w):
                vals = [v[(y + dy) * w + x + dx] for dx, dy in offsets
                        if 0 <= x + dx < w and 0 <= y + dy < h]
                out[y * w + x] = pick(vals) if vals else 0.0
        return Mask(w, h, out)

    @staticmethod
    def _disc(r):
        n = int(r)
        return [(dx, dy) for dy in range(-n, n + 1) for dx in range(-n, n + 1)
                if dx * dx + dy * dy <= r * r]

    def dilated(self, r):
        return self._neighbourhood(self._disc(r), max)

    def shifted(self, dx, dy):
        w, h = self.w, self.h
        out = [0.0] * (w * h)
        for y in range(h):
            for x in range(w):
                sx, sy = x - dx, y - dy
                if 0 <= sx < w and 0 <= sy < h:
                    out[y * w + x] = self.v[sy * w + sx]
        return Mask(w, h, out)

    def blurred(self, r, passes=2):
        """Box blur, twice over, which is close enough to a soft Gaussian for glows and shadows."""
        w, h = self.w, self.h
        v = self.v[:]
        for _ in range(passes):
            t = [0.0] * (w * h)
            for y in range(h):
                row = y * w
                for x in range(w):
                    s = 0.0
                    for k in range(-r, r + 1):
                        xx = min(w - 1, max(0, x + k))
                        s += v[row + xx]
                    t[row + x] = s / (2 * r + 1)
            v = [0.0] * (w * h)
            for y in range(h):
                for x in range(w):
                    s = 0.0
                    for k in range(-r, r + 1):
                        yy = min(h - 1, max(0, y + k))
                        s += t[yy * w + x]
                    v[y * w + x] = s / (2 * r + 1)
        return Mask(w, h, v)

    def minus(self, other):
        return Mask(self.w, self.h, [max(0.0, a - b) for a, b in zip(self.v, other.v)])


class Picture:
    """Straight-alpha RGBA with float channels; painting composites a mask 'over' what is there."""

    def __init__(self, w, h, colour=(0, 0, 0), alpha=0.0):
        self.w, self.h = w, h
        self.rgb = [tuple(float(c) for c in colour)] * (w * h)
        self.alpha = [alpha] * (w * h)

    def paint(self, mask, colour, opacity=1.0):
        """colour is an (r, g, b) tuple or a function of the pixel's (x, y)."""
        w = self.w
        call = callable(colour)
        for i, cover in enumerate(mask.v):
            a = cover * opacity
            if a <= 0.0:
                continue
            x, y = i % w, i // w
            c = colour(x, y) if call else colour
            da = self.alpha[i]
            out_a = a + da * (1.0 - a)
            d = self.rgb[i]
            k = da * (1.0 - a)
            self.rgb[i] = tuple((c[j] * a + d[j] * k) / out_a for j in range(3))
            self.alpha[i] = out_a

    def fill(self, colour_at):
        for i in range(self.w * self.h):
            self.rgb[i] = tuple(colour_at(i % self.w, i // self.w))
            self.alpha[i] = 1.0

    def blend(self, x, y, colour, opacity):
        """One pixel's worth of paint, for hairlines."""
        i = y * self.w + x
        d, a = self.rgb[i], clamp(opacity)
        self.rgb[i] = tuple(d[j] + (colour[j] - d[j]) * a for j in range(3))

    def set(self, x, y, colour, alpha=1.0):
        self.rgb[y * self.w + x] = tuple(float(c) for c in colour)
        self.alpha[y * self.w + x] = alpha

    def pixels(self):
        """8-bit RGB per pixel, rounded half up."""
        return [tuple(int(clamp(c, 0.0, 255.0) + 0.5) for c in p) for p in self.rgb]

    def opaque(self):
        """Which pixels a 1-bit mask keeps: the ones at least half covered."""
        return [a >= 0.5 for a in self.alpha]


def pixel_art(rows, colours):
    """A picture from rows of characters, one per pixel; characters not in colours stay clear."""
    pic = Picture(len(rows[0]), len(rows))
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch in colours:
                pic.set(x, y, colours[ch])
    return pic


# A 64-sided unit circle, built by rotating with a fixed rational step so that no sin or cos is
# needed: (cos, sin) of 2*pi/64 to 17 digits, renormalised at each step.
def _ellipse_points(n=64):
    c, s = 0.99518472667219693, 0.098017140329560604
    pts, x, y = [], 1.0, 0.0
    for _ in range(n):
        pts.append((x, y))
        x, y = x * c - y * s, x * s + y * c
        k = math.sqrt(x * x + y * y)
        x, y = x / k, y / k
    return pts


ELLIPSE = _ellipse_points()
