"""Brushes for the procession, the desk and the door: ragged silhouettes, layered washes,
hatching and cheap soft glows, shared by art/procession.py, art/desk.py and art/door.py.

Everything is seeded, so a picture comes out the same on every build. Softness comes from
radial gradients wherever possible; gaussian blur is kept to small shapes because it is
what makes a picture slow to rasterise.
"""

import math
import random

from lib import ink


def num(v):
    r = round(v)
    return str(int(r)) if abs(v - r) < 0.05 else f"{v:.1f}"


def poly(points, close=True):
    """A straight-segment path through the points."""
    text = "M" + " L".join(f"{num(x)},{num(y)}" for x, y in points)
    return text + ("Z" if close else "")


def smooth(points, close=False, tension=1.0):
    """A smooth path through the points (Catmull-Rom turned into cubic Beziers)."""
    n = len(points)
    if n < 3:
        return poly(points, close)
    pts = list(points)
    out = [f"M{num(pts[0][0])},{num(pts[0][1])}"]
    count = n if close else n - 1
    for i in range(count):
        p0 = pts[(i - 1) % n] if (close or i > 0) else pts[0]
        p1 = pts[i]
        p2 = pts[(i + 1) % n]
        p3 = pts[(i + 2) % n] if (close or i + 2 < n) else pts[-1]
        c1 = (p1[0] + (p2[0] - p0[0]) * tension / 6, p1[1] + (p2[1] - p0[1]) * tension / 6)
        c2 = (p2[0] - (p3[0] - p1[0]) * tension / 6, p2[1] - (p3[1] - p1[1]) * tension / 6)
        out.append(f"C{num(c1[0])},{num(c1[1])} {num(c2[0])},{num(c2[1])} {num(p2[0])},{num(p2[1])}")
    return " ".join(out) + ("Z" if close else "")


def catmull(points, per_segment=10):
    """Points sampled along a smooth curve through the given points; a point may carry
    extra values after x and y, which are interpolated linearly."""
    out = []
    n = len(points)
    for i in range(n - 1):
        p0, p1, p2 = points[max(0, i - 1)], points[i], points[i + 1]
        p3 = points[min(n - 1, i + 2)]
        for j in range(per_segment):
            t = j / per_segment
            t2, t3 = t * t, t * t * t
            xy = [0.5 * (2 * p1[k] + (-p0[k] + p2[k]) * t + (2 * p0[k] - 5 * p1[k] + 4 * p2[k] - p3[k]) * t2
                         + (-p0[k] + 3 * p1[k] - 3 * p2[k] + p3[k]) * t3) for k in (0, 1)]
            rest = [lerp(p1[k], p2[k], t) for k in range(2, len(p1))]
            out.append(tuple(xy + rest))
    out.append(tuple(points[-1]))
    return out


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c1, c2, t):
    """A colour between two #rrggbb colours."""
    a = [int(c1[i:i + 2], 16) for i in (1, 3, 5)]
    b = [int(c2[i:i + 2], 16) for i in (1, 3, 5)]
    return "#" + "".join(f"{round(lerp(x, y, t)):02x}" for x, y in zip(a, b))


class Noise1D:
    """Smooth seeded value noise along one axis, a few octaves: for ridges and hems."""

    def __init__(self, seed, octaves=4):
        rng = random.Random(seed)
        self.tables = [[rng.uniform(-1, 1) for _ in range(257)] for _ in range(octaves)]

    def __call__(self, x):
        total, amp, freq, norm = 0.0, 1.0, 1.0, 0.0
        for table in self.tables:
            u = x * freq
            i = math.floor(u)
            f = u - i
            f = f * f * (3 - 2 * f)
            a = table[i % 256]
            b = table[(i + 1) % 256]
            total += amp * lerp(a, b, f)
            norm += amp
            amp *= 0.5
            freq *= 2.0
        return total / norm


def ridge(x0, x1, base, amp, scale, seed, step=8, bottom=1080, extra=None):
    """The silhouette of a hill from x0 to x1, closed down to `bottom`. base(x) gives the
    mean height; the ragged edge comes from seeded noise of the given amplitude and
    feature size; extra(x) adds a shape of its own (a knoll, a dip)."""
    noise = Noise1D(seed)
    pts = []
    x = x0
    while True:
        y = base(x) + amp * noise(x / scale)
        if extra:
            y += extra(x)
        pts.append((x, y))
        if x >= x1:
            break
        x = min(x1, x + step)
    return pts + [(x1, bottom), (x0, bottom)]


def ragged(points, seed, amp, step=6, close=True):
    """A polyline resampled every `step` px with its points pushed sideways at random:
    the torn edge of a wash or a sheet of paper."""
    rng = random.Random(seed)
    out = []
    n = len(points)
    segs = n if close else n - 1
    for i in range(segs):
        (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
        length = math.hypot(bx - ax, by - ay)
        k = max(1, int(length / step))
        nx, ny = (-(by - ay) / length, (bx - ax) / length) if length else (0, 0)
        for j in range(k):
            t = j / k
            d = rng.uniform(-amp, amp)
            out.append((lerp(ax, bx, t) + nx * d, lerp(ay, by, t) + ny * d))
    if not close:
        out.append(points[-1])
    return out


def wash(d, colour, opacity, seed, layers=3, drift=6, extra=""):
    """A wash: the same shape laid down a few times, slightly shifted, each translucent,
    so that its edges pile up darker like watercolour."""
    rng = random.Random(seed)
    parts = []
    for _ in range(layers):
        dx, dy = rng.uniform(-drift, drift), rng.uniform(-drift, drift)
        parts.append(
            f'<path d="{d}" transform="translate({num(dx)},{num(dy)})" fill="{colour}" '
            f'fill-opacity="{opacity:.3f}" {extra}/>'
        )
    return "\n".join(parts)


def clip_segment(px, py, qx, qy, box):
    """The part of the segment inside the box (x0, y0, x1, y1), or None."""
    x0, y0, x1, y1 = box
    t0, t1 = 0.0, 1.0
    dx, dy = qx - px, qy - py
    for p, q in ((-dx, px - x0), (dx, x1 - px), (-dy, py - y0), (dy, y1 - py)):
        if p == 0:
            if q < 0:
                return None
            continue
        r = q / p
        if p < 0:
            t0 = max(t0, r)
        else:
            t1 = min(t1, r)
        if t0 > t1:
            return None
    return (px + dx * t0, py + dy * t0), (px + dx * t1, py + dy * t1)


def hatch(seed, box, angle, spacing, colour, opacity, width=1.2, length=(40, 120), gap=0.35,
          wobble=2.0):
    """Short parallel hatching strokes filling a box (x0, y0, x1, y1), broken at random
    and cut at the box's edges: one path element; clip it to a shape with a clip-path
    when needed."""
    rng = random.Random(seed)
    x0, y0, x1, y1 = box
    a = math.radians(angle)
    ux, uy = math.cos(a), math.sin(a)
    nx, ny = -uy, ux
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    reach = math.hypot(x1 - x0, y1 - y0) / 2
    parts = []
    off = -reach
    while off < reach:
        s = -reach + rng.uniform(0, length[1])
        while s < reach:
            seg = rng.uniform(*length)
            if rng.random() > gap:
                w = rng.uniform(-wobble, wobble)
                px, py = cx + nx * (off + w) + ux * s, cy + ny * (off + w) + uy * s
                qx, qy = px + ux * seg, py + uy * seg + rng.uniform(-wobble, wobble)
                inside = clip_segment(px, py, qx, qy, box)
                if inside:
                    (px, py), (qx, qy) = inside
                    parts.append(f"M{num(px)},{num(py)}L{num(qx)},{num(qy)}")
            s += seg + rng.uniform(4, 30)
        off += spacing * rng.uniform(0.7, 1.3)
    return (
        f'<path d="{"".join(parts)}" stroke="{colour}" stroke-opacity="{opacity:.3f}" '
        f'stroke-width="{width}" stroke-linecap="round" fill="none"/>'
    )


class Defs:
    """Collects gradients and filters with unique ids for one picture."""

    def __init__(self, prefix):
        self.prefix = prefix
        self.items = []
        self.count = 0

    def _id(self):
        self.count += 1
        return f"{self.prefix}{self.count}"

    def add(self, text):
        self.items.append(text)

    def radial(self, stops, cx=None, cy=None, r=None, user=False, fx=None, fy=None, transform=""):
        """A radial gradient; with user=True, cx, cy and r are in picture pixels."""
        name = self._id()
        inner = "".join(
            f'<stop offset="{o}" stop-color="{c}" stop-opacity="{a}"/>' for o, c, a in stops
        )
        attrs = ""
        if user:
            attrs = f' gradientUnits="userSpaceOnUse" cx="{num(cx)}" cy="{num(cy)}" r="{num(r)}"'
            if fx is not None:
                attrs += f' fx="{num(fx)}" fy="{num(fy)}"'
        elif cx is not None:
            attrs = f' cx="{cx}" cy="{cy}" r="{r}"'
        if transform:
            attrs += f' gradientTransform="{transform}"'
        self.add(f'<radialGradient id="{name}"{attrs}>{inner}</radialGradient>')
        return f"url(#{name})"

    def linear(self, stops, x1=0, y1=0, x2=0, y2=1, user=False):
        name = self._id()
        inner = "".join(
            f'<stop offset="{o}" stop-color="{c}" stop-opacity="{a}"/>' for o, c, a in stops
        )
        units = ' gradientUnits="userSpaceOnUse"' if user else ""
        self.add(
            f'<linearGradient id="{name}"{units} x1="{num(x1)}" y1="{num(y1)}" x2="{num(x2)}" '
            f'y2="{num(y2)}">{inner}</linearGradient>'
        )
        return f"url(#{name})"

    def blur(self, deviation):
        name = self._id()
        self.add(ink.blur_filter(name, deviation))
        return f"url(#{name})"

    def clip(self, d):
        name = self._id()
        self.add(f'<clipPath id="{name}"><path d="{d}"/></clipPath>')
        return f"url(#{name})"

    def text(self):
        return "".join(self.items)


def glow(defs, cx, cy, r, colour, opacity, squash=1.0):
    """A soft round glow made of a radial gradient (no blur): strong in the middle and
    fading to nothing at radius r."""
    fill = defs.radial(
        [(0, colour, opacity), (0.25, colour, opacity * 0.55), (0.6, colour, opacity * 0.16),
         (1, colour, 0)]
    )
    return (
        f'<ellipse cx="{num(cx)}" cy="{num(cy)}" rx="{num(r)}" ry="{num(r * squash)}" '
        f'fill="{fill}"/>'
    )
