"""Drawing helpers for the machine pictures of the film: the workshop, its cables, hooks
and cogs, and the sea monster's scenes. Everything is built from paths, washes and
strokes; glows are radial gradients (cheap to rasterise) rather than blurs.

Every random choice goes through a random.Random with a fixed seed, so a picture comes
out the same on every build.
"""

import math
import random
import re

from lib import ink


def f(v):
    """A coordinate as short text."""
    return f"{v:.1f}".rstrip("0").rstrip(".")


def pts(points):
    return " ".join(f"{f(x)},{f(y)}" for x, y in points)


class Picture:
    """An SVG picture under construction: a list of defs and a list of body elements,
    with unique ids for gradients and filters."""

    def __init__(self, width, height, seed=1):
        self.width = width
        self.height = height
        self.defs = []
        self.body = []
        self.count = 0
        self.rng = random.Random(seed)

    def uid(self, prefix):
        self.count += 1
        return f"{prefix}{self.count}"

    def add(self, *elements):
        self.body.extend(elements)

    def define(self, text):
        self.defs.append(text)

    # -- gradients and glows -------------------------------------------------------------

    def linear(self, stops, x1=0, y1=0, x2=0, y2=1, user=None):
        """A linear gradient; user=(x1, y1, x2, y2) gives it in canvas units."""
        name = self.uid("l")
        inner = "".join(
            f'<stop offset="{o}" stop-color="{c}" stop-opacity="{a}"/>' for o, c, a in stops
        )
        if user:
            x1, y1, x2, y2 = user
            self.define(
                f'<linearGradient id="{name}" gradientUnits="userSpaceOnUse" x1="{f(x1)}" '
                f'y1="{f(y1)}" x2="{f(x2)}" y2="{f(y2)}">{inner}</linearGradient>'
            )
        else:
            self.define(
                f'<linearGradient id="{name}" x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}">'
                f"{inner}</linearGradient>"
            )
        return f"url(#{name})"

    def radial(self, stops, cx=0.5, cy=0.5, r=0.5, fx=None, fy=None):
        name = self.uid("r")
        inner = "".join(
            f'<stop offset="{o}" stop-color="{c}" stop-opacity="{a}"/>' for o, c, a in stops
        )
        focus = f' fx="{fx}" fy="{fy}"' if fx is not None else ""
        self.define(
            f'<radialGradient id="{name}" cx="{cx}" cy="{cy}" r="{r}"{focus}>{inner}'
            f"</radialGradient>"
        )
        return f"url(#{name})"

    def glow(self, cx, cy, rx, ry=None, colour=ink.LAMP, opacity=0.6, core=0.0):
        """A soft light: an ellipse filled with a radial gradient fading to nothing."""
        ry = rx if ry is None else ry
        fill = self.radial(
            [
                (0, colour, opacity),
                (core, colour, opacity),
                (0.35 + core * 0.5, colour, opacity * 0.45),
                (0.7, colour, opacity * 0.12),
                (1, colour, 0),
            ]
        )
        self.add(
            f'<ellipse cx="{f(cx)}" cy="{f(cy)}" rx="{f(rx)}" ry="{f(ry)}" fill="{fill}"/>'
        )

    def blur(self, deviation):
        name = self.uid("b")
        self.define(ink.blur_filter(name, deviation))
        return f"url(#{name})"

    def svg(self):
        body = _OPACITY.sub(_split_opacity, "\n".join(self.body))
        return ink.document(body, self.width, self.height, "".join(self.defs))


# An `opacity` attribute makes the rasteriser paint the element on a canvas-sized layer of
# its own, which is slow on large pictures. On a single shape, fill- and stroke-opacity
# give (nearly) the same look at no cost, so shapes are rewritten that way; groups keep it.
_OPACITY = re.compile(r"<(\w+)([^<>]*?) opacity=\"([0-9.]+)\"")


def _split_opacity(match):
    tag, attrs, value = match.groups()
    if tag == "g" or "fill-opacity" in attrs or "stroke-opacity" in attrs:
        return match.group(0)
    return f'<{tag}{attrs} fill-opacity="{value}" stroke-opacity="{value}"'



# -- shapes -----------------------------------------------------------------------------


def smooth(points, closed=False, tension=1.0):
    """A Catmull-Rom curve through the points, as SVG path data of cubic Beziers."""
    p = list(points)
    if closed:
        p = [p[-1]] + p + [p[0], p[1]]
    else:
        p = [p[0]] + p + [p[-1]]
    d = [f"M {f(p[1][0])},{f(p[1][1])}"]
    for i in range(1, len(p) - 2):
        p0, p1, p2, p3 = p[i - 1], p[i], p[i + 1], p[i + 2]
        c1 = (p1[0] + (p2[0] - p0[0]) / 6 * tension, p1[1] + (p2[1] - p0[1]) / 6 * tension)
        c2 = (p2[0] - (p3[0] - p1[0]) / 6 * tension, p2[1] - (p3[1] - p1[1]) / 6 * tension)
        d.append(f"C {f(c1[0])},{f(c1[1])} {f(c2[0])},{f(c2[1])} {f(p2[0])},{f(p2[1])}")
    if closed:
        d.append("Z")
    return " ".join(d)


def sample_smooth(points, steps=12):
    """Points along the Catmull-Rom curve through the given points."""
    p = [points[0]] + list(points) + [points[-1]]
    out = []
    for i in range(1, len(p) - 2):
        p0, p1, p2, p3 = p[i - 1], p[i], p[i + 1], p[i + 2]
        for s in range(steps):
            t = s / steps
            t2, t3 = t * t, t * t * t
            out.append(
                tuple(
                    0.5
                    * (
                        2 * p1[k]
                        + (-p0[k] + p2[k]) * t
                        + (2 * p0[k] - 5 * p1[k] + 4 * p2[k] - p3[k]) * t2
                        + (-p0[k] + 3 * p1[k] - 3 * p2[k] + p3[k]) * t3
                    )
                    for k in (0, 1)
                )
            )
    out.append(points[-1])
    return out


def normals(line):
    """Unit normals (pointing left of the direction of travel) at each point of a polyline."""
    out = []
    n = len(line)
    for i in range(n):
        a = line[max(i - 1, 0)]
        b = line[min(i + 1, n - 1)]
        dx, dy = b[0] - a[0], b[1] - a[1]
        length = math.hypot(dx, dy) or 1.0
        out.append((dy / length, -dx / length))
    return out


def ribbon(line, widths):
    """A filled outline around a centre line whose width varies point by point."""
    ns = normals(line)
    left = [(x + nx * w / 2, y + ny * w / 2) for (x, y), (nx, ny), w in zip(line, ns, widths)]
    right = [(x - nx * w / 2, y - ny * w / 2) for (x, y), (nx, ny), w in zip(line, ns, widths)]
    return left + right[::-1]


def offset(line, distances):
    ns = normals(line)
    return [(x + nx * d, y + ny * d) for (x, y), (nx, ny), d in zip(line, ns, distances)]


def ragged(points, rng, amount, closed=True):
    """A polygon with its corners nudged: hand-cut edges rather than ruled ones."""
    out = [(x + rng.uniform(-amount, amount), y + rng.uniform(-amount, amount)) for x, y in points]
    return ink.path(out, closed)


def subdivide(points, step, closed=True):
    """Points every `step` pixels along a polygon's edges (for raggedness)."""
    out = []
    n = len(points)
    for i in range(n if closed else n - 1):
        a, b = points[i], points[(i + 1) % n]
        length = math.hypot(b[0] - a[0], b[1] - a[1])
        k = max(1, int(length / step))
        for j in range(k):
            t = j / k
            out.append((a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t))
    if not closed:
        out.append(points[-1])
    return out


def hatch(rng, x, y, w, h, spacing, angle, colour, opacity, width=1.0, wobble=2.0, clip=None):
    """Parallel ink strokes over a rectangle (one path element), slightly uneven."""
    d = []
    a = math.radians(angle)
    dx, dy = math.cos(a), math.sin(a)
    # Lines are laid across the rectangle's diagonal, then clipped by the caller.
    diag = math.hypot(w, h)
    cx, cy = x + w / 2, y + h / 2
    k = -diag / 2
    while k < diag / 2:
        ox, oy = cx - dy * k, cy + dx * k
        l0 = -diag / 2 * rng.uniform(0.7, 1.0)
        l1 = diag / 2 * rng.uniform(0.7, 1.0)
        x0, y0 = ox + dx * l0, oy + dy * l0
        x1, y1 = ox + dx * l1, oy + dy * l1
        mx, my = (x0 + x1) / 2 + rng.uniform(-wobble, wobble), (y0 + y1) / 2 + rng.uniform(-wobble, wobble)
        d.append(f"M{f(x0)},{f(y0)} Q{f(mx)},{f(my)} {f(x1)},{f(y1)}")
        k += spacing * rng.uniform(0.7, 1.3)
    clip_attr = f' clip-path="{clip}"' if clip else ""
    return (
        f'<path d="{" ".join(d)}" fill="none" stroke="{colour}" stroke-opacity="{opacity}" '
        f'stroke-width="{width}" stroke-linecap="round"{clip_attr}/>'
    )


# -- machine parts ----------------------------------------------------------------------


def cog_outline(cx, cy, teeth, r_tip, r_root, tip_share=0.36, root_share=0.5, phase=0.0):
    """The outline of a toothed wheel, exactly symmetric about (cx, cy): each tooth is a
    trapezoid, the flanks slightly rounded."""
    out = []
    step = 2 * math.pi / teeth
    for i in range(teeth):
        base = phase + i * step
        half_root = step * root_share / 2
        half_tip = step * tip_share / 2
        for ang, r in (
            (base - half_root, r_root),
            (base - half_root * 0.78, r_root + (r_tip - r_root) * 0.45),
            (base - half_tip, r_tip),
            (base + half_tip, r_tip),
            (base + half_root * 0.78, r_root + (r_tip - r_root) * 0.45),
            (base + half_root, r_root),
        ):
            out.append((cx + r * math.cos(ang), cy + r * math.sin(ang)))
        # the root between two teeth follows the root circle
        nxt = base + step - half_root
        for s in range(1, 3):
            ang = base + half_root + (nxt - base - half_root) * s / 3
            out.append((cx + r_root * math.cos(ang), cy + r_root * math.sin(ang)))
    return out


def circle_path(cx, cy, r, reverse=False):
    """A circle as path data (for holes cut with the even-odd rule)."""
    sweep = 0 if reverse else 1
    return (
        f"M {f(cx + r)},{f(cy)} A {f(r)},{f(r)} 0 1 {sweep} {f(cx - r)},{f(cy)} "
        f"A {f(r)},{f(r)} 0 1 {sweep} {f(cx + r)},{f(cy)} Z"
    )


def chain(x, y0, y1, link, thick, colour, light, opacity=1.0):
    """A hanging chain from (x, y0) to (x, y1): open links face-on alternating with links
    seen edge-on."""
    out = []
    pitch = link * 0.78
    n = int((y1 - y0) / pitch)
    for i in range(n):
        cy = y0 + i * pitch + link / 2
        if i % 2 == 0:
            w = link * 0.62
            out.append(
                f'<rect x="{f(x - w / 2)}" y="{f(cy - link / 2)}" width="{f(w)}" '
                f'height="{f(link)}" rx="{f(w / 2)}" fill="none" stroke="{colour}" '
                f'stroke-width="{f(thick)}" opacity="{opacity}"/>'
            )
            out.append(
                f'<path d="M {f(x - w / 2 + thick * 0.2)},{f(cy - link * 0.15)} '
                f'Q {f(x - w / 2 + thick * 0.2)},{f(cy - link / 2 + thick * 0.3)} '
                f'{f(x)},{f(cy - link / 2 + thick * 0.2)}" fill="none" stroke="{light}" '
                f'stroke-width="{f(thick * 0.35)}" stroke-linecap="round" opacity="{0.7 * opacity}"/>'
            )
        else:
            w = thick * 1.25
            out.append(
                f'<rect x="{f(x - w / 2)}" y="{f(cy - link / 2 - thick * 0.3)}" width="{f(w)}" '
                f'height="{f(link + thick * 0.6)}" rx="{f(w / 2)}" fill="{colour}" '
                f'opacity="{opacity}"/>'
            )
            out.append(
                f'<line x1="{f(x - w * 0.15)}" y1="{f(cy - link * 0.35)}" x2="{f(x - w * 0.15)}" '
                f'y2="{f(cy + link * 0.3)}" stroke="{light}" stroke-width="{f(thick * 0.25)}" '
                f'stroke-linecap="round" opacity="{0.6 * opacity}"/>'
            )
    return "\n".join(out), y0 + n * pitch + link * 0.2


def hook_line(x, y, scale=1.0, flip=False):
    """The centre line and widths of a crane hook whose eye is at (x, y): a straight
    shank, a round bowl and a point rising on the far side. Returns (line, widths)."""
    s = scale
    shank = 70 * s
    radius = 46 * s
    line, widths = [], []
    sign = -1 if flip else 1
    for i in range(8):
        t = i / 7
        line.append((x, y + shank * t))
        widths.append((20 + 4 * t) * s)
    for i in range(1, 41):
        t = i / 40
        ang = math.radians(215 * t)
        px = x - sign * (radius - radius * math.cos(ang))
        py = y + shank + radius * math.sin(ang)
        line.append((px, py))
        w = 24 + 12 * math.sin(math.pi * min(1.0, t * 1.25))
        w *= 1.0 if t < 0.7 else max(0.08, 1 - (t - 0.7) / 0.3)
        widths.append(w * s)
    return line, widths


def hook(pic, x, y, scale=1.0, flip=False, iron="#1b222c", light="#7d8a9b", edge=ink.INK,
         hanging=True):
    """A forged hook with its eye at (x, y), shaded as iron, added to the picture. A
    hanging hook is turned about its eye so that the bottom of its bowl lies right under
    the eye, as a real hook settles."""
    start = len(pic.body)
    line, widths = hook_line(x, y, scale, flip)
    body = ribbon(line, widths)
    s = scale
    sign = -1 if flip else 1
    # the eye: a ring the hook hangs by
    pic.add(
        f'<circle cx="{f(x)}" cy="{f(y - 14 * s)}" r="{f(15 * s)}" fill="none" stroke="{edge}" '
        f'stroke-width="{f(10 * s)}"/>',
        f'<circle cx="{f(x)}" cy="{f(y - 14 * s)}" r="{f(15 * s)}" fill="none" stroke="{iron}" '
        f'stroke-width="{f(6.5 * s)}"/>',
    )
    shade = pic.linear(
        [(0, light, 1), (0.45, iron, 1), (1, edge, 1)],
        user=(x + sign * 30 * s, y, x - sign * 80 * s, y + 140 * s),
    )
    pic.add(
        f'<path d="{ink.path(body)}" fill="{shade}" stroke="{edge}" stroke-width="{f(2.5 * s)}" '
        f'stroke-linejoin="round"/>'
    )
    # a collar where the shank meets the eye
    pic.add(
        f'<rect x="{f(x - 14 * s)}" y="{f(y - 2 * s)}" width="{f(28 * s)}" height="{f(12 * s)}" '
        f'rx="{f(3 * s)}" fill="{iron}" stroke="{edge}" stroke-width="{f(2 * s)}"/>'
    )
    # light along the outer edge of the bowl, hatching in its shadow
    outer = offset(line[6:34], [-w * 0.3 * sign for w in widths[6:34]])
    pic.add(
        f'<path d="{ink.path(outer, False)}" fill="none" stroke="{light}" '
        f'stroke-width="{f(3 * s)}" stroke-linecap="round" opacity="0.55"/>'
    )
    strokes = []
    for i in range(1, 44):
        (px, py), (nx, ny) = line[i], normals(line)[i]
        w = widths[i] * 0.45
        strokes.append(
            f"M{f(px + nx * w * sign * 0.1)},{f(py + ny * w * sign * 0.1)} "
            f"L{f(px + nx * w * sign)},{f(py + ny * w * sign)}"
        )
    pic.add(
        f'<path d="{" ".join(strokes)}" stroke="{edge}" stroke-width="{f(1.6 * s)}" '
        f'opacity="0.55" stroke-linecap="round"/>'
    )
    # pitting of the forged surface
    rng = pic.rng
    dots = []
    for i in range(8, len(line) - 4):
        if rng.random() < 0.6:
            (px, py), w = line[i], widths[i]
            dx, dy = rng.uniform(-w, w) * 0.3, rng.uniform(-w, w) * 0.3
            dots.append(f"M{f(px + dx)},{f(py + dy)} l{f(rng.uniform(1, 3) * s)},{f(rng.uniform(-1, 1) * s)}")
    pic.add(f'<path d="{" ".join(dots)}" stroke="{light}" stroke-width="{f(1.4 * s)}" '
            f'opacity="0.35" stroke-linecap="round"/>')
    if hanging:
        tilt = math.degrees(math.atan2(46, 116)) * (1 if flip else -1)
        group = pic.body[start:]
        del pic.body[start:]
        pic.add(f'<g transform="rotate({f(tilt)} {f(x)} {f(y - 14 * s)})">', *group, "</g>")
    return line[-1]
