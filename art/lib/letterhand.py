"""A sheet of paper lying on a desk in perspective, and running handwriting on it: loops
and strokes that read as a hand, never as letters."""

import math

from lib.moorbrush import lerp, smooth


class Sheet:
    """A sheet given by its four corners on the canvas (top left, top right, bottom right,
    bottom left); points on it are addressed by u across and v down, both 0..1."""

    def __init__(self, corners):
        self.corners = corners

    def at(self, u, v):
        """A point of the sheet on the canvas: the far edge may be shorter than the near
        one, as a sheet on a desk looks from the chair."""
        (ax, ay), (bx, by), (cx, cy), (dx, dy) = self.corners
        top = (lerp(ax, bx, u), lerp(ay, by, u))
        low = (lerp(dx, cx, u), lerp(dy, cy, u))
        return (lerp(top[0], low[0], v), lerp(top[1], low[1], v))

    def writing(self, rng, u0, u1, v, size):
        """One line of running hand: words drawn as looping strokes (a pen moving forward
        while it circles), with the odd tall loop or tail. u0..u1 across the sheet at
        height v; size is the height of a small letter in v."""
        strokes = []
        u = u0
        while u < u1 - 0.03:
            letters = rng.randint(2, 8)
            advance = rng.uniform(0.0085, 0.011)
            heights = [size * rng.choice([1, 1, 1, 1, 2.3, 0.8]) for _ in range(letters + 1)]
            pts = []
            steps = letters * 6
            for i in range(steps + 1):
                t = i / 6 * 2 * math.pi
                k = i // 6
                h = lerp(heights[k], heights[min(letters, k + 1)], (i % 6) / 6)
                x = u + advance * t / (2 * math.pi) + advance * 0.22 * math.sin(t)
                y = v - h * (1 - math.cos(t)) / 2
                if k % 5 == 3 and heights[k] < size * 1.5:
                    y += size * 1.3 * max(0.0, math.cos(t)) * (1 if (i % 6) in (0, 5) else 0)
                pts.append(self.at(x + rng.uniform(-0.0006, 0.0006), y))
            strokes.append(smooth(pts))
            u += advance * letters + rng.uniform(0.014, 0.026)
        return strokes
