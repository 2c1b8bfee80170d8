"""Numbers and colours: clamping, easing, colour ramps, and a xorshift generator with the hill
lines made from it, all of which come out the same on every machine."""


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def smooth(t):
    t = clamp(t)
    return t * t * (3.0 - 2.0 * t)


def hexrgb(text):
    return tuple(int(text[i : i + 2], 16) for i in (1, 3, 5))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def ramp(stops, t):
    """Colour at t along stops [(position, colour), ...] given in increasing position."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0))
    return stops[-1][1]


class Xorshift:
    """Stars, lit windows and ridge lines that come out the same on every machine."""

    def __init__(self, seed):
        self.state = (seed & 0xFFFFFFFF) or 1

    def next(self):
        s = self.state
        s ^= (s << 13) & 0xFFFFFFFF
        s ^= s >> 17
        s ^= (s << 5) & 0xFFFFFFFF
        self.state = s
        return s

    def uniform(self, lo=0.0, hi=1.0):
        return lo + (hi - lo) * (self.next() / 4294967296.0)

    def below(self, n):
        return self.next() % n


def ridge_line(seed, width, octaves):
    """A hill line: value noise summed over (period, amplitude) octaves, one height per column."""
    heights = [0.0] * width
    for k, (period, amplitude) in enumerate(octaves):
        rng = Xorshift(seed * 7919 + k * 104729)
        knots = [rng.uniform(-1.0, 1.0) for _ in range(width // period + 3)]
        for x in range(width):
            i, f = divmod(x / period, 1.0)
            i = int(i)
            heights[x] += amplitude * (knots[i] + (knots[i + 1] - knots[i]) * smooth(f))
    return heights
