"""Things that stand on the moor of the procession: wind-bent thorns and boulders."""

import math
import random

from lib.moorbrush import lerp, num, poly, ragged, smooth


def thorn(x, y, size):
    """A bare tree bent by the wind, drawn as a few tapering ink strokes."""
    rng = random.Random(int(x))
    parts = []

    def branch(px, py, angle, length, width, depth):
        ex = px + math.cos(angle) * length
        ey = py + math.sin(angle) * length
        mx = (px + ex) / 2 + rng.uniform(-6, 6) * size
        my = (py + ey) / 2 + rng.uniform(-6, 6) * size
        parts.append(f'<path d="M{num(px)},{num(py)} Q{num(mx)},{num(my)} {num(ex)},{num(ey)}" '
                     f'stroke="#121820" stroke-width="{width:.1f}" fill="none" '
                     'stroke-linecap="round"/>')
        if depth:
            for _ in range(2 if depth > 1 else 3):
                branch(ex, ey, angle + rng.uniform(-0.7, 0.5) + 0.25, length * rng.uniform(0.5, 0.75),
                       width * 0.6, depth - 1)

    branch(x, y, math.radians(-80), 46 * size, 7 * size, 3)
    return "\n".join(parts)


def stones():
    """Boulders in the right foreground, half sunk in the heather, their wet tops
    catching the sky."""
    out = []
    for x, y, w, h, seed in [(1236, 1010, 170, 74, 1), (1372, 1040, 96, 40, 2),
                             (1772, 972, 230, 104, 3), (1108, 912, 46, 20, 4)]:
        rng = random.Random(seed)
        hull = []
        for k in range(9):
            a = math.pi + math.pi * k / 8
            r = rng.uniform(0.85, 1.1)
            hull.append((x + math.cos(a) * w / 2 * r, y + math.sin(a) * h * r))
        hull[0] = (hull[0][0], y + 6)
        hull[-1] = (hull[-1][0], y + 6)
        body = hull + [(x + w * 0.3, y + 10), (x - w * 0.3, y + 12)]
        out.append(f'<path d="{poly(ragged(body, seed, 1.5, 6))}" fill="#0b0f15"/>')
        # A paler facet on the side facing the sky, and a bright wet rim along the top.
        facet = hull[1:6] + [(lerp(hull[5][0], x, 0.6), y - h * 0.35),
                             (lerp(hull[1][0], x, 0.5), y - h * 0.15)]
        out.append(f'<path d="{poly(ragged(facet, seed + 9, 1.5, 6))}" fill="#151b24" '
                   'opacity="0.8"/>')
        out.append(f'<path d="{smooth(hull[2:6])}" stroke="#728399" stroke-width="1.6" '
                   'fill="none" opacity="0.35"/>')
    return "\n".join(out)
