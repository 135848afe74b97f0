"""Brushes for the pictures of the opening and the ending: the hooded face in the rain, the
lantern, the house on the moor, the mist.

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

    def wash(self, points, colour, opacity, layers=3, amount=6.0, step=14.0, edge=True, extra=""):
        """A translucent wash laid down several times with slightly different torn edges,
        darker where the layers overlap, with the pigment pooling along its rim."""
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
    sk.glow(mx, my, 560, ink.MOON, 0.08, ry=380)
    sk.glow(mx, my, 150, ink.MOON, 0.16)
    sk.add(f'<circle cx="{mx}" cy="{my}" r="30" fill="{ink.MOON}" fill-opacity="0.4"/>')
    for _ in range(16):
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
    sk.wash(pts, colour, opacity, layers=2, amount=ragged, step=10, edge=True)
    return pts



# The hooded face -----------------------------------------------------------------------
# Drawn in profile, looking to the left, in units where the head is 1 tall (crown at y 0,
# chin at y 1) and the brow is at x 0. Moonlight comes from the upper left, in front.

PROFILE = [
    (0.07, 0.15), (0.02, 0.25), (0.0, 0.34), (-0.006, 0.40), (0.012, 0.44),
    (0.034, 0.462), (0.016, 0.52), (-0.03, 0.595), (-0.068, 0.642), (-0.066, 0.668),
    (-0.036, 0.684), (-0.002, 0.694), (0.004, 0.718), (-0.012, 0.752), (0.012, 0.774),
    (-0.002, 0.80), (0.034, 0.836), (0.022, 0.88), (0.004, 0.93), (0.04, 0.984),
    (0.12, 1.012), (0.24, 1.045), (0.30, 1.12), (0.33, 1.32),
]
# The rim of the hood's opening, from above the brow back along the temple to the throat.
HOOD_RIM = [
    (-0.085, 0.075), (0.06, 0.12), (0.2, 0.19), (0.34, 0.3), (0.43, 0.46), (0.46, 0.64),
    (0.44, 0.82), (0.39, 0.98), (0.34, 1.12), (0.33, 1.32),
]
HOOD_OUTER = [
    (-0.085, 0.075), (-0.06, 0.0), (0.06, -0.1), (0.3, -0.17), (0.6, -0.16), (0.88, -0.06),
    (1.08, 0.16), (1.2, 0.5), (1.3, 0.95), (1.45, 1.3), (1.6, 1.7), (0.9, 1.8), (0.2, 1.8),
    (-0.05, 1.75), (0.06, 1.5), (0.2, 1.3), (0.33, 1.32), (0.34, 1.12), (0.39, 0.98),
    (0.44, 0.82), (0.46, 0.64), (0.43, 0.46), (0.34, 0.3), (0.2, 0.19), (0.06, 0.12),
]
EYE_FRONT = (0.072, 0.47)
EYE_BACK = (0.172, 0.466)

SKIN_SHADOW = "#1b2331"
SKIN = "#3b4859"
SKIN_LIGHT = "#8796aa"


def face_region():
    """The visible face: the profile line closed by the rim of the hood."""
    return PROFILE + list(reversed(HOOD_RIM[1:-1]))


def hooded_head(sk, ox, oy, s, eyes_open=True, near=False):
    """A hooded head in the rain at canvas origin (ox, oy) and `s` pixels per head height.
    Only the eye depends on eyes_open, and it is drawn from its own random generator, so
    a blink pair differs at the eye and nowhere else. `near` adds the finer marks a much
    closer view needs (lashes, skin pores of rain, the lamp reflected in the eye)."""
    P = lambda pts: place(pts, ox, oy, s)
    unit = s / 700.0

    # The hood and the cloak: near-black wet cloth in heavy folds that catch the moon.
    outer = P(sample(HOOD_OUTER, per=8))
    sk.wash(outer, ink.INK, 0.6, layers=3, amount=4 * unit, step=12 * unit)
    hood_clip = sk.clip(ink.path(outer))
    light = sk.linear([(0, ink.MOON, 0.14), (0.4, ink.MIDDLE, 0.1), (1, ink.INK, 0.0)],
                      user=(ox - 0.1 * s, oy - 0.2 * s, ox + 0.9 * s, oy + 0.7 * s))
    sk.add(f'<path d="{ink.path(outer)}" fill="url(#{light})"/>')
    sk.add(f'<g clip-path="url(#{hood_clip})">')
    for k in range(1, 8):
        # Folds follow the opening round the back of the head and fall to the shoulder.
        shift = 0.1 * k + sk.rng.uniform(-0.02, 0.02)
        centre = [(x + shift * (0.7 + 0.5 * y), y - 0.12 * shift) for x, y in HOOD_RIM[1:]]
        centre.append((centre[-1][0] + 0.1 * k, 1.9))
        width = sk.rng.uniform(0.04, 0.08)
        sk.wash(P(ribbon(centre, width)), ink.FAR if k % 2 else ink.MIDDLE, 0.22,
                layers=2, amount=3 * unit, step=14 * unit, edge=False)
        crease = [(x + width * 0.7, y) for x, y in centre]
        sk.strokes([smooth(P(crease), False)], ink.INK, 0.7, 3.5 * unit)
    sk.hatch((ox + 0.3 * s, oy - 0.2 * s, ox + 1.6 * s, oy + 1.8 * s), 64, 8 * unit, ink.MIDDLE,
             0.18, 1.2 * unit, wobble=6 * unit)
    sk.add("</g>")
    # The rolled rim of the hood's opening, wet and catching the light at its lower edge.
    rim_band = P(ribbon([(-0.09, 0.06), (0.06, 0.1), (0.22, 0.18), (0.37, 0.31), (0.46, 0.5),
                         (0.48, 0.68)], 0.05))
    sk.wash(rim_band, ink.MIDDLE, 0.55, layers=2, amount=2 * unit, step=10 * unit, edge=False)
    lip = P([(-0.085, 0.078), (0.05, 0.118), (0.2, 0.19), (0.33, 0.29), (0.41, 0.42)])
    sk.add(f'<path d="{smooth(lip, False)}" fill="none" stroke="{ink.MOON}" stroke-opacity="0.4" '
           f'stroke-width="{fmt(2.2 * unit)}" stroke-linecap="round"/>')
    # Moonlight along the crown of the hood, and the wet sheen of its rim.
    crown = P([(-0.07, 0.05), (-0.03, -0.04), (0.08, -0.12), (0.3, -0.165), (0.55, -0.16)])
    sk.add(f'<path d="{smooth(crown, False)}" fill="none" stroke="{ink.MOON}" stroke-opacity="0.28" '
           f'stroke-width="{fmt(7 * unit)}" stroke-linecap="round"/>')
    sk.add(f'<path d="{smooth(crown, False)}" fill="none" stroke="{ink.MOON}" stroke-opacity="0.5" '
           f'stroke-width="{fmt(2 * unit)}" stroke-linecap="round"/>')

    # The face: mid-tone skin, lit at the front, falling into the hood's shadow behind.
    region = P(face_region())
    face_d = smooth(region)
    face_clip = sk.clip(face_d)
    sk.add(f'<path d="{face_d}" fill="{SKIN}"/>')
    sk.add(f'<g clip-path="url(#{face_clip})">')
    front = sk.linear([(0, SKIN_LIGHT, 0.75), (0.35, SKIN, 0.2), (0.75, SKIN_SHADOW, 0.85),
                       (1, ink.INK, 1.0)],
                      user=(ox - 0.05 * s, oy, ox + 0.47 * s, oy + 0.08 * s))
    sk.add(f'<path d="{face_d}" fill="url(#{front})"/>')
    # Planes that face the moon.
    for (x, y, r, a) in [(0.06, 0.28, 0.12, 0.45), (0.0, 0.58, 0.06, 0.55), (0.13, 0.6, 0.1, 0.4),
                         (0.04, 0.9, 0.07, 0.35), (0.03, 0.75, 0.04, 0.35)]:
        sk.glow(ox + x * s, oy + y * s, r * s, ink.MOON, a, ry=r * s * 1.3)
    # Shadows: the socket under the brow, below the nose, the hollow of the cheek, the jaw.
    for (x, y, rx, ry, a) in [(0.12, 0.475, 0.08, 0.05, 0.85), (0.05, 0.70, 0.06, 0.02, 0.5),
                              (0.26, 0.78, 0.13, 0.16, 0.6), (0.2, 0.99, 0.2, 0.06, 0.8),
                              (0.07, 0.83, 0.04, 0.02, 0.5), (0.2, 0.2, 0.2, 0.09, 0.8)]:
        sk.glow(ox + x * s, oy + y * s, rx * s, SKIN_SHADOW, a, ry=ry * s)
    sk.hatch((ox + 0.16 * s, oy + 0.62 * s, ox + 0.46 * s, oy + 1.05 * s), 118, 7 * unit,
             ink.INK, 0.35, 1.1 * unit, wobble=3 * unit)
    sk.hatch((ox + 0.25 * s, oy + 0.2 * s, ox + 0.48 * s, oy + 0.62 * s), 100, 6 * unit,
             ink.INK, 0.3, 1.0 * unit, wobble=3 * unit)
    # The shadow the hood casts along its rim, soft towards the face.
    rim = smooth(P(HOOD_RIM), closed=False)
    for width, alpha in [(0.16, 0.25), (0.09, 0.35), (0.04, 0.5)]:
        sk.add(f'<path d="{rim}" fill="none" stroke="{ink.INK}" stroke-opacity="{alpha}" '
               f'stroke-width="{fmt(width * s)}"/>')
    # Washes of shadow laid over the skin, and the rain running down it.
    for pts, alpha in [([(0.2, 0.5), (0.34, 0.42), (0.45, 0.6), (0.43, 0.95), (0.3, 0.98),
                         (0.27, 0.8), (0.22, 0.64)], 0.3),
                       ([(0.1, 0.98), (0.3, 0.96), (0.36, 1.2), (0.2, 1.25)], 0.55),
                       ([(0.06, 0.2), (0.3, 0.22), (0.2, 0.3), (0.08, 0.27)], 0.3)]:
        sk.wash(P(pts), SKIN_SHADOW, alpha, layers=2, amount=6 * unit, step=12 * unit, edge=False)
    # The brow, the wing of the nose, the lips, a crease at the mouth's corner.
    marks = [
        smooth(P([(-0.034, 0.682), (-0.03, 0.657), (-0.006, 0.648), (0.012, 0.668), (0.004, 0.686)]), False),
        smooth(P([(0.01, 0.774), (0.04, 0.779), (0.062, 0.773)]), False),
        smooth(P([(0.05, 0.7), (0.07, 0.725), (0.078, 0.75)]), False),
    ]
    sk.strokes(marks, ink.INK, 0.6, 2.4 * unit)
    brow = []
    for k in range(22):
        t = k / 21
        x, y = 0.008 + 0.15 * t, 0.428 - 0.012 * math.sin(t * math.pi) + 0.006 * t
        length = 0.022 * (1.0 - 0.5 * t)
        brow.append(f"M{fmt(ox + x * s)},{fmt(oy + (y + 0.006) * s)} "
                    f"l{fmt(length * s)},{fmt(-length * 0.35 * s)}")
    sk.strokes(brow, ink.INK, 0.7, 1.8 * unit)
    upper_lip = P([(-0.012, 0.752), (0.004, 0.742), (0.03, 0.752), (0.06, 0.772), (0.012, 0.775)])
    sk.add(f'<path d="{smooth(upper_lip)}" fill="{SKIN_SHADOW}" fill-opacity="0.45"/>')
    sk.glow(ox + 0.005 * s, oy + 0.79 * s, 0.018 * s, ink.MOON, 0.5, ry=0.012 * s)
    sk.add("</g>")
    # Moonlight on the edge of the profile.
    edge = smooth(P(PROFILE[:21]), closed=False)
    sk.add(f'<path d="{edge}" fill="none" stroke="{ink.MOON}" stroke-opacity="0.35" '
           f'stroke-width="{fmt(5 * unit)}"/>')
    sk.add(f'<path d="{edge}" fill="none" stroke="#e8eef5" stroke-opacity="0.7" '
           f'stroke-width="{fmt(1.6 * unit)}"/>')

    # The collar of the cloak, turned up round the throat.
    collar = P([(0.5, 0.9), (0.44, 1.02), (0.3, 1.1), (0.16, 1.15), (0.04, 1.3), (-0.04, 1.55),
                (-0.06, 1.9), (0.7, 1.9), (0.62, 1.2)])
    sk.wash(collar, ink.INK, 0.6, layers=3, amount=5 * unit, step=16 * unit)
    collar_edge = P([(0.46, 0.98), (0.32, 1.09), (0.17, 1.14), (0.05, 1.28), (-0.03, 1.52)])
    sk.add(f'<path d="{smooth(collar_edge, False)}" fill="none" stroke="{ink.MOON}" '
           f'stroke-opacity="0.3" stroke-width="{fmt(3 * unit)}" stroke-linecap="round"/>')
    sk.strokes([smooth(P([(0.3 + 0.06 * k, 1.15 + 0.02 * k), (0.25 + 0.07 * k, 1.4), (0.2 + 0.08 * k, 1.9)]), False)
                for k in range(5)], ink.MIDDLE, 0.5, 4 * unit)

    # Wet hair slipping out of the hood: clumps falling over the temple behind the eye,
    # a few short locks stuck to the forehead.
    locks = []
    for k in range(11):
        t = k / 10
        root = (0.1 + 0.26 * t, 0.14 + 0.15 * t)
        length = sk.rng.uniform(0.22, 0.42) * (1.0 - 0.3 * t)
        tip = (root[0] + 0.05 + 0.05 * t + sk.rng.uniform(-0.02, 0.02), root[1] + length)
        bend = -0.035 + sk.rng.uniform(-0.015, 0.015)
        width = sk.rng.uniform(0.012, 0.022)
        locks.append((root, bend, tip, width))
    for k in range(5):
        root = (0.03 + 0.05 * k, 0.13 + 0.015 * k)
        tip = (root[0] - 0.01 + sk.rng.uniform(-0.01, 0.02), 0.27 + sk.rng.uniform(0, 0.07))
        locks.append((root, -0.02, tip, sk.rng.uniform(0.008, 0.014)))
    for root, bend, tip, width in locks:
        mid = ((root[0] + tip[0]) / 2 + bend, (root[1] + tip[1]) / 2)
        shape = [(root[0] - width, root[1]), (mid[0] - width * 0.6, mid[1]), tip,
                 (mid[0] + width * 0.6, mid[1]), (root[0] + width, root[1])]
        sk.add(f'<path d="{smooth(P(shape))}" fill="{ink.INK}" fill-opacity="0.85"/>')
        sk.strokes([smooth(P([(root[0] - width * 0.3, root[1]), (mid[0] - width * 0.3, mid[1]),
                              tip]), False)], ink.MIST, 0.35, 1.3 * unit)
    fine = []
    for k in range(18):
        t = k / 17
        root = (0.05 + 0.3 * t, 0.13 + 0.16 * t)
        tip = (root[0] + sk.rng.uniform(0.0, 0.1), root[1] + sk.rng.uniform(0.1, 0.35))
        mid = ((root[0] + tip[0]) / 2 - 0.03, (root[1] + tip[1]) / 2)
        fine.append(smooth(P([root, mid, tip]), False))
    sk.strokes(fine, ink.INK, 0.8, 1.4 * unit)

    # Rain on the face: beads on the brow, the cheek and the tip of the nose.
    for (x, y, r) in [(-0.066, 0.66, 0.012), (0.0, 0.95, 0.009), (0.1, 0.58, 0.006),
                      (0.05, 0.33, 0.005), (0.15, 0.68, 0.005), (0.02, 0.22, 0.004)]:
        sk.drop(ox + x * s, oy + y * s, r * s)
    trail = [smooth(P([(0.1, 0.585), (0.105, 0.63), (0.112, 0.66)]), False)]
    sk.strokes(trail, ink.MOON, 0.18, 3 * unit)

    eye(sk, ox, oy, s, eyes_open, near)


def eye(sk, ox, oy, s, is_open, near):
    """The eye seen from the side, open or shut; its own generator keeps the rest of the
    picture identical between the two frames of a blink."""
    rng = random.Random(7)
    P = lambda pts: place(pts, ox, oy, s)
    unit = s / 700.0
    fx, fy = EYE_FRONT
    bx, by = EYE_BACK
    if is_open:
        ball = P([(fx, fy - 0.002), (fx + 0.035, fy - 0.016), (bx - 0.02, by - 0.012), (bx, by),
                  (bx - 0.03, by + 0.012), (fx + 0.03, fy + 0.015)])
        ball_d = smooth(ball)
        white = sk.linear([(0, "#c9d2dd", 0.95), (0.6, "#6e7b8c", 0.9), (1, SKIN_SHADOW, 1)],
                          user=(ox + fx * s, 0, ox + bx * s, 0))
        sk.add(f'<path d="{ball_d}" fill="url(#{white})"/>')
        # The iris and pupil, seen edge-on at the front of the eye.
        sk.add(f'<ellipse cx="{fmt(ox + (fx + 0.018) * s)}" cy="{fmt(oy + (fy + 0.001) * s)}" '
               f'rx="{fmt(0.011 * s)}" ry="{fmt(0.016 * s)}" fill="#223044"/>')
        sk.add(f'<ellipse cx="{fmt(ox + (fx + 0.014) * s)}" cy="{fmt(oy + (fy + 0.001) * s)}" '
               f'rx="{fmt(0.006 * s)}" ry="{fmt(0.011 * s)}" fill="{ink.INK}"/>')
        sk.add(f'<circle cx="{fmt(ox + (fx + 0.01) * s)}" cy="{fmt(oy + (fy - 0.006) * s)}" '
               f'r="{fmt(0.0035 * s)}" fill="#ffffff" fill-opacity="0.95"/>')
        if near:
            # The lit window far off, caught in the eye.
            sk.add(f'<circle cx="{fmt(ox + (fx + 0.019) * s)}" cy="{fmt(oy + (fy + 0.007) * s)}" '
                   f'r="{fmt(0.0022 * s)}" fill="{ink.LAMP}" fill-opacity="0.9"/>')
        # Upper lid with its crease, lower lid, lashes reaching forward.
        upper = P([(fx - 0.004, fy - 0.001), (fx + 0.04, fy - 0.02), (bx - 0.02, by - 0.014), (bx + 0.004, by)])
        sk.add(f'<path d="{smooth(upper, False)}" fill="none" stroke="{ink.INK}" stroke-opacity="0.9" '
               f'stroke-width="{fmt(4 * unit)}" stroke-linecap="round"/>')
        crease = P([(fx + 0.012, fy - 0.022), (fx + 0.05, fy - 0.034), (bx - 0.01, by - 0.022)])
        sk.add(f'<path d="{smooth(crease, False)}" fill="none" stroke="{ink.INK}" stroke-opacity="0.6" '
               f'stroke-width="{fmt(2 * unit)}" stroke-linecap="round"/>')
        lower = P([(fx + 0.002, fy + 0.003), (fx + 0.035, fy + 0.017), (bx - 0.03, by + 0.013)])
        sk.add(f'<path d="{smooth(lower, False)}" fill="none" stroke="{SKIN_SHADOW}" stroke-opacity="0.8" '
               f'stroke-width="{fmt(2 * unit)}" stroke-linecap="round"/>')
        lashes = []
        for k in range(9 if near else 6):
            t = k / (8 if near else 5)
            x = fx + 0.002 + 0.06 * t
            y = fy - 0.004 - 0.016 * math.sin(min(1.0, t * 1.6) * math.pi / 2)
            length = 0.018 * (1 - 0.5 * t) * rng.uniform(0.8, 1.1)
            lashes.append(smooth(P([(x, y), (x - length * 0.7, y - length * 0.35),
                                    (x - length, y - length * 0.9)]), False))
        sk.strokes(lashes, ink.INK, 0.9, 1.6 * unit)
    else:
        # Shut: the lid comes down over the eye; the lashes point down and forward.
        lid = P([(fx - 0.003, fy - 0.002), (fx + 0.03, fy - 0.02), (bx - 0.02, by - 0.016),
                 (bx + 0.004, by), (bx - 0.03, by + 0.008), (fx + 0.03, fy + 0.01)])
        lid_shade = sk.linear([(0, "#56657a", 0.9), (0.5, "#3f4c5e", 0.9), (1, SKIN_SHADOW, 0.9)],
                              user=(ox + fx * s, 0, ox + bx * s, 0))
        sk.add(f'<path d="{smooth(lid)}" fill="url(#{lid_shade})"/>')
        line = P([(fx - 0.004, fy + 0.001), (fx + 0.035, fy + 0.012), (bx - 0.03, by + 0.009), (bx + 0.004, by)])
        sk.add(f'<path d="{smooth(line, False)}" fill="none" stroke="{ink.INK}" stroke-opacity="0.9" '
               f'stroke-width="{fmt(3.5 * unit)}" stroke-linecap="round"/>')
        crease = P([(fx + 0.012, fy - 0.018), (fx + 0.05, fy - 0.028), (bx - 0.01, by - 0.02)])
        sk.add(f'<path d="{smooth(crease, False)}" fill="none" stroke="{ink.INK}" stroke-opacity="0.45" '
               f'stroke-width="{fmt(2 * unit)}" stroke-linecap="round"/>')
        lashes = []
        for k in range(9 if near else 6):
            t = k / (8 if near else 5)
            x = fx + 0.0 + 0.06 * t
            y = fy + 0.002 + 0.011 * math.sin(min(1.0, t * 1.6) * math.pi / 2)
            length = 0.016 * (1 - 0.5 * t) * rng.uniform(0.8, 1.1)
            lashes.append(smooth(P([(x, y), (x - length * 0.6, y + length * 0.4),
                                    (x - length * 0.9, y + length * 0.95)]), False))
        sk.strokes(lashes, ink.INK, 0.9, 1.6 * unit)
        # A glint of wet light along the closed lid.
        sk.add(f'<path d="{smooth(P([(fx + 0.02, fy - 0.012), (fx + 0.05, fy - 0.017), (bx - 0.03, by - 0.012)]), False)}" '
               f'fill="none" stroke="{ink.MOON}" stroke-opacity="0.35" stroke-width="{fmt(2 * unit)}"/>')


# The house on the moor -----------------------------------------------------------------
# A stone farmhouse seen from the front and a little from its right, in local pixels with
# the front wall's lower left corner at (0, 0); drawn scaled into place.

WALL = 170
DEPTH = (90, -12)


def farmhouse(sk, x, y, k, lit=1.0, door_open=False):
    """The house at (x, y) (the foot of its front wall) and scale k. `lit` is the strength of
    the lamp behind the lit window (and the open door); it changes only the light."""
    rng = sk.rng
    dx, dy = DEPTH
    sk.add(f'<g transform="translate({fmt(x)},{fmt(y)}) scale({k:.3f})">')
    # The lean-to on the left, then the gable wall, the front wall, the roof, the chimney.
    shed = [(-96, 0), (-96, -82), (0, -124), (0, 0)]
    sk.wash(shed, ink.NEAR, 0.95, layers=2, amount=1.5, step=8)
    sk.add(f'<path d="M-104,-78 L4,-128" stroke="{ink.MIST}" stroke-width="3" stroke-opacity="0.45"/>')
    gable = [(240, 0), (240 + dx, dy), (240 + dx, -WALL + dy), (240 + dx / 2, -WALL - 100 + dy / 2),
             (240, -WALL)]
    sk.wash(gable, ink.INK, 0.95, layers=2, amount=1.5, step=8)
    front = [(0, 0), (0, -WALL), (240, -WALL), (240, 0)]
    stone = sk.linear([(0, ink.MIDDLE, 1), (1, ink.NEAR, 1)], 0, 0, 1, 0.3)
    sk.add(f'<path d="{ink.path(front)}" fill="url(#{stone})"/>')
    sk.wash(front, ink.FAR, 0.18, layers=2, amount=2, step=8, edge=False)
    front_clip = sk.clip(ink.path(front))
    # Courses of rough stone.
    courses = []
    for row in range(1, 15):
        cy = -row * WALL / 15
        xs = 0
        while xs < 240:
            w = rng.uniform(16, 34)
            courses.append(f"M{fmt(xs)},{fmt(cy + rng.uniform(-1, 1))} l{fmt(w - 3)},{fmt(rng.uniform(-1.5, 1.5))}")
            xs += w
    sk.add(f'<g clip-path="url(#{front_clip})">')
    sk.strokes(courses, ink.INK, 0.55, 1.3)
    sk.hatch((0, -WALL, 240, 0), 120, 5, ink.INK, 0.3, 1.0, wobble=1.5)
    # Shadow under the eaves, damp rising at the foot, streaks of rain down the stone.
    eaves = sk.linear([(0, ink.INK, 0.8), (1, ink.INK, 0.0)], user=(0, -WALL, 0, -WALL + 40))
    sk.add(f'<rect x="0" y="{-WALL}" width="240" height="40" fill="url(#{eaves})"/>')
    damp = sk.linear([(0, ink.INK, 0.0), (1, ink.INK, 0.6)], user=(0, -40, 0, 0))
    sk.add(f'<rect x="0" y="-40" width="240" height="40" fill="url(#{damp})"/>')
    for _ in range(5):
        sx = rng.uniform(10, 230)
        sk.wash([(sx, -WALL + 20), (sx + 6, -WALL + 20), (sx + 8, -rng.uniform(20, 90)), (sx - 2, -rng.uniform(20, 90))],
                ink.INK, 0.25, layers=1, amount=1.2, step=6, edge=False)
    sk.add("</g>")
    shed_clip = sk.clip(ink.path(shed))
    sk.hatch((-96, -124, 0, 0), 115, 5, ink.INK, 0.45, 1.0, clip=shed_clip)
    shed_courses = []
    for row in range(1, 10):
        cy = -row * 12
        shed_courses.append(f"M-96,{cy} L0,{cy + rng.uniform(-1, 1):.1f}")
    sk.add(f'<path d="{" ".join(shed_courses)}" stroke="{ink.INK}" stroke-opacity="0.45" stroke-width="1" '
           f'stroke-dasharray="14 3 22 3 9 3" clip-path="url(#{shed_clip})"/>')
    sk.hatch((240, -WALL - 100, 240 + dx, 0), 70, 4, ink.MIDDLE, 0.25, 1.0, clip=sk.clip(ink.path(gable)))
    # Moonlight on the left edge of the front and along the roof's ridge.
    roof = [(-12, -WALL + 2), (250, -WALL + 2), (240 + dx / 2 + 4, -WALL - 100 + dy / 2 - 2),
            (dx / 2 - 14, -WALL - 100 + dy / 2 - 2)]
    slate = sk.linear([(0, ink.INK, 1), (1, ink.NEAR, 1)])
    sk.add(f'<path d="{ink.path(roof)}" fill="url(#{slate})"/>')
    sk.wash(roof, ink.MIDDLE, 0.25, layers=2, amount=1.5, step=8, edge=False)
    slates = []
    for row in range(1, 8):
        t = row / 8
        y0 = -WALL + 2 + t * (-100 + dy / 2 - 4)
        x0, x1 = -12 + t * (dx / 2 - 2), 250 + t * (dx / 2 - 6 - 10)
        slates.append(f"M{fmt(x0)},{fmt(y0)} L{fmt(x1)},{fmt(y0)}")
    sk.strokes(slates, ink.INK, 0.6, 1.2)
    ridge_y = -WALL - 100 + dy / 2 - 2
    sk.add(f'<path d="M{fmt(dx / 2 - 14)},{fmt(ridge_y)} L{fmt(240 + dx / 2 + 4)},{fmt(ridge_y)} '
           f'L{fmt(240 + dx + 8)},{fmt(-WALL + dy + 4)}" fill="none" stroke="{ink.MOON}" stroke-width="2.5" '
           f'stroke-opacity="0.55" stroke-linejoin="round"/>')
    sk.add(f'<path d="M0,0 L0,{-WALL}" stroke="{ink.MOON}" stroke-width="2" stroke-opacity="0.3"/>')
    chimney = [(262, ridge_y + 14), (262, ridge_y - 46), (292, ridge_y - 50), (292, ridge_y + 20)]
    sk.wash(chimney, ink.INK, 0.95, layers=2, amount=1, step=6)
    sk.add(f'<path d="M258,{fmt(ridge_y - 48)} L296,{fmt(ridge_y - 52)}" stroke="{ink.MIST}" '
           f'stroke-width="4" stroke-opacity="0.5"/>')
    # Smoke torn sideways by the wind.
    for i in range(7):
        t = i / 6
        sk.glow(277 + 30 * t + 140 * t * t, ridge_y - 62 - 40 * t, 18 + 40 * t, ink.MIST,
                0.35 * (1 - 0.6 * t), ry=10 + 18 * t)
    # Windows: dark panes with a glint of moon, and the one lit window.
    for wx, wy, w, h in [(28, -160, 32, 34), (180, -160, 32, 34), (30, -112, 36, 46), (276, -100 + dy / 2, 18, 34)]:
        glass = sk.linear([(0, ink.FAR, 1), (0.5, ink.INK, 1), (1, ink.INK, 1)], 0, 0, 1, 1)
        sk.add(f'<rect x="{wx}" y="{fmt(wy)}" width="{w}" height="{h}" fill="url(#{glass})"/>')
        sk.add(f'<path d="M{wx + w / 2},{fmt(wy)} l0,{h} M{wx},{fmt(wy + h * 0.45)} l{w},0" stroke="{ink.NEAR}" stroke-width="2.5"/>')
        sk.add(f'<rect x="{wx}" y="{fmt(wy)}" width="{w}" height="{h}" fill="none" stroke="{ink.INK}" stroke-width="2.5"/>')
        sk.add(f'<path d="M{wx - 3},{fmt(wy + h + 1.5)} l{w + 6},0" stroke="{ink.MIST}" stroke-width="2.5" stroke-opacity="0.5"/>')
    lit_window(sk, 176, -112, 36, 46, lit)
    # The door, shut or standing open on a lit room.
    if door_open:
        sk.glow(120, -20, 150, ink.LAMP, 0.45 * lit, ry=90)
        sk.add(f'<rect x="100" y="-94" width="44" height="94" fill="{ink.LAMP}"/>')
        inside = sk.radial([(0, ink.LAMP_CORE, round(min(1.0, 0.95 * lit + 0.05), 2)), (1, ink.LAMP, 0.0)], cy=0.7, r=0.7)
        sk.add(f'<rect x="100" y="-94" width="44" height="94" fill="url(#{inside})"/>')
        sk.add(f'<path d="M100,-94 L86,-98 L86,6 L100,0 Z" fill="{ink.INK}"/>')
    else:
        sk.add(f'<rect x="100" y="-92" width="42" height="92" fill="{ink.INK}"/>')
        sk.add(f'<path d="M121,-92 L121,0" stroke="{ink.NEAR}" stroke-width="2"/>')
    sk.add(f'<path d="M96,-96 L146,-96" stroke="{ink.MIST}" stroke-width="3" stroke-opacity="0.4"/>')
    sk.add("</g>")


def lit_window(sk, wx, wy, w, h, lit):
    """A small window with a lamp behind it: warm panes, a dark cross of glazing bars and a
    glow spilling out into the rain."""
    sk.glow(wx + w / 2, wy + h / 2, 5.5 * w, ink.EMBER, 0.35 * lit, ry=4.5 * w)
    sk.glow(wx + w / 2, wy + h / 2, 2.4 * w, ink.LAMP, 0.55 * lit, ry=2.2 * w)
    pane = sk.radial([(0, ink.LAMP_CORE, 1), (0.6, ink.LAMP, 1), (1, ink.EMBER, 1)], cy=0.6, r=0.7)
    sk.add(f'<rect x="{wx}" y="{wy}" width="{w}" height="{h}" fill="{ink.INK}"/>')
    sk.add(f'<rect x="{wx}" y="{wy}" width="{w}" height="{h}" fill="url(#{pane})" fill-opacity="{0.25 + 0.75 * lit:.2f}"/>')
    sk.add(f'<path d="M{wx + w / 2},{wy} L{wx + w / 2},{wy + h} M{wx},{wy + h * 0.45} L{wx + w},{wy + h * 0.45}" '
           f'stroke="{ink.INK}" stroke-width="3"/>')
    sk.add(f'<rect x="{wx}" y="{wy}" width="{w}" height="{h}" fill="none" stroke="{ink.INK}" stroke-width="3"/>')
    sk.add(f'<path d="M{wx - 3},{wy + h + 1.5} l{w + 6},0" stroke="{ink.LAMP}" stroke-width="2.5" stroke-opacity="{0.6 * lit:.2f}"/>')


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
    sk.wash(band, ink.NEAR, 0.95, layers=2, amount=1.5, step=5)
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
