"""Brushes for the pictures of the opening, the ending and the credits: washes, hatching,
glows, clouds, and the moor (its folds, heather, grass, a wind-bent tree, a stone wall).
The hooded face is in lib/opening_face.py, the house in lib/opening_house.py.

Everything here writes plain SVG text. A Sketch collects the <defs> (gradients, clips, small
blurs) and the body of one picture; the brushes add layered translucent washes with ragged
edges, hatching strokes and soft glows, so that nothing is a flat single-colour shape.
Soft light and mist are radial gradients, not blurs: they cost almost nothing to rasterise.
Every random choice comes from the Sketch's own seeded generator, so a build always writes
the same picture.
"""

import math
import random

from lib import ink


def fmt(value):
    return f"{value:.1f}"


def smooth(points, closed=True):
    """A smooth path through the points (Catmull-Rom turned into cubic Beziers)."""
    n = len(points)
    if n < 3:
        return ink.path(points, closed)
    text = [f"M {fmt(points[0][0])},{fmt(points[0][1])}"]
    last = n if closed else n - 1
    for i in range(last):
        p0 = points[(i - 1) % n] if closed or i > 0 else points[0]
        p1 = points[i]
        p2 = points[(i + 1) % n]
        p3 = points[(i + 2) % n] if closed or i + 2 < n else points[-1]
        c1 = (p1[0] + (p2[0] - p0[0]) / 6, p1[1] + (p2[1] - p0[1]) / 6)
        c2 = (p2[0] - (p3[0] - p1[0]) / 6, p2[1] - (p3[1] - p1[1]) / 6)
        text.append(
            f"C {fmt(c1[0])},{fmt(c1[1])} {fmt(c2[0])},{fmt(c2[1])} {fmt(p2[0])},{fmt(p2[1])}"
        )
    return " ".join(text) + (" Z" if closed else "")


def sample(points, closed=True, per=10):
    """Points along the same smooth curve as smooth(), `per` of them on every span."""
    n = len(points)
    out = []
    last = n if closed else n - 1
    for i in range(last):
        p0 = points[(i - 1) % n] if closed or i > 0 else points[0]
        p1 = points[i]
        p2 = points[(i + 1) % n]
        p3 = points[(i + 2) % n] if closed or i + 2 < n else points[-1]
        c1 = (p1[0] + (p2[0] - p0[0]) / 6, p1[1] + (p2[1] - p0[1]) / 6)
        c2 = (p2[0] - (p3[0] - p1[0]) / 6, p2[1] - (p3[1] - p1[1]) / 6)
        for k in range(per):
            t = k / per
            u = 1 - t
            out.append((u ** 3 * p1[0] + 3 * u * u * t * c1[0] + 3 * u * t * t * c2[0] + t ** 3 * p2[0],
                        u ** 3 * p1[1] + 3 * u * u * t * c1[1] + 3 * u * t * t * c2[1] + t ** 3 * p2[1]))
    if not closed:
        out.append(points[-1])
    return out


def ribbon(points, width, taper=True):
    """A closed outline round a smooth centre line, `width` across, thin at both ends
    (taper True), or full width from the start and rounded at the end (taper "tip")."""
    line = sample(points, closed=False, per=8)
    left, right = [], []
    n = len(line)
    for i, (x, y) in enumerate(line):
        ax, ay = line[max(0, i - 1)]
        bx, by = line[min(n - 1, i + 1)]
        length = math.hypot(bx - ax, by - ay) or 1.0
        nx, ny = -(by - ay) / length, (bx - ax) / length
        t = i / (n - 1)
        if taper == "tip":
            w = width / 2 * (1.0 if t < 0.8 else math.sqrt(max(0.0, 1 - ((t - 0.8) / 0.2) ** 2)))
        else:
            w = width / 2 * (math.sin(math.pi * t) ** 0.6 if taper else 1.0)
        left.append((x + nx * w, y + ny * w))
        right.append((x - nx * w, y - ny * w))
    return left + right[::-1]


def rule(cx, y, half, thick):
    """A thin tapering rule, thickest in the middle: a closed lens shape."""
    return (f"M{cx - half},{y} Q{cx},{fmt(y - thick)} {cx + half},{y} Q{cx},{fmt(y + thick)} {cx - half},{y} Z")


def place(points, ox, oy, scale):
    """Local drawing units (a head is 1 tall) to canvas pixels."""
    return [(ox + x * scale, oy + y * scale) for x, y in points]


class Sketch:
    """One picture being drawn: its random generator, its definitions and its body."""

    def __init__(self, seed, width=ink.WIDTH, height=ink.HEIGHT):
        self.rng = random.Random(seed)
        self.width = width
        self.height = height
        self.defs = []
        self.body = []
        self.count = 0

    def uid(self, prefix):
        self.count += 1
        return f"{prefix}{self.count}"

    def add(self, text):
        self.body.append(text)

    def svg(self):
        return ink.document("\n".join(self.body), self.width, self.height, "".join(self.defs))

    # Definitions ------------------------------------------------------------------------

    def radial(self, stops, cx=0.5, cy=0.5, r=0.5):
        name = self.uid("r")
        self.defs.append(ink.radial_gradient(name, stops, cx, cy, r))
        return name

    def linear(self, stops, x1=0, y1=0, x2=0, y2=1, user=None):
        """A linear gradient; with user=(x1, y1, x2, y2) it runs between canvas points."""
        name = self.uid("l")
        inner = "".join(
            f'<stop offset="{o}" stop-color="{c}" stop-opacity="{a}"/>' for o, c, a in stops
        )
        if user:
            ux1, uy1, ux2, uy2 = user
            self.defs.append(
                f'<linearGradient id="{name}" gradientUnits="userSpaceOnUse" x1="{fmt(ux1)}" '
                f'y1="{fmt(uy1)}" x2="{fmt(ux2)}" y2="{fmt(uy2)}">{inner}</linearGradient>'
            )
        else:
            self.defs.append(ink.linear_gradient(name, stops, x1, y1, x2, y2))
        return name

    def clip(self, d):
        name = self.uid("c")
        self.defs.append(f'<clipPath id="{name}"><path d="{d}"/></clipPath>')
        return name

    def blur(self, deviation):
        name = self.uid("b")
        self.defs.append(ink.blur_filter(name, deviation))
        return name

    # Brushes ----------------------------------------------------------------------------

    def ragged(self, points, amount, step=14.0, closed=True):
        """The outline subdivided every `step` pixels and pushed in and out by a slow,
        irregular amount: the torn edge of a wash on wet paper."""
        rng = self.rng
        out = []
        n = len(points)
        phase = rng.uniform(0, 6.3)
        travelled = 0.0
        for i in range(n if closed else n - 1):
            (x1, y1), (x2, y2) = points[i], points[(i + 1) % n]
            length = math.hypot(x2 - x1, y2 - y1)
            parts = max(1, int(length / step))
            nx, ny = (-(y2 - y1) / length, (x2 - x1) / length) if length else (0, 0)
            for k in range(parts):
                t = k / parts
                travelled += length / parts
                wave = math.sin(travelled / 37.0 + phase) * 0.5 + math.sin(travelled / 11.0 + 2 * phase) * 0.3
                push = amount * (wave + rng.uniform(-0.45, 0.45))
                out.append((x1 + (x2 - x1) * t + nx * push, y1 + (y2 - y1) * t + ny * push))
        if not closed:
            out.append(points[-1])
        return out

    def wash(self, points, colour, opacity, layers=3, amount=6.0, step=14.0, edge=True, extra="",
             solid=False):
        """A translucent wash laid down several times with slightly different torn edges,
        darker where the layers overlap, with the pigment pooling along its rim. A solid
        wash first lays the shape down opaque, so nothing behind it shows through."""
        if solid:
            self.add(f'<path d="{ink.path(points)}" fill="{colour}" {extra}/>')
        for _ in range(layers):
            outline = self.ragged(points, amount, step)
            d = ink.path(outline)
            self.add(f'<path d="{d}" fill="{colour}" fill-opacity="{opacity}" {extra}/>')
        if edge:
            outline = self.ragged(points, amount * 0.6, step)
            self.add(
                f'<path d="{ink.path(outline)}" fill="none" stroke="{colour}" '
                f'stroke-opacity="{min(1.0, opacity * 1.4):.2f}" stroke-width="1.6"/>'
            )

    def hatch(self, box, angle, spacing, colour, opacity, width=1.2, clip=None, wobble=3.0,
              gaps=0.25):
        """Parallel ink strokes across a box (x0, y0, x1, y1) at an angle in degrees, each a
        little bent and of its own length, optionally clipped to a shape."""
        rng = self.rng
        x0, y0, x1, y1 = box
        cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
        reach = math.hypot(x1 - x0, y1 - y0) / 2
        a = math.radians(angle)
        dx, dy = math.cos(a), math.sin(a)
        px, py = -dy, dx
        strokes = []
        offset = -reach
        while offset < reach:
            start = -reach * rng.uniform(0.6, 1.0)
            end = reach * rng.uniform(0.6, 1.0)
            if rng.random() < gaps:
                offset += spacing * rng.uniform(0.7, 1.3)
                continue
            sx, sy = cx + px * offset + dx * start, cy + py * offset + dy * start
            ex, ey = cx + px * offset + dx * end, cy + py * offset + dy * end
            bend = rng.uniform(-wobble, wobble)
            mx, my = (sx + ex) / 2 + px * bend, (sy + ey) / 2 + py * bend
            strokes.append(f"M{fmt(sx)},{fmt(sy)} Q{fmt(mx)},{fmt(my)} {fmt(ex)},{fmt(ey)}")
            offset += spacing * rng.uniform(0.7, 1.3)
        clip_attr = f' clip-path="url(#{clip})"' if clip else ""
        self.add(
            f'<path d="{" ".join(strokes)}" fill="none" stroke="{colour}" stroke-opacity="{opacity}" '
            f'stroke-width="{width}" stroke-linecap="round"{clip_attr}/>'
        )

    def glow(self, cx, cy, rx, colour, opacity, ry=None, falloff=((0, 1.0), (0.35, 0.45), (1, 0.0)),
             rotate=0.0):
        """A soft light: an ellipse filled with a radial gradient that fades to nothing."""
        ry = rx if ry is None else ry
        name = self.radial([(o, colour, round(opacity * a, 3)) for o, a in falloff])
        transform = f' transform="rotate({rotate:.1f} {fmt(cx)} {fmt(cy)})"' if rotate else ""
        self.add(
            f'<ellipse cx="{fmt(cx)}" cy="{fmt(cy)}" rx="{fmt(rx)}" ry="{fmt(ry)}" '
            f'fill="url(#{name})"{transform}/>'
        )

    def mist(self, box, count, colour, opacity, size=(120, 320), flat=0.35):
        """Soft banks of mist or cloud: many wide, faint glows scattered over a box."""
        rng = self.rng
        x0, y0, x1, y1 = box
        for _ in range(count):
            rx = rng.uniform(*size)
            self.glow(rng.uniform(x0, x1), rng.uniform(y0, y1), rx, colour,
                      opacity * rng.uniform(0.5, 1.0), ry=rx * flat * rng.uniform(0.7, 1.3),
                      falloff=((0, 1.0), (0.5, 0.55), (1, 0.0)), rotate=rng.uniform(-6, 6))

    def cloud(self, cx, cy, rx, ry, colour, opacity, layers=3):
        """A torn band of cloud: a long, lumpy wash, flat below and heaped above."""
        rng = self.rng
        pts = []
        steps = 22
        for k in range(steps):
            a = 2 * math.pi * k / steps
            x = cx + rx * math.cos(a)
            lump = 1.0 + (0.5 * abs(math.sin(3.1 * a + rng.uniform(0, 0.6))) if math.sin(a) < 0 else 0.0)
            y = cy + ry * math.sin(a) * (lump if math.sin(a) < 0 else 0.45)
            pts.append((x, y))
        self.wash(pts, colour, opacity, layers=layers, amount=ry * 0.25, step=max(8.0, rx / 12), edge=False)

    def strokes(self, lines, colour, opacity, width):
        """Several open paths in one element (hair strands, folds, grass)."""
        self.add(
            f'<path d="{" ".join(lines)}" fill="none" stroke="{colour}" stroke-opacity="{opacity}" '
            f'stroke-width="{width}" stroke-linecap="round" stroke-linejoin="round"/>'
        )

    def drop(self, x, y, size, light=ink.MOON, opacity=0.85):
        """A bead of rain water: a dark rim, a pale body and a sharp glint."""
        self.add(
            f'<ellipse cx="{fmt(x)}" cy="{fmt(y + size * 0.15)}" rx="{fmt(size * 0.8)}" '
            f'ry="{fmt(size)}" fill="{ink.INK}" fill-opacity="{0.35 * opacity:.2f}"/>'
            f'<ellipse cx="{fmt(x)}" cy="{fmt(y)}" rx="{fmt(size * 0.7)}" ry="{fmt(size * 0.9)}" '
            f'fill="{light}" fill-opacity="{0.35 * opacity:.2f}"/>'
            f'<circle cx="{fmt(x - size * 0.25)}" cy="{fmt(y - size * 0.35)}" r="{fmt(max(0.8, size * 0.22))}" '
            f'fill="#ffffff" fill-opacity="{opacity:.2f}"/>'
        )


# Sky and land ----------------------------------------------------------------------

def night_sky(sk, moon=(330, 190)):
    """A veiled moon and torn rain clouds, thin enough for the rain behind to show."""
    mx, my = moon
    rng = sk.rng
    sk.glow(mx, my, 380, ink.MOON, 0.09, ry=280)
    sk.glow(mx, my, 150, ink.MOON, 0.16)
    sk.add(f'<circle cx="{mx}" cy="{my}" r="30" fill="{ink.MOON}" fill-opacity="0.4"/>')
    for _ in range(12):
        x, y = rng.uniform(-100, 1700), rng.uniform(40, 560)
        near_moon = max(0.0, 1.0 - math.hypot(x - mx, y - my) / 700)
        colour = ink.MIST if near_moon > 0.4 else ink.SKY_LOW
        sk.cloud(x, y, rng.uniform(180, 420), rng.uniform(22, 50), colour,
                 0.05 + 0.08 * near_moon, layers=2)
    # A thin band drawn across the moon itself.
    sk.cloud(mx + 40, my + 8, 260, 18, ink.SKY_HIGH, 0.35, layers=3)


def ridge(sk, y, x0, x1, wave, colour, opacity, ragged=4.0, seed=0.0):
    """One fold of the moor, from x0 to x1, its top rolling around y."""
    rng = sk.rng
    pts = [(x0, 1100)]
    x = x0
    while x <= x1:
        top = y + wave * (math.sin(x / 260 + seed) * 0.7 + math.sin(x / 97 + 2 * seed) * 0.3)
        pts.append((x, top + rng.uniform(-2, 2)))
        x += 24
    pts.append((x1, 1100))
    sk.wash(pts, colour, opacity, layers=2, amount=ragged, step=10, edge=True, solid=opacity >= 0.95)
    return pts


# The moor around it --------------------------------------------------------------------

def tufts(sk, box, count, colour, opacity, height=(10, 30), lit=0.0, lean=0.25):
    """Grass and heather tufts scattered over a box, taller towards the bottom (nearer)."""
    rng = sk.rng
    x0, y0, x1, y1 = box
    blades, tips = [], []
    for _ in range(count):
        x, y = rng.uniform(x0, x1), rng.uniform(y0, y1)
        near = (y - y0) / max(1.0, y1 - y0)
        h = rng.uniform(*height) * (0.5 + near)
        for _ in range(rng.randint(3, 6)):
            bx = x + rng.uniform(-h * 0.3, h * 0.3)
            tx = bx + h * (lean + rng.uniform(-0.3, 0.3))
            ty = y - h * rng.uniform(0.6, 1.0)
            blades.append(f"M{fmt(bx)},{fmt(y)} Q{fmt(bx + (tx - bx) * 0.2)},{fmt((y + ty) / 2)} {fmt(tx)},{fmt(ty)}")
            if lit and rng.random() < 0.3:
                tips.append(blades[-1])
    sk.strokes(blades, colour, opacity, 1.4)
    if tips:
        sk.strokes(tips, ink.MOON, lit, 1.0)


def heather(sk, box, count, colour, opacity, size=(20, 60)):
    """Low dark mounds of heather: small ragged washes, bigger towards the bottom."""
    rng = sk.rng
    x0, y0, x1, y1 = box
    for _ in range(count):
        x, y = rng.uniform(x0, x1), rng.uniform(y0, y1)
        near = (y - y0) / max(1.0, y1 - y0)
        r = rng.uniform(*size) * (0.4 + near)
        pts = [(x + r * math.cos(a) * 1.6, y + r * 0.5 * min(0.2, math.sin(a)) - r * 0.55 * max(0.0, -math.sin(a)))
               for a in [i * math.pi / 8 for i in range(16)]]
        sk.wash(pts, colour, opacity, layers=1, amount=r * 0.12, step=max(3.0, r / 5), edge=False)


def bent_tree(sk, x, y, height, colour=ink.INK):
    """A thorn tree bent by years of wind from the left: a leaning trunk and swept branches."""
    rng = sk.rng
    h = height
    trunk = [(x, y), (x + 0.05 * h, y - 0.35 * h), (x + 0.18 * h, y - 0.7 * h), (x + 0.42 * h, y - 0.92 * h)]
    sk.add(f'<path d="{ink.path(ribbon(trunk, 0.09 * h))}" fill="{colour}"/>')
    sk.add(f'<path d="{smooth(trunk, False)}" fill="none" stroke="{ink.MIST}" stroke-opacity="0.3" '
           f'stroke-width="{fmt(0.012 * h)}" transform="translate({fmt(-0.02 * h)},0)"/>')
    branches = []
    for i in range(11):
        t = 0.35 + 0.6 * i / 10
        bx = x + 0.05 * h + 0.37 * h * t * t
        by = y - h * (0.3 + 0.65 * t)
        length = h * rng.uniform(0.25, 0.55) * (1.2 - 0.5 * t)
        end = (bx + length, by - length * rng.uniform(-0.25, 0.35))
        mid = ((bx + end[0]) / 2, (by + end[1]) / 2 - length * rng.uniform(0.05, 0.2))
        branches.append(f"M{fmt(bx)},{fmt(by)} Q{fmt(mid[0])},{fmt(mid[1])} {fmt(end[0])},{fmt(end[1])}")
        for _ in range(3):
            u = rng.uniform(0.4, 0.9)
            tx, ty = bx + (end[0] - bx) * u, by + (end[1] - by) * u
            branches.append(f"M{fmt(tx)},{fmt(ty)} l{fmt(length * 0.3)},{fmt(-length * rng.uniform(-0.2, 0.3))}")
    sk.strokes(branches[::4], colour, 1.0, max(1.5, 0.018 * h))
    sk.strokes(branches, colour, 0.9, max(1.0, 0.008 * h))
    sk.add(f'<g transform="translate(-1.5,-1.5)">')
    sk.strokes(branches[::4], ink.MIST, 0.25, max(1.0, 0.006 * h))
    sk.add("</g>")


def stone_wall(sk, points, height, lit=0.4):
    """A dry-stone wall following a line of points; its stones catch the moon on top."""
    rng = sk.rng
    line = sample(points, closed=False, per=12)
    size = lambda i: height * (1.0 - 0.7 * i / len(line))
    top = [(px, py - size(i)) for i, (px, py) in enumerate(line)]
    band = line + top[::-1]
    sk.wash(band, ink.NEAR, 0.95, layers=2, amount=1.5, step=5, solid=True)
    stones = []
    for i in range(len(line) - 1):
        (ax, ay), (bx, by) = line[i], line[i + 1]
        h = size(i)
        for row in range(3):
            f = (row + rng.uniform(0.2, 0.8)) / 3
            stones.append(f"M{fmt(ax)},{fmt(ay - h * f)} L{fmt(bx - 1)},{fmt(by - h * f + rng.uniform(-1, 1))}")
    sk.strokes(stones, ink.INK, 0.7, 1.0)
    caps = []
    for i in range(0, len(top) - 1):
        (ax, ay), (bx, by) = top[i], top[i + 1]
        x = ax
        while x < bx:
            w = rng.uniform(6, 14) * (1.0 - 0.6 * i / len(top))
            y = ay + (by - ay) * (x - ax) / max(1.0, bx - ax)
            caps.append(f"M{fmt(x)},{fmt(y + 1)} q{fmt(w / 2)},{fmt(-w * 0.35)} {fmt(w)},0")
            x += w + 1
    sk.strokes(caps, ink.MOON, lit, 1.4)
